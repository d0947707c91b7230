#include "cover/list_practice.h"

#include "session/record_files.h"
#include "session_state/session_state.h"

namespace cover {

namespace {

bool isFavourites(QuestionList list) { return list == QuestionList::Favourites; }

// A session takes at most this many characters of a list: 500 ids.
constexpr int MaxIdChars = 4 * MaxQuestions;

// A session of one part of the list, whose questions all count as done or all as not.
void takePart(ListPractice& p, const QString& ids, int sessionKind, const QString& done, const QString& noneNotice)
{
    p.ids = ids;
    p.sessionKind = sessionKind;
    p.fixedDone = done;
    if (ids.isEmpty())
        p.notice = noneNotice;
}

} // namespace

QString listFileName(QuestionList list) { return isFavourites(list) ? records::FavouriteList : records::WrongList; }
QString flagFileName(QuestionList list) { return isFavourites(list) ? records::FavouriteFlags : records::WrongFlags; }

ListParts splitList(const QString& listLine, const QString& fittedFlagLine)
{
    ListParts parts;
    for (qsizetype k = 0; k < fittedFlagLine.size() && 4 * k + 4 <= listLine.size(); ++k) {
        const QString id = listLine.mid(4 * k, 4);
        (records::isReviewed(fittedFlagLine[k]) ? parts.reviewed : parts.notReviewed) += id;
    }
    return parts;
}

std::pair<int, int> flagCounts(const QString& flagLine)
{
    const int reviewed = static_cast<int>(flagLine.count(QLatin1Char('T')));
    return {static_cast<int>(flagLine.size()) - reviewed, reviewed};
}

QString ListPractice::doneText(int i) const
{
    if (!fixedDone.isEmpty())
        return fixedDone;
    return i >= 1 ? doneFlags.mid(i - 1, 1) : QString();
}

ListPractice planListPractice(QuestionList list, int filter, const QString& listLine, const QString& flagLine)
{
    const bool fav = isFavourites(list);
    ListPractice p;
    const QString flags = records::fitFlags(flagLine, listLine);
    if (flags.isEmpty()) {
        p.notice = fav ? QStringLiteral("您还没有已收藏题目！") : QStringLiteral("您还没有错题记录！");
        return p;
    }
    const int baseKind = fav ? 9 : 12;
    const ListParts parts = splitList(listLine, flags);
    switch (filter) {
    case NotReviewedBit:
        takePart(p, parts.notReviewed, baseKind + 1, QStringLiteral("F"),
                 fav ? QStringLiteral("您没有未复习的收藏题目！") : QStringLiteral("您还没有未复习的错题记录！"));
        break;
    case ReviewedBit:
        takePart(p, parts.reviewed, baseKind + 2, QStringLiteral("T"),
                 fav ? QStringLiteral("您没有已复习的收藏题目！") : QStringLiteral("您还没有已复习的错题记录！"));
        break;
    default:
        p.ids = listLine.left(4 * flags.size());
        p.sessionKind = baseKind;
        p.doneFlags = flags;
        break;
    }
    // Every such session uses the session files 19.
    p.setIndex = 19 - p.sessionKind;
    p.ids = p.ids.left(MaxIdChars);
    return p;
}

QString practiceTitle(QuestionList list) { return isFavourites(list) ? QStringLiteral("收藏题目练习") : QStringLiteral("错题复习"); }
QString clearTitle(QuestionList list) { return isFavourites(list) ? QStringLiteral("清除收藏的题目") : QStringLiteral("清除我的错题"); }

QString clearPrompt(QuestionList list, int filter)
{
    const bool fav = isFavourites(list);
    switch (filter) {
    case NotReviewedBit:
        return fav ? QStringLiteral("您确实要清除未复习的收藏题目吗？") : QStringLiteral("您确实要清除未学习的我的错题题目吗？");
    case ReviewedBit:
        return fav ? QStringLiteral("您确实要清除已复习的收藏题目吗？") : QStringLiteral("您确实要清除已学习的我的错题题目吗？");
    default:
        return fav ? QStringLiteral("您确实要清除全部收藏题目吗？") : QStringLiteral("您确实要清除全部我的错题题目吗？");
    }
}

std::optional<ListClearing> planListClearing(int filter, const QString& listLine, const QString& flagLine)
{
    const QString flags = records::fitFlags(flagLine, listLine);
    if (flags.isEmpty())
        return std::nullopt;
    const ListParts parts = splitList(listLine, flags);
    ListClearing c;
    switch (filter) {
    case NotReviewedBit:
        c.listLine = parts.reviewed;
        c.flagLine = QString(parts.reviewed.size() / 4, QLatin1Char('T'));
        c.notReviewedCleared = true;
        break;
    case ReviewedBit:
        c.listLine = parts.notReviewed;
        c.flagLine = QString(parts.notReviewed.size() / 4, QLatin1Char('F'));
        c.reviewedCleared = true;
        break;
    default:
        c.notReviewedCleared = c.reviewedCleared = true;
        break;
    }
    return c;
}

FilterToggle toggleFilterBox(int index, int filter)
{
    // Faces: ticked "l2009x", not ticked "l2004x", x = 0 to 3 for boxes 40 to 43.
    const int x = index - 40;
    const int bit = (x % 2 == 0) ? NotReviewedBit : ReviewedBit;
    const bool ticked = (filter & bit) == 0;
    return {x < 2 ? QuestionList::Favourites : QuestionList::Wrong, ticked ? filter + bit : filter - bit,
            QStringLiteral("l200%1%2").arg(ticked ? 9 : 4).arg(x)};
}

} // namespace cover
