#include "exam.h"

#include "draw.h"

namespace samplegen::exam {

namespace {

const QColor Teal{64, 128, 128};
using colours::Calm;
using colours::Deep;
using colours::Sky;

// Positions below are the windows' design twips divided by 15: the pictures are drawn for a
// 96-dpi screen, where the controls laid over them land on these pixels.

QImage loginBackground(const QString& heading, const QRect& card)
{
    QImage image = canvas(800, 600);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The window around the picture is plain teal: the picture's ground is the same, so that no
    // edge shows where the picture ends.
    p.fillRect(image.rect(), Teal);
    p.setPen(QPen(QColor(30, 80, 80), 1));
    p.setBrush(QColor(246, 250, 250));
    p.drawRoundedRect(card, 8, 8);
    fillVertical(p, QRect(card.left() + 1, card.top() + 1, card.width() - 2, 48), QColor(52, 120, 120), QColor(30, 90, 90));
    drawText(p, QRect(card.left(), card.top(), card.width(), 50), Qt::AlignCenter, heading, Qt::white, uiFont(22, true));
    return image;
}

QImage loginPanel()
{
    QImage image = loginBackground(QStringLiteral("全国专业技术人员计算机应用能力考试"), QRect(150, 110, 500, 340));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawText(p, QRect(180, 180, 440, 40), Qt::AlignCenter, QStringLiteral("考生登录"), Deep, uiFont(20, true));
    drawText(p, QRect(200, 296, 130, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("座 位 号："), Deep, uiFont(15, true));
    drawText(p, QRect(200, 327, 130, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("身份证号："), Deep, uiFont(15, true));
    const auto button = [&p](const QRect& r, const QString& caption) {
        fillVertical(p, r, QColor(92, 150, 222), QColor(44, 98, 176));
        p.setPen(QPen(Deep, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        drawText(p, r, Qt::AlignCenter, caption, Qt::white, uiFont(16, true));
    };
    button(QRect(285, 376, 89, 33), QStringLiteral("登 录"));
    button(QRect(444, 376, 89, 33), QStringLiteral("退 出"));
    return image;
}

QImage confirmationPanel()
{
    QImage image = loginBackground(QStringLiteral("请核对考生信息"), QRect(40, 110, 720, 340));
    QPainter p(&image);
    // The value labels (宋体 12 pt bold, 16 pixels) size themselves to their text with their
    // tops fixed by the window: each title is set in the same face and size from the same
    // top, so that title and value share one baseline.
    const auto title = [&p](int x, int y, const QString& text) {
        drawText(p, QRect(x - 130, y, 124, 18), Qt::AlignRight | Qt::AlignTop, text, Deep, songFont(16, true));
    };
    title(272, 174, QStringLiteral("姓　　名："));
    title(272, 196, QStringLiteral("座 位 号："));
    title(272, 220, QStringLiteral("场　　次："));
    title(167, 281, QStringLiteral("科　　目："));
    title(167, 306, QStringLiteral("身份证号："));
    title(167, 330, QStringLiteral("档 案 号："));
    title(167, 350, QStringLiteral("日　　期："));
    drawText(p, QRect(74, 505, 689, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正在进入考试，请稍候……"), Qt::white,
             uiFont(14));
    return image;
}

QImage reportBackground()
{
    QImage image = canvas(800, 600);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    fillVertical(p, QRect(0, 0, 800, 240), Calm, Deep);
    fillVertical(p, QRect(0, 240, 800, 360), Sky, QColor(246, 249, 254));
    // In 宋体 like the report's own labels.
    drawText(p, QRect(0, 90, 800, 60), Qt::AlignCenter, QStringLiteral("考 试 成 绩"), Qt::white, songFont(36, true));
    drawText(p, QRect(0, 150, 800, 40), Qt::AlignCenter, QStringLiteral("绿色为答对的题目，红色为答错的题目；点击题号查看题目"),
             QColor(220, 232, 250), songFont(16));
    return image;
}

// The examination windows' button strips: squarer corners, one caption line, greyed when off.
QImage button(int width, int height, const QString& caption, const QColor& top, const QColor& bottom, int textPx)
{
    return roundButton(width, height, caption, top, bottom, {.textPx = textPx, .radius = 4, .wordWrap = false});
}

QImage blue(int width, int height, const QString& caption, int textPx = 15)
{
    return button(width, height, caption, QColor(92, 150, 222), QColor(44, 98, 176), textPx);
}

// A white card with a thin blue border and rounded corners, filling the picture.
QImage card(int width, int height, qreal radius)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(160, 186, 222), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
    return image;
}

QImage paperCard()
{
    QImage image = card(294, 80, 6);
    QPainter p(&image);
    p.fillRect(QRect(1, 1, 5, 78), Calm);
    return image;
}

QImage randomPage()
{
    QImage image = card(560, 360, 8);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // In 宋体 like the panel's own labels.
    drawText(p, QRect(30, 30, 500, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("随机组卷"), Deep, songFont(24, true));
    drawText(p, QRect(30, 90, 500, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("从所有单元中随机抽取40道题目组成一套试卷，按正式考试的方式限时50分钟作答。\n\n"
                            "生成的试卷保存在“随机试卷”中，最多保存10套。"),
             QColor(51, 51, 51), songFont(16));
    return image;
}

} // namespace

std::vector<std::pair<QString, QImage>> faces()
{
    return {
        {QStringLiteral("9l0056"), loginPanel()},
        {QStringLiteral("9l0057"), confirmationPanel()},
        {QStringLiteral("9l0058"), reportBackground()},
        {QStringLiteral("l01033"), button(30, 30, QString(), QColor(120, 200, 140), QColor(50, 150, 80), 13)},
        {QStringLiteral("l01034"), button(30, 30, QString(), QColor(240, 120, 110), QColor(200, 50, 40), 13)},
        {QStringLiteral("l01035"), blue(128, 30, QStringLiteral("试卷回顾"))},
        {QStringLiteral("l01036"), blue(128, 30, QStringLiteral("错题复习"))},
        {QStringLiteral("l01037"), blue(58, 30, QStringLiteral("返回"))},
        {QStringLiteral("l01041"), blue(88, 28, QStringLiteral("交 卷"))},
        {QStringLiteral("l01042"), blue(88, 28, QStringLiteral("取 消"))},
        {QStringLiteral("l20047"), blue(85, 30, QStringLiteral("开始考试"), 14)},
        {QStringLiteral("l20048"), button(85, 30, QStringLiteral("开始考试"), QColor(120, 200, 140), QColor(50, 150, 80), 14)},
        {QStringLiteral("l20065"), paperCard()},
        {QStringLiteral("l20066"), randomPage()},
    };
}

} // namespace samplegen::exam
