#pragma once
// Stand-in for the question panel, the session builder and the cover page until they land: the
// few things the exam windows ask of them.

#include <QString>

namespace examseam {

// The panel shows question CurrentQuestion soon (its reload timer; loads the panel).
void panelShowQuestionSoon();
// The panel arranges its buttons for DisplayMode soon.
void panelLayoutSoon();
// The exam clock afresh at 50 minutes, and its display.
void panelStartClock();
// Stops the exam clock when the panel is loaded (never loads it).
void panelStopClock();
// The clock display as at the start of an exam: "剩余50分钟", an empty bar.
void panelResetClockDisplay();
// The panel's bottom-right corner on the simulated window's.
void panelDock();
void panelShow();
// Asks the panel to unload (it refuses during an exam).
void panelUnload();
// The examinee card shows this login's data.
void panelShowExaminee();
// Hides the question-list buttons from `first` to 40 and empties the unfinished list.
void panelListUpTo(int last);
void simWindowShow();
void simWindowUnload();

// Shows the cover page; with a command, it replays it once it has been built (ReturnPage).
void showCover(int replay);

} // namespace examseam
