#pragma once
// The session's step file: one step record a line, read afresh at every step, so that a file
// replaced while the program runs shows its new records.

#include <QString>
#include <optional>

namespace simwindow {

// Line n (1-based) of the step file; a file shorter than n lines gives its last line, n below 1
// the last line too. Nothing when the file is missing, unreadable or empty.
std::optional<QString> readStepLine(const QString& path, int n);

} // namespace simwindow
