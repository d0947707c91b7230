#pragma once
// Twips, the old toolkit's unit of geometry (1440 to the inch), and the screen in twips.
//
// Every control keeps the twips it was given; its widget gets qRound(twips / twipsPerPixel)
// logical pixels. High-DPI scaling beyond that is Qt's business.

namespace vb {

// Twips per logical pixel of the primary screen (1440 / logical dpi: 15 at 96 dpi, 12 at 120 dpi).
double twipsPerPixelX();
double twipsPerPixelY();
// Tests: fixes the twips per pixel; (0, 0) returns to the screen's.
void setTwipsPerPixelOverride(double x, double y);

// The primary screen's available size in twips.
int screenWidthTw();
int screenHeightTw();
// Tests: fixes the screen size in pixels; (0, 0) returns to the screen's.
void setScreenSizeOverride(int wPx, int hPx);

// Conversions: pixels from twips (rounded), twips from pixels.
int pxX(double twips);
int pxY(double twips);
double twX(double pixels);
double twY(double pixels);

} // namespace vb
