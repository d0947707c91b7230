#pragma once
// The text table: editor texts, accepted answers, hints and list items, named in step records
// by line number. It is read afresh at every use, as the data may be replaced while the
// program runs.

#include <QString>
#include <QStringView>
#include <optional>

namespace simwindow {

// The text of line n (1-based) of the table at `tablePath`: the line from its fourth
// character on; a number past the end, or below 1, gives the last line; an empty table gives
// the empty text. Nothing when the table is missing or unreadable, so that a caller can tell
// "no table" from an empty text.
std::optional<QString> tableText(const QString& tablePath, int lineNo);

// The text named by a text-line field of a step record (three characters): "000" names no text
// (the empty text, still only when the table is there); any other field names the line of its
// number, and one that reads 0 (blanks, letters) runs to the table's last line.
std::optional<QString> fieldText(const QString& tablePath, QStringView field);

// The two accepted alternatives of an answer text: the text before its first "|" and
// everything after it; a text without "|" is both.
struct Answers {
    QString first;
    QString second;
};
Answers splitAnswers(QStringView text);

// The answers named by a text-line field; nothing when there is no table.
std::optional<Answers> answersAt(const QString& tablePath, QStringView field);

enum class LetterCase { Ignore, Keep };

// Whether a typed text equals one of the alternatives, both trimmed, with letter case ignored
// or kept. Without a table nothing is accepted: an empty answer must not be taken for granted
// when the texts could not be read.
bool acceptsTyped(const std::optional<Answers>& answers, QStringView typed,
                  LetterCase letterCase = LetterCase::Ignore);

} // namespace simwindow
