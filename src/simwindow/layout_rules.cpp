#include "simwindow/layout_rules.h"

#include "session_state/codes.h"
#include "simwindow/step_record.h"

#include <QtMath>

namespace simwindow {

namespace {

void addZone(ZonePanels& z, QStringView spec)
{
    const QStringView kind = spec.left(1);
    if (kind != u"A" && kind != u"B")
        return;
    // Only the digits 1 to 7 name panels: any other character names none.
    const QStringView digit = spec.mid(1, 1);
    const int bits = digit >= u"1" && digit <= u"7" ? codes::num16(digit) : 0;
    z.menu = z.menu || (bits & 1) != 0;
    z.tool = z.tool || (bits & 2) != 0;
    z.hui = z.hui || (bits & 4) != 0;
    z.pane = z.pane || kind == u"B";
}

} // namespace

ZonePanels zonePanels(const StepRecord& rec)
{
    ZonePanels z;
    addZone(z, rec.ZoneSpec2);
    addZone(z, rec.ZoneSpec1);
    return z;
}

int tabNumber(QStringView c)
{
    const qsizetype letter = QStringView(u"ABCD").indexOf(c.left(1));
    if (!c.isEmpty() && letter >= 0)
        return 10 + static_cast<int>(letter);
    return codes::num16(c.left(1));
}

QStringList listItems(const QString& text) { return text.split(u'|', Qt::KeepEmptyParts); }

std::optional<int> locationFaceLeft(int entry)
{
    if (entry < 0 || entry > 13)
        return std::nullopt;
    if (entry <= 1)
        return 30;
    if (entry <= 3 || entry == 13)
        return -120;
    return -270;
}

std::optional<int> frameElement(QStringView targetCode, bool acceptD)
{
    const QStringView kind = targetCode.left(1);
    if (kind != u"H" && !(acceptD && kind == u"D"))
        return std::nullopt;
    return codes::num16(targetCode.mid(1, 2));
}

std::optional<HintFrame> hintFrame(int element, const QRect& spot, const QSize& paneSize, double sx, double sy)
{
    using simmenus::Container;
    const int px = qRound(15 * sx);
    const int py = qRound(15 * sy);
    if (element >= 1 && element <= 9)
        return HintFrame{Container::PicMenu, {spot.x(), spot.y() + py, spot.width(), spot.height() - py}};
    if (element >= 11 && element <= 31)
        return HintFrame{Container::PicHui, spot};
    if (element >= 32 && element <= 40)
        return HintFrame{Container::PicElse,
                         {spot.x() + px, spot.y() + py, paneSize.width() - px, paneSize.height() - py}};
    if (element >= 41 && element <= 86)
        return HintFrame{Container::PicTool, spot};
    return std::nullopt;
}

} // namespace simwindow
