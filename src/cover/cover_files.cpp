#include "cover/cover_files.h"

#include "session_state/session_state.h"

namespace cover {

QString joinPath(const QString& dir, const QString& name)
{
    qsizetype end = dir.size();
    while (end > 0 && (dir[end - 1] == u'/' || dir[end - 1] == u'\\'))
        --end;
    return dir.left(end) + u'/' + name;
}

QString dataFile(const QString& name) { return joinPath(S().DataDir, name + QStringLiteral(".mxy")); }

QString recordFile(const QString& name)
{
    return joinPath(joinPath(S().AppPath, QStringLiteral("ksdata")), name + QStringLiteral(".mxy"));
}

QString twoDigits(int n)
{
    const QString text = QStringLiteral("00") + QString::number(n);
    return text.right(2);
}

} // namespace cover
