#include "cover/random_papers.h"

#include "cover/cover_files.h"
#include "platform/files.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

#include <QFile>
#include <QFileInfo>

namespace papers {

namespace {

QString recordPath(const QString& number) { return records::recordPath(S().AppPath, number); }
QString wrongListPath(int slot) { return records::paperWrongListPath(S().AppPath, slot); }
QString randomListPath() { return recordPath(QStringLiteral("288891")); }
QString historyPath() { return recordPath(records::ScoreHistory); }

std::optional<records::ScoreEntries> readHistory()
{
    const auto lines = records::readRecordLinesChecked(historyPath());
    if (!lines)
        return std::nullopt;
    return records::readScoreEntries(*lines);
}

// The papers' list (as the caller read it) and the score history, both read before anything is
// written; when one cannot be read, `unreadable` names it and nothing comes back.
std::optional<std::pair<QStringList, records::ScoreEntries>> readBoth(std::optional<QStringList> list, QString& unreadable)
{
    if (!list) {
        unreadable = randomListPath();
        return std::nullopt;
    }
    auto history = readHistory();
    if (!history) {
        unreadable = historyPath();
        return std::nullopt;
    }
    return std::pair{std::move(*list), std::move(*history)};
}

// The stored papers' lines up to the first blank one, at most ten.
std::optional<QStringList> storedLines()
{
    const auto lines = records::readRecordLinesChecked(randomListPath());
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

} // namespace

void moveWrongList(int from, int to)
{
    const QString source = wrongListPath(from);
    if (QFileInfo::exists(platform::resolvePath(source))) {
        if (const auto lines = records::readRecordLinesChecked(source)) {
            records::writeRecord(wrongListPath(to), lines->join(QStringLiteral("\r\n")));
            return;
        }
    }
    const QString target = platform::resolvePath(wrongListPath(to));
    if (QFileInfo::exists(target) && !QFile::remove(target))
        reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + u' ' + target);
}

Change generateRandomPaper(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now)
{
    Change c;
    auto files = readBoth(records::readRecordLinesChecked(randomListPath()), c.unreadable);
    if (!files)
        return c;
    auto& [former, history] = *files;
    const auto paper = drawRandomPaper(unitSizes, random);
    if (!paper) {
        c.bankTooSmall = true;
        return c;
    }
    c.paper = *paper;
    // Ten lines, each ended by CR LF (the store adds the last one).
    records::writeRecord(randomListPath(), listAfterGeneration(*paper, former.mid(0, 15)).join(QStringLiteral("\r\n")));
    historyAfterGeneration(history, now);
    records::writeScoreHistory(S().AppPath, history, SlotCount);
    for (int k = std::min(stored, MaxRandomPapers); k >= 1; --k)
        moveWrongList(19 + k, 20 + k);
    records::writeRecord(wrongListPath(FirstRandomSlot), QString());
    c.done = true;
    return c;
}

Change deleteRandomPaper(int slot, int stored)
{
    Change c;
    const int n = std::min(stored, MaxRandomPapers);
    if (slot < FirstRandomSlot || slot > 19 + n)
        return c;
    auto files = readBoth(storedLines(), c.unreadable);
    if (!files)
        return c;
    auto& [lines, history] = *files;
    records::writeRecord(randomListPath(), records::linesText(listAfterDeletion(lines, slot, n)));
    for (int i = slot; i <= n + 18; ++i)
        moveWrongList(i + 1, i);
    historyAfterDeletion(history, slot, n);
    records::writeScoreHistory(S().AppPath, history, SlotCount);
    c.done = true;
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
