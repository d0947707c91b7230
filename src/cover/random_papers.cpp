#include "cover/random_papers.h"

#include "cover/cover_files.h"
#include "platform/files.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"


namespace papers {

namespace {

QString recordPath(const QString& number) { return records::recordPath(S().AppPath, number); }
QString wrongListPath(int slot) { return records::paperWrongListPath(S().AppPath, slot); }
QString randomListPath() { return recordPath(QStringLiteral("288891")); }
QString historyPath() { return recordPath(records::ScoreHistory); }

// Builds the plan of a shift: each file's bytes as they stand are read first, so that a failed
// write can put every file back. A file that exists but cannot be read stops the plan.
class Planner {
public:
    explicit Planner(Change& c) : c_(c) {}
    // The file is to hold `after` (nothing: removed).
    bool change(const QString& path, std::optional<QByteArray> after)
    {
        const auto before = records::readRecordBytesChecked(path);
        if (!before) {
            c_.unreadable = path;
            return false;
        }
        if (*before != after)
            c_.files.push_back({path, *before, std::move(after)});
        return true;
    }
    bool text(const QString& path, const QString& text) { return change(path, platform::toGbk(text + QStringLiteral("\r\n"))); }
    // The wrong list of slot `from` moves to slot `to` byte for byte; without a source the target
    // is removed, so it never keeps another paper's list.
    bool moveWrongList(int from, int to)
    {
        const auto source = records::readRecordBytesChecked(wrongListPath(from));
        if (!source) {
            c_.unreadable = wrongListPath(from);
            return false;
        }
        return change(wrongListPath(to), *source);
    }

private:
    Change& c_;
};

std::optional<QStringList> readLines(const QString& path, Change& c)
{
    auto lines = records::readRecordLinesChecked(path);
    if (!lines)
        c.unreadable = path;
    return lines;
}

// The stored papers' lines up to the first blank one, at most ten.
std::optional<QStringList> storedLines(Change& c)
{
    const auto lines = readLines(randomListPath(), c);
    if (!lines)
        return std::nullopt;
    QStringList out;
    for (const QString& l : *lines) {
        if (out.size() == MaxRandomPapers || codes::trimSpaces(l).isEmpty())
            break;
        out << l;
    }
    return out;
}

std::optional<records::ScoreEntries> readHistory(Change& c)
{
    auto history = records::readScoreHistory(S().AppPath);
    if (!history)
        c.unreadable = historyPath();
    return history;
}

} // namespace

Change planGeneration(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now)
{
    Change c;
    auto former = readLines(randomListPath(), c);
    if (!former)
        return c;
    auto history = readHistory(c);
    if (!history)
        return c;
    const auto paper = drawRandomPaper(unitSizes, random);
    if (!paper) {
        c.bankTooSmall = true;
        return c;
    }
    c.paper = *paper;
    Planner plan(c);
    // Ten lines, each ended by CR LF (the store adds the last one).
    if (!plan.text(randomListPath(), listAfterGeneration(*paper, former->mid(0, 15)).join(QStringLiteral("\r\n"))))
        return c;
    historyAfterGeneration(*history, now);
    if (!plan.change(historyPath(), platform::toGbk(records::linesText(records::scoreLines(*history, SlotCount)) + QStringLiteral("\r\n"))))
        return c;
    for (int k = std::min(stored, MaxRandomPapers); k >= 1; --k)
        if (!plan.moveWrongList(19 + k, 20 + k))
            return c;
    if (!plan.text(wrongListPath(FirstRandomSlot), QString()))
        return c;
    c.done = true;
    return c;
}

Applied applyChange(const Change& c)
{
    // The list, the score history and every moved wrong list change as one group.
    std::vector<platform::GroupFile> group;
    for (const FileChange& f : c.files)
        group.push_back({f.path, f.after});
    switch (records::writeRecordGroup(group)) {
    case platform::GroupSave::Saved: return Applied::Written;
    case platform::GroupSave::NotSaved: return Applied::PutBack;
    case platform::GroupSave::Unfinished: break;
    }
    return Applied::Inconsistent;
}

Change deleteRandomPaper(int slot, int stored)
{
    Change c;
    const int n = std::min(stored, MaxRandomPapers);
    if (slot < FirstRandomSlot || slot > 19 + n)
        return c;
    auto lines = storedLines(c);
    if (!lines)
        return c;
    auto history = readHistory(c);
    if (!history)
        return c;
    Planner plan(c);
    if (!plan.change(randomListPath(), platform::toGbk(records::linesText(listAfterDeletion(*lines, slot, n)) + QStringLiteral("\r\n"))))
        return c;
    for (int i = slot; i <= n + 18; ++i)
        if (!plan.moveWrongList(i + 1, i))
            return c;
    historyAfterDeletion(*history, slot, n);
    if (!plan.change(historyPath(), platform::toGbk(records::linesText(records::scoreLines(*history, SlotCount)) + QStringLiteral("\r\n"))))
        return c;
    const Applied applied = applyChange(c);
    c.done = applied == Applied::Written;
    c.inconsistent = applied == Applied::Inconsistent;
    return c;
}

std::optional<QString> paperLine(int slot)
{
    const PaperStart start = paperStart(slot);
    const QString path = start.random ? randomListPath() : cover::dataFile(QStringLiteral("288891"));
    const auto lines = platform::readLines(path);
    if (!lines || lines->size() < start.line)
        return std::nullopt;
    const QString line = lines->at(start.line - 1);
    if (codes::trimSpaces(line).size() < 4)
        return std::nullopt;
    return line;
}

QString paddedPaper(const QString& line)
{
    QString out = line.left(4 * PaperLength);
    out.truncate(out.size() - out.size() % 4);
    while (out.size() < 4 * PaperLength)
        out += QStringLiteral("0000");
    return out;
}

} // namespace papers
