#pragma once
// The sample's question-bank version and announcement, and a sample update folder that
// tools/updateserver can share: a newer list, a newer data file and a new announcement.

#include "output.h"

namespace samplegen::update {

// Writes data/288895.mxy and ksdata/170100.mxy when missing (an update run replaces them), and
// rewrites the folder "update-server" below the installation.
void write(Output& out, const QString& dataName, const QString& moduleName, const QString& serverFolderTag);

} // namespace samplegen::update
