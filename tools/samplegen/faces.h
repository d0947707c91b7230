#pragma once
// Window and button faces: the splash, the window icon, the confirmation box with its logo
// and four button strips, the logo of the simulated window, and the question panel's face,
// button strips and question-list numbers.

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace samplegen::faces {

// Every face with its file name without extension ("l20059", ...). brand and title are the
// product name and the system title that the splash shows.
std::vector<std::pair<QString, QImage>> all(const QString& brand, const QString& title);

} // namespace samplegen::faces
