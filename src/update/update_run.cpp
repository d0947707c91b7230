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

// The parts of a relative name, split at "\\" and "/".
QStringList nameParts(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return name.split(separators);
}

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

qint64 listMaxBytes()
{
    bool ok = false;
    const int bytes = qEnvironmentVariableIntValue("TALVESK_UPDATE_LIST_MAX_BYTES", &ok);
    return ok && bytes > 0 ? bytes : 1024 * 1024;
}

qint64 fileMaxBytes()
{
    bool ok = false;
    const int bytes = qEnvironmentVariableIntValue("TALVESK_UPDATE_FILE_MAX_BYTES", &ok);
    return ok && bytes > 0 ? bytes : 16 * 1024 * 1024;
}

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
    for (const QString& part : nameParts(name))
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
    const QString file = nameParts(localName).back();
    if (file.compare(QStringLiteral("qvitpk.rar"), Qt::CaseInsensitive) == 0)
        return true;
    for (const char* ext : {".exe", ".dll", ".so"})
        if (file.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return true;
    return false;
}

bool isProgramContent(const QByteArray& head)
{
    if (head.startsWith("\x7F" "ELF") || head.startsWith("#!"))
        return true;
    if (!head.startsWith("MZ"))
        return false;
    // The PE header's offset is the 32-bit little-endian number at 0x3C.
    constexpr qsizetype OffsetField = 0x3C;
    if (head.size() < OffsetField + 4)
        return false;
    const auto* p = reinterpret_cast<const uchar*>(head.constData() + OffsetField);
    const quint32 offset = p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
    if (offset > quint32(head.size() - 4))
        return true;
    return head.mid(offset, 4) == QByteArray("PE\0\0", 4);
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

bool isUpdatablePlace(const QString& relativePath, const RunPlace& place)
{
    const QStringList parts = nameParts(relativePath);
    const auto is = [](const QString& part, const QString& name) { return part.compare(name, Qt::CaseInsensitive) == 0; };
    const QString bookkeeping = QStringLiteral("288895.mxy");
    if (parts.size() == 2 && ((is(parts[0], place.dataFolder) || is(parts[0], QStringLiteral("ksdata"))) && is(parts[1], bookkeeping)))
        return false;
    if (parts.size() >= 2)
        return is(parts[0], place.dataFolder) || is(parts[0], QStringLiteral("examdata")) || is(parts[0], QStringLiteral("ksdata"));
    const QString& file = parts[0];
    static const QRegularExpression pointerFile(QStringLiteral("^ico[0-9][0-9]\\.cur$"), QRegularExpression::CaseInsensitiveOption);
    if (is(file, QStringLiteral("ver.txt")) || is(file, QStringLiteral("sMenu.sys")) || pointerFile.match(file).hasMatch())
        return true;
    return place.secure && (is(file, place.exeName) || is(file, QStringLiteral("qvitpk.rar")));
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
        // A name that leaves its folder, a place the program does not update, or code over a
        // connection anyone may have altered, is never fetched.
        if (!isSafeName(entry->name) || !isUpdatablePlace(folder + local, place) || (!place.secure && isExecutableContent(local, place.exeName))) {
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
