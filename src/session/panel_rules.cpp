#include "session/panel_rules.h"

#include "session/record_rules.h"
#include "session_state/session_state.h"

#include <QStringList>

namespace panel {

QString textField(QStringView line) { return line.size() > 6 ? line.mid(6).toString() : QString(); }

QuestionText questionText(QStringView line)
{
    const QString field = textField(line);
    if (field.startsWith(QStringLiteral("picture")))
        return {field.mid(13), field.mid(7, 6)};
    QString text;
    text.reserve(field.size());
    for (const QChar c : field) {
        if (c == u'|')
            text += QStringLiteral("\r\n");
        else
            text += c;
    }
    return {text, std::nullopt};
}

std::optional<QString> title(const SessionState& s, int q)
{
    if (q < 0 || q > MaxQuestions)
        return std::nullopt;
    const auto qi = static_cast<std::size_t>(q);
    const QString prefix = s.ModuleName.left(2);
    const QString id4 = (QStringLiteral("0000") + QString::number(s.QuestionId[qi] + 100)).right(4);
    const QString status = s.QuestionDoneText[qi] == u"F" ? QStringLiteral("(未完成)") : QStringLiteral("(已完成)");
    const QString n = QString::number(q);
    const QString of = n + u'/' + QString::number(s.QuestionCount);
    const QString counted = of + u'(' + id4 + u')' + status;
    switch (s.SessionKind) {
    case 0: return prefix + u' ' + QString::number(s.SetIndex + 1) + QStringLiteral("套第") + n + QStringLiteral("题(") + id4 + u')';
    case 2: return prefix + QStringLiteral(" 错") + QString::number(s.PaperNo + 1) + u'-' + counted;
    case 5: return prefix + QStringLiteral(" 已") + counted;
    case 6: return prefix + QStringLiteral(" 未") + counted;
    case 8: return prefix + QStringLiteral(" 随") + QString::number(s.PaperNo - 20) + u'-' + n + u'(' + id4 + u')';
    case 9:
    case 10:
    case 11: return prefix + QStringLiteral(" 藏") + counted;
    case 12:
    case 13:
    case 14: return prefix + QStringLiteral(" 复") + counted;
    case 20: return prefix + u' ' + QString::number(s.SetIndex + 1) + QStringLiteral("单元") + of + u'题' + status;
    default: return std::nullopt;
    }
}

int lastListPage(int questionCount)
{
    return questionCount / 40 - (questionCount % 40 == 0 ? 1 : 0);
}

int numbersOnPage(int questionCount, int page)
{
    return questionCount < page * 40 + 40 ? questionCount % 40 : 40;
}

QString listFace(int state)
{
    if (records::isMarked(state))
        return QStringLiteral("l01032");
    return state % 2 == 0 ? QStringLiteral("l01030") : QStringLiteral("l01031");
}

int elapsedBarWidth(int minutesLeft, int barWidth)
{
    return qRound(static_cast<float>(50 - minutesLeft) * static_cast<float>(barWidth) / 50.0f);
}

QString fitWholeItems(const QString& text, int width, const std::function<int(const QString&)>& widthOf)
{
    const QStringList items = text.split(u' ');
    if (items.size() < 2 || widthOf(text) <= width)
        return text;
    const auto shown = [&items](qsizetype count) { return items.first(count).join(u' ') + QStringLiteral(" ..."); };
    // The widths grow with the count: the longest count that fits by halving.
    qsizetype fits = 1, tooMany = items.size();
    while (tooMany - fits > 1) {
        const qsizetype mid = (fits + tooMany) / 2;
        if (widthOf(shown(mid)) <= width)
            fits = mid;
        else
            tooMany = mid;
    }
    return shown(fits);
}

} // namespace panel
