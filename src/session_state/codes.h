#pragma once
// The shared field rules of every fixed-column text the program reads.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace codes {

// Characters [col, col + width) of a line, columns 1-based; what lies past the end of the
// line is simply not there (a short line gives a short or empty field).
QString field(QStringView line, int col, int width);

// Numeric parse: leading blanks skipped, then the leading decimal digits; anything else, or
// nothing, reads 0. Saturates instead of overflowing, however many digits there are.
std::int64_t numVal(QStringView text);

// The numeric parse held as a 16-bit signed value (positions, sizes, codes, line numbers);
// a value past 32767 is held as 32767.
int num16(QStringView text);

// The text without its leading and trailing spaces (spaces only: tabs and line ends stay).
QString trimSpaces(QStringView text);

// Numeric parse of a field.
inline int numField(QStringView line, int col, int width) { return num16(field(line, col, width)); }

} // namespace codes
