#pragma once
// Where the cover page and the session builder find their files: the data folder's tables and
// banks, and the record folder's files. Joined with one explicit separator whatever the
// folder values end with.

#include <QString>

namespace cover {

// dir & "/" & name, with any separators at the end of dir dropped first.
QString joinPath(const QString& dir, const QString& name);
// DataDir & name & ".mxy".
QString dataFile(const QString& name);
// AppPath & "/ksdata/" & name & ".mxy".
QString recordFile(const QString& name);
// NN as the file names write it: the last two decimal digits, with a leading zero.
QString twoDigits(int n);

} // namespace cover
