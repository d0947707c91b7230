#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/files.h"
#include "simwindow/layout_tables.h"

using namespace simwindow;

TEST(FontColorTable, FontNamesAndColoursByDigit)
{
    QTemporaryDir dir;
    QStringList lines;
    for (int i = 0; i < 45; ++i) // longer than the table: the rest is ignored
        lines << QStringLiteral("x%1").arg(i);
    lines[0] = QStringLiteral("  *宋体  ");
    lines[7] = QStringLiteral("*黑体");
    lines[10] = QStringLiteral(" c255000128 ");
    lines[17] = QStringLiteral("c999010");    // above 255 counts as 255; missing blue reads 0
    lines[27] = QStringLiteral("c001002003");
    ASSERT_TRUE(platform::saveText(dir.filePath("288905.mxy"), lines.join("\r\n") + "\r\n"));

    const FontColorTable t = FontColorTable::fromDataDir(dir.path() + '/');
    EXPECT_EQ(t.fontName(0), QStringLiteral("宋体"));
    EXPECT_EQ(t.fontName(7), QStringLiteral("黑体"));
    EXPECT_EQ(t.foreColor(0), QColor(255, 0, 128));
    EXPECT_EQ(t.foreColor(7), QColor(255, 10, 0));
    EXPECT_EQ(t.backColor(7), QColor(1, 2, 3));
    EXPECT_EQ(t.entries[40], "x40");
}

TEST(LayoutTables, MissingFilesGiveEmptyEntries)
{
    QTemporaryDir dir;
    const FontColorTable f = FontColorTable::fromDataDir(dir.path() + '/');
    EXPECT_EQ(f.fontName(3), "");
    EXPECT_EQ(f.foreColor(3), QColor(0, 0, 0));
    const TabLayoutTable t = TabLayoutTable::fromDataDir(dir.path() + '/');
    ASSERT_TRUE(t.forLetter(u"A"));
    EXPECT_EQ(t.forLetter(u"A")->tabCount(), 0);
}

TEST(TabLayoutTable, LettersAToUSelectTheirLine)
{
    QTemporaryDir dir;
    QStringList lines;
    for (int i = 0; i < 23; ++i)
        lines << QStringLiteral("line%1").arg(i + 1);
    ASSERT_TRUE(platform::saveText(dir.filePath("288906.mxy"), lines.join("\r\n")));
    const TabLayoutTable t = TabLayoutTable::fromDataDir(dir.path() + '/');
    EXPECT_EQ(t.forLetter(u"A")->line, "line1");
    EXPECT_EQ(t.forLetter(u"U")->line, "line21");
    for (const char16_t* none : {u"V", u"a", u"", u"1", u"AB"})
        EXPECT_EQ(t.forLetter(none), std::nullopt);
}

TEST(TabLayout, HeaderGeometryAndBackArea)
{
    // Three tabs at 10, 500 and 1000; the right edge of the last is missing, so it is 990 wide.
    QString line = QStringLiteral(" 3" "0120" "300");
    line += QStringLiteral("p00001") + QStringLiteral("0010");
    line += QStringLiteral("p00002") + QStringLiteral("0500");
    line += QStringLiteral("p00003") + QStringLiteral("1000");
    line = line.leftJustified(139, u' ');
    line += QStringLiteral("0123") + QStringLiteral("4567") + QStringLiteral("0890");
    const TabLayout l{line};
    EXPECT_EQ(l.tabCount(), 3);
    EXPECT_EQ(l.headerTop(), 120);
    EXPECT_EQ(l.headerHeight(), 300);
    EXPECT_EQ(l.pagePicture(2), "p00002");
    EXPECT_EQ(l.headerRect(1), QRect(10, 120, 490, 300));
    EXPECT_EQ(l.headerRect(2), QRect(500, 120, 500, 300));
    EXPECT_EQ(l.headerRect(3), QRect(1000, 120, 990, 300));
    // The back-area height is read from the last two digits of its left and the first two of
    // its top.
    EXPECT_EQ(l.backArea(), QRect(123, 4567, 890, 2345));

    const std::pair<const char*, int> counts[] = {{" 9", 9}, {" A", 10}, {" D", 13}, {" E", 0}, {" 0", 0}, {"", 0}};
    for (const auto& [text, n] : counts)
        EXPECT_EQ(TabLayout{text}.tabCount(), n) << text;
}
