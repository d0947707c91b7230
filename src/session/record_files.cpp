#include "session/record_files.h"

#include "platform/files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace records {

namespace {

const QString Tag = QStringLiteral("records");
const QString CrLf = QStringLiteral("\r\n");

bool ensureRecordDir(const QString& path)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (QDir(dir).exists())
        return true;
    if (QDir().mkpath(dir))
        return true;
    // Every write of the run would fail the same way: one report says it.
    static bool reported = false;
    if (!reported) {
        reported = true;
        reportFailure(Tag, runerr::PathNotFound, runerr::text(runerr::PathNotFound) + u' ' + dir);
    }
    return false;
}

} // namespace

QString recordDir(const QString& appPath)
{
    QString dir = appPath;
    if (!dir.isEmpty() && !dir.endsWith(u'/') && !dir.endsWith(u'\\'))
        dir += u'/';
    return dir + QStringLiteral("ksdata/");
}

QString recordPath(const QString& appPath, const QString& number)
{
    return recordDir(appPath) + number + QStringLiteral(".mxy");
}

QString paperWrongListPath(const QString& appPath, int slot)
{
    return recordPath(appPath, QStringLiteral("1824") + QStringLiteral("%1").arg(slot, 2, 10, QChar(u'0')).right(2));
}

std::optional<std::optional<QByteArray>> readRecordBytesChecked(const QString& path, const QString& tag)
{
    if (!QFileInfo::exists(platform::resolvePath(path)))
        return std::optional<QByteArray>();
    std::optional<QByteArray> bytes = platform::readBytes(path);
    if (!bytes) {
        reportFailure(tag, runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + QStringLiteral(", read failed: ") + path);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QStringList> readRecordLinesChecked(const QString& path, const QString& tag)
{
    const auto bytes = readRecordBytesChecked(path, tag);
    if (!bytes)
        return std::nullopt;
    return *bytes ? platform::gbkLines(**bytes) : QStringList();
}

std::optional<QString> readListLineChecked(const QString& path, const QString& tag)
{
    const std::optional<QStringList> lines = readRecordLinesChecked(path, tag);
    if (!lines)
        return std::nullopt;
    return lines->isEmpty() ? QString() : codes::trimSpaces(lines->first());
}

QString readListLine(const QString& path, const QString& tag) { return readListLineChecked(path, tag).value_or(QString()); }

platform::GroupSave writeRecordGroup(const std::vector<platform::GroupFile>& files)
{
    std::vector<platform::GroupFile> targets;
    for (const auto& [path, bytes] : files) {
        // An installation's own spelling of the folder and file names is kept.
        const QString target = platform::resolvePathForWrite(path);
        // A file that holds these bytes already is left as it is (a read-only one too), and so
        // is a file to be removed that is not there.
        if (bytes ? platform::readBytes(target) == *bytes : !QFileInfo::exists(target) && !QFileInfo(target).isSymLink())
            continue;
        if (bytes && !ensureRecordDir(target))
            return platform::GroupSave::NotSaved;
        targets.push_back({target, bytes});
    }
    const platform::GroupSave saved = platform::saveGroup(targets);
    if (saved != platform::GroupSave::Saved) {
        // Unfinished: the files not put back now the next start puts back from what the group kept.
        const QString how = saved == platform::GroupSave::Unfinished ? QStringLiteral(", not put back: ") : QStringLiteral(" ");
        for (const auto& file : targets)
            reportFailure(Tag, runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + how + file.path);
    }
    return saved;
}

bool writeRecord(const QString& path, const QString& text) { return writeRecords({{path, text}}); }

bool writeRecords(const QList<std::pair<QString, QString>>& files)
{
    std::vector<platform::GroupFile> group;
    for (const auto& [path, text] : files)
        group.push_back({path, platform::toGbk(text + CrLf)});
    return writeRecordGroup(group) == platform::GroupSave::Saved;
}

QString linesText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + CrLf;
    return text;
}

namespace {

// The texts of a merge of ids into a list and of its fitted flag line, both read first.
std::optional<RecordTexts> mergedList(const QString& listPath, const QString& flagsPath, const std::vector<int>& ids)
{
    const std::optional<QString> list = readListLineChecked(listPath);
    const std::optional<QString> flags = readListLineChecked(flagsPath);
    if (!list || !flags)
        return std::nullopt;
    const QString merged = mergeIds(*list, ids);
    return RecordTexts{{listPath, merged}, {flagsPath, fitFlags(*flags, merged)}};
}

} // namespace

std::optional<RecordTexts> mergedFavourites(const QString& appPath, const SessionQuestions& qs)
{
    return mergedList(recordPath(appPath, FavouriteList), recordPath(appPath, FavouriteFlags), markedIds(qs));
}

std::optional<RecordTexts> mergedWrongList(const QString& appPath, const std::vector<int>& wrongIds)
{
    return mergedList(recordPath(appPath, WrongList), recordPath(appPath, WrongFlags), wrongIds);
}

void mergeFavourites(const QString& appPath, const SessionQuestions& qs)
{
    if (const auto texts = mergedFavourites(appPath, qs))
        writeRecords(*texts);
}

void pruneFavourites(const QString& appPath, const SessionQuestions& qs)
{
    const QString listPath = recordPath(appPath, FavouriteList);
    const QString flagsPath = recordPath(appPath, FavouriteFlags);
    const std::optional<QString> list = readListLineChecked(listPath);
    const std::optional<QString> flags = readListLineChecked(flagsPath);
    if (!list || !flags)
        return;
    const ListWithFlags kept = pruneUnmarked({*list, *flags}, qs);
    writeRecords({{listPath, kept.list}, {flagsPath, kept.flags}});
}

std::optional<QStringList> readUnitProgress(const QString& appPath, const QString& tag)
{
    std::optional<QStringList> lines = readRecordLinesChecked(recordPath(appPath, UnitProgress), tag);
    if (lines)
        *lines = lines->mid(0, 26);
    return lines;
}

bool writeUnitProgress(const QString& appPath, QStringList lines, int unitCount)
{
    const int n = std::max(unitCount, 0);
    while (lines.size() < n)
        lines << QString();
    return writeRecord(recordPath(appPath, UnitProgress), linesText(lines.mid(0, n)));
}

std::optional<ScoreEntries> readScoreHistory(const QString& appPath, const QString& tag)
{
    const std::optional<QStringList> lines = readRecordLinesChecked(recordPath(appPath, ScoreHistory), tag);
    if (!lines)
        return std::nullopt;
    return readScoreEntries(*lines);
}

bool writeScoreHistory(const QString& appPath, const ScoreEntries& entries, int slotCount)
{
    return writeRecord(recordPath(appPath, ScoreHistory), linesText(scoreLines(entries, slotCount)));
}

namespace {

void updateUnitLine(const QString& appPath, int unit, int unitCount, const std::function<QString(QString)>& rule)
{
    if (unit < 0 || unit > 25)
        return;
    std::optional<QStringList> read = readUnitProgress(appPath);
    if (!read)
        return;
    QStringList lines = *read;
    while (lines.size() <= unit)
        lines << QString();
    lines[unit] = rule(lines[unit]);
    // A unit count that does not reach the unit would drop the line just written.
    writeUnitProgress(appPath, lines, std::max(unitCount, unit + 1));
}

// The flags of a list after a session built from it. They are fitted to the list first, as the
// session's builder fitted them: an entry that had no flag was practised as not reviewed.
void updateFlags(const QString& appPath, bool favourites, const std::function<QString(QString)>& rule)
{
    const QString path = recordPath(appPath, favourites ? FavouriteFlags : WrongFlags);
    const std::optional<QString> list = readListLineChecked(recordPath(appPath, favourites ? FavouriteList : WrongList));
    const std::optional<QString> flags = readListLineChecked(path);
    if (!list || !flags)
        return;
    writeRecord(path, rule(fitFlags(*flags, *list)));
}

} // namespace

void writeSessionEnd(const SessionState& s)
{
    const QString& app = s.AppPath;
    const SessionQuestions qs = sessionQuestions(s);
    if (anyCompleted(qs)) {
        switch (s.SessionKind) {
        case 20:
            updateUnitLine(app, s.SetIndex, s.UnitCount, [&](const QString&) { return unitPracticeLine(qs); });
            break;
        case 6:
            updateUnitLine(app, s.PaperNo, s.UnitCount, [&](const QString& line) { return learnedLine(line, qs); });
            break;
        case 9:
        case 12:
            updateFlags(app, s.SessionKind == 9, [&](const QString& flags) { return reviewAll(flags, qs); });
            break;
        case 10:
        case 13:
            updateFlags(app, s.SessionKind == 10, [&](const QString& flags) { return reviewNotReviewed(flags, qs); });
            break;
        default:
            break;
        }
    }
    if (s.SessionKind < 9 || s.SessionKind > 11)
        mergeFavourites(app, qs);
    if (s.FavouritesMarked)
        pruneFavourites(app, qs);
}

void pruneReviewedPaper(const QString& appPath, int slot, const SessionQuestions& qs)
{
    if (slot < 0 || slot > 29)
        return;
    // Read trimmed, as the review that built the session read it: entry k is question k.
    const QString path = paperWrongListPath(appPath, slot);
    if (const std::optional<QString> list = readListLineChecked(path))
        writeRecord(path, pruneAnswered(*list, qs));
}

int returnPageFor(int sessionKind)
{
    switch (sessionKind) {
    case 5:
    case 6:
    case 20: return 16;
    case 9:
    case 10:
    case 11: return 18;
    case 12:
    case 13:
    case 14: return 19;
    default: return 0;
    }
}

} // namespace records
