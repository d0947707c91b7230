#pragma once
// The frame the program's small borderless dialogs share (the about box, the input-method
// dialog): 6300 x 4200 twips, a size the window manager cannot change, centred on the screen,
// the background "l20070" with its dark top strip, the logo and the strip that drags the window,
// and the close button at its right end.

#include <QString>

namespace vb {
class Form;
class Image;
class Label;
} // namespace vb
class mivoButton;

// BrandName & SystemTitle & "——" & ModuleName & "模块": the title of the program's dialogs.
QString standardWindowTitle();

// Icon, title, size and place, background, logo, drag strip and close button of the frame.
void layOutDialogFrame(vb::Form& form, vb::Image& logo, vb::Label& dragStrip, mivoButton& close);
