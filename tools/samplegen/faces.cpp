#include "faces.h"

#include "draw.h"

#include <QPainterPath>

namespace samplegen::faces {

namespace {

const QColor Deep{22, 58, 110};
const QColor Calm{44, 104, 168};
const QColor Accent{120, 200, 140};
const QColor Green{33, 115, 70};

QImage splash(const QString& brand, const QString& title)
{
    QImage image = canvas(400, 200);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    fillVertical(p, image.rect(), Calm, Deep);
    // A faint sheet grid at the top right, the one ornament; it stops above the status line.
    p.setPen(QColor(255, 255, 255, 28));
    for (int x = 220; x <= 400; x += 30)
        p.drawLine(x, 0, x, 118);
    for (int y = 10; y <= 118; y += 18)
        p.drawLine(220, y, 400, y);
    p.fillRect(QRect(281, 46, 30, 18), QColor(255, 255, 255, 40));
    drawText(p, QRect(0, 28, 400, 56), Qt::AlignCenter, brand, Qt::white, uiFont(42, true));
    drawText(p, QRect(0, 86, 400, 26), Qt::AlignCenter, title, QColor(220, 232, 250), uiFont(17));
    p.fillRect(QRect(120, 124, 160, 2), Accent);
    // The status line (white, about y 144 to 160) stays on the plain dark part below.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 399, 199));
    return image;
}

// The product's mark: a green rounded shape carrying a small white sheet ruled into cells.
void badge(QPainter& p, const QRectF& outer, qreal radius, const QRectF& sheet, int columns, int rows)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawRoundedRect(outer, radius, radius);
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(Green);
    for (int c = 1; c < columns; ++c) {
        const qreal x = sheet.left() + sheet.width() * c / columns;
        p.drawLine(QPointF(x, sheet.top()), QPointF(x, sheet.bottom()));
    }
    for (int r = 1; r < rows; ++r) {
        const qreal y = sheet.top() + sheet.height() * r / rows;
        p.drawLine(QPointF(sheet.left(), y), QPointF(sheet.right(), y));
    }
}

QImage windowIcon()
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    badge(p, QRectF(1, 1, 30, 30), 5, QRectF(7, 8, 18, 18), 3, 3);
    p.fillRect(QRectF(7, 8, 18, 4), Accent);
    return image;
}

QImage boxBackground()
{
    QImage image = canvas(370, 250, QColor(246, 249, 253));
    QPainter p(&image);
    fillVertical(p, QRect(0, 0, 370, 36), QColor(56, 112, 186), QColor(34, 82, 150));
    fillVertical(p, QRect(0, 180, 370, 70), QColor(246, 249, 253), QColor(226, 234, 245));
    p.fillRect(QRect(12, 180, 346, 1), QColor(200, 212, 230));
    outline(p, image.rect(), QColor(34, 82, 150));
    return image;
}

QImage boxLogo()
{
    QImage image = canvas(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Green);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    drawText(p, QRect(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("T"), Qt::white, uiFont(16, true));
    return image;
}

// The strip of a push button with its caption (none: the program writes one over it).
QImage pushStrip(const QString& caption, bool primary, QSize size = {90, 30}, int fontPx = 14)
{
    return strip(size.width(), size.height(), [&](QPainter& p, Look look, const QRect& frame) {
        const QRectF r = QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5);
        QColor top = primary ? QColor(92, 150, 222) : QColor(252, 252, 252);
        QColor bottom = primary ? QColor(44, 98, 176) : QColor(220, 228, 240);
        QColor border = primary ? QColor(30, 70, 140) : QColor(128, 146, 176);
        QColor text = primary ? Qt::white : QColor(30, 40, 60);
        switch (look) {
        case Look::Normal: break;
        case Look::Hover:
            top = top.lighter(112);
            bottom = bottom.lighter(112);
            border = QColor(232, 150, 40);
            break;
        case Look::Pressed: std::swap(top, bottom); break;
        case Look::Disabled:
            top = QColor(240, 240, 240);
            bottom = QColor(224, 224, 224);
            border = QColor(180, 180, 180);
            text = QColor(160, 160, 160);
            break;
        }
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(border, 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 4, 4);
        const int shift = look == Look::Pressed ? 1 : 0;
        drawText(p, frame.translated(shift, shift), Qt::AlignCenter, caption, text, uiFont(fontPx));
    });
}

// The question panel's face: a title strip over a light body.
QImage panelBackground()
{
    QImage image = canvas(332, 242, QColor(236, 243, 252));
    QPainter p(&image);
    fillVertical(p, QRect(0, 0, 332, 30), QColor(56, 112, 186), QColor(34, 82, 150));
    outline(p, image.rect(), QColor(34, 82, 150));
    return image;
}

// A number of the question list: not visited (white), visited (blue) or marked (orange).
QImage numberStrip(const QColor& fill)
{
    return strip(30, 30, [&](QPainter& p, Look look, const QRect& frame) {
        const QRectF r = QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5);
        p.setPen(QPen(look == Look::Hover ? QColor(232, 150, 40) : QColor(128, 146, 176), 1));
        p.setBrush(look == Look::Pressed ? fill.darker(115) : fill);
        p.drawRoundedRect(r, 3, 3);
    });
}

// The faces of the question panel's buttons, by their number.
std::vector<std::pair<QString, QImage>> panelFaces()
{
    const QSize narrow{48, 22};
    const QSize wide{58, 22};
    const std::pair<const char16_t*, QSize> buttons[] = {
        {u"上一题", narrow},   {u"下一题", narrow},   {u"重做本题", wide}, {u"标记本题", wide},
        {u"选题", narrow},     {u"返回菜单", wide},   {u"提示", wide},     {u"演示", wide},
        {u"交卷", wide},       {u"考生信息", wide},   {u"操作提示", wide}, {u"取消标记", wide}};
    std::vector<std::pair<QString, QImage>> faces;
    for (int i = 0; i < 12; ++i)
        faces.emplace_back(QStringLiteral("l010%1").arg(i, 2, 10, QChar(u'0')),
                           pushStrip(QString::fromUtf16(buttons[i].first), false, buttons[i].second, 12));
    faces.emplace_back(QStringLiteral("l01053"), pushStrip(QStringLiteral("标记"), false, wide, 12));
    faces.emplace_back(QStringLiteral("l01054"), pushStrip(QStringLiteral("取消标记"), false, wide, 12));
    faces.emplace_back(QStringLiteral("l01044"), pushStrip(QString(), false, wide, 12));
    faces.emplace_back(QStringLiteral("l01043"), pushStrip(QStringLiteral("▾"), false, {16, 18}, 10));
    faces.emplace_back(QStringLiteral("l01045"), pushStrip(QStringLiteral("返回"), false, {55, 22}, 12));
    faces.emplace_back(QStringLiteral("l01047"), pushStrip(QStringLiteral("上一页"), false, {55, 22}, 12));
    faces.emplace_back(QStringLiteral("l01048"), pushStrip(QStringLiteral("下一页"), false, {55, 22}, 12));
    faces.emplace_back(QStringLiteral("l01030"), numberStrip(Qt::white));
    faces.emplace_back(QStringLiteral("l01031"), numberStrip(QColor(190, 215, 245)));
    faces.emplace_back(QStringLiteral("l01032"), numberStrip(QColor(255, 200, 120)));
    faces.emplace_back(QStringLiteral("l01046"), panelBackground());
    return faces;
}

// A four-frame strip of a small square title-strip button: close (a cross) or the other one
// (a bar).
QImage squareStrip(bool close)
{
    return strip(22, 22, [&](QPainter& p, Look look, const QRect& frame) {
        const QRectF r = QRectF(frame).adjusted(1, 1, -1, -1);
        QColor glyph = Qt::white;
        if (look == Look::Hover || look == Look::Pressed) {
            p.setPen(Qt::NoPen);
            p.setBrush(close ? (look == Look::Hover ? QColor(232, 17, 35) : QColor(170, 10, 25))
                             : (look == Look::Hover ? QColor(255, 255, 255, 60) : QColor(0, 0, 0, 60)));
            p.drawRoundedRect(r, 3, 3);
        }
        if (look == Look::Disabled)
            glyph = QColor(255, 255, 255, 110);
        p.setPen(QPen(glyph, 1.8, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = QRectF(frame).center();
        if (close) {
            p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
            p.drawLine(c + QPointF(4.5, -4.5), c + QPointF(-4.5, 4.5));
        } else {
            p.drawLine(c + QPointF(-5, 3), c + QPointF(5, 3));
        }
    });
}

QImage logo(const QString& brand)
{
    QImage image = canvas(116, 23);
    QPainter p(&image);
    badge(p, QRectF(0, 0, 116, 23), 4, QRectF(5, 5, 13, 13), 2, 2);
    drawText(p, QRect(22, 0, 92, 23), Qt::AlignCenter, brand, Qt::white, uiFont(14, true));
    return image;
}

} // namespace

std::vector<std::pair<QString, QImage>> all(const QString& brand, const QString& title)
{
    std::vector<std::pair<QString, QImage>> faces{
        {QStringLiteral("l20059"), splash(brand, title)},
        {QStringLiteral("l62011"), windowIcon()},
        {QStringLiteral("l20069"), boxBackground()},
        {QStringLiteral("l20067"), boxLogo()},
        {QStringLiteral("l20000"), pushStrip(QStringLiteral("取消"), false)},
        {QStringLiteral("l20001"), pushStrip(QStringLiteral("确定"), true)},
        {QStringLiteral("l20002"), squareStrip(false)},
        {QStringLiteral("l20003"), squareStrip(true)},
        {QStringLiteral("l62009"), logo(brand)},
    };
    for (auto& face : panelFaces())
        faces.push_back(std::move(face));
    return faces;
}

} // namespace samplegen::faces
