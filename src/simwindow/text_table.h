#pragma once
// The text table: editor texts, accepted answers, hints and list items, named in step records
// by line number. It is read afresh at every use, as the data may be replaced while the
// program runs.

#include <QString>
#include <QStringView>
#include <optional>

namespace simwindow {

// The text of line n (1-based) of the table at `tablePath`: the line from its fourth
// character on; a number past the end gives the last line; 0 ("000") gives the empty text.
// Nothing when the table is missing, unreadable or empty, so that a caller can tell "no
// table" from an empty text.
std::optional<QString> tableText(const QString& tablePath, int lineNo);

// The two accepted alternatives of an answer text: the text before its first "|" and
// everything after it; a text without "|" is both.
struct Answers {
    QString first;
    QString second;
};
Answers splitAnswers(QStringView text);

// The answers of line n of the table; nothing when there is no table.
std::optional<Answers> answersAt(const QString& tablePath, int lineNo);

enum class LetterCase { Ignore, Keep };

// Whether a typed text equals one of the alternatives, both trimmed, with letter case ignored
// or kept. Without a table nothing is accepted: an empty answer must not be taken for granted
// when the texts could not be read.
bool acceptsTyped(const std::optional<Answers>& answers, QStringView typed,
                  LetterCase letterCase = LetterCase::Ignore);

} // namespace simwindow
