// The drawn context menu of a right-click step, its submenu, and the pointer's travel to their
// rows.

#include "demo/frm_yanshi_pointer.h"

#include "demo/context_menu_draw.h"
#include "demo/frm_yanshi.h"
#include "demo/player_rules.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"

namespace {

QString contextMenuFile() { return installPath(u"sMenu.sys"); }

void showEntry(vb::Label& l, const demo::MenuEntry& e)
{
    l.setAutoSize(true);
    l.setBackStyle(0);
    l.setCaption(e.caption);
    l.Move(e.rect.x(), e.rect.y());
    l.setVisible(true);
}

void showRule(vb::Line& l, const demo::Rule& r)
{
    l.setX1(r.x1);
    l.setY1(r.y1);
    l.setX2(r.x2);
    l.setY2(r.y2);
    l.setBorderColor(QColor(192, 192, 192));
    l.setVisible(true);
}

void showBody(vb::Label& body, vb::Shape& outline, const QRect& r)
{
    body.setBackStyle(1);
    body.setBackColor(Qt::white);
    body.setCaption(QString());
    body.Move(r.x(), r.y(), r.width(), r.height());
    body.setVisible(true);
    outline.setBorderColor(QColor(192, 192, 192));
    outline.setFillStyle(1);
    outline.Move(r.x(), r.y(), r.width(), r.height());
    outline.setVisible(true);
}

// The small black triangle beside a submenu caption: 1, 2, 3, 4, 3, 2, 1 pixels on white.
QPixmap triangle()
{
    QImage img(4, 7, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 4 - std::abs(3 - y); ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    return QPixmap::fromImage(img);
}

} // namespace

QSize YanShiPointer::labelSize(const QString& caption)
{
    measure_->setCaption(caption);
    return {measure_->Width(), measure_->Height()};
}

void YanShiPointer::RightKeyMenu()
{
    if (!S().DemoRunning)
        return;
    const demo::ContextCode cc = demo::contextCode(code());
    st_.MenuContext = cc.menu;
    const demo::MenuBlock block = demo::readMenuBlock(contextMenuFile(), cc.set, cc.menu);
    const demo::DrawnMenu m =
        demo::drawContextMenu(block, cc, {st_.PtX, st_.PtY}, QSize(w_.Width(), w_.Height()), S().ScaleY,
                              [this](const QString& c) { return labelSize(c); }, {st_.TargetX, st_.TargetY});
    showBody(*w_.LRightMMenu, *w_.ShapeRMain, m.body);
    for (int p : {1, 3, 5, 7, 8}) {
        const auto& cap = m.captions[std::size_t(p)];
        if (!cap || !w_.LRMJL.exists(p))
            continue;
        showEntry(w_.LRMJL(p), {m.captionTexts[std::size_t(p)], false, *cap});
        if (w_.ImgJLSanjiao.exists(p)) {
            vb::Image& mark = w_.ImgJLSanjiao(p);
            mark.setStretch(true);
            mark.setPicture(triangle());
            mark.Move(m.triangles[std::size_t(p)]->x(), m.triangles[std::size_t(p)]->y(), 60, 105);
            mark.setVisible(true);
        }
    }
    const std::pair<int, vb::ControlArray<vb::Label>*> groups[] = {
        {2, &w_.LRM2}, {4, &w_.LRM4}, {6, &w_.LRM6}, {9, &w_.LRM9}};
    for (const auto& [p, labels] : groups) {
        const auto& entries = m.groups[std::size_t(p)];
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].separator && labels->exists(int(i)))
                showEntry((*labels)(int(i)), entries[i]);
    }
    for (std::size_t i = 0; i < m.separators.size(); ++i)
        if (w_.LRFGX.exists(int(i)))
            showRule(w_.LRFGX(int(i)), m.separators[i]);
    w_.Shape1->Move(m.frame.x(), m.frame.y(), m.frame.width(), m.frame.height());
    aim(m.target.x(), m.target.y(), *w_.TimerRM);
}

void YanShiPointer::TimerRM_Timer()
{
    if (S().DemoRunning && travelTick())
        arrivalRM();
}

void YanShiPointer::arrivalRM()
{
    w_.TimerRM->setEnabled(false);
    if (demo::isGroupPosition(demo::contextCode(code()).position)) {
        placeRing();
        doNext();
    } else {
        // Reaching a submenu's caption opens the submenu; no click there.
        RightKeySub();
    }
}

void YanShiPointer::RightKeySub()
{
    if (!S().DemoRunning)
        return;
    const demo::ContextCode cc = demo::contextCode(code());
    st_.MenuContext = cc.menu;
    const int captionTop = w_.LRMJL.exists(cc.position) ? w_.LRMJL(cc.position).Top() : w_.LRightMMenu->Top();
    const QRect menu(w_.LRightMMenu->Left(), w_.LRightMMenu->Top(), w_.LRightMMenu->Width(), w_.LRightMMenu->Height());
    const demo::MenuBlock block = demo::readMenuBlock(contextMenuFile(), cc.set, cc.menu);
    const demo::DrawnSubmenu s = demo::drawContextSubmenu(block, cc, menu, captionTop,
                                                          [this](const QString& c) { return labelSize(c); });
    showBody(*w_.LRightSub, *w_.ShapeRSUB, s.body);
    for (std::size_t i = 0; i < s.entries.size(); ++i)
        if (!s.entries[i].separator && w_.LRS.exists(int(i)))
            showEntry(w_.LRS(int(i)), s.entries[i]);
    for (std::size_t i = 0; i < s.separators.size(); ++i)
        if (w_.LRSFgx.exists(int(i)))
            showRule(w_.LRSFgx(int(i)), s.separators[i]);
    w_.Shape1->Move(s.frame.x(), s.frame.y(), s.frame.width(), s.frame.height());
    aim(s.target.x(), s.target.y(), *w_.TimerRS);
}

void YanShiPointer::TimerRS_Timer()
{
    if (S().DemoRunning && travelTick())
        arrivalRS();
}

void YanShiPointer::arrivalRS()
{
    placeRing();
    w_.TimerRS->setEnabled(false);
    doNext();
}
