#pragma once
// Sets up the session's questions as a session start leaves them, for tests of what a session
// end records.

#include "session_state/session_state.h"

#include <initializer_list>
#include <utility>

namespace tsupport {

// A session of `kind` over questions i = 1.. with their ids and states.
inline void setSessionQuestions(int kind, std::initializer_list<std::pair<int, int>> questions)
{
    SessionState& s = S();
    s.SessionKind = kind;
    int i = 0;
    for (const auto& [id, state] : questions) {
        ++i;
        s.QuestionId[static_cast<std::size_t>(i)] = id;
        s.QuestionState[static_cast<std::size_t>(i)] = state;
    }
    s.QuestionCount = i;
}

} // namespace tsupport
