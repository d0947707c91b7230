#pragma once
// The mock exam's pictures: the login and confirmation panels, the score report's background,
// the result, review and hand-in buttons, and the papers panel's cards, start buttons and
// new-random-paper page.

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace samplegen::exam {

// Every exam face with its file name without extension.
std::vector<std::pair<QString, QImage>> faces();

} // namespace samplegen::exam
