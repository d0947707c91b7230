#include "demo/context_menu_draw.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using demo::ContextCode;
using demo::MenuBlock;

// Every entry label 270 × 180 twips.
const demo::LabelSize Fixed = [](const QString&) { return QSize(270, 180); };

MenuBlock blockWith(std::initializer_list<std::pair<int, QString>> lines)
{
    MenuBlock b;
    b.lines.fill(QStringLiteral("0"));
    for (const auto& [k, text] : lines)
        b.lines[std::size_t(k - 1)] = text;
    return b;
}

TEST(ContextMenuBlock, SetAndMenuChooseFifteenLines)
{
    QStringList file;
    for (int n = 1; n <= 405; ++n)
        file << QString::number(n);
    const struct {
        int set, menu, first;
    } cases[] = {{1, 2, 16}, {2, 1, 136}, {3, 9, 391}, {1, 1, 1}};
    for (const auto& c : cases) {
        const MenuBlock b = demo::menuBlockFrom(file, c.set, c.menu);
        EXPECT_EQ(b.line(1), QString::number(c.first)) << c.set << " " << c.menu;
        EXPECT_EQ(b.line(15), QString::number(c.first + 14)) << c.set << " " << c.menu;
    }
    // A short file gives empty lines.
    const MenuBlock shortOne = demo::menuBlockFrom(file.mid(0, 395), 3, 9);
    EXPECT_EQ(shortOne.line(5), QStringLiteral("395"));
    EXPECT_EQ(shortOne.line(6), QString());
    EXPECT_EQ(shortOne.line(16), QString());

    const ContextCode c = demo::contextCode(u"5912");
    EXPECT_EQ(c.set, 3);
    EXPECT_EQ(c.menu, 9);
    EXPECT_EQ(c.position, 1);
    EXPECT_EQ(c.entry, 2);
    EXPECT_EQ(demo::contextCode(u"3").set, 1);
    EXPECT_EQ(demo::contextCode(u"3").entry, 0);
}

TEST(ContextMenuBlock, ReadFromTheFileEachTimeMissingGivesEmptyLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sMenu.sys"));
    EXPECT_EQ(demo::readMenuBlock(path, 1, 1).line(2), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("head\r\n\xb8\xb4\xd6\xc6\r\nA|B\r\n"); // "复制" in GBK
    f.close();
    const MenuBlock b = demo::readMenuBlock(path, 1, 1);
    EXPECT_EQ(b.line(2), QString::fromUtf8("复制"));
    EXPECT_EQ(b.line(3), QStringLiteral("A|B"));
    EXPECT_EQ(b.line(4), QString());
}

TEST(ContextMenuEntries, SplitAtBarsTenAtMost)
{
    EXPECT_EQ(demo::menuEntries(u"A||B"), (QStringList{"A", "", "B"}));
    EXPECT_EQ(demo::menuEntries(u""), QStringList{""});
    EXPECT_EQ(demo::menuEntries(u"A|B|-|C"), (QStringList{"A", "B", "-", "C"}));
    EXPECT_EQ(demo::menuEntries(u"0"), QStringList{"0"});
    EXPECT_EQ(demo::menuEntries(u"1|2|3|4|5|6|7|8|9|10|11|12"),
              (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(DrawnContextMenu, RowsSeparatorsAndTarget)
{
    const MenuBlock b = blockWith({{4, "A|-|B"}});
    const QSize window(12000, 9000);
    for (const char* code : {"3122", "3129"}) {
        const demo::DrawnMenu m = demo::drawContextMenu(b, demo::contextCode(QString::fromLatin1(code)), {0, 0},
                                                        window, 1.0, Fixed, {7, 7});
        EXPECT_EQ(m.body, QRect(0, 0, 960, 765)) << code;
        ASSERT_EQ(m.groups[2].size(), 3u);
        EXPECT_EQ(m.groups[2][0].rect, QRect(300, 90, 270, 180));
        EXPECT_EQ(m.groups[2][2].rect, QRect(300, 495, 270, 180));
        ASSERT_EQ(m.separators.size(), 1u);
        EXPECT_EQ(m.separators[0], (demo::Rule{60, 360, 900, 360}));
        EXPECT_EQ(m.target, QPoint(435, 585)) << code;
        EXPECT_EQ(m.frame, QRect(0, 450, 960, 270)) << code;
    }
    // The separator's own place: its row, across the entry column.
    const demo::DrawnMenu sep = demo::drawContextMenu(b, demo::contextCode(u"3121"), {0, 0}, window, 1.0, Fixed, {});
    EXPECT_EQ(sep.target, QPoint(435, 428));

    const demo::DrawnMenu empty = demo::drawContextMenu(blockWith({}), demo::contextCode(u"3122"), {0, 0}, window,
                                                        1.0, Fixed, {7, 9});
    EXPECT_EQ(empty.body, QRect(0, 0, 690, 90));
    EXPECT_EQ(empty.target, QPoint(7, 9)); // no row named: the target stays

    // A submenu caption: its row and its triangle; its width does not widen the menu.
    const demo::DrawnMenu cap = demo::drawContextMenu(blockWith({{2, "Caption"}}), demo::contextCode(u"3110"),
                                                      {0, 0}, window, 1.0, Fixed, {});
    EXPECT_EQ(cap.body, QRect(0, 0, 690, 360));
    EXPECT_EQ(cap.captions[1], QRect(300, 90, 270, 180));
    EXPECT_EQ(cap.triangles[1], QPoint(510, 120));
    EXPECT_EQ(cap.target, QPoint(435, 180));
    const demo::DrawnMenu zero = demo::drawContextMenu(blockWith({{4, "A"}}), demo::contextCode(u"3102"), {0, 0},
                                                       window, 1.0, Fixed, {3, 4});
    EXPECT_EQ(zero.target, QPoint(3, 4));
}

TEST(DrawnContextMenu, KeptInsideTheWindow)
{
    const MenuBlock b = blockWith({{4, "A|-|B"}}); // 960 × 765
    const ContextCode code = demo::contextCode(u"3122");
    const QSize window(12000, 9000);
    // Left + W ≥ width − W opens to the left of the pointer.
    const demo::DrawnMenu stays = demo::drawContextMenu(b, code, {10079, 0}, window, 1.0, Fixed, {});
    EXPECT_EQ(stays.body.x(), 10079);
    const demo::DrawnMenu left = demo::drawContextMenu(b, code, {10080, 0}, window, 1.0, Fixed, {});
    EXPECT_EQ(left.body.x(), 9120);
    EXPECT_EQ(left.groups[2][2].rect.x(), 9420);
    EXPECT_EQ(left.separators[0].x1, 9180);
    EXPECT_EQ(left.target, QPoint(9555, 585));
    // Near the bottom the menu is raised to end 600 × ScaleY above the window's bottom.
    const demo::DrawnMenu up = demo::drawContextMenu(b, code, {0, 7935}, window, 1.0, Fixed, {});
    EXPECT_EQ(up.body.bottom() + 1, 9000 - 600);
    EXPECT_EQ(up.separators[0].y1, up.body.y() + 360);
    const demo::DrawnMenu stays2 = demo::drawContextMenu(b, code, {0, 7934}, window, 1.0, Fixed, {});
    EXPECT_EQ(stays2.body.y(), 7934);
}

TEST(DrawnContextMenu, TenSeparatorLinesAtMost)
{
    const MenuBlock b = blockWith({{4, "-|-|-|-|-|-|-|-|-|-"}, {7, "-|-|A"}});
    const demo::DrawnMenu m = demo::drawContextMenu(b, demo::contextCode(u"3142"), {0, 0}, QSize(12000, 9000), 1.0,
                                                    Fixed, {});
    EXPECT_EQ(m.separators.size(), 10u);
    EXPECT_EQ(m.groups[4][2].rect.y(), 90 + 12 * 135); // the eleventh and twelfth still take room
}

TEST(DrawnContextSubmenu, BesideTheMenuLevelWithItsCaption)
{
    const MenuBlock b = blockWith({{2, "Sub"}, {3, "X|-|Y"}});
    const QRect menu(1000, 2000, 960, 360);
    const int w = 270;
    for (const char* code : {"3112", "3119"}) {
        const demo::DrawnSubmenu s = demo::drawContextSubmenu(b, demo::contextCode(QString::fromLatin1(code)),
                                                              menu, 2090, Fixed);
        const int L = 1000 + 960 - 60, T = 2090;
        EXPECT_EQ(s.body, QRect(L, T, w + 690, 810)) << code;
        ASSERT_EQ(s.entries.size(), 3u);
        EXPECT_EQ(s.entries[0].rect.topLeft(), QPoint(L + 300, T + 135));
        EXPECT_EQ(s.entries[2].rect.topLeft(), QPoint(L + 300, T + 540));
        EXPECT_EQ(s.separators.at(0), (demo::Rule{L + 60, T + 405, L + w + 630, T + 405}));
        EXPECT_EQ(s.target, QPoint(L + 300 + w / 2, T + 630)) << code;
        EXPECT_EQ(s.frame, QRect(L, T + 480, w + 690, 285)) << code;
    }
    // "0" as an entries line is one entry "0"; only separators: 690 wide, 135 per separator more.
    const demo::DrawnSubmenu zero = demo::drawContextSubmenu(blockWith({{2, "S"}}), demo::contextCode(u"3110"),
                                                             menu, 2090, Fixed);
    ASSERT_EQ(zero.entries.size(), 1u);
    EXPECT_EQ(zero.entries[0].caption, QStringLiteral("0"));
    const demo::DrawnSubmenu seps = demo::drawContextSubmenu(blockWith({{6, "-|-|-|-|-|-|-"}}),
                                                             demo::contextCode(u"3130"), menu, 2090, Fixed);
    EXPECT_EQ(seps.body.size(), QSize(690, 135 + 7 * 135));
    EXPECT_EQ(seps.separators.size(), 6u);
}

} // namespace
