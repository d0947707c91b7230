#pragma once
// The rules of a mock exam that need no window: what the imitation login makes of the typed
// seat and identity-card numbers, which questions the hand-in calls open, and the grading of the
// score report.

#include <QDateTime>
#include <QString>
#include <span>
#include <vector>

namespace exam {

// The fixed number that pads a short identity-card number, and the one the ID box starts with.
inline const QString IdCardSample = QStringLiteral("110108199001010037");
inline const QString IdCardPrefill = QStringLiteral("110108198506150041");

// Right("00" & Trim(typed), 2).
QString seatNo(const QString& typed);
// Right(IdCardSample & Trim(typed), 18).
QString idCardNo(const QString& typed);
// The ID box's key filter: digits and Backspace pass; "x" and "X" only once the box holds 17
// or more characters; everything else (Enter included) is discarded.
bool idKeyPasses(int keyAscii, int lengthBefore);

// "yyyy-mm-dd hh:mm:ss", the stamp of exam start and hand-in times.
QString timeStamp(const QDateTime& t);
// "yyyy年mm月dd日", the date on the login's confirmation panel.
QString loginDate(const QDate& d);

// A question the hand-in warns about: never shown, or still marked (state Mod 2 = 0, 3 or 7).
bool isOpenQuestion(int state);
// The first hand-in dialog's notice for the states of questions 1..40 (index 0 is question 1).
QString handInNotice(std::span<const int> states);
inline const QString HandInFinalNotice =
    QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?");

// A question scores when its last step was reached; a placeholder for a question the paper
// lacks (id 0) never scores.
bool isRight(int id, int state);
// The score of `right` questions at 2.5 points each, in its shortest decimal form.
QString scoreText(int right);
// "第n套得分：…分", or "随机题得分：…分" for a random paper (session kind 8).
QString resultCaption(int sessionKind, int setIndex, const QString& score);
// The text a result button shows of a question line: from column 7, or from column 20 after
// "picture" and the illustration's code.
QString resultQuestionText(const QString& questionLine);

// What an exam of `ids`/`states` (index 0 is question 1) gives: the score, and the ids of the
// wrong questions in paper order, placeholders left out.
struct Grade {
    int right = 0;
    QString score;
    std::vector<int> wrongIds;
    // The wrong ids as a list line (four digits each).
    QString wrongList() const;
};
Grade grade(std::span<const int> ids, std::span<const int> states);

// The score history's entries (element k = line k + 1) after an exam in slot `slot`: the time
// line takes the start time of a scored exam, the best score rises to `score` when it is higher;
// an unscored exam (start "-1") takes `now` as its time and keeps the best score.
void recordExam(std::span<QString> entries, int slot, const QString& examStart, const QString& score,
                const QString& now);

} // namespace exam
