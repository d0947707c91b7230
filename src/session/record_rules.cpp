#include "session/record_rules.h"

#include "session_state/session_state.h"

#include <algorithm>

namespace records {

namespace {

// "_" before every entry (and before a tail shorter than an entry), so that a four-digit id is
// found only as a whole entry.
QString underscoreForm(const QString& list)
{
    QString form;
    for (qsizetype k = 0; k < list.size(); k += 4)
        form += u'_' + list.mid(k, 4);
    return form;
}

bool holds(const QString& form, const QString& id) { return form.contains(u'_' + id); }

} // namespace

SessionQuestions sessionQuestions(const SessionState& s)
{
    const int count = std::clamp(s.QuestionCount, 0, MaxQuestions);
    SessionQuestions qs;
    qs.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        qs.push_back({s.QuestionId[ui], s.QuestionState[ui]});
    }
    return qs;
}

bool anyCompleted(const SessionQuestions& qs)
{
    return std::any_of(qs.begin(), qs.end(), [](const SessionQuestion& q) { return isCompleted(q.state); });
}

QString idText(int id) { return (QStringLiteral("0000") + QString::number(std::abs(id))).right(4); }

QString fitFlags(const QString& flags, const QString& list)
{
    const int n = entryCount(list);
    return flags.size() >= n ? flags.left(n) : flags + QString(n - flags.size(), u'F');
}

QString setReviewed(QString flags, int position)
{
    if (position < 1)
        return flags;
    if (flags.size() < position)
        flags += QString(position - flags.size(), u'F');
    flags[position - 1] = u'T';
    return flags;
}

QString mergeIds(const QString& list, const std::vector<int>& ids)
{
    QString result = list;
    QString form = underscoreForm(list);
    for (const int id : ids) {
        const QString text = idText(id);
        // Id 0 stands in for a question a short paper lacks: no question to list.
        if (id == 0 || holds(form, text))
            continue;
        result += text;
        form += u'_' + text;
    }
    return result;
}

std::vector<int> markedIds(const SessionQuestions& qs)
{
    std::vector<int> ids;
    for (const SessionQuestion& q : qs)
        if (isMarked(q.state))
            ids.push_back(q.id);
    return ids;
}

ListWithFlags pruneUnmarked(ListWithFlags lf, const SessionQuestions& qs)
{
    QString form = underscoreForm(lf.list);
    for (const SessionQuestion& q : qs) {
        if (isMarked(q.state))
            continue;
        const qsizetype at = form.indexOf(u'_' + idText(q.id));
        if (at < 0)
            continue;
        // Positions are those of the list at this moment, after the earlier removals.
        const qsizetype entry = at / 5;
        form.remove(at, 5);
        if (entry < lf.flags.size())
            lf.flags.remove(entry, 1);
    }
    lf.list = form.remove(u'_');
    return lf;
}

QString reviewAll(QString flags, const SessionQuestions& qs)
{
    for (std::size_t i = 0; i < qs.size(); ++i)
        if (isCompleted(qs[i].state))
            flags = setReviewed(flags, static_cast<int>(i) + 1);
    return flags;
}

QString reviewNotReviewed(const QString& flags, const SessionQuestions& qs)
{
    QString result;
    result.reserve(flags.size());
    std::size_t j = 0;
    for (const QChar c : flags) {
        if (isReviewed(c)) {
            result += u'T';
            continue;
        }
        const bool done = j < qs.size() && isCompleted(qs[j].state);
        result += done ? u'T' : u'F';
        ++j;
    }
    return result;
}

QString unitPracticeLine(const SessionQuestions& qs)
{
    QString line;
    for (const SessionQuestion& q : qs)
        line += isCompleted(q.state) ? u'T' : u'F';
    return line;
}

QString learnedLine(QString line, const SessionQuestions& qs)
{
    for (const SessionQuestion& q : qs)
        if (isCompleted(q.state))
            line = setReviewed(line, std::abs(q.id) % 100);
    return line;
}

QString pruneAnswered(const QString& line, const SessionQuestions& qs)
{
    QString kept;
    const int n = entryCount(line);
    for (int k = 0; k < n; ++k) {
        const bool done = static_cast<std::size_t>(k) < qs.size() && isCompleted(qs[static_cast<std::size_t>(k)].state);
        if (!done)
            kept += line.mid(k * 4, 4);
    }
    return kept;
}

ScoreEntries readScoreEntries(const QStringList& lines)
{
    ScoreEntries entries;
    for (int i = 1; i <= ScoreEntryCount; ++i) {
        QString& e = entries[static_cast<std::size_t>(i - 1)];
        switch (i % 3) {
        case 1: e = QStringLiteral("您还未考试！"); break;
        case 2: e = QStringLiteral("0"); break;
        default: e = QStringLiteral("E"); break;
        }
    }
    const qsizetype n = std::min<qsizetype>(lines.size(), ScoreEntryCount);
    for (qsizetype i = 0; i < n; ++i)
        entries[static_cast<std::size_t>(i)] = lines[i];
    return entries;
}

QStringList scoreLines(const ScoreEntries& entries, int slotCount)
{
    QStringList lines;
    const int n = std::clamp(slotCount * 3, 0, ScoreEntryCount);
    for (int i = 0; i < n; ++i)
        lines << entries[static_cast<std::size_t>(i)];
    return lines;
}

} // namespace records
