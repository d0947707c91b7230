#include "cover.h"

#include "draw.h"

namespace samplegen::cover {

namespace {

using colours::Accent;
using colours::Calm;
using colours::Deep;
using colours::Orange;
using colours::Sky;

// The cover's button strips wrap long captions; their disabled frame is the "chosen" look of
// the cover's groups, lit, not greyed, unless asked for grey.
QImage button(int width, int height, const QString& caption, const QColor& top, const QColor& bottom, int textPx = 14,
              const QColor& text = Qt::white, bool greyWhenDisabled = false)
{
    ButtonStyle style{.textPx = textPx, .text = text, .disabledText = Deep};
    if (!greyWhenDisabled) {
        style.disabledTop = QColor(255, 214, 140);
        style.disabledBottom = Orange;
    }
    return roundButton(width, height, caption, top, bottom, style);
}

QImage plainButton(int width, int height, const QString& caption, int textPx = 14)
{
    return button(width, height, caption, QColor(92, 150, 222), QColor(44, 98, 176), textPx);
}

QImage lightButton(int width, int height, const QString& caption, int textPx = 13)
{
    return button(width, height, caption, QColor(252, 253, 255), QColor(214, 226, 243), textPx, Deep);
}

// A tick box with its caption, ticked or not (the chosen look of the filter buttons).
QImage tickBox(const QString& caption, bool ticked)
{
    return strip(80, 25, [&](QPainter& p, Look look, const QRect& frame) {
        const QRect box(frame.left() + 4, frame.top() + 6, 13, 13);
        p.setPen(QPen(look == Look::Hover ? Orange : Calm, 1));
        p.setBrush(Qt::white);
        p.drawRect(box);
        if (ticked) {
            p.setPen(QPen(Deep, 2));
            p.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
            p.drawLine(box.center().x(), box.bottom() - 3, box.right() - 2, box.top() + 3);
        }
        drawText(p, frame.adjusted(22, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, caption, Deep, uiFont(13));
    });
}

QImage windowPicture()
{
    QImage image = canvas(800, 600);
    QPainter p(&image);
    fillVertical(p, image.rect(), Sky, Qt::white);
    return image;
}

QImage homePicture(const QString& title)
{
    QImage image = canvas(800, 600);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    fillVertical(p, QRect(0, 0, 800, 200), Calm, Deep);
    fillVertical(p, QRect(0, 200, 800, 400), Sky, Qt::white);
    p.setPen(QColor(255, 255, 255, 28));
    for (int x = 480; x <= 800; x += 32)
        p.drawLine(x, 0, x, 200);
    for (int y = 8; y <= 200; y += 20)
        p.drawLine(480, y, 800, y);
    drawText(p, QRect(40, 60, 720, 60), Qt::AlignLeft | Qt::AlignVCenter, title, Qt::white, uiFont(34, true));
    drawText(p, QRect(40, 120, 720, 30), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("单元练习 · 模拟考试 · 收藏与错题"), QColor(220, 232, 250), uiFont(16));
    p.fillRect(QRect(40, 156, 160, 3), Accent);
    p.fillRect(QRect(0, 570, 800, 1), QColor(200, 212, 230));
    return image;
}

QImage topBar(const QString& title)
{
    QImage image = canvas(800, 110);
    QPainter p(&image);
    fillVertical(p, image.rect(), Calm, Deep);
    p.fillRect(QRect(0, 108, 800, 2), Accent);
    Q_UNUSED(title);
    return image;
}

QImage panelBackground()
{
    QImage image = canvas(800, 460);
    QPainter p(&image);
    fillVertical(p, image.rect(), Qt::white, Sky);
    return image;
}

QImage unitStrip()
{
    QImage image = canvas(186, 456);
    QPainter p(&image);
    fillVertical(p, image.rect(), QColor(214, 228, 247), QColor(186, 208, 238));
    outline(p, image.rect(), QColor(160, 186, 222));
    return image;
}

QImage chartGrid()
{
    QImage image = canvas(380, 258, Qt::white);
    QPainter p(&image);
    p.setPen(colours::GridLine);
    for (int y = 20; y <= 258; y += 24)
        p.drawLine(0, y, 380, y);
    // The total bar is part of the grid: always full, to the left of the two bars the window
    // sizes (design twips 4410 to 5310 across, 1980 down to the base line at 5550).
    fillVertical(p, QRect(112, 20, 60, 238), QColor(92, 150, 222), Calm);
    outline(p, image.rect(), QColor(160, 186, 222));
    return image;
}

// A round blue badge filling a square picture, two pixels in from its edge.
QImage disc(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Calm);
    p.drawEllipse(QRectF(2, 2, size - 4, size - 4));
    return image;
}

QImage chartTitle()
{
    QImage image = disc(60);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawRect(QRectF(16, 30, 8, 16));
    p.drawRect(QRectF(28, 20, 8, 26));
    p.drawRect(QRectF(40, 12, 8, 34));
    return image;
}

// The confirmation box's question (l20071) and notice (l20072) pictures.
QImage boxPicture(const QString& sign)
{
    QImage image = disc(48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawText(p, image.rect(), Qt::AlignCenter, sign, Qt::white, uiFont(28, true));
    return image;
}

} // namespace

std::vector<std::pair<QString, QImage>> faces(const QString& title)
{
    std::vector<std::pair<QString, QImage>> out = {
        {QStringLiteral("l20060"), windowPicture()},
        {QStringLiteral("l20051"), homePicture(title)},
        {QStringLiteral("l20052"), topBar(title)},
        {QStringLiteral("l20053"), panelBackground()},
        {QStringLiteral("l20054"), unitStrip()},
        {QStringLiteral("l20055"), chartGrid()},
        {QStringLiteral("l20064"), chartTitle()},
        {QStringLiteral("l20071"), boxPicture(QStringLiteral("?"))},
        {QStringLiteral("l20072"), boxPicture(QStringLiteral("i"))},
    };
    const auto face = [&out](int n, QImage image) { out.emplace_back(QStringLiteral("l200%1").arg(n, 2, 10, QChar(u'0')), std::move(image)); };

    const QString tiles[] = {QStringLiteral("单元练习"), QStringLiteral("模拟考试"), QStringLiteral("我的收藏"), QStringLiteral("错题复习")};
    for (int i = 0; i < 4; ++i)
        face(4 + i, plainButton(150, 150, tiles[i], 22));
    face(8, lightButton(36, 55, QStringLiteral("升级"), 11));
    face(11, lightButton(36, 55, QStringLiteral("帮助"), 11));
    face(12, lightButton(36, 55, QStringLiteral("网站"), 11));
    face(13, button(22, 22, QStringLiteral("–"), Calm, Deep, 14));
    face(14, button(22, 22, QStringLiteral("×"), Calm, Deep, 14));
    const QString tabs[] = {QStringLiteral("首页"), QStringLiteral("单元练习"), QStringLiteral("模拟考试"), QStringLiteral("我的收藏"),
                            QStringLiteral("错题复习")};
    for (int i = 0; i < 5; ++i)
        face(15 + i, button(82, 80, tabs[i], QColor(70, 130, 200), Deep, 15));
    face(20, plainButton(120, 40, QStringLiteral("开始学习"), 16));
    face(21, plainButton(120, 40, QStringLiteral("随机组卷"), 16));
    face(22, plainButton(120, 40, QStringLiteral("开始练习"), 16));
    face(23, lightButton(80, 25, QStringLiteral("清除")));
    face(24, plainButton(120, 40, QStringLiteral("开始练习"), 16));
    face(25, lightButton(80, 25, QStringLiteral("清除")));
    const QString paperTabs[] = {QStringLiteral("冲刺试卷"), QStringLiteral("模拟试卷"), QStringLiteral("随机组卷"), QStringLiteral("随机试卷")};
    for (int i = 0; i < 4; ++i)
        face(28 + i, lightButton(180, 50, paperTabs[i], 16));
    const QString help[] = {QStringLiteral("软件介绍"), QStringLiteral("备考指南"), QStringLiteral("考试大纲"), QStringLiteral("答题技巧"),
                            QStringLiteral("常见问题")};
    for (int i = 0; i < 5; ++i)
        face(32 + i, lightButton(180, 50, help[i], 16));
    const QString filters[] = {QStringLiteral("全部"), QStringLiteral("已学"), QStringLiteral("未学")};
    for (int i = 0; i < 3; ++i) {
        face(37 + i, lightButton(60, 25, filters[i]));
        face(87 + i, plainButton(60, 25, filters[i], 13));
    }
    const QString ticks[] = {QStringLiteral("未复习"), QStringLiteral("已复习"), QStringLiteral("未复习"), QStringLiteral("已复习")};
    for (int i = 0; i < 4; ++i) {
        face(40 + i, tickBox(ticks[i], false));
        face(90 + i, tickBox(ticks[i], true));
    }
    face(44, button(180, 58, QStringLiteral("所有单元"), QColor(70, 130, 200), Deep, 18));
    face(45, lightButton(180, 35, QString()));
    face(46, button(79, 37, QString(), QColor(150, 170, 200), QColor(110, 130, 165), 14, Qt::white, true));
    face(86, button(79, 37, QString(), QColor(70, 130, 200), Deep, 14, Qt::white, true));
    // Buttons without a command keep an empty face, so that every face the page loads is there.
    for (int n : {9, 10, 26, 27})
        face(n, canvas(4, 1));
    return out;
}

} // namespace samplegen::cover
