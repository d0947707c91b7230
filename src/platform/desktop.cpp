#include "platform/desktop.h"

#include <QDesktopServices>

namespace platform {

namespace {
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> o;
    return o;
}
} // namespace

bool openUrl(const QUrl& url)
{
    if (const auto& o = opener())
        return o(url);
    return QDesktopServices::openUrl(url);
}

void setUrlOpener(std::function<bool(const QUrl&)> o) { opener() = std::move(o); }

} // namespace platform
