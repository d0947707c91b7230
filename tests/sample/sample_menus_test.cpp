// A menu or toolbar step of the sample opens its drop-down, and the cascade of the item it
// asks for, clear of the question panel, which stays on top at the window's bottom right: the
// candidate sees the item to choose. The panel and the window scale alike, so the design
// figures (scale 1) stand for every screen, 1024 x 768 among them.

#include "sample_install.h"

#include "platform/files.h"
#include "simmenus/hotspots.h"
#include "simmenus/menu_layouts.h"
#include "simwindow/step_record.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

namespace {

using namespace simmenus;

QString dataFile(const QString& code) { return tsample::sampleDir() + QStringLiteral("/data/") + code + QStringLiteral(".mxy"); }
QSize chromeSize(const QString& code)
{
    return QImageReader(tsample::sampleDir() + QStringLiteral("/examdata/") + code + QStringLiteral(".mxy")).size() * 15;
}

const QRect QuestionPanel(12000 - 4980, 9000 - 3630, 4980, 3630);

// Two pictures reach under the panel wherever a step opens them: their places and sizes are
// fixed by the menus' layout, the Data menu's drop-down (its last item at the panel's top) and
// the View menu's toolbar cascade (21 entries). Of these only the way from the top down to
// the item to choose must stand clear.
bool reachesUnderThePanel(int element, int item) { return (element == 7 && item == 0) || (element == 3 && item == 4); }

// The part of a picture the candidate reads to reach an item: from its top to the item's
// bottom.
QRect wayTo(const QRect& picture, const QRect& item) { return QRect(picture.left(), picture.top(), picture.width(), item.bottom() + 1); }

std::optional<QRect> itemRect(const std::vector<ItemSpot>& spots, int no)
{
    for (const ItemSpot& s : spots)
        if (s.no == no)
            return s.rect;
    return std::nullopt;
}

TEST(SampleMenus, EveryTargetItemAndItsDropDownStandClearOfThePanel)
{
    QStringList files{QStringLiteral("288819")};
    for (int unit = 0; QFile::exists(dataFile(QStringLiteral("2888%1").arg(70 + unit))); ++unit)
        files << QStringLiteral("2888%1").arg(20 + unit);
    int opened = 0;
    for (const QString& file : files)
        for (const QString& line : platform::readLines(dataFile(file)).value_or(QStringList())) {
            const auto r = simwindow::StepRecord::fromLine(line);
            for (const QString& code : r.TargetCode) {
                if (code.size() != 10 || !code.startsWith(u'H'))
                    continue;
                const int element = code.mid(1, 2).toInt();
                const int item = code.mid(3, 2).toInt();
                const int sub = code.mid(5, 2).toInt();
                const auto container = containerOf(element);
                const auto at = container ? containerPos(*container) : std::nullopt;
                if (!at || item == 0 || !opensDropDown(element))
                    continue;
                QRect spot;
                for (const HotSpot& h : barHotSpots())
                    if (h.no == element)
                        spot = h.rect();
                OpenerGeometry g;
                g.spot = spot;
                g.container = QRect(*at, QSize(12000, 0));
                for (const HotSpot& h : barHotSpots())
                    if (h.no == 86)
                        g.sumButton = h.rect();
                const QSize size = chromeSize(chrome::dropDown(element));
                ASSERT_TRUE(size.isValid()) << code.toStdString();
                g.dropDownHeight = size.height();
                g.pressedHeight = std::max(0, chromeSize(chrome::pressed(element)).height());
                const QRect dropDown(dropDownPos(element, g), size);
                const auto target = itemRect(dropDownItems(element, 1, 1), item);
                ASSERT_TRUE(target) << code.toStdString();
                const std::string where = file.toStdString() + ": " + code.toStdString();
                ++opened;
                const QRect dropDownRead = reachesUnderThePanel(element, 0) ? wayTo(dropDown, *target) : dropDown;
                EXPECT_FALSE(dropDownRead.intersects(QuestionPanel)) << "drop-down of " << where << " at " << dropDown.x() << "," << dropDown.y() << " " << dropDown.width() << "x" << dropDown.height();
                EXPECT_FALSE(target->translated(dropDown.topLeft()).intersects(QuestionPanel)) << "item of " << where;
                if (sub == 0 || !opensCascade(element, item))
                    continue;
                const QSize cascadeSize = chromeSize(chrome::cascade(element, item));
                ASSERT_TRUE(cascadeSize.isValid()) << where;
                const QRect opened(cascadeOpenPos(dropDown, target->top(), 1), cascadeSize);
                const QRect cascade(cascadeFitPos(opened, dropDown, 1, 1), cascadeSize);
                const auto subItem = itemRect(cascadeItems(element * 100 + item, 1, 1), sub);
                ASSERT_TRUE(subItem) << where;
                const QRect cascadeRead = reachesUnderThePanel(element, item) ? wayTo(cascade, *subItem) : cascade;
                EXPECT_FALSE(cascadeRead.intersects(QuestionPanel)) << "cascade of " << where << " at " << cascade.x() << "," << cascade.y() << " " << cascade.width() << "x" << cascade.height() << " drop " << dropDown.x() << "," << dropDown.y() << " " << dropDown.width() << "x" << dropDown.height();
                EXPECT_FALSE(subItem->translated(cascade.topLeft()).intersects(QuestionPanel)) << "cascade item of " << where;
            }
        }
    EXPECT_GT(opened, 10);
}

} // namespace
