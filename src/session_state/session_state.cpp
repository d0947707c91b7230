#include "session_state/session_state.h"

SessionState& S()
{
    static SessionState s;
    return s;
}

void resetSession() { S() = SessionState{}; }
