#pragma once
// Pictures of the simulated program's dialogs and lists that are not part of the main
// window: the tabbed "单元格格式" dialog of the dialog-tab layout table and the location list.

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace samplegen::panels {

// The tabbed dialog of layout "A": three tabs, each page a step picture of its own.
constexpr int DialogWidth = 420;
constexpr int DialogHeight = 330;
constexpr int DialogTabs = 3;
// Where the steps show it on the window: clear of the question panel, which stands at the
// window's bottom right.
constexpr int DialogLeft = 40;
constexpr int DialogTop = 100;
// Picture codes of the dialog with tab 1, 2, 3 in front.
QString dialogPageCode(int tab);
QImage dialogPage(int tab);
// The dialog's "确定" button, in pixels of the dialog.
QRect dialogOkButton();

// The lines of the dialog-tab layout table: one entry, layout "A", for the dialog above.
QStringList tabLayoutLines();

// The location list "9lX010": its face and, below it, the 14 entries, 16 pixels a row.
constexpr int LocationListWidth = 260;
constexpr int LocationListHeight = 248;
QImage locationList();

} // namespace samplegen::panels
