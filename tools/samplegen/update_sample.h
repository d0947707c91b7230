#pragma once
// A sample update folder that tools/updateserver can share: a list newer than the sample's
// question bank, a newer data file and a new announcement.

#include "output.h"

namespace samplegen::update {

// Rewrites the folder "update-server" below the installation.
void write(Output& out, const QString& dataName, const QString& moduleName, const QString& serverFolderTag);

} // namespace samplegen::update
