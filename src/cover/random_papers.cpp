#include "cover/random_papers.h"

#include "platform/files.h"
#include "session/exam_record_seam.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

#include <QFile>
#include <QFileInfo>

namespace papers {

namespace {

QString randomListPath() { return examseam::recordPath(QStringLiteral("288891")); }

bool writeLinesText(const QString& path, const QStringList& lines, bool closingLine)
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    if (closingLine)
        text += QStringLiteral("\r\n");
    return platform::saveText(path, text);
}

// The stored papers' lines up to the first blank one, at most ten.
std::optional<QStringList> storedLines()
{
    const auto lines = examseam::readRecordLines(randomListPath());
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
    const QString source = platform::resolvePath(examseam::paperWrongListPath(from));
    const QString target = platform::resolvePath(examseam::paperWrongListPath(to));
    if (QFileInfo::exists(source)) {
        QFile f(source);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            f.close();
            if (!platform::saveText(target, platform::fromGbk(bytes)))
                reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess);
            return;
        }
    }
    if (QFileInfo::exists(target) && !QFile::remove(target))
        reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess);
}

Change generateRandomPaper(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now)
{
    Change c;
    // Read both files before anything is written.
    const auto former = examseam::readRecordLines(randomListPath());
    if (!former) {
        c.unreadable = randomListPath();
        return c;
    }
    auto history = examseam::readScoreHistory();
    if (!history) {
        c.unreadable = examseam::recordPath(QStringLiteral("288892"));
        return c;
    }
    const auto paper = drawRandomPaper(unitSizes, random);
    if (!paper) {
        c.bankTooSmall = true;
        return c;
    }
    c.paper = *paper;
    if (!writeLinesText(randomListPath(), listAfterGeneration(*paper, former->mid(0, 15)), false))
        reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess);
    historyAfterGeneration(*history, now);
    if (!examseam::writeScoreHistory(*history, SlotCount))
        reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess);
    for (int k = std::min(stored, MaxRandomPapers); k >= 1; --k)
        moveWrongList(19 + k, 20 + k);
    if (!platform::saveText(examseam::paperWrongListPath(FirstRandomSlot), QStringLiteral("\r\n")))
        reportFailure(QStringLiteral("clickbotn"), runerr::PathFileAccess);
    c.done = true;
    return c;
}

Change deleteRandomPaper(int slot, int stored)
{
    Change c;
    const int n = std::min(stored, MaxRandomPapers);
    if (slot < FirstRandomSlot || slot > 19 + n)
        return c;
    const auto lines = storedLines();
    if (!lines) {
        c.unreadable = randomListPath();
        return c;
    }
    auto history = examseam::readScoreHistory();
    if (!history) {
        c.unreadable = examseam::recordPath(QStringLiteral("288892"));
        return c;
    }
    if (!writeLinesText(randomListPath(), listAfterDeletion(*lines, slot, n), true))
        reportFailure(QStringLiteral("lblshijuandel"), runerr::PathFileAccess);
    for (int i = slot; i <= n + 18; ++i)
        moveWrongList(i + 1, i);
    historyAfterDeletion(*history, slot, n);
    if (!examseam::writeScoreHistory(*history, SlotCount))
        reportFailure(QStringLiteral("lblshijuandel"), runerr::PathFileAccess);
    c.done = true;
    return c;
}

std::optional<QString> paperLine(int slot)
{
    const PaperStart start = paperStart(slot);
    const QString path = start.random ? randomListPath() : S().DataDir + QStringLiteral("288891.mxy");
    const auto lines = examseam::readRecordLines(path);
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
