#include "menus.h"

#include "draw.h"
#include "menu_texts.h"
#include "simmenus/menu_layouts.h"

#include <QPainterPath>
#include <array>

namespace samplegen::menus {

namespace {

using simmenus::ItemSpot;
namespace chrome = simmenus::chrome;

// The layouts are in twips; the pictures in pixels of a 96-dpi screen.
QRect px(const QRect& tw) { return {tw.x() / 15, tw.y() / 15, (tw.width() + 14) / 15, (tw.height() + 14) / 15}; }

// A drop-down picture ends a margin of two pixels past its lowest and rightmost item.
QSize pictureSize(const std::vector<ItemSpot>& spots)
{
    int right = 0;
    int bottom = 0;
    for (const ItemSpot& s : spots) {
        right = std::max(right, s.rect.x() + s.rect.width());
        bottom = std::max(bottom, s.rect.y() + s.rect.height());
    }
    return px(QRect(0, 0, right + 30, bottom + 30)).size();
}

const QColor MenuFace{252, 252, 249};
const QColor StripeLeft{227, 239, 255};
const QColor StripeRight{135, 173, 228};
const QColor MenuBorder{0, 45, 150};
const QColor Separator{106, 140, 203};
constexpr int StripeWidth = 24;

// The forty colours of the palettes, row by row.
constexpr std::array<QRgb, 40> PaletteColours{
    0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
    0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
    0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x969696,
    0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
    0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
};

enum class Kind { Menu, List, LineStyles, Palette, StyleGrid, ShapeGrid };

Kind kindOf(int element)
{
    if (simmenus::isPalette(element))
        return Kind::Palette;
    switch (element) {
    // The task pane's list is a plain list of links, in groups.
    case 32: case 62: case 67: case 68: return Kind::List;
    case 27: case 28: case 29: return Kind::LineStyles;
    case 30: case 31: case 83: return Kind::StyleGrid;
    default: return Kind::Menu;
    }
}

// The texts of the wide items of grids, by element.
QStringList wideTexts(int element)
{
    switch (element) {
    case 24: return {QStringLiteral("无填充颜色"), QStringLiteral("其他填充颜色(M)..."), QStringLiteral("填充效果(F)...")};
    case 25: return {QStringLiteral("无线条颜色"), QStringLiteral("其他线条颜色(M)..."), QStringLiteral("带图案线条(P)...")};
    case 26: return {QStringLiteral("自动"), QStringLiteral("其他颜色(M)..."), QString()};
    case 33: return {QStringLiteral("无填充颜色"), QStringLiteral("其他颜色(M)...")};
    case 84: return {QStringLiteral("无填充颜色")};
    case 85: return {QStringLiteral("自动")};
    case 30: return {QStringLiteral("无阴影"), QStringLiteral("阴影设置(S)...")};
    case 31: return {QStringLiteral("无三维效果"), QStringLiteral("三维设置(S)...")};
    case 83: return {QStringLiteral("绘图边框(W)...")};
    default: return {};
    }
}

int cellCount(int element)
{
    switch (element) {
    case 30: case 31: return 20;
    case 83: return 12;
    default: return simmenus::isPalette(element) ? 40 : 0;
    }
}

void frame(QPainter& p, const QSize& size)
{
    outline(p, QRect(QPoint(0, 0), size), MenuBorder);
}

// One row of a list: its text, and the arrow of an item that opens a cascade.
void menuRow(QPainter& p, const QRect& r, const QString& text, bool stripe, bool cascade)
{
    drawText(p, r.adjusted(stripe ? StripeWidth + 6 : 4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text,
             colours::Text, uiFont(12));
    if (cascade) {
        const QRect a(r.right() - 14, r.top(), 10, r.height());
        QPainterPath tri;
        tri.moveTo(a.left() + 3, a.center().y() - 4);
        tri.lineTo(a.left() + 7, a.center().y());
        tri.lineTo(a.left() + 3, a.center().y() + 4);
        p.fillPath(tri, colours::Text);
    }
}

void hoverFace(QPainter& p, const QRect& r)
{
    p.fillRect(r, colours::HoverFill);
    outline(p, r, colours::HoverBorder);
}

// A colour cell: a swatch with a thin grey edge in the middle of its hot spot.
void cell(QPainter& p, const QRect& r, int k)
{
    const QRect swatch(r.center().x() - 5, r.center().y() - 5, 11, 11);
    p.fillRect(swatch, QColor(PaletteColours[static_cast<std::size_t>(k - 1)]));
    outline(p, swatch, colours::GreyText);
}

// The little pictures of the style grids and shape cascades, one per cell number.
void styleCell(QPainter& p, const QRect& r, int element, int k)
{
    p.save();
    p.setPen(QPen(colours::Text, 1));
    const QRect box = r.adjusted(5, 5, -6, -6);
    if (element == 83) {
        p.setPen(QPen(colours::GreyText, 1, Qt::DotLine));
        p.drawRect(box);
        p.setPen(QPen(colours::Text, k > 8 ? 2 : 1));
        if (k % 4 != 1) p.drawLine(box.bottomLeft(), box.bottomRight());
        if (k % 4 == 2 || k % 4 == 0) p.drawLine(box.topLeft(), box.topRight());
        if (k % 3 == 0) p.drawLine(box.topLeft(), box.bottomLeft());
        if (k % 2 == 0) p.drawLine(box.topRight(), box.bottomRight());
    } else {
        const int off = 1 + k % 4;
        p.fillRect(box.translated(off, off), element == 30 ? colours::GreyText : colours::BarShadow);
        p.fillRect(box, Qt::white);
        p.drawRect(box);
    }
    p.restore();
}

void shapeCell(QPainter& p, const QRect& r, int k)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colours::Text, 1));
    p.setBrush(Qt::NoBrush);
    const QRect b = r.adjusted(5, 5, -5, -5);
    switch (k % 5) {
    case 0: p.drawLine(b.bottomLeft(), b.topRight()); break;
    case 1: p.drawRect(b); break;
    case 2: p.drawEllipse(b); break;
    case 3: p.drawPolygon(QPolygon({QPoint(b.center().x(), b.top()), b.bottomRight(), b.bottomLeft()})); break;
    default: p.drawRoundedRect(b, 3, 3); break;
    }
    p.restore();
}

// A line style row: a line of the row's thickness, dash or arrow.
void lineRow(QPainter& p, const QRect& r, int element, int k)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const int y = r.center().y();
    if (element == 27 && k == 14) {
        drawText(p, r.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("其他线条(M)..."),
                 colours::Text, uiFont(12));
    } else if (element == 29 && k == 12) {
        drawText(p, r.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("其他箭头(M)..."),
                 colours::Text, uiFont(12));
    } else if (element == 27) {
        const int width = k <= 9 ? 1 + (k - 1) / 2 : 3;
        p.setPen(QPen(colours::Text, width));
        p.drawLine(r.left() + 50, y, r.right() - 6, y);
        if (k >= 10)
            p.drawLine(r.left() + 50, y + width + 1, r.right() - 6, y + width + 1);
        drawText(p, QRect(r.left() + 2, r.top(), 46, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                 QStringLiteral("%1 磅").arg(0.25 * k), colours::Text, uiFont(10));
    } else if (element == 28) {
        QPen pen(colours::Text, 2);
        pen.setStyle(static_cast<Qt::PenStyle>(1 + (k - 1) % 5));
        p.setPen(pen);
        p.drawLine(r.left() + 4, y, r.right() - 6, y);
    } else {
        p.setPen(QPen(colours::Text, 1));
        p.drawLine(r.left() + 6, y, r.right() - 8, y);
        if (k > 1) {
            p.setBrush(colours::Text);
            const int x = k % 2 ? r.left() + 6 : r.right() - 8;
            const int d = k % 2 ? 5 : -5;
            p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + d, y - 3), QPoint(x + d, y + 3)}));
        }
    }
    p.restore();
}

// Draws one item of a drop-down (of element) or a cascade (key) into r.
struct Painter {
    int element;  // the drop-down's element, or 0 for a cascade
    int key;      // the cascade key, or 0
    QStringList texts;

    QString text(int k) const { return texts.value(k - 1); }

    void item(QPainter& p, const QRect& r, int k, bool hover) const
    {
        if (hover)
            hoverFace(p, r);
        if (key >= 1301 && key <= 1307) {
            shapeCell(p, r, k);
            return;
        }
        if (key) {
            menuRow(p, r, text(k), true, false);
            return;
        }
        const int cells = cellCount(element);
        switch (kindOf(element)) {
        case Kind::Menu: menuRow(p, r, text(k), true, simmenus::opensCascade(element, k)); break;
        case Kind::List: menuRow(p, r, text(k), false, false); break;
        case Kind::LineStyles: lineRow(p, r, element, k); break;
        case Kind::Palette:
        case Kind::StyleGrid:
        case Kind::ShapeGrid:
            if (k <= cells) {
                if (kindOf(element) == Kind::Palette)
                    cell(p, r, k);
                else
                    styleCell(p, r, element, k);
            } else {
                drawText(p, r, Qt::AlignCenter, wideTexts(element).value(k - cells - 1), colours::Text, uiFont(12));
            }
            break;
        }
    }

    bool stripe() const { return key ? !(key >= 1301 && key <= 1307) : kindOf(element) == Kind::Menu; }

    QImage picture(const std::vector<ItemSpot>& spots) const
    {
        const QSize size = pictureSize(spots);
        QImage image = canvas(size.width(), size.height(), MenuFace);
        QPainter p(&image);
        if (stripe())
            fillHorizontal(p, QRectF(1, 1, StripeWidth, size.height() - 2), StripeLeft, StripeRight);
        // A separator in every gap between two rows of a list.
        const bool rows = stripe() || (key == 0 && kindOf(element) == Kind::List);
        const int ruleLeft = stripe() ? StripeWidth + 6 : 4;
        for (std::size_t i = 0; rows && i + 1 < spots.size(); ++i) {
            const QRect a = px(spots[i].rect);
            const QRect b = px(spots[i + 1].rect);
            if (b.top() - (a.top() + a.height()) >= 2) {
                const int y = (a.top() + a.height() + b.top()) / 2;
                p.fillRect(ruleLeft, y, size.width() - ruleLeft - 4, 1, Separator);
            }
        }
        for (const ItemSpot& s : spots)
            if (!s.rect.isEmpty())
                item(p, px(s.rect), s.no, false);
        frame(p, size);
        return image;
    }

    QImage hover(const ItemSpot& s) const
    {
        const QRect r = px(s.rect);
        QImage image = canvas(r.width(), r.height(), MenuFace);
        QPainter p(&image);
        item(p, QRect(QPoint(0, 0), r.size()), s.no, true);
        return image;
    }
};

std::vector<int> dropDownElements()
{
    std::vector<int> elements;
    for (int e = 1; e <= 86; ++e)
        if (!simmenus::dropDownItems(e, 1, 1).empty())
            elements.push_back(e);
    return elements;
}

// A round navigation button of the task pane: a green disc with a white arrow, or a house.
void navButton(QPainter& p, const QRect& r, int kind)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 150, 60));
    p.drawEllipse(r);
    p.setBrush(Qt::white);
    const QPointF c = QRectF(r).center();
    if (kind == 2) {
        p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - 5), QPointF(c.x() + 5, c.y()), QPointF(c.x() - 5, c.y())}));
        p.drawRect(QRectF(c.x() - 3, c.y(), 6, 4));
    } else {
        const double d = kind == 0 ? -1 : 1;
        p.drawPolygon(QPolygonF({QPointF(c.x() + 4 * d, c.y()), QPointF(c.x() - 2 * d, c.y() - 5), QPointF(c.x() - 2 * d, c.y() + 5)}));
    }
    p.restore();
}

// The task pane's head: its title, whose arrow opens the list of what the pane offers, the
// close box, and under them the navigation buttons and the search field. The pane's list is
// its drop-down, below the head. The title strip is what lights up under the pointer and
// when pressed.
void taskPaneHead(QPainter& p, const QSize& size, bool hover, bool pressed)
{
    const QRect strip(0, 0, size.width(), 20);
    if (hover || pressed)
        p.fillRect(strip, pressed ? colours::OpenTop : colours::HoverFill);
    else
        fillVertical(p, strip, colours::BarTop, colours::DockRight);
    drawText(p, QRect(6, 0, 120, 20), Qt::AlignVCenter | Qt::AlignLeft, paneTitle(32), colours::Text, uiFont(12, true));
    dropArrow(p, QRect(size.width() - 34, 2, 14, 16), colours::Text);
    p.save();
    p.setPen(QPen(colours::Text, 1.5));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF x(size.width() - 15, 6, 8, 8);
    p.drawLine(x.topLeft(), x.bottomRight());
    p.drawLine(x.topRight(), x.bottomLeft());
    p.restore();
    p.fillRect(0, 20, size.width(), size.height() - 20, MenuFace);
    for (int b = 0; b < 3; ++b)
        navButton(p, QRect(6 + 20 * b, 24, 16, 16), b);
    drawText(p, QRect(72, 20, 34, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("搜索:"), colours::Text, uiFont(12));
    field(p, QRect(106, 23, size.width() - 112, 18));
    outline(p, QRect(QPoint(0, 0), size), colours::FieldBorder);
    if (hover || pressed)
        outline(p, strip, pressed ? colours::OpenBorder : colours::HoverBorder);
}

// A floating pane: the task pane's head, a menu title standing where the bar's own title is
// (36 and 37), the title strip of a palette torn off its button (33 and 34, as wide as the
// palette that hangs under it), or a small titled pane.
QImage panePicture(int element, bool hover, bool pressed)
{
    const bool title = element == 36 || element == 37;
    QSize size(180, 44);
    if (title)
        size = QSize(58, 18);
    else if (simmenus::isPalette(element))
        size = QSize(pictureSize(simmenus::dropDownItems(element, 1, 1)).width(), 18);
    else if (element == 32)
        size = QSize(190, 44);
    QImage image = canvas(size.width(), size.height(), colours::DockRight);
    QPainter p(&image);
    const QRect all(QPoint(0, 0), size);
    if (title) {
        if (hover || pressed)
            p.fillRect(all, pressed ? colours::OpenTop : colours::HoverFill);
        drawText(p, all, Qt::AlignCenter, paneTitle(element), colours::Text, uiFont(12));
    } else if (element == 32) {
        taskPaneHead(p, size, hover, pressed);
        return image;
    } else {
        fillHorizontal(p, QRectF(0, 0, size.width(), 18), colours::TitleDark, colours::TitleLight);
        drawText(p, QRect(4, 0, size.width() - 8, 18), Qt::AlignVCenter | Qt::AlignLeft, paneTitle(element),
                 Qt::white, uiFont(12, true));
        if (size.height() > 18)
            fillVertical(p, QRectF(0, 18, size.width(), size.height() - 18), colours::BarTop, colours::BarBottom);
    }
    if (hover || pressed)
        outline(p, all, pressed ? colours::OpenBorder : colours::HoverBorder);
    return image;
}

} // namespace

std::vector<std::pair<QString, QImage>> pictures()
{
    std::vector<std::pair<QString, QImage>> out;
    for (const int e : dropDownElements()) {
        const auto spots = simmenus::dropDownItems(e, 1, 1);
        const Painter painter{e, 0, dropDownTexts(e)};
        out.emplace_back(chrome::dropDown(e), painter.picture(spots));
        for (const ItemSpot& s : spots) {
            // The palettes share the pictures of their cells: drawn once, from palette 84.
            const bool sharedCell = simmenus::isPalette(e) && s.no <= 40;
            if (s.rect.isEmpty() || (sharedCell && e != 84))
                continue;
            out.emplace_back(chrome::itemHover(e, s.no), painter.hover(s));
        }
    }
    for (const int key : simmenus::cascadeKeys()) {
        const auto spots = simmenus::cascadeItems(key, 1, 1);
        const Painter painter{0, key, cascadeTexts(key)};
        out.emplace_back(chrome::cascade(key / 100, key % 100), painter.picture(spots));
        for (const ItemSpot& s : spots)
            out.emplace_back(chrome::cascadeItemHover(key / 100, key % 100, s.no), painter.hover(s));
    }
    for (int e = 32; e <= 40; ++e) {
        out.emplace_back(chrome::pane(e), panePicture(e, false, false));
        out.emplace_back(chrome::hover(e), panePicture(e, true, false));
        out.emplace_back(chrome::pressed(e), panePicture(e, false, true));
    }
    return out;
}

QStringList contextMenuFile()
{
    // Block lines 1-15 of a menu: a name, then the submenus and plain groups; "0" leaves a
    // group out.
    struct Block {
        int set, menu;
        std::array<const char*, 15> lines;
    };
    static constexpr Block Blocks[] = {
        // The cell's menu.
        {1, 1, {"单元格", "0", "", "剪切(T)|复制(C)|粘贴(P)|选择性粘贴(S)...", "0", "",
                "插入(I)...|删除(D)...|清除内容(N)", "0", "", "插入批注(M)|-|设置单元格格式(F)...",
                "0", "", "0", "", "从下拉列表中选择(K)...|添加监视点(W)|创建列表(C)...|超链接(H)...|查阅(L)..."}},
        // The column header's and the row header's menus.
        {1, 2, {"列", "0", "", "剪切(T)|复制(C)|粘贴(P)|选择性粘贴(S)...", "0", "", "插入(I)|删除(D)|清除内容(N)",
                "0", "", "设置单元格格式(F)...|列宽(C)...|隐藏(H)|取消隐藏(U)", "0", "", "0", "", "0"}},
        {1, 3, {"行", "0", "", "剪切(T)|复制(C)|粘贴(P)|选择性粘贴(S)...", "0", "", "插入(I)|删除(D)|清除内容(N)",
                "0", "", "设置单元格格式(F)...|行高(R)...|隐藏(H)|取消隐藏(U)", "0", "", "0", "", "0"}},
        // The toolbars' menu: the list of toolbars, a tick before the two that a sheet opens with
        // and a blank as wide before the others.
        {1, 4, {"工具栏", "0", "", "√常用|√格式|　边框|　窗体|　公式审核|　控件工具箱|　列表|　绘图|　任务窗格|　数据透视表|　外部数据",
                "0", "", "　图表|　图片|　审阅|　监视窗口|　艺术字", "0", "", "　自定义(C)...", "0", "", "0", "", "0"}},
        // The sheet tab's menu.
        {1, 5, {"工作表标签", "0", "", "插入(I)...|删除(D)|重命名(R)|移动或复制工作表(M)...|选定全部工作表(S)",
                "0", "", "工作表标签颜色(T)...", "0", "", "查看代码(V)", "0", "", "0", "", "0"}},
        // A chart's and a picture's menus, with submenus.
        {1, 6, {"图表", "图表类型(Y)", "柱形图|条形图|折线图|饼图", "设置图表区格式(F)...", "位置(L)",
                "作为新工作表插入|作为其中的对象插入", "源数据(S)...|图表选项(I)...", "0", "", "0", "0", "", "0", "",
                "清除(A)"}},
        {1, 7, {"图片", "0", "", "剪切(T)|复制(C)|粘贴(P)", "0", "", "显示“图片”工具栏(S)", "组合(G)",
                "组合(G)|取消组合(U)|重新组合(O)", "0", "叠放次序(R)", "置于顶层(T)|置于底层(K)|上移一层(F)|下移一层(B)",
                "0", "", "指定宏(N)...|设置图片格式(I)...|超链接(H)..."}},
    };
    QStringList lines(405, QStringLiteral("0"));
    for (const Block& b : Blocks)
        for (int i = 0; i < 15; ++i)
            lines[(b.set - 1) * 135 + (b.menu - 1) * 15 + i] = QString::fromUtf8(b.lines[static_cast<std::size_t>(i)]);
    // Every other block names itself and offers its one plain group.
    for (int set = 1; set <= 3; ++set)
        for (int menu = 1; menu <= 9; ++menu) {
            const int first = (set - 1) * 135 + (menu - 1) * 15;
            if (lines[first] == u"0") {
                lines[first] = QStringLiteral("菜单%1-%2").arg(set).arg(menu);
                lines[first + 3] = QStringLiteral("剪切(T)|复制(C)|粘贴(P)");
            }
        }
    return lines;
}

} // namespace samplegen::menus
