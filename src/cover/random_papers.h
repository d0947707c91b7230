#pragma once
// The stored random papers and the records that follow them: the list of papers, the score
// history's random slots and each slot's wrong-question list. A record file that exists but
// cannot be read stops a change before anything is written, so no paper or best score is lost.

#include "cover/paper_rules.h"

#include <QString>
#include <optional>
#include <span>

namespace papers {

// One record file of a shift of the stored random papers: what it holds now (nothing when it does
// not exist) and what it is to hold (nothing: it is removed).
struct FileChange {
    QString path;
    std::optional<QByteArray> before;
    std::optional<QByteArray> after;
};

// A change of the stored random papers, planned from the record files before any is written.
struct Change {
    bool done = false;
    QString unreadable;             // the record file that could not be read, when that stopped it
    bool inconsistent = false;      // a write failed and not every file could be put back at once
    bool bankTooSmall = false;      // generation only: fewer than 40 questions in the bank
    QString paper;                  // generation only: the new paper's ids
    std::vector<FileChange> files;  // in the order they are written
};

// Draws a new paper to be stored as slot 20, with the `stored` older papers, their score triples
// and wrong lists moved one slot on; `now` is the creation time. Reads only: `done` says the
// plan is complete, and applyChange makes it.
Change planGeneration(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now);
// Writes a planned change as one group of files: all or none, also across a crash (the next start
// puts back a group cut off). When a write fails, every file it changed is put back (its old
// bytes, or removed when it did not exist); files that cannot be put back at once are reported,
// and the next start puts them back.
enum class Applied { Written, PutBack, Inconsistent };
Applied applyChange(const Change& c);
// Removes the paper of `slot` (20..19 + stored) and moves the later ones up, all or nothing:
// `done` is false when a file could not be read or the change could not be written whole, and
// `inconsistent` says when what was written could not all be put back.
Change deleteRandomPaper(int slot, int stored);

// The paper line of a slot: the line it names in the papers-and-units table or the stored
// random papers' list; nothing when the file lacks that line or it holds no whole id.
std::optional<QString> paperLine(int slot);

// A paper line made up to 40 ids: the positions a short line lacks get the placeholder "0000".
QString paddedPaper(const QString& line);

} // namespace papers
