#pragma once
// The candidate's two question lists, the favourites and the wrong questions: which entries a
// practice session takes, what clearing keeps, and the tick boxes that choose between the
// entries reviewed and those not yet reviewed. Pure rules over the lists' first lines.

#include <QString>
#include <optional>
#include <utility>

namespace cover {

enum class QuestionList { Favourites, Wrong };

// The record files of a list: the ids and their reviewed flags.
QString listFileName(QuestionList list);  // "288862", "288863"
QString flagFileName(QuestionList list);  // "288872", "288873"

// Bits of a panel's filter: its two tick boxes.
inline constexpr int NotReviewedBit = 1;
inline constexpr int ReviewedBit = 2;

// The entries flagged exactly "T" and all the others, each in list order; the flag line is first
// fitted to the list (records::fitFlags), so that an entry without a flag counts as not reviewed.
struct ListParts {
    QString reviewed;
    QString notReviewed;
};
ListParts splitList(const QString& listLine, const QString& fittedFlagLine);

// The counts a panel shows from its flag line alone: (not reviewed, reviewed).
std::pair<int, int> flagCounts(const QString& flagLine);

// What the start button of a panel does with the trimmed list and flag lines and a filter 1-3:
// either a notice (nothing to practise) or a session of the chosen entries.
struct ListPractice {
    QString notice;        // not empty: show it and build nothing
    QString ids;           // at most 500 ids, in list order
    int sessionKind = 0;
    int setIndex = 0;
    // Done text and state of question i (1-based) of the session.
    QString doneText(int i) const;
    int state(int i) const { return doneText(i) == QLatin1String("T") ? 4 : 0; }
    QString doneFlags;     // the whole list's flags; empty when every question has `fixedDone`
    QString fixedDone;
};
ListPractice planListPractice(QuestionList list, int filter, const QString& listLine, const QString& flagLine);

// The notice box title of a panel's start button, and of its clear button.
QString practiceTitle(QuestionList list);
QString clearTitle(QuestionList list);
// The clear button's question for a filter 1-3.
QString clearPrompt(QuestionList list, int filter);

// What clearing with a filter 1-3 writes: the kept entries and their flags, and which count
// labels go to "0". Nothing when there is nothing to clear (no whole id in the list).
struct ListClearing {
    QString listLine;
    QString flagLine;
    bool notReviewedCleared = false;
    bool reviewedCleared = false;
};
std::optional<ListClearing> planListClearing(int filter, const QString& listLine, const QString& flagLine);

// A click on a tick box (cover buttons 40 to 43): the panel it belongs to, its new filter and
// its new face.
struct FilterToggle {
    QuestionList list;
    int filter;
    QString face;
};
FilterToggle toggleFilterBox(int index, int filter);

} // namespace cover
