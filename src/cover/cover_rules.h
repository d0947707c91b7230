#pragma once
// The rules of the cover page that need no window: the papers-and-units table, the fitting of
// the unit progress file, the unit list's captions and chart, the chapter lists, the stored
// random papers, the announcement and which of its links may be opened.

#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace cover {

inline constexpr int MaxUnits = 26;      // counts and progress lines held
inline constexpr int ProgressUnits = 25; // lines the progress file keeps

struct PaperTableHead {
    int paperCount = 0;
    int unitCount = 0;
    // The units' question counts (line 2), or nothing when the table has no line 2.
    std::optional<std::array<int, MaxUnits>> unitQuestions;
};

// Line 1 (PPUU, trimmed) and line 2 (two digits per unit) of the papers-and-units table.
PaperTableHead readPaperTable(const QStringList& lines);

// The unit progress lines fitted to the units' counts: ProgressUnits lines, each cut or filled
// with "F" to its unit's full count.
QStringList fitProgress(const QStringList& progressLines, const std::array<int, MaxUnits>& counts);
// The progress file's text for fitted lines: each line and CR LF, then one more CR LF.
QString progressFileText(const QStringList& fitted);

// Columns of the units table for one progress line: questions, not learned ("F"), the line.
struct UnitRow {
    QString questions;
    QString notLearned;
    QString progress;
};
UnitRow unitRow(const QString& progressLine);

// A unit button's caption: number, ".", title, fitted to 25 columns of GBK width (one column for
// a one-byte character, two for a two-byte one).
QString unitCaption(int unitNumber, const QString& title);
QString fitToColumns(const QString& text, int columns);

// The unit the units panel opens on: the first with more than a fifth of it not yet learned, at
// most the last unit; -1 when there are no units (all units then).
int defaultUnit(const std::vector<std::pair<int, int>>& totalsAndOpen, int unitCount);

// The ids UUQQ of the unit's positions whose progress character is `flag` ("T" or "F").
QString chapterIds(int unit, const QString& progressLine, QChar flag);

// The chart's bars in design twips (before the vertical scale): heights and tops of the learned
// and not-learned bars, or nothing for a view without questions.
struct Bars {
    double learnedHeight, learnedTop, openHeight, openTop;
};
std::optional<Bars> chartBars(int total, int notLearned);

// The number of stored random papers: lines before the first blank one, at most 10 looked at.
int randomPaperCount(const QStringList& lines);

// A colour as the configuration and the announcement write it: decimal, or hexadecimal after
// "&H", meaning blue * 65536 + green * 256 + red.
QColor colourOf(const QString& text);

struct Announcement {
    QString text;                // line breaks as CR LF
    QColor colour;
    std::optional<QString> link; // line 3, when there is one
};
Announcement parseAnnouncement(const QStringList& lines);

// The announcement is downloaded text: only web and mail links may be opened from it.
bool isSafeAnnouncementLink(const QString& link);

} // namespace cover
