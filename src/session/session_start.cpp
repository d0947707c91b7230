#include "session/session_start.h"

#include "session_state/session_state.h"

namespace session {

void beginSession(SessionState& s)
{
    for (auto& pictures : s.QuestionPictures)
        pictures.fill(QString());
    s.SavedStep.fill(1);
    s.ExamHandedIn = false;
    ++s.SessionNo;
}

} // namespace session
