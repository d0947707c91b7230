#include "update/update_run.h"

#include "platform/files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>

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

// A positive whole number from the environment, or the fallback.
int positiveSetting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// The folders below a library folder in which the toolkit looks for plugins: its plugin types,
// and whatever folders its own plugin folder holds besides. Compared without regard to case.
bool isPluginFolder(const QString& name)
{
    static const QSet<QString> folders = [] {
        QSet<QString> names;
        for (const char* type :
             {"accessible", "accessiblebridge", "assetimporters", "audio", "bearer", "canbus", "designer", "egldeviceintegrations", "generic",
              "geometryloaders", "geoservices", "help", "iconengines", "imageformats", "kf5", "kf6", "mediaservice", "multimedia",
              "networkinformation", "platforminputcontexts", "platforms", "platformthemes", "playlistformats", "position", "printsupport",
              "qmllint", "qmltooling", "renderers", "renderplugins", "scenegraph", "sceneparsers", "script", "sensorgestures", "sensors",
              "sqldrivers", "styles", "texttospeech", "tls", "virtualkeyboard", "wayland-decoration-client",
              "wayland-graphics-integration-client", "wayland-graphics-integration-server", "wayland-inputdevice-integration",
              "wayland-shell-integration", "webview", "xcbglintegrations"})
            names.insert(QString::fromLatin1(type));
        const QDir own(QLibraryInfo::path(QLibraryInfo::PluginsPath));
        for (const QString& folder : own.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            names.insert(folder.toCaseFolded());
        return names;
    }();
    return folders.contains(name.toCaseFolded());
}

// `path` made absolute with every link on the way to its last part followed; the last part
// stays as it is (a link there is the file that a write replaces). Empty when a link on the way
// leads nowhere.
QString linksFollowed(const QString& path)
{
    const QFileInfo asked(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QString folder = asked.absolutePath();
    QString rest = asked.fileName();
    // The folders that do not exist yet hold no link.
    for (QFileInfo f(folder); !f.exists() && !f.isSymLink() && !f.isRoot(); f.setFile(folder)) {
        rest = f.fileName() + u'/' + rest;
        folder = f.absolutePath();
    }
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        return {};
    return real.endsWith(u'/') ? real + rest : real + u'/' + rest;
}

} // namespace

qint64 listMaxBytes() { return positiveSetting("TALVESK_UPDATE_LIST_MAX_BYTES", 1024 * 1024); }

qint64 fileMaxBytes() { return positiveSetting("TALVESK_UPDATE_FILE_MAX_BYTES", 16 * 1024 * 1024); }

int runMaxFiles() { return positiveSetting("TALVESK_UPDATE_RUN_MAX_FILES", 2000); }

qint64 runMaxMs() { return positiveSetting("TALVESK_UPDATE_RUN_MAX_MS", 20 * 60 * 1000); }

QString updateEndpoint() { return codes::trimSpaces(qEnvironmentVariable("TALVESK_UPDATE_URL")); }

QString dataFolderName(const QString& appPath, const QString& dataDir)
{
    const QString app = withoutTrailingSeparators(appPath);
    const QString dir = withoutTrailingSeparators(dataDir);
    if (!dir.startsWith(app) || dir.size() <= app.size() || !isSeparator(dir[app.size()]))
        return {};
    const QString name = dir.mid(app.size() + 1);
    return isPlainFolderName(name) ? name : QString();
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
    static const QRegularExpression code(QStringLiteral("\\.(exe|dll|so(\\.[0-9]+)*)$"), QRegularExpression::CaseInsensitiveOption);
    return code.match(file).hasMatch();
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
    const bool inData = isPlainFolderName(place.dataFolder) && !isPluginFolder(place.dataFolder) && is(parts[0], place.dataFolder);
    const QString bookkeeping = QStringLiteral("288895.mxy");
    if (parts.size() == 2 && ((inData || is(parts[0], QStringLiteral("ksdata"))) && is(parts[1], bookkeeping)))
        return false;
    if (parts.size() >= 2)
        return inData || is(parts[0], QStringLiteral("examdata")) || is(parts[0], QStringLiteral("ksdata"));
    const QString& file = parts[0];
    static const QRegularExpression pointerFile(QStringLiteral("^ico[0-9][0-9]\\.cur$"), QRegularExpression::CaseInsensitiveOption);
    if (is(file, QStringLiteral("ver.txt")) || is(file, QStringLiteral("sMenu.sys")) || pointerFile.match(file).hasMatch())
        return true;
    return place.secure && (is(file, place.exeName) || is(file, QStringLiteral("qvitpk.rar")));
}

std::vector<EntryPlan> planRun(const QStringList& lines, const RunPlace& place)
{
    std::vector<EntryPlan> plans;
    // The installation as the file system has it, once for the whole list.
    const QFileInfo app(place.appPath);
    const QString realApp = withoutTrailingSeparators(app.exists() ? app.canonicalFilePath() : linksFollowed(place.appPath));
    // Where a write of `path` lands once the links on its way are followed, below the
    // installation; nothing when it lands outside.
    const auto landing = [&](const QString& path) -> std::optional<QString> {
        const QString real = linksFollowed(path);
        if (realApp.isEmpty() || real.size() <= realApp.size() + 1 || !real.startsWith(realApp) || real[realApp.size()] != u'/')
            return std::nullopt;
        return real.mid(realApp.size() + 1);
    };
    // The files and folders that entries before this one will make, by their names with the case
    // folded: a name that does not exist yet takes the spelling of the first entry that named it.
    QHash<QString, QString> planned;
    const qsizetype below = withoutTrailingSeparators(place.appPath).size() + 1;
    const auto asPlanned = [&](const QString& path) {
        for (qsizetype cut = path.size(); cut > below; cut = path.lastIndexOf(u'/', cut - 1)) {
            const auto it = planned.constFind(path.left(cut).toCaseFolded());
            if (it != planned.constEnd())
                return *it + path.mid(cut);
        }
        return path;
    };
    const auto plan = [&](const QString& path) {
        for (qsizetype cut = path.size(); cut > below; cut = path.lastIndexOf(u'/', cut - 1))
            planned.insert(path.left(cut).toCaseFolded(), path.left(cut));
    };
    QString folder;
    for (const QString& line : lines) {
        const auto entry = parseEntry(line);
        if (!entry)
            continue;
        EntryPlan entryPlan;
        entryPlan.name = entry->name;
        folder = entryFolder(entry->type, place.dataFolder, folder);
        const QString local = localName(entry->name);
        // A name that leaves its folder is never looked at here, and counts as due.
        if (!isSafeName(entry->name)) {
            entryPlan.due = true;
            plans.push_back(entryPlan);
            continue;
        }
        const QString path = asPlanned(platform::resolvePathForWrite(joinPath(place.appPath, folder + local)));
        const QString stamp = fileStamp(path);
        entryPlan.due = stamp < entry->stamp;
        // A place the program does not update, or code over a connection anyone may have
        // altered, is never fetched.
        if (!isUpdatablePlace(folder + local, place) || (!place.secure && isExecutableContent(local, place.exeName))) {
            plans.push_back(entryPlan);
            continue;
        }
        const std::optional<QString> landed = landing(path);
        if (!landed || !isUpdatablePlace(*landed, place)) {
            plans.push_back(entryPlan);
            continue;
        }
        plan(path);
        // The executable is never written over: its new copy goes beside it, and the stamp
        // compared is that of the executable itself.
        entryPlan.exeCopy = local.compare(place.exeName, Qt::CaseInsensitive) == 0;
        entryPlan.localPath = entryPlan.exeCopy ? path + QStringLiteral("_bak") : path;
        entryPlan.url = endpointUrl(place.endpoint, updateBasePath(place.moduleName) + QString(folder + serverName(entry->name)).replace(u'\\', u'/'));
        entryPlan.kind = entryPlan.due ? EntryPlan::Fetch : EntryPlan::UpToDate;
        plans.push_back(entryPlan);
    }
    return plans;
}

QString progressText(int k, int due, const QString& name)
{
    return QStringLiteral("正在下载第%1/%2个文件：\n%3").arg(k).arg(due).arg(name);
}

namespace {

QString reasonText(FailureTally::Reason reason)
{
    switch (reason) {
    case FailureTally::RefusedPlace: return QStringLiteral("refused: not a place the update writes");
    case FailureTally::RefusedContent: return QStringLiteral("refused: a program fetched over http");
    }
    return {};
}

} // namespace

void FailureTally::add(Reason reason, const QString& name)
{
    Count& c = counts_[reason];
    if (++c.seen <= ToldOneByOne) {
        tell_(name + u' ' + reasonText(reason));
        return;
    }
    if (c.untold++ == 0)
        c.first = name;
    c.last = name;
}

void FailureTally::flush()
{
    for (const Reason reason : {RefusedPlace, RefusedContent}) {
        Count& c = counts_[reason];
        if (c.untold == 0)
            continue;
        tell_(QStringLiteral("%1 more %2 (from %3 to %4)").arg(c.untold).arg(reasonText(reason), c.first, c.last));
        c.untold = 0;
    }
}

} // namespace update
