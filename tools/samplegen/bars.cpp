#include "bars.h"

#include "draw.h"
#include "icons.h"
#include "simmenus/hotspots.h"

#include <QStringList>
#include <algorithm>

namespace samplegen::bars {

namespace {

// The bars' hot spots as the window lays them (design twips inside their bar picture).
using simmenus::HotSpot;
std::span<const HotSpot> spots() { return simmenus::barHotSpots(); }

const QStringList MenuTitles = {
    QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"), QStringLiteral("视图(V)"),
    QStringLiteral("插入(I)"), QStringLiteral("格式(O)"), QStringLiteral("工具(T)"),
    QStringLiteral("数据(D)"), QStringLiteral("窗口(W)"), QStringLiteral("帮助(H)"),
};

bool isMenuTitle(int e) { return e >= 1 && e <= 9; }
bool isBox(int e) { return e == 62 || e == 67 || e == 68; }
bool isTextButton(int e) { return e == 11 || e == 13; }
bool hasSplitArrow(int e) { return e == 24 || e == 25 || e == 26 || e == 83 || e == 84 || e == 85; }

QString boxText(int e, const Boxes& boxes)
{
    switch (e) {
    case 62: return boxes.zoom;
    case 67: return boxes.font;
    default: return boxes.size;
    }
}

QString textButtonCaption(int e)
{
    return e == 11 ? QStringLiteral("绘图(R)") : QStringLiteral("自选图形(U)");
}

// The face of an element inside its hot-spot rectangle r: what the bar shows without hover.
void drawFace(QPainter& p, int e, const QRect& r, const Boxes& boxes = {})
{
    if (isMenuTitle(e)) {
        drawText(p, r, Qt::AlignCenter, MenuTitles[e - 1], colours::Text, uiFont(12));
    } else if (isBox(e)) {
        field(p, r.adjusted(0, 1, 0, -1), boxText(e, boxes), true);
    } else if (isTextButton(e)) {
        drawText(p, r.adjusted(2, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft, textButtonCaption(e),
                 colours::Text, uiFont(12));
        dropArrow(p, QRect(r.right() - 9, r.top(), 9, r.height()));
    } else if (e == 57) {
        dropArrow(p, r);
    } else if (hasSplitArrow(e)) {
        drawIcon(p, e, QPoint(r.left() + 3, r.top() + (r.height() - 16) / 2));
        dropArrow(p, QRect(r.right() - 10, r.top(), 10, r.height()));
    } else {
        drawIcon(p, e, QPoint(r.left() + (r.width() - 16) / 2, r.top() + (r.height() - 16) / 2));
    }
}

// A toolbar's rounded band with its gripper.
void band(QPainter& p, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colours::BarTop);
    g.setColorAt(1, colours::BarBottom);
    p.setPen(colours::BarShadow);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = r.top() + 4; y < r.bottom() - 3; y += 4) {
        p.fillRect(r.left() + 4, y, 2, 2, colours::Gripper);
        p.fillRect(r.left() + 5, y + 1, 1, 1, Qt::white);
    }
    p.restore();
}

std::vector<int> elementsOfRow(int first, int last, bool withSum)
{
    std::vector<int> row;
    for (const HotSpot& s : spots())
        if ((s.no >= first && s.no <= last) || (withSum && s.no == 86))
            row.push_back(s.no);
    std::sort(row.begin(), row.end(), [](int a, int b) { return elementRect(a).left() < elementRect(b).left(); });
    return row;
}

// Separator lines in the gaps between button groups of a row.
void separators(QPainter& p, const std::vector<int>& row)
{
    for (std::size_t i = 1; i < row.size(); ++i) {
        const QRect a = elementRect(row[i - 1]);
        const QRect b = elementRect(row[i]);
        if (b.left() - a.right() - 1 < 4)
            continue;
        const int x = (a.right() + b.left()) / 2;
        p.fillRect(x, b.top() + 3, 1, b.height() - 6, QColor(106, 140, 203));
        p.fillRect(x + 1, b.top() + 4, 1, b.height() - 6, Qt::white);
    }
}

void drawRow(QPainter& p, const std::vector<int>& row, const Boxes& boxes = {})
{
    separators(p, row);
    for (int e : row)
        drawFace(p, e, elementRect(e), boxes);
}

QImage hoverPicture(int e, bool pressed)
{
    QRect r = elementRect(e);
    if (e == 57) // the arrow's pictures cover the sum button beside it as well
        r = elementRect(86).united(r);
    QImage image = canvas(r.width(), r.height(), colours::DockRight);
    QPainter p(&image);
    const QRect local(0, 0, r.width(), r.height());
    if (isMenuTitle(e)) {
        if (pressed) {
            fillVertical(p, local, colours::OpenTop, colours::OpenBottom);
            p.setPen(colours::OpenBorder);
            p.drawLine(0, local.bottom(), 0, 0);
            p.drawLine(0, 0, local.right(), 0);
            p.drawLine(local.right(), 0, local.right(), local.bottom());
        } else {
            p.fillRect(local, colours::HoverFill);
            outline(p, local, colours::HoverBorder);
        }
        drawFace(p, e, local);
        return image;
    }
    if (isBox(e)) {
        // The frame and the arrow alone: the box's text is that of the picture beneath, which reads
        // the sheet's choice where the step's picture shows it; the demonstration leaves its
        // last pressed picture over the question's end.
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(local, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        const QRect fieldRect = local.adjusted(0, 1, 0, -1);
        const QRect arrow(fieldRect.right() - 16, fieldRect.top() + 1, 16, fieldRect.height() - 2);
        p.fillRect(arrow, pressed ? colours::PressedFill : colours::HoverFill);
        dropArrow(p, arrow);
        outline(p, fieldRect, colours::HoverBorder);
        return image;
    }
    p.fillRect(local, pressed ? colours::PressedFill : colours::HoverFill);
    outline(p, local, colours::HoverBorder);
    if (e == 57) {
        const QRect sum = elementRect(86).translated(-r.left(), -r.top());
        drawFace(p, 86, sum);
        p.fillRect(sum.right(), 1, 1, local.height() - 2, colours::HoverBorder);
        drawFace(p, 57, QRect(sum.right() + 1, 0, local.width() - sum.width(), local.height()));
    } else {
        if (hasSplitArrow(e))
            p.fillRect(local.right() - 11, 1, 1, local.height() - 2, colours::HoverBorder);
        drawFace(p, e, local);
    }
    return image;
}

} // namespace

QRect elementRect(int element)
{
    for (const HotSpot& s : spots())
        if (s.no == element)
            return QRect(s.left / 15, s.top / 15, s.width / 15, s.height / 15);
    return {};
}

QImage menuBar()
{
    QImage image = canvas(Width, MenuBarHeight);
    QPainter p(&image);
    fillHorizontal(p, image.rect(), colours::DockLeft, colours::DockRight);
    for (int y = 3; y < MenuBarHeight - 3; y += 4) {
        p.fillRect(3, y, 2, 2, colours::Gripper);
        p.fillRect(4, y + 1, 1, 1, Qt::white);
    }
    drawSheetGlyph(p, QPoint(9, 1));
    for (int e = 1; e <= 9; ++e)
        drawFace(p, e, elementRect(e));
    field(p, QRect(612, 2, 150, 15), QStringLiteral("键入需要帮助的问题"), true);
    // The workbook's own window buttons at the right end of the menu bar.
    p.setPen(colours::Text);
    p.fillRect(770, 12, 6, 2, colours::Text);
    outline(p, QRect(780, 5, 8, 8), colours::Text);
    p.fillRect(780, 5, 8, 2, colours::Text);
    p.drawLine(791, 5, 797, 11);
    p.drawLine(797, 5, 791, 11);
    return image;
}

QImage toolBars(const Boxes& boxes)
{
    QImage image = canvas(Width, ToolBarsHeight);
    QPainter p(&image);
    fillHorizontal(p, image.rect(), colours::DockLeft, colours::DockRight);
    band(p, QRect(0, 0, ToolBarsPanelWidth, 25));
    band(p, QRect(0, 26, 676, 26));
    drawRow(p, elementsOfRow(41, 66, true), boxes);
    drawRow(p, elementsOfRow(67, 85, false), boxes);
    return image;
}

QImage toolBarsPanel() { return toolBars().copy(0, 0, ToolBarsPanelWidth, ToolBarsHeight); }

QRect toolBarsDock(bool formatRow)
{
    return QRect(ToolBarsPanelWidth, ToolBarsTop, Width - ToolBarsPanelWidth, formatRow ? ToolBarsHeight : ToolBarsHeight / 2);
}

QImage drawingBar()
{
    QImage image = canvas(Width, DrawingBarHeight);
    QPainter p(&image);
    fillHorizontal(p, image.rect(), colours::DockLeft, colours::DockRight);
    band(p, QRect(0, 0, 640, DrawingBarHeight));
    drawRow(p, elementsOfRow(11, 31, false));
    return image;
}

std::vector<std::pair<QString, QImage>> elementPictures()
{
    std::vector<std::pair<QString, QImage>> pictures;
    for (const HotSpot& s : spots()) {
        const QString nn = QStringLiteral("%1").arg(s.no, 2, 10, QChar(u'0'));
        pictures.emplace_back(nn + QStringLiteral("0088"), hoverPicture(s.no, false));
        pictures.emplace_back(nn + QStringLiteral("0099"), hoverPicture(s.no, true));
    }
    return pictures;
}

} // namespace samplegen::bars
