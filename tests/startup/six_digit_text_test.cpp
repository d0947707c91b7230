#include <gtest/gtest.h>

#include "startup/six_digit_text.h"
#include "startup_fixture.h"

using startuptest::sixDigit;

TEST(SixDigitText, DecodesGroupsOfEitherOffset)
{
    // 操 is B2D9 in GBK.
    const int cao = 0xB2D9;
    const struct {
        QString line;
        QString text;
    } cases[] = {
        {QStringLiteral("200065200066"), QStringLiteral("AB")},
        {QString::number(200000 + cao), QStringLiteral("操")},
        {QString::number(500000 + cao), QStringLiteral("操")},
        {QStringLiteral("500065200066"), QStringLiteral("AB")},
        {QStringLiteral("500001"), QString(QChar(1))},
        {QStringLiteral("000000"), QString()},
        {QStringLiteral("200065000000200066"), QStringLiteral("AB")},
        {QStringLiteral("abcdef200065"), QStringLiteral("A")}, // no digits: counts as 0
        {QString(), QString()},
        {sixDigit(QStringLiteral("电子表格 Excel"), 500000), QStringLiteral("电子表格 Excel")},
    };
    for (const auto& c : cases) {
        const SixDigitText d = SixDigitText::decode(c.line);
        EXPECT_EQ(d.text, c.text) << c.line.toStdString();
        EXPECT_TRUE(d.invalidGroups.isEmpty()) << c.line.toStdString();
    }
}

TEST(SixDigitText, BothFormsOfTheHighestCodeDecodeAlike)
{
    const SixDigitText low = SixDigitText::decode(QStringLiteral("265535"));
    const SixDigitText high = SixDigitText::decode(QStringLiteral("565535"));
    EXPECT_TRUE(low.invalidGroups.isEmpty());
    EXPECT_EQ(low.text, high.text);
    EXPECT_FALSE(low.text.isEmpty());
}

TEST(SixDigitText, InvalidGroupsAreListedAndTheRestDecodes)
{
    const struct {
        QString line;
        QString text;
        QStringList invalid;
    } cases[] = {
        {QStringLiteral("500000"), QString(), {QStringLiteral("500000")}},                 // gives 300000
        {QStringLiteral("200065500000200066"), QStringLiteral("AB"), {QStringLiteral("500000")}},
        {QStringLiteral("20006520006"), QStringLiteral("A"), {QStringLiteral("20006")}},   // short last group
        {QStringLiteral("100000200066"), QStringLiteral("B"), {QStringLiteral("100000")}}, // below both offsets
        {QStringLiteral("266000200067"), QStringLiteral("C"), {QStringLiteral("266000")}}, // past two bytes
    };
    for (const auto& c : cases) {
        const SixDigitText d = SixDigitText::decode(c.line);
        EXPECT_EQ(d.text, c.text) << c.line.toStdString();
        EXPECT_EQ(d.invalidGroups, c.invalid) << c.line.toStdString();
    }
}
