#pragma once
// Step records for tests: a blank 212-column line with the given texts written at their
// columns (1-based), so that a test names only the fields it is about.

#include <QString>
#include <initializer_list>
#include <utility>

inline QString stepLine(std::initializer_list<std::pair<int, QString>> fields)
{
    QString line(212, u' ');
    for (const auto& [col, text] : fields)
        line.replace(col - 1, text.size(), text);
    return line;
}
