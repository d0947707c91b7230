#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/files.h"
#include "simwindow/data_path.h"
#include "simwindow/text_table.h"

using namespace simwindow;

namespace {

struct TextTableTest : ::testing::Test {
    QTemporaryDir dir;
    QString table = dir.filePath("288890.mxy");
    void SetUp() override
    {
        ASSERT_TRUE(platform::saveText(table, QStringLiteral("001first\r\n002 Sum|=SUM(A1:A3)\r\n"
                                                             "003a|b|c\r\n004\r\n005最后一行\r\n")));
    }
};

} // namespace

TEST_F(TextTableTest, LineFromItsFourthCharacterAndThePastEndLine)
{
    const std::pair<int, const char*> cases[] = {
        {1, "first"}, {2, " Sum|=SUM(A1:A3)"}, {4, ""}, {5, "最后一行"}, {6, "最后一行"}, {999, "最后一行"}, {0, "最后一行"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(tableText(table, n), QString::fromUtf8(text)) << n;
}

// A text-line field: "000" is no text; any other field its number, where one that reads 0
// (blanks, letters) is the last line.
TEST_F(TextTableTest, TextLineFieldsOnlyZeroZeroZeroNamesNoText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"000", ""}, {"001", "first"}, {"003", "a|b|c"}, {"  3", "a|b|c"}, {"abc", "最后一行"},
        {"   ", "最后一行"}, {"", "最后一行"}, {"0x1", "最后一行"}, {"00 ", "最后一行"}, {"99x", "最后一行"},
    };
    for (const auto& [field, text] : cases)
        EXPECT_EQ(fieldText(table, QString::fromLatin1(field)), QString::fromUtf8(text)) << field;
}

TEST_F(TextTableTest, MissingTableIsToldApartAndAcceptsNothing)
{
    const QString missing = dir.filePath("nothing.mxy");
    EXPECT_EQ(tableText(missing, 3), std::nullopt);
    EXPECT_EQ(tableText(missing, 0), std::nullopt);
    EXPECT_EQ(fieldText(missing, u"000"), std::nullopt);
    EXPECT_FALSE(acceptsTyped(answersAt(missing, u"000"), u""));
    EXPECT_FALSE(acceptsTyped(answersAt(missing, u"004"), u""));
    // With the table an empty answer takes an empty editor.
    EXPECT_TRUE(acceptsTyped(answersAt(table, u"000"), u"  "));
}

// A table that is there but empty is a table: its texts are empty, and an empty editor meets an
// empty answer.
TEST_F(TextTableTest, AnEmptyTableGivesEmptyTexts)
{
    const QString empty = dir.filePath("empty.mxy");
    ASSERT_TRUE(platform::saveText(empty, QString()));
    EXPECT_EQ(tableText(empty, 3), QString());
    EXPECT_EQ(fieldText(empty, u"005"), QString());
    EXPECT_EQ(fieldText(empty, u"000"), QString());
    EXPECT_TRUE(acceptsTyped(answersAt(empty, u"005"), u" "));
    EXPECT_FALSE(acceptsTyped(answersAt(empty, u"005"), u"x"));
}

TEST(TextTable, AnswersSplitAtTheFirstBar)
{
    struct Case {
        const char16_t* text;
        const char16_t* first;
        const char16_t* second;
    };
    const Case cases[] = {{u"a|b|c", u"a", u"b|c"}, {u"abc", u"abc", u"abc"}, {u"|b", u"", u"b"}, {u"", u"", u""}};
    for (const Case& c : cases) {
        const Answers a = splitAnswers(c.text);
        EXPECT_EQ(a.first, QString::fromUtf16(c.first));
        EXPECT_EQ(a.second, QString::fromUtf16(c.second));
    }
}

TEST_F(TextTableTest, TypedTextComparedTrimmedAndByCase)
{
    struct Case {
        int line;
        const char16_t* typed;
        LetterCase letterCase;
        bool accepted;
    };
    const Case cases[] = {
        {2, u"  sum ", LetterCase::Ignore, true},
        {2, u"=sum(a1:a3)", LetterCase::Ignore, true},
        {2, u"=sum(a1:a3)", LetterCase::Keep, false},
        {2, u"=SUM(A1:A3) ", LetterCase::Keep, true},
        {2, u"Sum it", LetterCase::Ignore, false},
        {2, u"\tSum", LetterCase::Ignore, false}, // only spaces are trimmed
        {3, u"b", LetterCase::Ignore, false},
        {3, u"b|c", LetterCase::Ignore, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptsTyped(answersAt(table, QStringLiteral("%1").arg(c.line, 3, 10, QChar(u'0'))), c.typed, c.letterCase), c.accepted)
            << QString::fromUtf16(c.typed).toStdString();
}

TEST(DataPath, NamesThatLeaveTheFolderAreMissing)
{
    EXPECT_EQ(dataFilePath("/inst/data/", u"310010"), QString("/inst/data/310010.mxy"));
    for (const char16_t* code : {u"../x", u"a/b", u"a\\b", u".."})
        EXPECT_EQ(dataFilePath("/inst/data/", code), std::nullopt);
    EXPECT_EQ(safeFilePath("/inst/", u"ico07.CUR"), QString("/inst/ico07.CUR"));
}
