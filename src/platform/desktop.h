#pragma once
// Opening addresses and folders with the desktop's own programs (the browser, the file
// manager).

#include <QUrl>
#include <functional>

namespace platform {

// Opens the address with the desktop's program for it; false when none took it.
bool openUrl(const QUrl& url);

// Tests: when set, openUrl hands the address to the opener instead of the desktop.
void setUrlOpener(std::function<bool(const QUrl&)> opener);

} // namespace platform
