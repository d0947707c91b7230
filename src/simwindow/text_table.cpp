#include "simwindow/text_table.h"

#include "platform/files.h"
#include "session_state/codes.h"

namespace simwindow {

std::optional<QString> tableText(const QString& tablePath, int lineNo)
{
    // Even for "000" the table must be there: without it no text of the step is known.
    const std::optional<QString> line = platform::readLineAt(tablePath, lineNo < 1 ? 1 : lineNo);
    if (!line)
        return std::nullopt;
    if (lineNo < 1)
        return QString();
    return line->mid(3);
}

Answers splitAnswers(QStringView text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0)
        return {text.toString(), text.toString()};
    return {text.left(bar).toString(), text.mid(bar + 1).toString()};
}

std::optional<Answers> answersAt(const QString& tablePath, int lineNo)
{
    const std::optional<QString> text = tableText(tablePath, lineNo);
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
