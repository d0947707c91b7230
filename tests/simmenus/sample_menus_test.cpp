// The sample installation's drop-downs, cascades, palettes and panes fit the hot spots that the
// window lays over them, and its context-menu file has every block.

#include <gtest/gtest.h>

#include "platform/files.h"
#include "simmenus/menu_layouts.h"

#include <QImageReader>

using namespace simmenus;

namespace {

QSize pictureSize(const QString& code)
{
    return QImageReader(QStringLiteral(TALVESK_SAMPLE_DIR "/examdata/") + code + QStringLiteral(".mxy")).size();
}

// Every hot spot lies on the picture, and the picture ends within three pixels of the lowest
// and rightmost one; each spot's hover picture has the spot's size.
void expectFits(const QString& code, const std::vector<ItemSpot>& spots, const std::function<QString(int)>& hover)
{
    const QSize size = pictureSize(code);
    ASSERT_TRUE(size.isValid()) << code.toStdString();
    int right = 0;
    int bottom = 0;
    for (const ItemSpot& s : spots) {
        if (s.rect.isEmpty())
            continue;
        right = std::max(right, s.rect.x() + s.rect.width());
        bottom = std::max(bottom, s.rect.y() + s.rect.height());
        const QString h = hover(s.no);
        EXPECT_EQ(pictureSize(h), QSize((s.rect.width() + 14) / 15, (s.rect.height() + 14) / 15)) << h.toStdString();
    }
    EXPECT_GE(size.width() * 15, right) << code.toStdString();
    EXPECT_GE(size.height() * 15, bottom) << code.toStdString();
    EXPECT_LE(size.width() * 15 - right, 45) << code.toStdString();
    EXPECT_LE(size.height() * 15 - bottom, 45) << code.toStdString();
}

} // namespace

TEST(SampleMenus, DropDownsAndPalettesFitTheirHotSpots)
{
    int dropDowns = 0;
    for (int e = 1; e <= 86; ++e) {
        const auto spots = dropDownItems(e, 1, 1);
        if (spots.empty())
            continue;
        ++dropDowns;
        expectFits(chrome::dropDown(e), spots, [e](int item) { return chrome::itemHover(e, item); });
    }
    EXPECT_EQ(dropDowns, 31);
}

TEST(SampleMenus, CascadesFitTheirHotSpots)
{
    for (const int key : cascadeKeys())
        expectFits(chrome::cascade(key / 100, key % 100), cascadeItems(key, 1, 1),
                   [key](int sub) { return chrome::cascadeItemHover(key / 100, key % 100, sub); });
}

TEST(SampleMenus, PanesAndTheContextMenuFile)
{
    for (int e = 32; e <= 40; ++e) {
        const QSize pane = pictureSize(chrome::pane(e));
        ASSERT_TRUE(pane.isValid()) << e;
        EXPECT_EQ(pictureSize(chrome::hover(e)), pane) << e;
        EXPECT_EQ(pictureSize(chrome::pressed(e)), pane) << e;
    }
    const auto lines = platform::readLines(QStringLiteral(TALVESK_SAMPLE_DIR "/sMenu.sys"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 405);
    EXPECT_EQ(lines->at(45), QStringLiteral("工具栏"));
}
