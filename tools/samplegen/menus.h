#pragma once
// The drop-downs, cascades, colour palettes and floating panes of the simulated window, drawn
// over the program's own hot-spot tables so that every item lies where the window lays its hot
// spot; the hover picture of every item; and the context-menu file.

#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace samplegen::menus {

// Every picture of the drop-downs, cascades and panes with its six-character code.
std::vector<std::pair<QString, QImage>> pictures();

// The context-menu file "sMenu.sys": three sets of nine menus of fifteen lines.
QStringList contextMenuFile();

} // namespace samplegen::menus
