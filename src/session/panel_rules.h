#pragma once
// The question panel's rules that need no window: the parts of a question line, the panel's
// title by session kind, the question list's pages and faces, and the exam clock's bar.

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

struct SessionState;

namespace panel {

// What a question line shows: its text and, for an illustrated question, the illustration's
// picture code.
struct QuestionText {
    QString text;
    std::optional<QString> pictureCode;
};
// The text field from column 7: "|" is a line break (CR LF) in a plain text; an illustrated one
// ("picture", a six-character code, the text) keeps its "|" as written.
QuestionText questionText(QStringView line);
// The text field as it stands (column 7 to the end).
QString textField(QStringView line);

// The panel's title for question `q` of the session; nothing for a kind that has no title.
std::optional<QString> title(const SessionState& s, int q);

// Index of the last page of the question list (40 numbers a page): -1 for no question.
int lastListPage(int questionCount);
// Numbers on page `page`: 40, or what the last page holds.
int numbersOnPage(int questionCount, int page);
// The face of a question-list number by its state: not visited, visited, marked.
QString listFace(int state);

// What one line of `width` shows of a list of items parted by blanks (the unfinished list's
// heading and numbers), `widthOf` measuring a text: the whole text when it fits; otherwise the
// most whole items that fit followed by " ...", the first item at least.
QString fitWholeItems(const QString& text, int width, const std::function<int(const QString&)>& widthOf);

// The exam clock's elapsed bar, in twips, for the minutes left.
int elapsedBarWidth(int minutesLeft, int barWidth);

} // namespace panel
