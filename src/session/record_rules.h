#pragma once
// The rules that keep the progress records: id lists and their flag lines, unit progress lines,
// the wrong list of a paper slot and the score history. Pure text in, text out; the files
// themselves are read and written by session/record_files.h.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <vector>

struct SessionState;

namespace records {

// A question of the running session as the records see it.
struct SessionQuestion {
    int id = 0;    // UU * 100 + QQ
    int state = 0; // bits: 1 visited, 2 marked, 4 completed
};
using SessionQuestions = std::vector<SessionQuestion>;

// Questions 1 to QuestionCount of the session (a count beyond the arrays is cut to them).
SessionQuestions sessionQuestions(const SessionState& s);

// State values are read whole, as every reader of the records does.
inline bool isCompleted(int state) { return state >= 4; }
inline bool isMarked(int state) { return state == 2 || state == 3 || state == 6 || state == 7; }
bool anyCompleted(const SessionQuestions& qs);

// One classification of flags everywhere: "T" is reviewed, anything else is not.
inline bool isReviewed(QChar flag) { return flag == u'T'; }

// The four digits UUQQ of an id (the last four of "0000" and the number).
QString idText(int id);
// Whole four-character entries of a list line.
inline int entryCount(QStringView list) { return static_cast<int>(list.size() / 4); }

// The flag line extended with "F" or cut to one flag per whole entry of the list line.
QString fitFlags(const QString& flags, const QString& list);
// "T" at 1-based `position`; a shorter line is first padded with "F", so that the "T" lands on
// its own entry.
QString setReviewed(QString flags, int position);

// Favourites merge (and wrong-list merge): appends, in order, each id that the list does not
// hold yet. An id appended here counts as held, so no id is ever appended twice; the placeholder
// id 0 is never appended.
QString mergeIds(const QString& list, const std::vector<int>& ids);
// The ids of the marked questions, in session order.
std::vector<int> markedIds(const SessionQuestions& qs);

struct ListWithFlags {
    QString list;
    QString flags;
};
// Favourites pruning: each question of the session that is in the list but not marked leaves
// it, with its flag.
ListWithFlags pruneUnmarked(ListWithFlags lf, const SessionQuestions& qs);

// Reviewed flags after a session over the whole list: entry i is question i.
QString reviewAll(QString flags, const SessionQuestions& qs);
// Reviewed flags after a session over the not-reviewed entries: the j-th flag that is not "T"
// belongs to question j and becomes "T" or "F". The line keeps its length.
QString reviewNotReviewed(const QString& flags, const SessionQuestions& qs);

// A unit's progress line rebuilt from a practice of the whole unit.
QString unitPracticeLine(const SessionQuestions& qs);
// A unit's progress line after a practice of its not-yet-learned questions: each completed
// question's own place (QQ of its id) turns "T".
QString learnedLine(QString line, const SessionQuestions& qs);

// The wrong list of a paper slot after a review of it: entry k stays while question k of the
// review is not completed.
QString pruneAnswered(const QString& line, const SessionQuestions& qs);

// The score history: 100 entries, three per paper slot (time, best score, flag).
inline constexpr int ScoreEntryCount = 100;
using ScoreEntries = std::array<QString, ScoreEntryCount>;
// Defaults by line number, then the file's lines over them (lines past the 100th ignored).
ScoreEntries readScoreEntries(const QStringList& lines);
// The lines of slots 0 to slotCount - 1.
QStringList scoreLines(const ScoreEntries& entries, int slotCount);

} // namespace records
