#pragma once
// The sample session of the simulated window: six short questions, their step records and
// the step pictures they name, each background drawn from the state the steps before it left. The question texts and the hint texts are hand-written under
// sample/session/; the records refer to the hints by their line in the text table.

#include "model.h"
#include "step_line.h"

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace samplegen::session {

struct Question {
    QString id; // four digits UUQQ
    std::vector<StepLine> steps;
};

// Throws std::invalid_argument when a field does not fit its columns.
std::vector<Question> questions();

// Each question's steps as drawn: the state every background comes from and what each action
// changed, in the order of questions().
std::vector<std::vector<model::Traced>> traces();

// The highest text-table line that the step records name.
int textLinesUsed();

// Step pictures of the session (and the default background), each with its six-character code.
std::vector<std::pair<QString, QImage>> pictures();

} // namespace samplegen::session
