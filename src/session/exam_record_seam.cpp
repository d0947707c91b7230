#include "session/exam_record_seam.h"

#include "cover/cover_files.h"
#include "cover/paper_rules.h"
#include "platform/files.h"
#include "session_state/session_state.h"

#include <QFileInfo>

namespace examseam {

QString recordPath(const QString& number) { return cover::recordFile(number); }

QString paperWrongListPath(int slot) { return recordPath(QStringLiteral("1824") + cover::twoDigits(slot)); }

std::optional<QStringList> readRecordLines(const QString& path)
{
    const QString resolved = platform::resolvePath(path);
    if (!QFileInfo::exists(resolved))
        return QStringList();
    return platform::readLines(resolved);
}

QString readFirstLine(const QString& path)
{
    const auto lines = readRecordLines(path);
    return lines && !lines->isEmpty() ? lines->first() : QString();
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

QString readListLine(const QString& number)
{
    const auto lines = readRecordLines(recordPath(number));
    return lines && !lines->isEmpty() ? lines->first().trimmed() : QString();
}

bool writeRecordLine(const QString& path, const QString& line) { return platform::saveText(path, line + QStringLiteral("\r\n")); }

QString fitFlags(const QString& flags, const QString& listLine)
{
    const qsizetype n = listLine.size() / 4;
    return flags.left(n) + QString(std::max<qsizetype>(0, n - flags.size()), u'F');
}

void mergeFavourites()
{
    const SessionState& s = S();
    QString list = readListLine(QStringLiteral("288862"));
    for (int i = 1; i <= s.QuestionCount && i <= MaxQuestions; ++i) {
        const int st = s.QuestionState[static_cast<std::size_t>(i)];
        const QString id = (QStringLiteral("0000") + QString::number(s.QuestionId[static_cast<std::size_t>(i)])).right(4);
        if ((st & 2) && !list.contains(id))
            list += id;
    }
    writeRecordLine(recordPath(QStringLiteral("288862")), list);
    writeRecordLine(recordPath(QStringLiteral("288872")), fitFlags(readListLine(QStringLiteral("288872")), list));
}

} // namespace examseam
