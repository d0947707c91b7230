#include "platform/os_info.h"

#include <QSysInfo>
#include <optional>

namespace platform {
namespace {

// The decimal number at `pos`, moving `pos` past it; nothing when there is no digit or the
// number is too long to be a version.
std::optional<unsigned> numberAt(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9')
        ++pos;
    if (pos == start || pos - start > 9)
        return std::nullopt;
    return text.mid(start, pos - start).toUInt();
}

} // namespace

QString osVersionFromRelease(const QString& release)
{
    const QString unknown = QStringLiteral("Unknown");
    qsizetype pos = 0;
    const auto major = numberAt(release, pos);
    if (!major || pos >= release.size() || release[pos] != u'.')
        return unknown;
    ++pos;
    const auto minor = numberAt(release, pos);
    if (!minor)
        return unknown;
    return QString::number(*major) + u'.' + QString::number(*minor);
}

QString osVersion() { return osVersionFromRelease(QSysInfo::kernelVersion()); }

} // namespace platform
