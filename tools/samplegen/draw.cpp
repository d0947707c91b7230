#include "draw.h"

#include <QLinearGradient>

namespace samplegen {

QImage canvas(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QFont uiFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont songFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void fillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void fillHorizontal(QPainter& p, const QRectF& r, const QColor& left, const QColor& right)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    p.fillRect(r, g);
}

void drawText(QPainter& p, const QRect& r, int flags, const QString& text, const QColor& colour,
              const QFont& font)
{
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void outline(QPainter& p, const QRect& r, const QColor& colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

void dropArrow(QPainter& p, const QRect& r, const QColor& colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(colour);
    const int cx = r.center().x();
    const int cy = r.center().y() - 1;
    for (int i = 0; i < 3; ++i)
        p.drawLine(cx - 2 + i, cy + i, cx + 2 - i, cy + i);
    p.restore();
}

void dialogButton(QPainter& p, const QRect& r, const QString& caption, bool isDefault)
{
    p.save();
    fillVertical(p, r, QColor(255, 255, 255), QColor(214, 208, 197));
    outline(p, r, isDefault ? QColor(0, 60, 116) : QColor(0, 60, 116, 200));
    if (isDefault)
        outline(p, r.adjusted(1, 1, -1, -1), QColor(105, 130, 238));
    drawText(p, r, Qt::AlignCenter, caption, colours::Text, uiFont(12));
    p.restore();
}

void field(QPainter& p, const QRect& r, const QString& text, bool withArrow)
{
    p.fillRect(r, Qt::white);
    outline(p, r, colours::FieldBorder);
    QRect textArea = r.adjusted(3, 0, -2, 0);
    if (withArrow) {
        const QRect arrow(r.right() - 16, r.top() + 1, 16, r.height() - 2);
        fillVertical(p, arrow, QColor(193, 211, 251), QColor(162, 189, 244));
        outline(p, arrow, QColor(185, 201, 239));
        dropArrow(p, arrow, QColor(77, 97, 133));
        textArea.setRight(arrow.left() - 2);
    }
    drawText(p, textArea, Qt::AlignVCenter | Qt::AlignLeft, text, colours::Text, uiFont(12));
}

QImage roundButton(int width, int height, const QString& caption, const QColor& top, const QColor& bottom,
                   const ButtonStyle& style)
{
    return strip(width, height, [&](QPainter& p, Look look, const QRect& frame) {
        const QRectF r = QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5);
        QColor t = top, b = bottom, border = style.border.isValid() ? style.border : bottom.darker(130);
        switch (look) {
        case Look::Normal: break;
        case Look::Hover:
            t = t.lighter(style.hoverLighter);
            b = b.lighter(style.hoverLighter);
            border = colours::Orange;
            break;
        case Look::Pressed: std::swap(t, b); break;
        case Look::Disabled:
            t = style.disabledTop;
            b = style.disabledBottom;
            border = style.disabledBorder.isValid() ? style.disabledBorder : b.darker(130);
            break;
        }
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, t);
        g.setColorAt(1, b);
        p.setPen(QPen(border, 1));
        p.setBrush(g);
        p.drawRoundedRect(r, style.radius, style.radius);
        if (!caption.isEmpty()) {
            const int shift = look == Look::Pressed ? 1 : 0;
            const int flags = Qt::AlignCenter | (style.wordWrap ? Qt::TextWordWrap : 0);
            drawText(p, frame.translated(shift, shift), flags, caption,
                     look == Look::Disabled ? style.disabledText : style.text, uiFont(style.textPx, style.bold));
        }
    });
}

} // namespace samplegen
