#pragma once
// Painting helpers shared by every picture of the sample: canvases, the one font we draw
// with, gradients and the colours of the simulated spreadsheet program's blue theme.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace samplegen {

namespace colours {
inline const QColor DockLeft{158, 190, 245};
inline const QColor DockRight{196, 218, 250};
inline const QColor BarTop{221, 236, 254};
inline const QColor BarBottom{129, 169, 226};
inline const QColor BarShadow{59, 97, 156};
inline const QColor Gripper{39, 65, 118};
inline const QColor HoverFill{255, 238, 194};
inline const QColor HoverBorder{0, 0, 128};
inline const QColor PressedFill{254, 128, 62};
inline const QColor OpenTop{227, 239, 255};
inline const QColor OpenBottom{147, 181, 231};
inline const QColor OpenBorder{0, 45, 150};
inline const QColor FieldBorder{127, 157, 185};
inline const QColor DialogFace{236, 233, 216};
inline const QColor TitleDark{0, 84, 227};
inline const QColor TitleLight{61, 149, 255};
inline const QColor GridLine{208, 215, 229};
inline const QColor HeaderFace{228, 236, 247};
inline const QColor HeaderActive{255, 213, 141};
inline const QColor Text{0, 0, 0};
inline const QColor GreyText{141, 141, 141};
// The product's own blues and highlights, shared by the faces of its windows.
inline const QColor Deep{22, 58, 110};
inline const QColor Calm{44, 104, 168};
inline const QColor Sky{232, 241, 252};
inline const QColor Accent{120, 200, 140};
inline const QColor Orange{232, 150, 40};
} // namespace colours

// A picture of the given size filled with one colour (transparent by default).
QImage canvas(int width, int height, const QColor& fill = Qt::transparent);

// The CJK font of the sample, at a size in pixels so that the pictures do not depend on the
// screen's resolution.
QFont uiFont(int pixelSize, bool bold = false);
// 宋体, the face of the windows' own labels, for drawn texts that stand among them: SimSun where
// installed, else the Song face of its widths that the program itself puts in its place.
QFont songFont(int pixelSize, bool bold = false);

void fillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);
void fillHorizontal(QPainter& p, const QRectF& r, const QColor& left, const QColor& right);

// Text in a rectangle with Qt alignment flags.
void drawText(QPainter& p, const QRect& r, int flags, const QString& text, const QColor& colour,
              const QFont& font);

// A one-pixel rectangle outline lying inside r.
void outline(QPainter& p, const QRect& r, const QColor& colour);

// The small black triangle of every drop-down arrow, centred in r.
void dropArrow(QPainter& p, const QRect& r, const QColor& colour = Qt::black);

// A push button of the dialogs (raised face with a caption).
void dialogButton(QPainter& p, const QRect& r, const QString& caption, bool isDefault = false);

// A white entry field with the theme's border.
void field(QPainter& p, const QRect& r, const QString& text = {}, bool withArrow = false);

enum class Look { Normal, Hover, Pressed, Disabled };

// A button's picture strip: four frames of one size side by side, normal, hover, pressed and
// disabled; paintFrame(painter, look, frame rectangle) draws each.
template <typename PaintFrame>
QImage strip(int width, int height, PaintFrame paintFrame)
{
    QImage image = canvas(4 * width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 0; k < 4; ++k)
        paintFrame(p, static_cast<Look>(k), QRect(k * width, 0, width, height));
    return image;
}

// What sets one window's rounded buttons apart from another's.
struct ButtonStyle {
    int textPx = 14;
    QColor text = Qt::white;
    bool bold = true;
    qreal radius = 5;
    bool wordWrap = true;
    int hoverLighter = 115;
    QColor border{}; // none given: the bottom colour, darker
    // The fourth frame: greyed, or lit as the cover's "chosen" look.
    QColor disabledTop{220, 220, 220};
    QColor disabledBottom{180, 180, 180};
    QColor disabledText = Qt::white;
    QColor disabledBorder{}; // none given: the disabled bottom colour, darker
};

// A rounded, gradient-filled button strip with a caption (empty: the window draws its own).
QImage roundButton(int width, int height, const QString& caption, const QColor& top, const QColor& bottom,
                   const ButtonStyle& style);

} // namespace samplegen
