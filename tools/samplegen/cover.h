#pragma once
// The cover page's pictures: the window and home pictures, the top bar, the panel background,
// the units panel's strip, chart grid and title, every command button's four-frame strip, and
// the notice and question pictures of the confirmation box.

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace samplegen::cover {

// Every cover face with its file name without extension. title is the system's display name.
std::vector<std::pair<QString, QImage>> faces(const QString& title);

} // namespace samplegen::cover
