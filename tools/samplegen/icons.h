#pragma once
// The 16 x 16 pictures of the toolbar buttons, drawn from plain shapes.

#include <QPainter>
#include <QPoint>

namespace samplegen {

// Draws the button picture of a toolbar element with its top-left corner at origin; an
// element without a picture of its own gets a neutral square.
void drawIcon(QPainter& p, int element, QPoint origin);

// Small glyphs that other pictures reuse.
void drawPageGlyph(QPainter& p, QPoint origin);
void drawFolderGlyph(QPainter& p, QPoint origin);
void drawComputerGlyph(QPainter& p, QPoint origin);
void drawDriveGlyph(QPainter& p, QPoint origin);
void drawSheetGlyph(QPainter& p, QPoint origin);

} // namespace samplegen
