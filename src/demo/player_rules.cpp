#include "demo/player_rules.h"

#include "simwindow/input_rules.h"
#include "simwindow/jump_code.h"
#include "simwindow/text_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace demo {

namespace {

// The old 16-bit step variables: a value past their range is held at its edge.
int to16(double v)
{
    const double r = std::nearbyint(v);
    if (!(r == r))
        return 0;
    return static_cast<int>(std::clamp(r, -32768.0, 32767.0));
}

bool startsWithAny(QStringView code, QStringView firsts)
{
    return !code.isEmpty() && firsts.contains(code.front());
}

} // namespace

int roundHalfEven(double v)
{
    const double r = std::nearbyint(v); // the default rounding mode: halves to even
    if (!(r == r))
        return 0;
    return static_cast<int>(std::clamp(r, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

QPoint centreOf(const QRect& r)
{
    return {roundHalfEven(r.x() + r.width() / 2.0), roundHalfEven(r.y() + r.height() / 2.0)};
}

QPoint startPosition(double scaleX, double scaleY)
{
    return {roundHalfEven(7680 * scaleX), roundHalfEven(5760 * scaleY)};
}

Aim aimAt(QPoint pointer, QPoint target)
{
    const double dx = double(target.x()) - pointer.x();
    const double dy = double(target.y()) - pointer.y();
    Aim a;
    a.speed = std::sqrt(dx * dx + dy * dy) / 15;
    const double ax = std::abs(dx), ay = std::abs(dy);
    if (ay == 0 && ax == 0)
        return a; // already there: no step, and no division by a zero difference
    if (ax > ay) {
        a.stepX = to16(a.speed);
        a.stepY = to16(ay * a.speed / ax);
    } else {
        a.stepX = to16(ax * a.speed / ay);
        a.stepY = to16(a.speed);
    }
    if (target.x() < pointer.x())
        a.stepX = -a.stepX;
    if (target.y() < pointer.y())
        a.stepY = -a.stepY;
    return a;
}

bool hasArrived(QPoint pointer, QPoint target, double speed, double scaleX)
{
    const double dx = double(pointer.x()) - target.x();
    const double dy = double(pointer.y()) - target.y();
    const double d = std::sqrt(dx * dx + dy * dy);
    if (std::abs(dx) <= 1.2 * speed && std::abs(dy) <= 1.2 * speed)
        return true;
    return d < 1.5 * speed || d < 120 * scaleX;
}

int clickRingColour(QStringView code)
{
    if (code == u"0002")
        return 65280;
    if (code == u"0003" || startsWithAny(code, u"34"))
        return 65535;
    return 255;
}

QColor colourOf(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QPoint ringCorner(QPoint pointer) { return {pointer.x() - 180, pointer.y() - 180}; }

bool tabStepWithOtherTab(QStringView tabSpec)
{
    return tabSpec.startsWith(u'X') && tabSpec.size() >= 4 && tabSpec[2] != tabSpec[3];
}

AimKind aimKind(QStringView code, bool tabStepWithOtherTab)
{
    if (tabStepWithOtherTab)
        return AimKind::DialogTab;
    if (code == u"0001" || code == u"0002" || code == u"0003" || code == u"0030" || startsWithAny(code, u"3459"))
        return AimKind::MainTarget;
    if (code.startsWith(u"004") || code.startsWith(u"005"))
        return AimKind::RangeStart;
    if (code.startsWith(u"002"))
        return AimKind::Editor;
    if (code.startsWith(u"800"))
        return AimKind::DragPicture;
    if (code == u"7000")
        return AimKind::MenuElement;
    if (code.startsWith(u'6'))
        return AimKind::KeyPause;
    if (code == u"8888")
        return AimKind::AutoPause;
    if (code.startsWith(u'L'))
        return AimKind::List;
    if (code.startsWith(u'K'))
        return AimKind::LocationList;
    return AimKind::Unchanged;
}

QPoint editorTarget(const QRect& editor)
{
    return {editor.x() + 300, roundHalfEven(editor.y() + editor.height() / 2.0)};
}

QPoint locationListTarget(const QRect& list, double scaleY)
{
    return {roundHalfEven(list.x() + list.width() / 2.0), roundHalfEven(list.y() + 165 * scaleY)};
}

QPoint locationEntryTarget(const QRect& list, int entry, double scaleY)
{
    return {roundHalfEven(list.x() + list.width() / 2.0), roundHalfEven(list.y() + 255.0 * (entry + 1) * scaleY)};
}

int openLocationListHeight(double scaleY) { return roundHalfEven(3720 * scaleY); }

QPoint dropPoint(QPoint pointer, QPoint corner, int code, QPoint point)
{
    const std::optional<simwindow::DragPos> dropped =
        simwindow::pictureDropped(code, {corner.x(), corner.y()}, {point.x(), point.y()});
    if (!dropped)
        return pointer;
    return {pointer.x() + (point.x() != 0 ? dropped->left - corner.x() : 0),
            pointer.y() + (point.y() != 0 ? dropped->top - corner.y() : 0)};
}

Arrival arrivalAction(QStringView code, bool tabStepWithOtherTab, bool secondLeg)
{
    if (tabStepWithOtherTab && !secondLeg)
        return Arrival::TabClick;
    if (code == u"0001" || code == u"0002" || code == u"0003" || code == u"0030" || code.startsWith(u'L') || secondLeg)
        return Arrival::Advance;
    if (code.startsWith(u"004") || code.startsWith(u"005"))
        return Arrival::RangeDrag;
    if (code.startsWith(u'K'))
        return Arrival::LocationListOpen;
    if (code.startsWith(u'9') && code != u"9999")
        return Arrival::AdvanceClick;
    if (startsWithAny(code, u"345"))
        return Arrival::ContextMenu;
    if (code.startsWith(u"002"))
        return Arrival::Typing;
    if (code.startsWith(u"800"))
        return Arrival::PictureDrag;
    if (code == u"7000")
        return Arrival::MenuClick;
    return Arrival::Unnamed;
}

bool arrivalHidesMarquee(Arrival a)
{
    return a != Arrival::TabClick && a != Arrival::Advance && a != Arrival::RangeDrag;
}

bool showsDragCursor(QStringView code, bool secondLeg)
{
    return code.startsWith(u"004") || (code.startsWith(u"005") && secondLeg);
}

bool growsMarquee(QStringView code, bool dragLeg) { return code.startsWith(u"004") && dragLeg; }

QString dragCursorFile(QStringView cursorSpec)
{
    if (cursorSpec.startsWith(u'S'))
        return QStringLiteral("ico01.CUR");
    return QStringLiteral("ico") + cursorSpec.mid(3, 2).toString() + QStringLiteral(".CUR");
}

QString typingText(QStringView answerText) { return simwindow::splitAnswers(answerText).first; }

int typingStart(QStringView typeText, QStringView editorText)
{
    return typeText.startsWith(editorText) ? static_cast<int>(editorText.size()) : 0;
}

TypingEditor typingEditor(QStringView code)
{
    if (code == u"0023")
        return TypingEditor::None;
    if (code == u"0021")
        return TypingEditor::Text2;
    if (code == u"0027")
        return TypingEditor::Text3;
    return code.startsWith(u"002") ? TypingEditor::Text1 : TypingEditor::None;
}

TypingTick typingTick(QStringView code, int typePos, QStringView typeText)
{
    TypingTick t;
    if (code == u"0023") {
        // A selection types nothing and ends at its first tick, however long its text.
        t.done = true;
        return t;
    }
    const int pos = typePos + 1;
    t.shown = typeText.left(pos).toString();
    t.done = pos >= typeText.size();
    t.pos = t.done ? 0 : pos;
    return t;
}

int noteHeight(int textLength, double scaleY)
{
    return roundHalfEven(((textLength / 14) + 1) * 180 * scaleY + 15 * scaleY);
}

std::optional<int> jumpStep(int stepNo, QStringView code)
{
    const std::optional<int> offset = simwindow::jumpOffset(code);
    if (!offset)
        return std::nullopt;
    return stepNo + *offset;
}

Arrow arrowAt(QPoint pointer, double scaleX, double scaleY)
{
    const auto seg = [&](int x1, int y1, int x2, int y2) {
        return Segment{roundHalfEven(pointer.x() + x1 * scaleX), roundHalfEven(pointer.y() + y1 * scaleY),
                       roundHalfEven(pointer.x() + x2 * scaleX), roundHalfEven(pointer.y() + y2 * scaleY)};
    };
    Arrow a;
    a.outline = {seg(60, 0, 60, 240),    seg(60, 240, 120, 180), seg(120, 180, 180, 300),
                 seg(150, 150, 225, 285), seg(165, 150, 240, 150), seg(60, -15, 240, 165),
                 seg(195, 300, 225, 270), Segment{}};
    // The tail's bottom joins the lines already placed: from the end of the tail's left side to
    // the start of its right end.
    a.outline[7] = {a.outline[2].x2, a.outline[2].y2, a.outline[6].x1, a.outline[6].y1};
    a.fill = {seg(75, 15, 75, 210),   seg(105, 45, 105, 180),  seg(135, 75, 135, 150),
              seg(165, 105, 165, 135), seg(195, 120, 195, 135), seg(135, 165, 210, 300)};
    return a;
}

} // namespace demo
