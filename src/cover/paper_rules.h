#pragma once
// The rules of the papers panel that need no window: which slot is which paper, where its card
// lies, what each tab shows, the draw of a random paper and how the random papers' records move
// when one is added or deleted.

#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <span>

namespace papers {

inline constexpr int SlotCount = 30;
inline constexpr int FirstRandomSlot = 20;
inline constexpr int MaxRandomPapers = 10;
inline constexpr int PaperLength = 40;

// The highest sprint slot for a number of fixed papers: 4-7 give 1, 8-11 give 3, 12-15 give 5,
// any other count 7.
int sprintLastSlot(int paperCount);
// "冲刺试卷一", "模拟试卷三", "随机试卷十"; a numeral past "十" is left out.
QString slotTitle(int slot, int sprintLast);
// Sprint titles are blue, the others dark grey.
QColor slotTitleColour(int slot, int sprintLast);
// The card's top-left corner on the panel, design twips: two columns, rows 1350 apart, each
// group of slots starting again at the first row.
QPoint cardOrigin(int slot, int sprintLast);
// "最后考试时间：" & the first 16 characters of the slot's time line.
QString timeCaption(const QString& timeLine);
// The number of whole ids in a wrong list's first line, blanks trimmed.
int wrongCount(const QString& firstLine);

// What one of the tabs 28-31 shows.
struct TabView {
    std::array<bool, SlotCount> shown{};
    bool randomPicture = false; // the new-random-paper picture and its button
    bool noHistory = false;     // "您还没有练习过随机试卷！"
    QString startFace;          // the face of the shown slots' start buttons
};
TabView tabView(int tab, int sprintLast, int paperCount, int randomCount);

// The tab the papers panel opens on: the sprint tab while a sprint paper's best score (element
// 3p + 1 of the score history entries) is below 75, else the mock tab.
int defaultPaperTab(int sprintLast, std::span<const QString> history);

// Where a slot's paper line is and what session it starts.
struct PaperStart {
    bool random = false; // the stored random papers' list, else the papers-and-units table
    int line = 0;        // 1-based
    int sessionKind = 0;
    int setIndex = 0;
    int fileNo = 0;      // the session file number
};
PaperStart paperStart(int slot);

// A pseudo-random number in [0, 1).
using Uniform = std::function<double()>;
// Draws 40 different ids UUQQ: a unit first, each non-empty unit equally likely, then a
// position in it; a repeated id is drawn again. Nothing when the units hold fewer than 40
// questions together.
std::optional<QString> drawRandomPaper(std::span<const int> unitSizes, const Uniform& random);

// The stored random papers' list after a generation: the new paper, then the former lines 1
// to 9 (a line the list lacked is blank).
QStringList listAfterGeneration(const QString& newPaper, const QStringList& former);
// The score history entries (element k = line k + 1) after a generation: slot 20 gets the
// creation time, "0", "E"; slots 20-28 move to 21-29.
void historyAfterGeneration(std::span<QString> entries, const QString& now);
// The list after deleting slot `slot` of `count` stored papers: the later papers move up.
QStringList listAfterDeletion(const QStringList& lines, int slot, int count);
// The score history entries after the same deletion: the triples of the later slots move up.
void historyAfterDeletion(std::span<QString> entries, int slot, int count);

} // namespace papers
