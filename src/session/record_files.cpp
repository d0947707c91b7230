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

QString flagsFitted(const QString& appPath, const QString& flagsNo, const QString& list)
{
    return fitFlags(readListLine(recordPath(appPath, flagsNo)), list);
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

QStringList readRecordLines(const QString& path) { return platform::readLines(path).value_or(QStringList()); }

std::optional<QStringList> readRecordLinesChecked(const QString& path)
{
    if (!QFileInfo::exists(platform::resolvePath(path)))
        return QStringList();
    return platform::readLines(path);
}

QString readFirstLine(const QString& path)
{
    const QStringList lines = readRecordLines(path);
    return lines.isEmpty() ? QString() : lines.first();
}

std::optional<QString> readListLineChecked(const QString& path)
{
    const std::optional<QStringList> lines = readRecordLinesChecked(path);
    if (!lines)
        return std::nullopt;
    return lines->isEmpty() ? QString() : codes::trimSpaces(lines->first());
}

QString readListLine(const QString& path) { return readListLineChecked(path).value_or(QString()); }

bool writeRecord(const QString& path, const QString& text)
{
    // An installation's own spelling of the folder and file names is kept.
    const QString target = platform::resolvePathForWrite(path);
    if (!ensureRecordDir(target))
        return false;
    if (platform::saveText(target, text + CrLf))
        return true;
    reportFailure(Tag, runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + u' ' + path);
    return false;
}

QString linesText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + CrLf;
    return text;
}

void mergeFavourites(const QString& appPath, const SessionQuestions& qs)
{
    const QString list = mergeIds(readListLine(recordPath(appPath, FavouriteList)), markedIds(qs));
    writeRecord(recordPath(appPath, FavouriteList), list);
    writeRecord(recordPath(appPath, FavouriteFlags), flagsFitted(appPath, FavouriteFlags, list));
}

void pruneFavourites(const QString& appPath, const SessionQuestions& qs)
{
    const ListWithFlags kept = pruneUnmarked({readListLine(recordPath(appPath, FavouriteList)),
                                              readListLine(recordPath(appPath, FavouriteFlags))},
                                             qs);
    writeRecord(recordPath(appPath, FavouriteList), kept.list);
    writeRecord(recordPath(appPath, FavouriteFlags), kept.flags);
}

QStringList readUnitProgress(const QString& appPath)
{
    return readRecordLines(recordPath(appPath, UnitProgress)).mid(0, 26);
}

bool writeUnitProgress(const QString& appPath, QStringList lines, int unitCount)
{
    const int n = std::max(unitCount, 0);
    while (lines.size() < n)
        lines << QString();
    return writeRecord(recordPath(appPath, UnitProgress), linesText(lines.mid(0, n)));
}

ScoreEntries readScoreHistory(const QString& appPath)
{
    return readScoreEntries(readRecordLines(recordPath(appPath, ScoreHistory)));
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
    QStringList lines = readUnitProgress(appPath);
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
    const QString list = readListLine(recordPath(appPath, favourites ? FavouriteList : WrongList));
    writeRecord(path, rule(fitFlags(readListLine(path), list)));
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
    pruneFavourites(app, qs);
}

void pruneReviewedPaper(const QString& appPath, int slot, const SessionQuestions& qs)
{
    if (slot < 0 || slot > 29)
        return;
    const QString path = paperWrongListPath(appPath, slot);
    writeRecord(path, pruneAnswered(readFirstLine(path), qs));
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
