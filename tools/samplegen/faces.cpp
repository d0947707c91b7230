#include "faces.h"

#include "bars.h"
#include "draw.h"
#include "sheet.h"

#include <QPainterPath>

namespace samplegen::faces {

namespace {

using colours::Accent;
using colours::Calm;
using colours::Deep;
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

// The background of the program's small windows: a dark top strip of 36 pixels for the logo,
// the title and the close button, and a band of `band` pixels for the buttons at the bottom (the
// confirmation box 370 x 250, the about box and the input-method dialog 420 x 280).
QImage boxBackground(int width, int height, int band)
{
    QImage image = canvas(width, height, QColor(246, 249, 253));
    QPainter p(&image);
    fillVertical(p, QRect(0, 0, width, 36), QColor(56, 112, 186), QColor(34, 82, 150));
    fillVertical(p, QRect(0, height - band, width, band), QColor(246, 249, 253), QColor(226, 234, 245));
    p.fillRect(QRect(12, height - band, width - 24, 1), QColor(200, 212, 230));
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
    const ButtonStyle style{.textPx = fontPx,
                            .text = primary ? QColor(Qt::white) : QColor(30, 40, 60),
                            .bold = false,
                            .radius = 4,
                            .wordWrap = false,
                            .hoverLighter = 112,
                            .border = primary ? QColor(30, 70, 140) : QColor(128, 146, 176),
                            .disabledTop = QColor(240, 240, 240),
                            .disabledBottom = QColor(224, 224, 224),
                            .disabledText = QColor(160, 160, 160),
                            .disabledBorder = QColor(180, 180, 180)};
    return roundButton(size.width(), size.height(), caption, primary ? QColor(92, 150, 222) : QColor(252, 252, 252),
                       primary ? QColor(44, 98, 176) : QColor(220, 228, 240), style);
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

// A list panel of the cover page (800 x 460): what the list holds on the left, the card with
// the two tick boxes and their counts on the right, where the cover places them.
QImage listPanel(const QString& title, const QStringList& lines)
{
    QImage image = canvas(800, 460, QColor(246, 249, 253));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    fillVertical(p, QRect(0, 0, 800, 460), QColor(250, 252, 255), QColor(226, 236, 248));
    drawText(p, QRect(40, 40, 320, 40), Qt::AlignLeft | Qt::AlignVCenter, title, Deep, uiFont(24, true));
    p.fillRect(QRect(40, 84, 300, 2), Accent);
    int y = 110;
    for (const QString& line : lines) {
        drawText(p, QRect(40, y, 320, 26), Qt::AlignLeft | Qt::AlignVCenter, line, QColor(50, 60, 80), uiFont(14));
        y += 30;
    }
    // The card: tick boxes at (385, 149) and (385, 179), counts from x 476, start button at 592.
    p.setPen(QPen(QColor(180, 198, 224), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(370.5, 112.5, 400, 196), 8, 8);
    drawText(p, QRect(385, 120, 200, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("选择练习范围"), Calm,
             uiFont(14, true));
    for (int row = 0; row < 2; ++row)
        drawText(p, QRect(502, 155 + 30 * row, 24, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("题"),
                 QColor(50, 60, 80), uiFont(13));
    return image;
}

// The logo stands on the simulated window at 10200, 8235 twips (1740 x 345): across the foot
// of the sheet-tab bar and the right end of the drawing toolbar, where the question panel
// usually covers it. It is that part of the window's chrome, with the brand set small into
// the toolbar's free end, so that it reads as part of the window when the panel is hidden.
QImage logo(const QString& brand)
{
    const QRect place(680, 549, 116, 23);
    QImage image = sheet::window(sheet::View{}).copy(place);
    QPainter p(&image);
    const int bar = bars::DrawingBarTop - place.top();
    drawText(p, QRect(0, bar, place.width() - 4, place.height() - bar), Qt::AlignVCenter | Qt::AlignRight, brand,
             QColor(60, 80, 120), uiFont(11));
    return image;
}

} // namespace

std::vector<std::pair<QString, QImage>> all(const QString& brand, const QString& title)
{
    std::vector<std::pair<QString, QImage>> faces{
        {QStringLiteral("l20059"), splash(brand, title)},
        {QStringLiteral("l62011"), windowIcon()},
        {QStringLiteral("l20069"), boxBackground(370, 250, 70)},
        {QStringLiteral("l20067"), boxLogo()},
        {QStringLiteral("l20000"), pushStrip(QStringLiteral("取消"), false)},
        {QStringLiteral("l20001"), pushStrip(QStringLiteral("确定"), true)},
        {QStringLiteral("l20002"), squareStrip(false)},
        {QStringLiteral("l20003"), squareStrip(true)},
        {QStringLiteral("l62009"), logo(brand)},
        {QStringLiteral("l20070"), boxBackground(420, 280, 50)},
        // The favourites and wrong-question panels and the operation-hint dialog's two buttons.
        {QStringLiteral("l20057"), listPanel(QStringLiteral("我的收藏"), {QStringLiteral("练习时点“标记”的题目都收在这里。"),
                                                                      QStringLiteral("在右边勾选要练习的范围，"),
                                                                      QStringLiteral("再点“开始练习”。")})},
        {QStringLiteral("l20058"), listPanel(QStringLiteral("我的错题"), {QStringLiteral("模拟考试中做错的题目都记在这里。"),
                                                                      QStringLiteral("在右边勾选要复习的范围，"),
                                                                      QStringLiteral("再点“开始练习”。")})},
        {QStringLiteral("l01038"), pushStrip(QStringLiteral("继续考试"), false, {128, 30})},
        {QStringLiteral("l01039"), pushStrip(QStringLiteral("我想立即看答案"), true, {128, 30})},
    };
    for (auto& face : panelFaces())
        faces.push_back(std::move(face));
    return faces;
}

} // namespace samplegen::faces
