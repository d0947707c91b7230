#include "simwindow/input_rules.h"

#include "session_state/codes.h"
#include "simwindow/step_record.h"
#include "simwindow/text_table.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace simwindow {

using codes::field;
using codes::num16;

std::optional<TargetRef> targetRef(QStringView code)
{
    const QStringView kind = code.left(1);
    if (kind != u"H" && kind != u"D")
        return std::nullopt;
    TargetRef t;
    t.kind = kind.front();
    t.element = num16(code.mid(1, 2));
    t.item = num16(code.mid(3, 2));
    t.cascade = num16(code.mid(5, 2));
    t.jump = code.mid(9, 1).toString();
    t.itemKey = code.mid(1, 4).toString();
    return t;
}

// ---- Drags ----------------------------------------------------------------------------------

namespace {

bool isRangeDrag(const StepRecord& rec)
{
    return rec.OperationCode.startsWith(u"004") || rec.OperationCode.startsWith(u"005");
}

// Rounding to the nearest whole twip, halves to even, as the window's positions are kept.
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

bool rangeDragShiftHeld(const StepRecord& rec, int shift) { return isRangeDrag(rec) && shift == rec.DragShift; }

bool rangeDragHasMarquee(const StepRecord& rec) { return rec.OperationCode.startsWith(u"004"); }

bool plainPressAdvances(const StepRecord& rec, int button)
{
    return rec.ZoneSpec2 != u"EE" && button == 1 && rec.Target2Jump == u"0" && rec.OperationCode != u"0028";
}

QRect marqueeRect(QPoint anchor, QPoint targetCorner, double x, double y)
{
    const int w = roundEven(std::abs(targetCorner.x() + x - anchor.x()));
    const int h = roundEven(std::abs(targetCorner.y() + y - anchor.y()));
    return {anchor.x(), anchor.y(), w, h};
}

bool onTarget(QPointF p, const QRect& t)
{
    return t.x() <= p.x() && p.x() <= t.x() + t.width() && t.y() <= p.y() && p.y() <= t.y() + t.height();
}

bool nearTarget(QPointF p, const QRect& t, double sx, double sy)
{
    return t.x() <= p.x() && p.x() <= t.x() + t.width() + 720 * sx && t.y() <= p.y() &&
           p.y() <= t.y() + t.height() + 330 * sy;
}

std::optional<DragAxes> pictureDragAxes(int code)
{
    switch (code) {
    case 8001: return DragAxes{-1, 0};
    case 8002: return DragAxes{1, 0};
    case 8003: return DragAxes{0, -1};
    case 8004: return DragAxes{0, 1};
    case 8006: return DragAxes{-1, 1};
    case 8007: return DragAxes{1, 1};
    case 8008: return DragAxes{-1, -1};
    case 8009: return DragAxes{1, -1};
    default: return std::nullopt;
    }
}

std::optional<DragPos> pictureDragMove(int code, int buttons, double x, double y, DragPos at)
{
    const std::optional<DragAxes> axes = pictureDragAxes(code);
    if (buttons != 1 || !axes)
        return std::nullopt;
    if (axes->x != 0)
        at.left = roundEven(x / 2 + at.left);
    if (axes->y != 0)
        at.top = roundEven(y / 2 + at.top);
    return at;
}

std::optional<DragPos> pictureDropped(int code, DragPos at, DragPos point)
{
    const std::optional<DragAxes> axes = pictureDragAxes(code);
    if (!axes)
        return std::nullopt;
    if (axes->x != 0)
        at.left = point.left;
    if (axes->y != 0)
        at.top = point.top;
    return at;
}

std::optional<DragEnd> pictureDragEnd(int code, DragPos at, DragPos point, DragPos start)
{
    const std::optional<DragAxes> axes = pictureDragAxes(code);
    if (!axes)
        return std::nullopt;
    const auto past = [](int v, int threshold, int dir) { return dir < 0 ? v <= threshold : v >= threshold; };
    const bool passed =
        (axes->x == 0 || past(at.left, point.left, axes->x)) && (axes->y == 0 || past(at.top, point.top, axes->y));
    return DragEnd{passed, *pictureDropped(code, at, passed ? point : start)};
}

// ---- Keys -----------------------------------------------------------------------------------

std::optional<Shortcut> shortcutOf(QStringView itemKey)
{
    struct Entry {
        const char16_t* key;
        int keyCode;
        int shift;
    };
    static constexpr std::array<Entry, 17> table{{
        {u"0101", 78, 2}, {u"0102", 79, 2}, {u"0104", 83, 2}, {u"0114", 80, 2}, {u"0201", 90, 2},
        {u"0202", 89, 2}, {u"0203", 88, 2}, {u"0204", 67, 2}, {u"0206", 86, 2}, {u"0214", 70, 2},
        {u"0215", 72, 2}, {u"0216", 71, 2}, {u"0303", 112, 2}, {u"0415", 75, 2}, {u"0501", 49, 2},
        {u"0601", 118, 0}, {u"0901", 112, 0},
    }};
    for (const Entry& e : table)
        if (itemKey == QStringView(e.key))
            return Shortcut{e.keyCode, e.shift};
    return std::nullopt;
}

KeyVerdict keyClick(const StepRecord& rec, int keyCode, int shift)
{
    KeyVerdict v{false, rec.expectedCode()};
    const int code = v.expectedCode;
    if (code / 1000 == 6) {
        int k = code % 100;
        if (k == 12)
            k = 112;
        if ((keyCode == k && shift == (code % 1000) / 100) || k == 31) {
            v.passes = true;
            return v;
        }
    }

    // Alternative keys: each place has its own way of naming the function keys.
    static constexpr std::array<int, 3> altCols{86, 91, 96};
    for (std::size_t i = 0; i < altCols.size(); ++i) {
        const QString f = field(rec.line, altCols[i], 5);
        const int n = num16(QStringView(f).mid(1));
        if (!f.startsWith(u'P') || n / 1000 != 6)
            continue;
        v.expectedCode = n;
        int k = n % 100;
        if (i == 0 && k < 28)
            k += 100;
        else if (i == 1 && k == 86)
            k = 186;
        else if (i == 2 && k <= 20)
            k += 100;
        if (keyCode == k && shift == (n % 1000) / 100) {
            v.passes = true;
            return v;
        }
    }

    // The shortcut of a menu item the step names always advances one step, whatever its jump.
    for (const QString& place : rec.TargetCode) {
        const std::optional<TargetRef> t = targetRef(place);
        if (!t || t->kind != u'H')
            continue;
        if (const std::optional<Shortcut> s = shortcutOf(t->itemKey); s && s->keyCode == keyCode && s->shift == shift) {
            v.passes = true;
            return v;
        }
    }
    return v;
}

// ---- Typed text -----------------------------------------------------------------------------

QString compactText(QStringView text)
{
    QString out;
    for (const QChar c : text)
        if (c.unicode() >= 33 && c.unicode() <= 126)
            out += c;
    return out;
}

bool enterAccepted(const std::optional<Answers>& answers, QStringView typed)
{
    if (!answers)
        return false;
    const auto norm = [](QStringView s) { return codes::trimSpaces(s).toLower(); };
    const QString a = norm(answers->first);
    const QString b = norm(answers->second);
    const QString compact = norm(compactText(typed));
    const QString full = norm(typed);
    return compact == a || compact == b || full == a || full == b;
}

bool wholeAnswerAccepted(const std::optional<QString>& answer, QStringView typed)
{
    return answer && codes::trimSpaces(typed) == codes::trimSpaces(*answer);
}

bool selectionAccepted(const std::optional<QString>& hintText, QStringView selected)
{
    return hintText && selected.toString().toLower() == codes::trimSpaces(*hintText).toLower();
}

// ---- Dialog tabs and lists ------------------------------------------------------------------

QString tabHint(int expectedTab) { return QStringLiteral("请选择第%1个选项卡").arg(expectedTab); }

int tabRow(int tab) { return tab > 7 ? 2 : 1; }

int stepAfterBack(int currentStep, QStringView comboState)
{
    int n = 1;
    if (comboState.startsWith(u'Q')) {
        n = num16(comboState.right(1));
        if (n == 0)
            n = 1;
    }
    return std::max(1, currentStep - n);
}

bool listChoicePasses(const StepRecord& rec, int chosen) { return chosen == rec.AnswerLine; }

int locationStartEntry(const StepRecord& rec) { return num16(QStringView(rec.OperationCode).mid(1, 1)); }

bool locationChoicePasses(const StepRecord& rec, int chosen)
{
    return num16(QStringView(rec.OperationCode).mid(2, 2)) == chosen;
}

} // namespace simwindow
