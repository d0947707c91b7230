#pragma once
// The face pictures the cover page shows when it loads, and their decoding ahead of time: the
// splash waits a tenth of a second before the cover loads, time enough to decode them.

#include <QStringList>

namespace cover {

// Every face the cover's load and build read, each once.
QStringList coverFaceNames();

// Decodes those faces ahead of the cover's load, off the window thread; a face that cannot be
// read is left for the cover's load to report.
void prefetchCoverFaces();

} // namespace cover
