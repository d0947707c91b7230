#include "panels.h"

#include "draw.h"
#include "icons.h"
#include "step_line.h"

#include <QPainterPath>
#include <stdexcept>

namespace samplegen::panels {

namespace {

// Geometry of the dialog, in pixels inside its picture.
constexpr int TabTop = 32;
constexpr int TabHeight = 20;
constexpr int TabLefts[DialogTabs + 1] = {8, 52, 96, 140}; // the last is the right edge of tab 3
const QRect PageArea(6, 51, 408, 244);
const QRect OkButton(260, 302, 75, 23);
// The cancel button is the dialog's back area: a click there goes one step back. Its left,
// top and width are stored in twips; the table reads the height from the last two digits of
// the left and the first two of the top, so the left is 5103 rather than 5100 to give the
// height 0345 (23 pixels).
constexpr int BackLeftTwips = 5103;
constexpr int BackTopTwips = 4530;
constexpr int BackWidthTwips = 1125;
constexpr int BackHeightTwips = 345;
const QRect CancelButton(BackLeftTwips / 15, BackTopTwips / 15, BackWidthTwips / 15, BackHeightTwips / 15);

const QStringList TabNames = {QStringLiteral("数字"), QStringLiteral("对齐"), QStringLiteral("字体")};

void dialogFrame(QPainter& p, const QString& caption)
{
    const QRect all(0, 0, DialogWidth, DialogHeight);
    p.fillRect(all, colours::DialogFace);
    fillVertical(p, QRect(0, 0, DialogWidth, 25), colours::TitleLight, colours::TitleDark);
    drawText(p, QRect(8, 0, 300, 25), Qt::AlignVCenter | Qt::AlignLeft, caption, Qt::white, uiFont(13, true));
    const QRect help(DialogWidth - 46, 3, 19, 19);
    const QRect close(DialogWidth - 24, 3, 19, 19);
    fillVertical(p, help, QColor(100, 160, 255), QColor(30, 90, 230));
    outline(p, help, Qt::white);
    drawText(p, help, Qt::AlignCenter, QStringLiteral("?"), Qt::white, uiFont(12, true));
    fillVertical(p, close, QColor(230, 120, 90), QColor(200, 60, 30));
    outline(p, close, Qt::white);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(close.left() + 5, close.top() + 5, close.right() - 5, close.bottom() - 5);
    p.drawLine(close.right() - 5, close.top() + 5, close.left() + 5, close.bottom() - 5);
    p.fillRect(0, 25, 3, DialogHeight - 25, colours::TitleDark);
    p.fillRect(DialogWidth - 3, 25, 3, DialogHeight - 25, colours::TitleDark);
    p.fillRect(0, DialogHeight - 3, DialogWidth, 3, colours::TitleDark);
}

void tabs(QPainter& p, int front)
{
    p.fillRect(PageArea, QColor(252, 252, 254));
    outline(p, PageArea, QColor(145, 155, 156));
    for (int i = 1; i <= DialogTabs; ++i) {
        QRect t(TabLefts[i - 1], TabTop, TabLefts[i] - TabLefts[i - 1], TabHeight);
        if (i == front) {
            t.adjust(-2, -2, 2, 0);
            p.fillRect(t, QColor(252, 252, 254));
            outline(p, t.adjusted(0, 0, 0, 1), QColor(145, 155, 156));
            p.fillRect(t.left(), t.top(), t.width(), 2, QColor(255, 200, 60));
            p.fillRect(t.left() + 1, t.bottom() + 1, t.width() - 2, 1, QColor(252, 252, 254));
        } else {
            fillVertical(p, t, Qt::white, QColor(236, 235, 230));
            outline(p, t, QColor(145, 155, 156));
        }
        drawText(p, t, Qt::AlignCenter, TabNames[i - 1], colours::Text, uiFont(12));
    }
}

void label(QPainter& p, int x, int y, const QString& text)
{
    drawText(p, QRect(x, y, 200, 16), Qt::AlignVCenter | Qt::AlignLeft, text, colours::Text, uiFont(12));
}

void group(QPainter& p, const QRect& r, const QString& title)
{
    p.setPen(QColor(208, 208, 191));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 3, 3);
    const int w = QFontMetrics(uiFont(12)).horizontalAdvance(title) + 6;
    p.fillRect(r.left() + 6, r.top() - 7, w, 14, QColor(252, 252, 254));
    drawText(p, QRect(r.left() + 9, r.top() - 8, w, 16), Qt::AlignVCenter | Qt::AlignLeft, title,
             QColor(0, 70, 213), uiFont(12));
}

void listBox(QPainter& p, const QRect& r, const QStringList& items, int selected)
{
    p.fillRect(r, Qt::white);
    outline(p, r, colours::FieldBorder);
    for (int i = 0; i < items.size(); ++i) {
        const QRect row(r.left() + 1, r.top() + 1 + i * 16, r.width() - 2, 16);
        if (row.bottom() >= r.bottom())
            break;
        const bool on = i == selected;
        if (on)
            p.fillRect(row, QColor(49, 106, 197));
        drawText(p, row.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, items[i],
                 on ? Qt::white : colours::Text, uiFont(12));
    }
}

void checkBox(QPainter& p, int x, int y, const QString& text, bool checked)
{
    const QRect box(x, y + 1, 13, 13);
    p.fillRect(box, Qt::white);
    outline(p, box, QColor(28, 81, 128));
    if (checked) {
        p.setPen(QPen(QColor(33, 161, 33), 2));
        p.drawLine(x + 3, y + 7, x + 5, y + 10);
        p.drawLine(x + 5, y + 10, x + 10, y + 4);
    }
    label(p, x + 18, y, text);
}

QString sampleText(Sample sample) { return sample == Sample::Title ? QStringLiteral("学生成绩表") : QStringLiteral("86"); }

void numberPage(QPainter& p, Sample sample)
{
    label(p, 16, 60, QStringLiteral("分类(C):"));
    listBox(p, QRect(16, 78, 120, 206),
            {QStringLiteral("常规"), QStringLiteral("数值"), QStringLiteral("货币"), QStringLiteral("会计专用"),
             QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("百分比"), QStringLiteral("分数"),
             QStringLiteral("科学记数"), QStringLiteral("文本"), QStringLiteral("特殊"), QStringLiteral("自定义")},
            0);
    group(p, QRect(150, 84, 254, 40), QStringLiteral("示例"));
    label(p, 160, 98, sampleText(sample));
    drawText(p, QRect(150, 140, 254, 60), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("常规单元格格式不包含任何特定的数字格式。"), colours::Text, uiFont(12));
}

const QRect MergeBox(26, 248, 110, 16);

void alignmentPage(QPainter& p, bool ticked)
{
    group(p, QRect(16, 68, 236, 104), QStringLiteral("文本对齐方式"));
    label(p, 26, 80, QStringLiteral("水平对齐(H):"));
    field(p, QRect(26, 98, 150, 20), QStringLiteral("常规"), true);
    label(p, 26, 124, QStringLiteral("垂直对齐(V):"));
    field(p, QRect(26, 142, 150, 20), QStringLiteral("居中"), true);
    group(p, QRect(16, 186, 236, 96), QStringLiteral("文本控制"));
    checkBox(p, 26, 200, QStringLiteral("自动换行(W)"), false);
    checkBox(p, 26, 224, QStringLiteral("缩小字体填充(K)"), false);
    checkBox(p, MergeBox.left(), MergeBox.top(), QStringLiteral("合并单元格(M)"), ticked);
    group(p, QRect(264, 68, 140, 160), QStringLiteral("方向"));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(120, 120, 120));
    p.drawArc(QRect(300, 90, 96, 120), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(348, 150), QPointF(396, 150));
    p.setRenderHint(QPainter::Antialiasing, false);
    drawText(p, QRect(272, 92, 20, 110), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("文本"), colours::Text,
             uiFont(12));
    field(p, QRect(300, 200, 40, 20), QStringLiteral("0"));
    label(p, 344, 202, QStringLiteral("度(D)"));
}

void fontPage(QPainter& p)
{
    label(p, 16, 60, QStringLiteral("字体(F):"));
    field(p, QRect(16, 78, 160, 20), QStringLiteral("宋体"));
    listBox(p, QRect(16, 100, 160, 84),
            {QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("楷体_GB2312"), QStringLiteral("仿宋_GB2312"),
             QStringLiteral("隶书")},
            0);
    label(p, 190, 60, QStringLiteral("字形(O):"));
    field(p, QRect(190, 78, 110, 20), QStringLiteral("常规"));
    listBox(p, QRect(190, 100, 110, 84),
            {QStringLiteral("常规"), QStringLiteral("倾斜"), QStringLiteral("加粗"), QStringLiteral("加粗 倾斜")}, 0);
    label(p, 314, 60, QStringLiteral("字号(S):"));
    field(p, QRect(314, 78, 90, 20), QStringLiteral("12"));
    listBox(p, QRect(314, 100, 90, 84),
            {QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14")},
            3);
    label(p, 16, 194, QStringLiteral("下划线(U):"));
    field(p, QRect(16, 212, 160, 20), QStringLiteral("无"), true);
    label(p, 190, 194, QStringLiteral("颜色(C):"));
    field(p, QRect(190, 212, 110, 20), QStringLiteral("自动"), true);
    group(p, QRect(190, 248, 214, 40), QStringLiteral("预览"));
    drawText(p, QRect(190, 256, 214, 30), Qt::AlignCenter, QStringLiteral("微软卓越 AaBbCc"), colours::Text,
             uiFont(12));
}

struct LocationEntry {
    const char16_t* text;
    int level;
    enum Glyph { Folder, Desktop, Computer, Drive } glyph;
};

constexpr LocationEntry LocationEntries[14] = {
    {u"我最近的文档", 0, LocationEntry::Folder}, {u"桌面", 0, LocationEntry::Desktop},
    {u"我的文档", 1, LocationEntry::Folder},     {u"我的电脑", 1, LocationEntry::Computer},
    {u"本地磁盘 (C:)", 2, LocationEntry::Drive}, {u"本地磁盘 (D:)", 2, LocationEntry::Drive},
    {u"本地磁盘 (E:)", 2, LocationEntry::Drive}, {u"本地磁盘 (F:)", 2, LocationEntry::Drive},
    {u"本地磁盘 (G:)", 2, LocationEntry::Drive}, {u"DVD 驱动器 (H:)", 2, LocationEntry::Drive},
    {u"可移动磁盘 (I:)", 2, LocationEntry::Drive}, {u"共享文档", 2, LocationEntry::Folder},
    {u"我的共享文档", 2, LocationEntry::Folder}, {u"网上邻居", 1, LocationEntry::Computer},
};

} // namespace

std::optional<Sample> sampleOf(const QString& shown)
{
    for (const Sample s : {Sample::Mark, Sample::Title})
        if (shown == sampleText(s))
            return s;
    return std::nullopt;
}

QChar layoutLetter(bool ticked, Sample sample)
{
    return QChar(u'A' + (sample == Sample::Title ? 2 : 0) + (ticked ? 1 : 0));
}

QString dialogPageCode(int tab, bool ticked, Sample sample)
{
    return QStringLiteral("3100%1").arg((sample == Sample::Title ? 20 : 0) + (ticked ? 23 : 19) + tab);
}

QRect dialogOkButton() { return OkButton; }
QRect mergeBox() { return MergeBox; }

QImage dialogPage(int tab, bool ticked, Sample sample)
{
    QImage image = canvas(DialogWidth, DialogHeight);
    QPainter p(&image);
    dialogFrame(p, QStringLiteral("单元格格式"));
    tabs(p, tab);
    switch (tab) {
    case 1: numberPage(p, sample); break;
    case 2: alignmentPage(p, ticked); break;
    default: fontPage(p); break;
    }
    dialogButton(p, OkButton, QStringLiteral("确定"), true);
    dialogButton(p, CancelButton, QStringLiteral("取消"));
    return image;
}

QStringList tabLayoutLines()
{
    QStringList lines;
    for (const Sample sample : {Sample::Mark, Sample::Title})
    for (const bool ticked : {false, true}) {
    FixedColumns a(151, u'0');
    a.put(1, 1, QString(layoutLetter(ticked, sample)));
    a.putNumber(2, 1, DialogTabs);
    a.putNumber(3, 4, twips(TabTop));
    a.putNumber(7, 3, twips(TabHeight));
    for (int i = 1; i <= DialogTabs + 1; ++i) {
        // The group after the last tab carries only the right edge of that tab.
        if (i <= DialogTabs)
            a.put(10 * i, 6, dialogPageCode(i, ticked, sample));
        a.putNumber(10 * i + 6, 4, twips(TabLefts[i - 1]));
    }
    a.putNumber(140, 4, BackLeftTwips);
    a.putNumber(144, 4, BackTopTwips);
    a.putNumber(148, 4, BackWidthTwips);
    if (a.text().mid(141, 4).toInt() != BackHeightTwips)
        throw std::logic_error("the back area's height does not come out of its left and top");
    lines << a.text();
    }
    return lines;
}

QString locationEntry(int i) { return QString::fromUtf16(LocationEntries[i].text); }

QImage locationList()
{
    QImage image = canvas(LocationListWidth, LocationListHeight, Qt::white);
    QPainter p(&image);
    // The closed face: an empty field (the window lays the chosen entry's picture on it) and
    // the arrow that opens the list.
    const QRect face(0, 0, LocationListWidth, 22);
    outline(p, face, colours::FieldBorder);
    const QRect arrow(face.right() - 17, 1, 17, 20);
    fillVertical(p, arrow, QColor(193, 211, 251), QColor(162, 189, 244));
    outline(p, arrow, QColor(185, 201, 239));
    dropArrow(p, arrow, QColor(77, 97, 133));
    const QRect list(0, 22, LocationListWidth, LocationListHeight - 22);
    outline(p, list, Qt::black);
    for (int i = 0; i < 14; ++i) {
        const LocationEntry& e = LocationEntries[i];
        const int x = 2 + 10 * e.level;
        const int y = 23 + 16 * i;
        const QPoint icon(x, y);
        switch (e.glyph) {
        case LocationEntry::Folder: drawFolderGlyph(p, icon); break;
        case LocationEntry::Desktop:
        case LocationEntry::Computer: drawComputerGlyph(p, icon); break;
        case LocationEntry::Drive: drawDriveGlyph(p, icon); break;
        }
        drawText(p, QRect(x + 20, y, 200, 16), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf16(e.text),
                 colours::Text, uiFont(12));
    }
    return image;
}

} // namespace samplegen::panels
