#include "cover/paper_rules.h"

#include "session_state/codes.h"

#include <QSet>
#include <vector>

namespace papers {

namespace {

const QString Numerals = QStringLiteral("一二三四五六七八九十");

QString numeral(int position) { return position >= 1 && position <= Numerals.size() ? Numerals.mid(position - 1, 1) : QString(); }

QString two(int n) { return (QStringLiteral("0") + QString::number(n)).right(2); }

} // namespace

int sprintLastSlot(int paperCount)
{
    if (paperCount >= 4 && paperCount <= 7)
        return 1;
    if (paperCount >= 8 && paperCount <= 11)
        return 3;
    if (paperCount >= 12 && paperCount <= 15)
        return 5;
    return 7;
}

QString slotTitle(int slot, int sprintLast)
{
    if (slot <= sprintLast)
        return QStringLiteral("冲刺试卷") + numeral(slot + 1);
    if (slot < FirstRandomSlot)
        return QStringLiteral("模拟试卷") + numeral(slot - sprintLast);
    return QStringLiteral("随机试卷") + numeral(slot - 19);
}

QColor slotTitleColour(int slot, int sprintLast) { return slot <= sprintLast ? QColor(12, 127, 233) : QColor(51, 51, 51); }

QPoint cardOrigin(int slot, int sprintLast)
{
    const int row = slot <= sprintLast ? slot / 2 : slot < FirstRandomSlot ? (slot - sprintLast - 1) / 2 : (slot - 20) / 2;
    return {2880 + 4560 * (slot % 2), 120 + 1350 * row};
}

QString timeCaption(const QString& timeLine) { return QStringLiteral("最后考试时间：") + timeLine.left(16); }

int wrongCount(const QString& firstLine) { return static_cast<int>(codes::trimSpaces(firstLine).size() / 4); }

TabView tabView(int tab, int sprintLast, int paperCount, int randomCount)
{
    TabView v;
    const auto show = [&v](int from, int to) {
        for (int s = std::max(from, 0); s <= std::min(to, SlotCount - 1); ++s)
            v.shown[static_cast<std::size_t>(s)] = true;
    };
    switch (tab) {
    case 28:
        show(0, sprintLast);
        v.startFace = QStringLiteral("l20047");
        break;
    case 29:
        show(sprintLast + 1, paperCount - 1);
        v.startFace = QStringLiteral("l20048");
        break;
    case 30:
        v.randomPicture = true;
        break;
    case 31:
        show(FirstRandomSlot, randomCount + 19);
        v.noHistory = randomCount == 0;
        v.startFace = QStringLiteral("l20048");
        break;
    default:
        break;
    }
    return v;
}

int defaultPaperTab(int sprintLast, std::span<const QString> history)
{
    for (int p = 0; p <= sprintLast; ++p) {
        const auto k = static_cast<std::size_t>(3 * p + 1);
        const QString best = k < history.size() ? history[k] : QString();
        if (codes::numVal(best) < 75)
            return 28;
    }
    return 29;
}

PaperStart paperStart(int slot)
{
    if (slot < FirstRandomSlot)
        return {false, slot + 3, 0, slot, slot};
    return {true, slot - 19, 8, 11, 19};
}

std::optional<QString> drawRandomPaper(std::span<const int> unitSizes, const Uniform& random)
{
    // Count first: only units that hold questions are drawn from, and a bank of fewer than 40
    // questions cannot give a paper of 40 different ones.
    std::vector<int> units;
    int total = 0;
    for (std::size_t u = 0; u < unitSizes.size() && u < 100; ++u)
        if (unitSizes[u] > 0) {
            units.push_back(static_cast<int>(u));
            total += std::min(unitSizes[u], 99);
        }
    if (total < PaperLength)
        return std::nullopt;
    const auto draw = [&random](int divisor) {
        const double r = random();
        const int k = static_cast<int>(r * 1000);
        return std::clamp(k, 0, 999) % divisor;
    };
    QString paper;
    QSet<QString> drawn;
    // A generator that keeps repeating itself must not hang the program: after this many
    // draws the paper is given up.
    for (int tries = 0; drawn.size() < PaperLength; ++tries) {
        if (tries > 100'000)
            return std::nullopt;
        const int u = units[static_cast<std::size_t>(draw(static_cast<int>(units.size())))];
        const int q = draw(std::min(unitSizes[static_cast<std::size_t>(u)], 99)) + 1;
        const QString id = two(u) + two(q);
        if (drawn.contains(id))
            continue;
        drawn.insert(id);
        paper += id;
    }
    return paper;
}

QStringList listAfterGeneration(const QString& newPaper, const QStringList& former)
{
    QStringList out{newPaper};
    for (int k = 0; k < MaxRandomPapers - 1; ++k)
        out << former.value(k);
    return out;
}

void historyAfterGeneration(std::span<QString> entries, const QString& now)
{
    if (entries.size() < 90)
        return;
    for (std::size_t k = 89; k >= 63; --k)
        entries[k] = entries[k - 3];
    entries[60] = now;
    entries[61] = QStringLiteral("0");
    entries[62] = QStringLiteral("E");
}

QStringList listAfterDeletion(const QStringList& lines, int slot, int count)
{
    QStringList out = lines.mid(0, count);
    const int k = slot - 19;
    if (k >= 1 && k <= out.size())
        out.removeAt(k - 1);
    return out;
}

void historyAfterDeletion(std::span<QString> entries, int slot, int count)
{
    for (int t = slot; t <= count + 18; ++t)
        for (int j = 0; j < 3; ++j) {
            const auto to = static_cast<std::size_t>(3 * t + j);
            if (to + 3 < entries.size())
                entries[to] = entries[to + 3];
        }
}

} // namespace papers
