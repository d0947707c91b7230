#include "cover/cover_rules.h"

#include "platform/desktop.h"
#include "platform/files.h"
#include "session_state/codes.h"

#include <QUrl>

namespace cover {

PaperTableHead readPaperTable(const QStringList& lines)
{
    PaperTableHead head;
    const QString first = codes::trimSpaces(lines.value(0));
    head.paperCount = codes::num16(QStringView(first).mid(0, 2));
    head.unitCount = codes::num16(QStringView(first).mid(2, 2));
    if (lines.size() >= 2) {
        std::array<int, MaxUnits> counts{};
        const QString& line = lines[1];
        for (qsizetype i = 0, u = 0; i < line.size() && u < MaxUnits; i += 2, ++u)
            counts[static_cast<std::size_t>(u)] = codes::num16(QStringView(line).mid(i, 2));
        head.unitQuestions = counts;
    }
    return head;
}

QStringList fitProgress(const QStringList& progressLines, const std::array<int, MaxUnits>& counts)
{
    QStringList out;
    for (int u = 0; u < ProgressUnits; ++u) {
        const int n = counts[static_cast<std::size_t>(u)];
        QString line = progressLines.value(u).left(n);
        if (line.size() < n)
            line += QString(n - line.size(), u'F');
        out << line;
    }
    return out;
}

QString progressFileText(const QStringList& fitted)
{
    QString text;
    for (const QString& line : fitted)
        text += line + QStringLiteral("\r\n");
    return text + QStringLiteral("\r\n");
}

UnitRow unitRow(const QString& progressLine)
{
    const QString trimmed = codes::trimSpaces(progressLine);
    return {QString::number(trimmed.size()), QString::number(progressLine.count(u'F')), trimmed};
}

QString fitToColumns(const QString& text, int columns)
{
    int width = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        width += platform::toGbk(text.mid(k, 1)).size() > 1 ? 2 : 1;
        if (width >= columns - 1) {
            QString out = text.left(k + 1);
            if (width == columns - 1) {
                const QString next = text.mid(k + 1, 1);
                out += !next.isEmpty() && platform::toGbk(next).size() == 1 ? next : QStringLiteral(" ");
            }
            return out;
        }
    }
    return text;
}

QString unitCaption(int unitNumber, const QString& title)
{
    return fitToColumns(QString::number(unitNumber) + u'.' + title + QString(71, u' '), 25);
}

int defaultUnit(const std::vector<std::pair<int, int>>& totalsAndOpen, int unitCount)
{
    int u = 0;
    for (;; ++u) {
        auto [total, open] = u < static_cast<int>(totalsAndOpen.size()) ? totalsAndOpen[static_cast<std::size_t>(u)] : std::pair{0, 0};
        if (total == 0)
            break; // a row without questions stops the search
        if (static_cast<double>(open) / total > 0.2)
            break;
    }
    return std::min(u, unitCount - 1);
}

QString chapterIds(int unit, const QString& progressLine, QChar flag)
{
    QString list;
    const QString uu = QStringLiteral("%1").arg(unit, 2, 10, QChar(u'0')).right(2);
    for (qsizetype i = 0; i < progressLine.size() && i < 99; ++i)
        if (progressLine[i] == flag)
            list += uu + QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0'));
    return list;
}

std::optional<Bars> chartBars(int total, int notLearned)
{
    if (total == 0)
        return std::nullopt;
    const double open = 3570.0 * notLearned / total;
    const double learned = 3570.0 * (total - notLearned) / total;
    return Bars{learned, 5550.0 - learned, open, 5550.0 - open};
}

int randomPaperCount(const QStringList& lines)
{
    int n = 0;
    while (n < 10 && n < lines.size() && !codes::trimSpaces(lines[n]).isEmpty())
        ++n;
    return n;
}

QColor colourOf(const QString& text)
{
    const QString t = codes::trimSpaces(text);
    std::uint32_t value = 0;
    if (t.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        qsizetype end = 2;
        while (end < t.size() && end < 10 && QStringLiteral("0123456789abcdefABCDEF").contains(t[end]))
            ++end;
        value = t.mid(2, end - 2).toUInt(nullptr, 16);
    } else {
        value = static_cast<std::uint32_t>(std::clamp<std::int64_t>(codes::numVal(t), 0, 0xFFFFFF));
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

Announcement parseAnnouncement(const QStringList& lines)
{
    Announcement a;
    a.text = codes::trimSpaces(lines.value(0)).replace(u'◎', QStringLiteral("\r\n"));
    a.colour = colourOf(lines.value(1));
    if (lines.size() >= 3)
        a.link = lines[2];
    return a;
}

bool isSafeAnnouncementLink(const QString& link)
{
    return platform::isWebOrMailAddress(QUrl(codes::trimSpaces(link), QUrl::StrictMode));
}

} // namespace cover
