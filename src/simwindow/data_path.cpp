#include "simwindow/data_path.h"

namespace simwindow {

std::optional<QString> safeFilePath(const QString& dir, QStringView name)
{
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(u".."))
        return std::nullopt;
    return dir + name.toString();
}

std::optional<QString> dataFilePath(const QString& dataDir, QStringView code)
{
    return safeFilePath(dataDir, code.toString() + QStringLiteral(".mxy"));
}

} // namespace simwindow
