#pragma once
// Stand-in for the record store until it lands: the record folder's paths and the score
// history's entries.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

namespace examseam {

// AppPath & "ksdata/" & number & ".mxy".
QString recordPath(const QString& number);
// "1824" & the slot as two digits.
QString paperWrongListPath(int slot);
// The lines of a record file; a missing file has none; nothing when it exists but cannot be read.
std::optional<QStringList> readRecordLines(const QString& path);
// Line 1 of a record file as it stands; "" when missing or unreadable.
QString readFirstLine(const QString& path);
// The score history's 100 entries over the defaults; nothing when the file cannot be read.
std::optional<std::array<QString, 100>> readScoreHistory();
bool writeScoreHistory(std::span<const QString> entries, int slotCount);
// Line 1 of a list record, trimmed; "" for a missing file.
QString readListLine(const QString& number);
// Rewrites a record file as one line.
bool writeRecordLine(const QString& path, const QString& line);
// The flag line cut or padded with "F" to one flag per whole id of the list.
QString fitFlags(const QString& flags, const QString& listLine);
// The session's marked questions join the favourites, with "F".
void mergeFavourites();

} // namespace examseam
