#pragma once
// The candidate's progress records in the record folder: where each file lies, how a file is
// read (a missing one reads as empty) and rewritten (whole, through the safe-save helper, GBK,
// CR LF), and the writes a practice session's end makes.

#include "platform/files.h"
#include "session/record_rules.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace records {

// File numbers in the record folder (each file is number & ".mxy").
inline const QString UnitProgress = QStringLiteral("288893");
inline const QString FavouriteList = QStringLiteral("288862");
inline const QString FavouriteFlags = QStringLiteral("288872");
inline const QString WrongList = QStringLiteral("288863");
inline const QString WrongFlags = QStringLiteral("288873");
inline const QString ScoreHistory = QStringLiteral("288892");

// AppPath & "ksdata/".
QString recordDir(const QString& appPath);
// The record file with that number.
QString recordPath(const QString& appPath, const QString& number);
// The wrong list of paper slot `slot` ("1824" & two digits).
QString paperWrongListPath(const QString& appPath, int slot);

// Every line of a record file; a missing file has none. Nothing when the file exists and cannot
// be read whole: a rewrite that started from such a read would lose what the file holds, so
// every writer takes the old content from here and writes nothing without it. The failed read
// is reported under `tag`, naming the file.
std::optional<QStringList> readRecordLinesChecked(const QString& path, const QString& tag = QStringLiteral("records"));
// Line 1 without its leading and trailing spaces ("" when the file is missing or empty); nothing
// when it exists and cannot be read, reported as above.
std::optional<QString> readListLineChecked(const QString& path, const QString& tag = QStringLiteral("records"));
// The same for a reader that only shows or starts from the line: an unreadable file is reported
// and shows as empty. Never the old content of a rewrite.
QString readListLine(const QString& path, const QString& tag = QStringLiteral("records"));

// The bytes of a record file as they stand, to put it back after a failed change: nothing inside
// for a missing file; nothing at all when it exists and cannot be read, reported as above.
std::optional<std::optional<QByteArray>> readRecordBytesChecked(const QString& path, const QString& tag = QStringLiteral("records"));

// Rewrites a record file whole with `text` and the closing CR LF of a one-line write, through
// the safe-save helper: the old file stays as it was until the new one is complete. The record
// folder is created when it is missing; a folder that cannot be made is reported once a run, a
// file that cannot be written (a read-only one among them) each time. A file that holds the new
// bytes already is not rewritten. False on failure.
bool writeRecord(const QString& path, const QString& text);
// The same for several files that belong together (a list and its flag line): all are written
// or none, so a failed save never leaves flags that belong to another list.
bool writeRecords(const QList<std::pair<QString, QString>>& files);
// Changes several record files as one group that survives a crash (each file's new bytes, or
// nothing to remove it), with the folder made and the failures reported as writeRecord does;
// files that would not change are left out.
platform::GroupSave writeRecordGroup(const std::vector<platform::GroupFile>& files);
// Each line ended by CR LF, as one text (so the file ends with an empty line).
QString linesText(const QStringList& lines);

// The texts of record files, each as writeRecord takes it.
using RecordTexts = QList<std::pair<QString, QString>>;
// The favourites merge and the wrong-list merge as the list and flag texts they write, for a
// change that saves them with other files as one group; nothing when either file cannot be read.
std::optional<RecordTexts> mergedFavourites(const QString& appPath, const SessionQuestions& qs);
// The wrong-list merge takes an exam's wrong ids.
std::optional<RecordTexts> mergedWrongList(const QString& appPath, const std::vector<int>& wrongIds);
// The favourites merge over the session's marked questions, with the flag line fitted.
void mergeFavourites(const QString& appPath, const SessionQuestions& qs);
// The favourites pruning over the session's questions.
void pruneFavourites(const QString& appPath, const SessionQuestions& qs);

// The unit progress lines (at most the first 26), nothing when the file cannot be read; and
// their rewrite of units 0 to unitCount - 1.
std::optional<QStringList> readUnitProgress(const QString& appPath, const QString& tag = QStringLiteral("records"));
bool writeUnitProgress(const QString& appPath, QStringList lines, int unitCount);

// The score history as 100 entries over the defaults, nothing when it cannot be read; and its
// rewrite of slots 0 to slotCount - 1.
std::optional<ScoreEntries> readScoreHistory(const QString& appPath, const QString& tag = QStringLiteral("records"));
bool writeScoreHistory(const QString& appPath, const ScoreEntries& entries, int slotCount);

// The records a practice session's end writes before it asks about a paper's wrong list: the
// record of its kind (when a question was completed), then the favourites merge (not after a
// favourites session) and the pruning.
void writeSessionEnd(const SessionState& s);
// Removes the questions answered right in a review of slot `slot` from its wrong list.
void pruneReviewedPaper(const QString& appPath, int slot, const SessionQuestions& qs);

// The cover-page command replayed after a session of this kind ends: 16 units, 18 favourites,
// 19 wrong questions, 0 none.
int returnPageFor(int sessionKind);

} // namespace records
