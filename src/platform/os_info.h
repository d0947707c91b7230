#pragma once
// The operating-system version text that error reports carry.

#include <QString>

namespace platform {

// "major.minor" of a kernel release text ("6.1.0-18-amd64" -> "6.1"), both plain decimal
// numbers without leading zeros; "Unknown" when the text does not begin with two numbers.
QString osVersionFromRelease(const QString& release);

// The running kernel's version as above, or "Unknown".
QString osVersion();

} // namespace platform
