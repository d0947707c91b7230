#pragma once
// Building a session's file pair from the unit banks, and the launch rules that turn a prepared
// session into a running one. No windows here: the cover page and the score report call these
// and then show what the answer says.
//
// A session file pair NN (two digits) is the step file DataDir & "2888" & NN & ".mxy" and the
// question file with NN + 50; the bank of unit u is the pair 20 + u. A question line carries four
// characters, two digits giving its number of step lines, then its text.

#include "session_state/session_state.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace cover {

// The text of the question that stands in for one whose bank or position is missing, with a
// single step that expects nothing, so that counts and positions stay aligned.
QString placeholderQuestionLine(int id);
QString placeholderStepLine();

struct BuiltSession {
    std::vector<int> ids;         // the session's question ids, in list order
    QStringList questionLines;    // what the question file holds
    QStringList stepLines;        // what the step file holds
    struct Missing {
        int id;
        int error; // 53 no bank for the unit, 9 no such position in the bank
    };
    std::vector<Missing> missing; // questions that got the placeholder
};

// The pair for an id list (four-digit ids UUQQ, whole ids only; at most MaxQuestions are
// taken), from the banks in dataDir. Each unit's bank is read once per build.
BuiltSession buildSession(const QString& dataDir, const QString& idList);

// Writes a built pair as pair NN in DataDir, both files or neither, reports its missing
// questions under "initshiti", and sets QuestionCount and QuestionId. False, with the old pair
// and the session variables left as they were, when the pair cannot be written: the session
// must not start then, as it would run the previous session's questions.
bool writeSession(const BuiltSession& built, int nn);
// Builds pair NN in DataDir as writeSession writes it. A missing bank or question is reported
// under "initshiti" and gets the placeholder; false when the pair cannot be written.
bool InitShiTi(const QString& idList, int nn);

// The first step line of each question: entry k (0-based) of the answer is the line of question
// k + 1, and one entry follows the last question. Questions end at the first line that is empty
// after trimming.
std::vector<int> firstLineTable(const QStringList& questionLines);

// Adds the marked bit to questions 1..QuestionCount whose id stands as a whole id in the
// favourites line.
void markFavourites(SessionState& s, const QString& favouritesLine);

// NN of the running session: SessionKind + SetIndex as two digits.
QString sessionFileNo(const SessionState& s);

enum class Handover { Login, Panel };
// Login for fixed and random papers (kinds 0 and 8), the question panel for every other kind.
Handover handoverFor(int sessionKind);

// The launch's share that needs no window: file paths, cursors, the first-line table, the
// favourite marks. False, with nothing changed, when the session's question file cannot be
// read: the caller then keeps the cover and tells the candidate.
bool prepareLaunch(SessionState& s);

} // namespace cover
