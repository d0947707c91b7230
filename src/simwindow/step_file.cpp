#include "simwindow/step_file.h"

#include "platform/files.h"

namespace simwindow {

std::optional<QString> readStepLine(const QString& path, int n) { return platform::readLineAt(path, n); }

} // namespace simwindow
