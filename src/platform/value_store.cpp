#include "platform/value_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace platform {
namespace {

QString& overridePath()
{
    static QString path;
    return path;
}

// A key that holds no value yet still exists: INI groups only exist through their entries, so
// an empty key carries this marker.
const QString KeyMarker = QStringLiteral(".key");

// "Software\\mivo\\" -> "Software/mivo"; empty parts (doubled or trailing separators) dropped.
QString groupOf(const QString& keyPath)
{
    QString p = keyPath;
    p.replace(u'\\', u'/');
    return p.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

bool groupHasEntries(QSettings& s, const QString& group)
{
    s.beginGroup(group);
    const bool has = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
    s.endGroup();
    return has;
}

bool ensureFolder()
{
    return QDir().mkpath(QFileInfo(ValueStore::filePath()).absolutePath());
}

bool commit(QSettings& s)
{
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace

QString ValueStore::filePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/talvesk/registry.ini");
}

void ValueStore::setFilePathOverride(const QString& path) { overridePath() = path; }

bool ValueStore::createKey(const QString& keyPath)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || !ensureFolder())
        return false;
    QSettings s(filePath(), QSettings::IniFormat);
    // The deepest key holds the marker; the keys above it exist through it.
    if (!groupHasEntries(s, group))
        s.setValue(group + u'/' + KeyMarker, QByteArray());
    return commit(s);
}

bool ValueStore::keyExists(const QString& keyPath)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty())
        return false;
    QSettings s(filePath(), QSettings::IniFormat);
    return groupHasEntries(s, group);
}

bool ValueStore::setValue(const QString& keyPath, const QString& name, const QByteArray& data)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || name.isEmpty() || !ensureFolder())
        return false;
    QSettings s(filePath(), QSettings::IniFormat);
    s.setValue(group + u'/' + name, data);
    return commit(s);
}

std::optional<QByteArray> ValueStore::value(const QString& keyPath, const QString& name)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || name.isEmpty())
        return std::nullopt;
    QSettings s(filePath(), QSettings::IniFormat);
    const QString key = group + u'/' + name;
    if (!s.contains(key))
        return std::nullopt;
    return s.value(key).toByteArray();
}

} // namespace platform
