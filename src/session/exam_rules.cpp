#include "session/exam_rules.h"

#include "session/record_rules.h"
#include "session_state/codes.h"

namespace exam {

namespace {

// The numeric value of a stored score: leading blanks, digits, an optional fraction; anything
// else ends the number, and no number at all reads 0.
double scoreValue(const QString& text)
{
    const QString t = codes::trimSpaces(text);
    qsizetype end = 0;
    while (end < t.size() && t[end].isDigit())
        ++end;
    if (end < t.size() && t[end] == u'.') {
        ++end;
        while (end < t.size() && t[end].isDigit())
            ++end;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace

QString seatNo(const QString& typed) { return (QStringLiteral("00") + codes::trimSpaces(typed)).right(2); }

QString idCardNo(const QString& typed) { return (IdCardSample + codes::trimSpaces(typed)).right(18); }

bool idKeyPasses(int keyAscii, int lengthBefore)
{
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8)
        return true;
    if (keyAscii == 'x' || keyAscii == 'X')
        return lengthBefore >= 17;
    return false;
}

QString timeStamp(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

QString loginDate(const QDate& d) { return d.toString(QStringLiteral("yyyy年MM月dd日")); }

bool isOpenQuestion(int state) { return state % 2 == 0 || state == 3 || state == 7; }

QString handInNotice(std::span<const int> states)
{
    bool open = false;
    for (int s : states.first(std::min<std::size_t>(states.size(), 40)))
        open = open || isOpenQuestion(s);
    return open ? QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?")
                : QStringLiteral("\r\n您是否确定交卷?");
}

bool isRight(int id, int state) { return id != 0 && state >= 4; }

QString scoreText(int right)
{
    // Points in halves of a point: 2.5 a question is five halves.
    const int halves = right * 5;
    return halves % 2 == 0 ? QString::number(halves / 2) : QStringLiteral("%1.5").arg(halves / 2);
}

QString resultCaption(int sessionKind, int setIndex, const QString& score)
{
    if (sessionKind == 8)
        return QStringLiteral("随机题得分：") + score + QStringLiteral("分");
    return QStringLiteral("第%1套得分：").arg(setIndex + 1) + score + QStringLiteral("分");
}

QString resultQuestionText(const QString& questionLine)
{
    const QString text = questionLine.mid(6);
    return text.startsWith(QStringLiteral("picture")) ? questionLine.mid(19) : text;
}

Grade grade(std::span<const int> ids, std::span<const int> states)
{
    Grade g;
    const std::size_t n = std::min(ids.size(), states.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (isRight(ids[i], states[i]))
            ++g.right;
        else if (ids[i] != 0)
            g.wrongIds.push_back(ids[i]);
    }
    g.score = scoreText(g.right);
    return g;
}

QString Grade::wrongList() const
{
    QString line;
    for (int id : wrongIds)
        line += records::idText(id);
    return line;
}

void recordExam(std::span<QString> entries, int slot, const QString& examStart, const QString& score,
                const QString& now)
{
    const std::size_t time = static_cast<std::size_t>(3 * slot);
    if (slot < 0 || time + 1 >= entries.size())
        return;
    if (examStart == QStringLiteral("-1")) {
        entries[time] = now;
        return;
    }
    entries[time] = examStart;
    if (scoreValue(entries[time + 1]) < scoreValue(score))
        entries[time + 1] = score;
}

} // namespace exam
