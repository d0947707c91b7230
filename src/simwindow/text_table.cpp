#include "simwindow/text_table.h"

#include "platform/files.h"
#include "session_state/codes.h"

namespace simwindow {

namespace {

// An empty table is still a table: its texts are empty. Only a table that cannot be read has none.
std::optional<QString> emptyTableText(const QString& tablePath)
{
    if (!platform::lineCount(tablePath))
        return std::nullopt;
    return QString();
}

} // namespace

std::optional<QString> tableText(const QString& tablePath, int lineNo)
{
    if (const std::optional<QString> line = platform::readLineAt(tablePath, lineNo))
        return line->mid(3);
    return emptyTableText(tablePath);
}

std::optional<QString> fieldText(const QString& tablePath, QStringView field)
{
    // Even for "000" the table must be there: without it no text of the step is known.
    if (field == u"000")
        return emptyTableText(tablePath);
    return tableText(tablePath, codes::num16(field));
}

Answers splitAnswers(QStringView text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0)
        return {text.toString(), text.toString()};
    return {text.left(bar).toString(), text.mid(bar + 1).toString()};
}

std::optional<Answers> answersAt(const QString& tablePath, QStringView field)
{
    const std::optional<QString> text = fieldText(tablePath, field);
    if (!text)
        return std::nullopt;
    return splitAnswers(*text);
}

bool acceptsTyped(const std::optional<Answers>& answers, QStringView typed, LetterCase letterCase)
{
    if (!answers)
        return false;
    // Letter case is ignored by lowering both sides, not by case folding.
    const auto norm = [letterCase](QStringView s) {
        const QString t = codes::trimSpaces(s);
        return letterCase == LetterCase::Keep ? t : t.toLower();
    };
    const QString t = norm(typed);
    return t == norm(answers->first) || t == norm(answers->second);
}

} // namespace simwindow
