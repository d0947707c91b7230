#pragma once
// The stored random papers and the records that follow them: the list of papers, the score
// history's random slots and each slot's wrong-question list. A record file that exists but
// cannot be read stops a change before anything is written, so no paper or best score is lost.

#include "cover/paper_rules.h"

#include <QString>
#include <optional>
#include <span>

namespace papers {

// The outcome of a change of the stored random papers.
struct Change {
    bool done = false;
    QString unreadable;         // the record file that could not be read, when that stopped it
    bool bankTooSmall = false;  // generation only: fewer than 40 questions in the bank
    QString paper;              // generation only: the new paper's ids
};

// Draws a new paper, stores it as slot 20 and moves the `stored` older papers, their score
// triples and wrong lists one slot on. `now` is the creation time.
Change generateRandomPaper(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now);
// Removes the paper of `slot` (20..19 + stored) and moves the later ones up.
Change deleteRandomPaper(int slot, int stored);
// Moves the wrong list of slot `from` to slot `to`; without a source the target is removed,
// so it never keeps another paper's list.
void moveWrongList(int from, int to);

// The paper line of a slot: the line it names in the papers-and-units table or the stored
// random papers' list; nothing when the file lacks that line or it holds no whole id.
std::optional<QString> paperLine(int slot);

// A paper line made up to 40 ids: the positions a short line lacks get the placeholder "0000".
QString paddedPaper(const QString& line);

} // namespace papers
