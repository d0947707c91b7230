#pragma once
// Pictures of the simulated program's dialogs and lists that are not part of the main
// window: the tabbed "单元格格式" dialog of the dialog-tab layout table and the location list.

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace samplegen::panels {

// The tabbed dialog of layout "A": three tabs, each page a step picture of its own.
constexpr int DialogWidth = 420;
constexpr int DialogHeight = 330;
constexpr int DialogTabs = 3;
// Where the steps show it on the window: clear of the question panel, which stands at the
// window's bottom right.
constexpr int DialogLeft = 40;
constexpr int DialogTop = 100;
// What the number page's 示例 reads: the active cell's value. The sample's dialogs open over
// one of the marks (86, B3's) or over the sheet's title (A1's).
enum class Sample { Mark, Title };
// The sample a cell's shown text gives, where the layouts hold one for it.
std::optional<Sample> sampleOf(const QString& shown);
// The layout letter of the dialog: "A" over the mark, "B" the same with its merge box ticked;
// "C" and "D" over the title.
QChar layoutLetter(bool ticked, Sample sample = Sample::Mark);
// Picture codes of the dialog with tab 1, 2, 3 in front; ticked: its merge box ticked.
QString dialogPageCode(int tab, bool ticked = false, Sample sample = Sample::Mark);
QImage dialogPage(int tab, bool ticked = false, Sample sample = Sample::Mark);
// The dialog's "确定" button and the alignment page's merge box, in pixels of the dialog.
QRect dialogOkButton();
QRect mergeBox();

// The lines of the dialog-tab layout table: layouts "A" to "D" above.
QStringList tabLayoutLines();

// The location list "9lX010": its face and, below it, the 14 entries, 16 pixels a row.
constexpr int LocationListWidth = 260;
constexpr int LocationListHeight = 248;
QImage locationList();
// The text of entry i (from 0) of the location list.
QString locationEntry(int i);

} // namespace samplegen::panels
