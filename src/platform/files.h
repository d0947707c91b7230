#pragma once
// Text files of the installation: GBK with CR LF line ends, as the existing installations
// share them. And the case-insensitive name lookup that the installation's file names need.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// The path of an existing file or folder whose name matches `path` with the case of each
// name part ignored ("data/9lX007.mxy" finds "data/9LX007.MXY"); the exact path is tried
// first. Returns `path` unchanged when nothing matches.
QString resolvePath(const QString& path);
// The same for a file about to be written: the parts that exist are matched as above, the rest
// keep their own spelling ("DATA/new.mxy" gives "data/new.mxy" when only the folder exists), so
// that a write replaces the existing file instead of putting a second one beside it.
QString resolvePathForWrite(const QString& path);

// All lines of a GBK text file (CR LF, LF or CR ends), or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString& path);

// Line n (1-based) of a GBK text file, reading no further than needed; a file shorter than n
// lines gives its last line; an empty or unreadable file gives nothing. n below 1 reads the
// whole file and gives its last line.
std::optional<QString> readLineAt(const QString& path, int n);

// Appends text, encoded as GBK, to a file (created when missing). False on failure.
bool appendText(const QString& path, const QString& text);

// Rewrites a file whole with the given text in GBK, through a temporary file and a rename,
// so that a crash or a full disk never leaves half a file. False on failure.
bool saveText(const QString& path, const QString& text);
// Tests: when set, saveText asks it after the temporary file is written and before the rename;
// false stops the save there, as a crash at that moment would.
void setSaveCommitHook(std::function<bool(const QString& path)> hook);

// Rewrites a file whole with the given bytes, as saveText does. False on failure.
bool saveBytes(const QString& path, const QByteArray& bytes);

// The lines of GBK text (CR LF, LF or CR ends; a final line end makes no extra line).
QStringList gbkLines(const QByteArray& bytes);

// GBK conversions.
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

} // namespace platform
