#include "update/update_run.h"

#include "platform/files.h"
#include "session_state/codes.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

namespace update {
namespace {

const QString StampPrefix = QStringLiteral("20");
constexpr int StampLength = 12;
constexpr int ShortestEntry = 19;

bool isSeparator(QChar c) { return c == u'/' || c == u'\\'; }

QString withoutTrailingSeparators(QString text)
{
    while (!text.isEmpty() && isSeparator(text.back()))
        text.chop(1);
    return text;
}

// A GBK character: it has a GBK form of one or two bytes that reads back as itself.
bool isGbk(const QString& ch)
{
    const QByteArray bytes = platform::toGbk(ch);
    return !bytes.isEmpty() && bytes.size() <= 2 && platform::fromGbk(bytes) == ch;
}

} // namespace

QString updateEndpoint() { return codes::trimSpaces(qEnvironmentVariable("TALVESK_UPDATE_URL")); }

QString dataFolderName(const QString& appPath, const QString& dataDir)
{
    QString name = dataDir;
    if (!appPath.isEmpty())
        name.remove(appPath);
    name.remove(u'/');
    name.remove(u'\\');
    return name;
}

QUrl endpointUrl(const QString& endpoint, const QString& path)
{
    const QByteArray encoded = platform::toGbk(path).toPercentEncoding("/");
    return QUrl::fromEncoded(withoutTrailingSeparators(codes::trimSpaces(endpoint)).toUtf8() + encoded, QUrl::TolerantMode);
}

QString updateBasePath(const QString& moduleName) { return QStringLiteral("/up/pelor/") + moduleName + u'/'; }

QUrl listUrl(const QString& endpoint, const QString& moduleName, const QString& dataFolder)
{
    return endpointUrl(endpoint, updateBasePath(moduleName) + dataFolder + QStringLiteral("/288895.txt"));
}

QUrl announcementUrl(const QString& endpoint, const QString& serverFolderTag)
{
    return endpointUrl(endpoint, QStringLiteral("/up/ad/") + serverFolderTag + QStringLiteral("/170100.rar"));
}

QString joinPath(const QString& folder, const QString& relative)
{
    QString rel = relative;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1);
    return withoutTrailingSeparators(folder) + u'/' + rel;
}

std::optional<QString> listStamp(const QString& answer)
{
    if (!answer.startsWith(StampPrefix))
        return std::nullopt;
    return codes::trimSpaces(answer.left(StampLength));
}

std::optional<Entry> parseEntry(const QString& line)
{
    const QString t = codes::trimSpaces(line);
    if (t.startsWith(StampPrefix) || t.size() < ShortestEntry)
        return std::nullopt;
    return Entry{t[0], t.mid(1, StampLength), t.mid(1 + StampLength)};
}

QString entryFolder(QChar type, const QString& dataFolder, const QString& previous)
{
    switch (type.unicode()) {
    case u'D': return dataFolder + u'\\';
    case u'K': return QStringLiteral("ksdata\\");
    case u'E': return QStringLiteral("examdata\\");
    case u'M': return QString();
    default: return previous;
    }
}

QString localName(const QString& name) { return name.contains(u'.') ? name : name + QStringLiteral(".mxy"); }

QString serverName(const QString& name)
{
    return (name.contains(u'.') ? name.left(name.size() - 4) : name) + QStringLiteral(".rar");
}

bool isSafeName(const QString& name)
{
    if (name.isEmpty() || isSeparator(name.front()))
        return false;
    static const QRegularExpression parts(QStringLiteral("[\\\\/]"));
    for (const QString& part : name.split(parts))
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("<>:\"|?*").contains(c))
            return false;
        const qsizetype width = c.isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        if (c.unicode() >= 0x80 && !isGbk(name.mid(i, width)))
            return false;
        i += width - 1;
    }
    return true;
}

bool isExecutableContent(const QString& localName, const QString& exeName)
{
    if (localName.compare(exeName, Qt::CaseInsensitive) == 0)
        return true;
    const QString file = localName.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
    if (file.compare(QStringLiteral("qvitpk.rar"), Qt::CaseInsensitive) == 0)
        return true;
    for (const char* ext : {".exe", ".dll", ".so"})
        if (file.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return true;
    return false;
}

QString executableFileName(const QString& baseName)
{
    QString name = baseName + QStringLiteral(".exe");
    if (name.endsWith(QStringLiteral(".exe.exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

QString fileStamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return MissingFileStamp;
    return info.lastModified().toString(QStringLiteral("yyyyMMddHHmm"));
}

std::vector<EntryPlan> planRun(const QStringList& lines, const RunPlace& place)
{
    std::vector<EntryPlan> plans;
    QString folder;
    for (const QString& line : lines) {
        const auto entry = parseEntry(line);
        if (!entry)
            continue;
        EntryPlan plan;
        plan.name = entry->name;
        folder = entryFolder(entry->type, place.dataFolder, folder);
        const QString local = localName(entry->name);
        // A name that leaves its folder, or code over a connection anyone may have altered, is
        // never fetched.
        if (!isSafeName(entry->name) || (!place.secure && isExecutableContent(local, place.exeName))) {
            plans.push_back(plan);
            continue;
        }
        const QString path = platform::resolvePathForWrite(joinPath(place.appPath, folder + local));
        const QString stamp = fileStamp(path);
        // The executable is never written over: its new copy goes beside it, and the stamp
        // compared is that of the executable itself.
        plan.exeCopy = local.compare(place.exeName, Qt::CaseInsensitive) == 0;
        plan.localPath = plan.exeCopy ? path + QStringLiteral("_bak") : path;
        plan.url = endpointUrl(place.endpoint, updateBasePath(place.moduleName) + QString(folder + serverName(entry->name)).replace(u'\\', u'/'));
        plan.kind = stamp >= entry->stamp ? EntryPlan::UpToDate : EntryPlan::Fetch;
        plans.push_back(plan);
    }
    return plans;
}

} // namespace update
