#pragma once
// Opening an address (a web page, a mail address, a file) with the desktop's own handler.

#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// Hands the address to the desktop; a bare file name or path is opened as a local file. The
// result is not examined: the desktop tells the user itself when it cannot.
void openAddress(const QString& address);

// Whether the address is one the desktop may be handed from something downloaded: a web page
// (http or https, with a host) or a mail address. Other kinds start programs or open local files.
bool isWebOrMailAddress(const QUrl& url);

// Tests: when set, openAddress calls the observer instead of the desktop.
void setOpenAddressObserver(std::function<void(const QString&)> observer);

} // namespace platform
