#pragma once
// What every new session starts from, whoever sets it up (the cover page's launch, the exam
// login, the reviews after an exam): no question carries the pictures or the step of an
// earlier session.

struct SessionState;

namespace session {

// Empties every question's recorded pictures, puts every saved step back to 1, leaves the last
// exam's hand-in behind and counts a new session, so that the question panel renews the
// examinee card and its mark faces.
void beginSession(SessionState& s);

} // namespace session
