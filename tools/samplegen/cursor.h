#pragma once
// A pointer file in the Windows cursor format, written byte by byte.

#include <QByteArray>

namespace samplegen {

// A 32 x 32 monochrome I-beam (black with a white edge) whose hot spot is its centre.
QByteArray iBeamCursor();
// A 32 x 32 pointing hand (the link pointer) whose hot spot is the fingertip.
QByteArray handCursor();

} // namespace samplegen
