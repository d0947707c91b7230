#include "session/exam_record_seam.h"

#include "cover/paper_rules.h"
#include "platform/files.h"
#include "session_state/session_state.h"

#include <QFileInfo>

namespace examseam {

QString recordPath(const QString& number)
{
    QString app = S().AppPath;
    if (!app.endsWith(u'/'))
        app += u'/';
    return app + QStringLiteral("ksdata/") + number + QStringLiteral(".mxy");
}

QString paperWrongListPath(int slot)
{
    return recordPath(QStringLiteral("1824") + (QStringLiteral("0") + QString::number(slot)).right(2));
}

std::optional<QStringList> readRecordLines(const QString& path)
{
    const QString resolved = platform::resolvePath(path);
    if (!QFileInfo::exists(resolved))
        return QStringList();
    return platform::readLines(resolved);
}

std::optional<std::array<QString, 100>> readScoreHistory()
{
    const auto lines = readRecordLines(recordPath(QStringLiteral("288892")));
    if (!lines)
        return std::nullopt;
    auto e = papers::historyDefaults();
    for (qsizetype k = 0; k < lines->size() && k < 100; ++k)
        e[static_cast<std::size_t>(k)] = lines->at(k);
    return e;
}

bool writeScoreHistory(std::span<const QString> entries, int slotCount)
{
    return platform::saveText(recordPath(QStringLiteral("288892")), papers::historyText(entries, slotCount));
}

} // namespace examseam
