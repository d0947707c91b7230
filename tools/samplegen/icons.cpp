#include "icons.h"

#include "draw.h"

#include <QPainterPath>
#include <QPolygon>

namespace samplegen {

namespace {

const QColor Ink{64, 64, 64};
const QColor Blue{38, 92, 196};
const QColor Yellow{255, 214, 99};
const QColor YellowEdge{176, 132, 32};
const QColor Red{214, 40, 40};

void page(QPainter& p, int x, int y, int w, int h)
{
    const QPolygon shape({QPoint(x, y), QPoint(x + w - 4, y), QPoint(x + w - 1, y + 3),
                          QPoint(x + w - 1, y + h - 1), QPoint(x, y + h - 1)});
    p.setPen(QColor(110, 110, 110));
    p.setBrush(Qt::white);
    p.drawPolygon(shape);
    p.drawLine(x + w - 4, y, x + w - 4, y + 3);
    p.drawLine(x + w - 4, y + 3, x + w - 1, y + 3);
}

void textLines(QPainter& p, int x, int y, int w, int count, int step = 2)
{
    p.setPen(QColor(150, 150, 170));
    for (int i = 0; i < count; ++i)
        p.drawLine(x, y + i * step, x + w - 1, y + i * step);
}

void lens(QPainter& p, int cx, int cy, int r)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(70, 70, 70), 1.2));
    p.setBrush(QColor(170, 210, 250));
    p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), r, r);
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.drawLine(QPointF(cx + r * 0.7 + 0.5, cy + r * 0.7 + 0.5), QPointF(cx + r + 3, cy + r + 3));
    p.setRenderHint(QPainter::Antialiasing, false);
}

void letter(QPainter& p, const QRect& r, const QString& text, int pixelSize, bool bold,
            const QColor& colour, bool italic = false, bool underline = false)
{
    QFont font = uiFont(pixelSize, bold);
    font.setFamily(QStringLiteral("DejaVu Serif"));
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawText(p, r, Qt::AlignCenter, text, colour, font);
}

void colourBar(QPainter& p, const QColor& colour)
{
    p.fillRect(QRect(1, 13, 14, 3), colour);
}

void alignLines(QPainter& p, int mode)
{
    p.setPen(Ink);
    static constexpr int lengths[] = {12, 8, 12, 8, 12};
    for (int i = 0; i < 5; ++i) {
        const int len = lengths[i];
        const int x = mode == 0 ? 2 : mode == 1 ? 2 + (12 - len) / 2 : 14 - len;
        p.drawLine(x, 2 + i * 3, x + len - 1, 2 + i * 3);
    }
}

void arrowHead(QPainter& p, QPoint tip, int dx, int dy, const QColor& colour)
{
    // A small filled triangle pointing along (dx, dy), one of the four axis directions.
    p.setPen(colour);
    for (int i = 0; i < 4; ++i) {
        if (dx != 0)
            p.drawLine(tip.x() - dx * i, tip.y() - i, tip.x() - dx * i, tip.y() + i);
        else
            p.drawLine(tip.x() - i, tip.y() - dy * i, tip.x() + i, tip.y() - dy * i);
    }
}

void curvedArrow(QPainter& p, bool toLeft)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    if (toLeft) {
        path.moveTo(13, 13);
        path.cubicTo(14, 5, 8, 3, 4, 7);
    } else {
        path.moveTo(3, 13);
        path.cubicTo(2, 5, 8, 3, 12, 7);
    }
    p.setPen(QPen(Blue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Blue);
    p.setPen(Blue);
    if (toLeft)
        p.drawPolygon(QPolygon({QPoint(1, 9), QPoint(7, 9), QPoint(3, 3)}));
    else
        p.drawPolygon(QPolygon({QPoint(14, 9), QPoint(8, 9), QPoint(12, 3)}));
}

void bucket(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(230, 230, 230));
    p.drawPolygon(QPolygonF({QPointF(3, 6), QPointF(8, 1), QPointF(13, 6), QPointF(8, 11)}));
    p.setBrush(QColor(90, 160, 230));
    p.drawEllipse(QPointF(13, 9), 1.5, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void icon(QPainter& p, int e)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (e) {
    case 41: // new
        page(p, 2, 0, 12, 16);
        break;
    case 42: // open
        drawFolderGlyph(p, {0, 0});
        break;
    case 43: // save
        p.fillRect(1, 1, 14, 14, QColor(70, 100, 190));
        p.fillRect(4, 2, 8, 6, Qt::white);
        p.fillRect(5, 10, 6, 5, QColor(190, 190, 200));
        p.fillRect(9, 11, 1, 3, QColor(70, 100, 190));
        outline(p, QRect(1, 1, 14, 14), QColor(30, 50, 120));
        break;
    case 44: // permission
        page(p, 1, 0, 11, 14);
        p.fillRect(8, 9, 7, 6, QColor(220, 180, 40));
        outline(p, QRect(8, 9, 7, 6), YellowEdge);
        p.setPen(Ink);
        p.drawArc(9, 5, 5, 8, 0, 180 * 16);
        break;
    case 45: // e-mail
        page(p, 3, 0, 11, 10);
        p.fillRect(0, 7, 13, 8, Qt::white);
        outline(p, QRect(0, 7, 13, 8), QColor(90, 90, 90));
        p.setPen(QColor(90, 90, 90));
        p.drawLine(0, 7, 6, 11);
        p.drawLine(12, 7, 6, 11);
        break;
    case 46: // print
        p.fillRect(4, 1, 8, 6, Qt::white);
        outline(p, QRect(4, 1, 8, 6), QColor(110, 110, 110));
        p.fillRect(1, 6, 14, 6, QColor(180, 180, 190));
        outline(p, QRect(1, 6, 14, 6), QColor(80, 80, 90));
        p.fillRect(4, 11, 8, 4, Qt::white);
        outline(p, QRect(4, 11, 8, 4), QColor(110, 110, 110));
        p.fillRect(12, 8, 2, 1, QColor(60, 200, 60));
        break;
    case 47: // print preview
        page(p, 1, 0, 11, 15);
        textLines(p, 3, 4, 6, 3);
        lens(p, 9, 9, 3);
        break;
    case 48: // spelling
        letter(p, QRect(0, 0, 16, 9), QStringLiteral("ABC"), 7, true, Blue);
        p.setPen(QPen(QColor(0, 140, 0), 2));
        p.drawLine(4, 12, 7, 14);
        p.drawLine(7, 14, 13, 8);
        break;
    case 49: // research
        p.fillRect(1, 2, 9, 12, QColor(180, 40, 40));
        p.fillRect(3, 3, 6, 10, QColor(230, 90, 90));
        lens(p, 10, 8, 3);
        break;
    case 50: // cut
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Ink, 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10, 10));
        p.drawLine(QPointF(11, 1), QPointF(6, 10));
        p.setPen(QPen(Blue, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        break;
    case 51: // copy
        page(p, 1, 0, 9, 11);
        textLines(p, 3, 4, 4, 3);
        page(p, 6, 5, 9, 11);
        textLines(p, 8, 9, 4, 3);
        break;
    case 52: // paste
        p.fillRect(1, 2, 11, 13, QColor(179, 132, 60));
        outline(p, QRect(1, 2, 11, 13), QColor(110, 80, 30));
        p.fillRect(4, 1, 5, 3, QColor(200, 200, 200));
        page(p, 7, 6, 9, 10);
        break;
    case 53: // format painter
        p.fillRect(2, 1, 12, 5, Yellow);
        outline(p, QRect(2, 1, 12, 5), YellowEdge);
        p.fillRect(7, 6, 2, 3, Ink);
        p.fillRect(6, 9, 4, 6, QColor(120, 80, 40));
        break;
    case 54: // undo
        curvedArrow(p, true);
        break;
    case 55: // redo
        curvedArrow(p, false);
        break;
    case 56: // hyperlink
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(30, 90, 170), 1));
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QPointF(7, 7), 6, 6);
        p.setPen(QPen(QColor(40, 140, 60), 1));
        p.drawLine(QPointF(1.5, 7), QPointF(12.5, 7));
        p.drawEllipse(QPointF(7, 7), 2.5, 6);
        p.setPen(QPen(QColor(90, 90, 90), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(8, 10, 5, 3), 1.5, 1.5);
        p.drawRoundedRect(QRectF(11, 12, 4, 3), 1.5, 1.5);
        break;
    case 86: // sum
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("Σ"), 15, true, Ink);
        break;
    case 58: // sort ascending
    case 59: // sort descending
        letter(p, QRect(0, -1, 9, 9), e == 58 ? QStringLiteral("A") : QStringLiteral("Z"), 8, true, Ink);
        letter(p, QRect(0, 7, 9, 9), e == 58 ? QStringLiteral("Z") : QStringLiteral("A"), 8, true, Ink);
        p.setPen(Blue);
        p.drawLine(12, 1, 12, 13);
        arrowHead(p, QPoint(12, 15), 0, 1, Blue);
        break;
    case 60: // chart wizard
        p.fillRect(1, 8, 4, 7, QColor(60, 110, 210));
        p.fillRect(6, 3, 4, 12, QColor(210, 60, 60));
        p.fillRect(11, 6, 4, 9, QColor(240, 200, 40));
        p.setPen(Ink);
        p.drawLine(0, 15, 15, 15);
        break;
    case 61: // drawing
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QColor(150, 110, 0));
        p.setBrush(Yellow);
        p.drawEllipse(QPointF(5.5, 5.5), 4.5, 4.5);
        p.setPen(QColor(30, 60, 140));
        p.setBrush(QColor(90, 140, 230));
        p.drawRect(QRectF(7.5, 7.5, 7, 7));
        p.setPen(QPen(Red, 1.3));
        p.drawLine(QPointF(1, 15), QPointF(7, 10));
        break;
    case 63: // help
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QColor(20, 60, 160));
        p.setBrush(QColor(60, 120, 220));
        p.drawEllipse(QPointF(8, 8), 7, 7);
        drawText(p, QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"), Qt::white, uiFont(12, true));
        break;
    case 64: // pivot table
        p.fillRect(1, 1, 14, 14, Qt::white);
        p.fillRect(1, 1, 14, 4, QColor(90, 130, 210));
        p.fillRect(1, 1, 4, 14, QColor(90, 130, 210));
        p.setPen(QColor(120, 120, 140));
        for (int i = 1; i <= 15; i += 4) {
            p.drawLine(i, 1, i, 14);
            p.drawLine(1, i, 14, i);
        }
        break;
    case 65: // new comment
        p.fillRect(1, 3, 12, 10, QColor(255, 255, 180));
        outline(p, QRect(1, 3, 12, 10), QColor(120, 120, 60));
        textLines(p, 3, 6, 7, 3);
        p.setPen(Red);
        p.drawLine(13, 0, 13, 6);
        p.drawLine(10, 3, 16, 3);
        break;
    case 66: // autofilter
        p.setPen(QColor(40, 40, 120));
        p.setBrush(QColor(120, 150, 230));
        p.drawPolygon(QPolygon({QPoint(1, 2), QPoint(14, 2), QPoint(9, 8), QPoint(9, 14), QPoint(6, 12), QPoint(6, 8)}));
        break;
    case 69:
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("B"), 13, true, Ink);
        break;
    case 70:
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("I"), 13, true, Ink, true);
        break;
    case 71:
        letter(p, QRect(0, -1, 16, 16), QStringLiteral("U"), 12, true, Ink);
        p.fillRect(3, 14, 10, 1, Ink);
        break;
    case 72:
    case 73:
    case 74:
        alignLines(p, e - 72);
        break;
    case 75: // merge and centre
        p.fillRect(0, 3, 16, 10, Qt::white);
        outline(p, QRect(0, 3, 16, 10), QColor(100, 100, 100));
        letter(p, QRect(0, 3, 16, 10), QStringLiteral("a"), 9, true, Blue);
        arrowHead(p, QPoint(1, 8), -1, 0, Ink);
        arrowHead(p, QPoint(14, 8), 1, 0, Ink);
        break;
    case 76: // currency
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("¥"), 13, true, QColor(0, 110, 0));
        break;
    case 77: // percent
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("%"), 12, true, Ink);
        break;
    case 78: // thousands separator
        letter(p, QRect(0, -4, 16, 16), QStringLiteral(","), 16, true, Ink);
        break;
    case 79: // more decimals
    case 80: // fewer decimals
        letter(p, QRect(0, -1, 16, 8), e == 79 ? QStringLiteral(".0") : QStringLiteral(".00"), 7, false, Ink);
        letter(p, QRect(3, 7, 13, 8), e == 79 ? QStringLiteral(".00") : QStringLiteral(".0"), 7, false, Ink);
        p.setPen(Blue);
        p.drawLine(1, 11, 4, 11);
        arrowHead(p, QPoint(1, 11), -1, 0, Blue);
        break;
    case 81: // decrease indent
    case 82: // increase indent
        p.setPen(Ink);
        for (int i = 0; i < 5; ++i)
            p.drawLine(i == 0 || i == 4 ? 1 : 7, 2 + i * 3, 14, 2 + i * 3);
        p.setPen(Blue);
        p.drawLine(1, 8, 5, 8);
        arrowHead(p, e == 81 ? QPoint(1, 8) : QPoint(5, 8), e == 81 ? -1 : 1, 0, Blue);
        break;
    case 83: // borders
        p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
        p.drawRect(1, 1, 13, 13);
        p.drawLine(8, 1, 8, 14);
        p.drawLine(1, 8, 14, 8);
        p.fillRect(1, 14, 14, 2, Ink);
        break;
    case 24:
    case 84: // fill colour
        bucket(p);
        colourBar(p, Qt::yellow);
        break;
    case 25: // line colour
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Ink, 2));
        p.drawLine(QPointF(4, 11), QPointF(12, 2));
        p.setRenderHint(QPainter::Antialiasing, false);
        colourBar(p, Qt::black);
        break;
    case 26:
    case 85: // font colour
        letter(p, QRect(0, -2, 16, 15), QStringLiteral("A"), 12, true, Ink);
        colourBar(p, Qt::red);
        break;
    case 12: { // select objects
        const QPolygon arrow({QPoint(4, 1), QPoint(4, 13), QPoint(7, 10), QPoint(9, 15), QPoint(11, 14),
                              QPoint(9, 9), QPoint(13, 9)});
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        break;
    }
    case 14: // line
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Ink, 1.3));
        p.drawLine(QPointF(2, 14), QPointF(14, 2));
        break;
    case 15: // arrow
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Ink, 1.3));
        p.drawLine(QPointF(2, 14), QPointF(13, 3));
        p.setBrush(Ink);
        p.drawPolygon(QPolygonF({QPointF(14, 2), QPointF(8, 4), QPointF(12, 8)}));
        break;
    case 16: // rectangle
        p.setPen(Ink);
        p.setBrush(Qt::white);
        p.drawRect(1, 3, 13, 10);
        break;
    case 17: // ellipse
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Ink);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.5, 3.5, 13, 10));
        break;
    case 18: // text box
    case 19: // vertical text box
        p.setPen(Ink);
        p.setBrush(Qt::white);
        p.drawRect(1, 1, 13, 13);
        p.setPen(Blue);
        for (int i = 0; i < 3; ++i) {
            if (e == 18)
                p.drawLine(4, 4 + i * 3, 11, 4 + i * 3);
            else
                p.drawLine(11 - i * 3, 4, 11 - i * 3, 11);
        }
        break;
    case 20: // WordArt
        letter(p, QRect(0, 0, 16, 16), QStringLiteral("A"), 15, true, Blue, true);
        break;
    case 21: // diagram
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QColor(40, 90, 40));
        p.setBrush(QColor(110, 200, 110));
        p.drawEllipse(QPointF(8, 3.5), 2.5, 2.5);
        p.drawEllipse(QPointF(3.5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(12.5, 12), 2.5, 2.5);
        p.drawLine(QPointF(8, 6), QPointF(4, 9.5));
        p.drawLine(QPointF(8, 6), QPointF(12, 9.5));
        break;
    case 22: // clip art
        p.fillRect(1, 1, 14, 14, QColor(255, 250, 220));
        outline(p, QRect(1, 1, 14, 14), QColor(150, 120, 60));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 120, 40));
        p.drawEllipse(QPointF(6, 7), 3, 3);
        p.setBrush(QColor(60, 160, 60));
        p.drawEllipse(QPointF(10, 10), 3, 3);
        break;
    case 23: // picture from file
        p.fillRect(1, 2, 14, 12, QColor(170, 210, 250));
        outline(p, QRect(1, 2, 14, 12), QColor(90, 90, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(QPolygon({QPoint(2, 13), QPoint(6, 7), QPoint(9, 11), QPoint(11, 9), QPoint(14, 13)}));
        p.setBrush(Qt::yellow);
        p.drawEllipse(10, 3, 3, 3);
        break;
    case 27: // line style
        for (int i = 0; i < 4; ++i)
            p.fillRect(1, 2 + i * 4, 14, i + 1, Ink);
        break;
    case 28: // dash style
        p.setPen(QPen(Ink, 1, Qt::DashLine));
        for (int i = 0; i < 4; ++i)
            p.drawLine(1, 2 + i * 4, 14, 2 + i * 4);
        break;
    case 29: // arrow style
        p.setPen(Ink);
        for (int i = 0; i < 3; ++i) {
            p.drawLine(1, 3 + i * 5, 13, 3 + i * 5);
            arrowHead(p, QPoint(14, 3 + i * 5), 1, 0, Ink);
        }
        break;
    case 30: // shadow
        p.fillRect(4, 4, 11, 11, QColor(140, 140, 140));
        p.fillRect(1, 1, 11, 11, Qt::white);
        outline(p, QRect(1, 1, 11, 11), Ink);
        break;
    case 31: { // 3-D
        p.setPen(Ink);
        p.setBrush(QColor(200, 200, 200));
        p.drawPolygon(QPolygon({QPoint(1, 5), QPoint(5, 1), QPoint(14, 1), QPoint(10, 5)}));
        p.setBrush(QColor(150, 150, 150));
        p.drawPolygon(QPolygon({QPoint(10, 5), QPoint(14, 1), QPoint(14, 10), QPoint(10, 14)}));
        p.setBrush(Qt::white);
        p.drawRect(1, 5, 9, 9);
        break;
    }
    default:
        p.fillRect(3, 3, 10, 10, QColor(200, 210, 230));
        outline(p, QRect(3, 3, 10, 10), QColor(110, 120, 150));
        break;
    }
}

} // namespace

void drawIcon(QPainter& p, int element, QPoint origin)
{
    p.save();
    p.translate(origin);
    icon(p, element);
    p.restore();
}

void drawPageGlyph(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    page(p, 2, 0, 12, 16);
    textLines(p, 4, 5, 7, 4);
    p.restore();
}

void drawFolderGlyph(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(YellowEdge);
    p.setBrush(Yellow);
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 14), QPoint(1, 14)}));
    p.setBrush(QColor(255, 232, 150));
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 14), QPoint(1, 14)}));
    p.restore();
}

void drawComputerGlyph(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    p.fillRect(1, 1, 14, 10, QColor(200, 200, 205));
    p.fillRect(3, 3, 10, 6, QColor(60, 120, 220));
    outline(p, QRect(1, 1, 14, 10), QColor(80, 80, 90));
    p.fillRect(5, 12, 6, 2, QColor(150, 150, 155));
    p.fillRect(3, 14, 10, 2, QColor(120, 120, 125));
    p.restore();
}

void drawDriveGlyph(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    p.fillRect(1, 5, 14, 7, QColor(205, 205, 210));
    outline(p, QRect(1, 5, 14, 7), QColor(90, 90, 100));
    p.fillRect(11, 8, 2, 2, QColor(40, 190, 60));
    p.restore();
}

void drawSheetGlyph(QPainter& p, QPoint origin)
{
    p.save();
    p.translate(origin);
    p.fillRect(1, 1, 14, 14, Qt::white);
    p.fillRect(1, 1, 14, 3, QColor(33, 115, 70));
    p.setPen(QColor(33, 115, 70));
    p.drawRect(1, 1, 13, 13);
    for (int x = 5; x < 15; x += 4)
        p.drawLine(x, 4, x, 14);
    for (int y = 7; y < 15; y += 3)
        p.drawLine(1, y, 14, y);
    p.restore();
}

} // namespace samplegen
