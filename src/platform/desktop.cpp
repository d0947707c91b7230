#include "platform/desktop.h"

#include "platform/files.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {
std::function<void(const QString&)>& observer()
{
    static std::function<void(const QString&)> o;
    return o;
}
} // namespace

void openAddress(const QString& address)
{
    if (observer()) {
        observer()(address);
        return;
    }
    const QString a = address.trimmed();
    if (a.isEmpty() || pathHoldsNul(a))
        return;
    QUrl url(a);
    if (url.scheme().size() <= 1 || QFileInfo::exists(a)) // none, or a drive letter
        url = QUrl::fromLocalFile(a);
    QDesktopServices::openUrl(url);
}

bool isWebOrMailAddress(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

void setOpenAddressObserver(std::function<void(const QString&)> observer) { platform::observer() = std::move(observer); }

} // namespace platform
