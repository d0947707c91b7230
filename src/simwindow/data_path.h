#pragma once
// File names built from data (picture codes of step records, pointer numbers): a name that
// could reach outside its folder is treated as a file that does not exist.

#include <QString>
#include <QStringView>
#include <optional>

namespace simwindow {

// dir & name, or nothing when the name holds "/", "\" or "..".
std::optional<QString> safeFilePath(const QString& dir, QStringView name);

// The picture or table named by a code: dataDir & code & ".mxy", or nothing as above.
std::optional<QString> dataFilePath(const QString& dataDir, QStringView code);

} // namespace simwindow
