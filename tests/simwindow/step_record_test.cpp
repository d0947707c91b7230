#include <gtest/gtest.h>

#include "simwindow/step_record.h"
#include "support/step_line.h"

using simwindow::OpFamily;
using simwindow::StepRecord;

namespace {

// Every field holds a value of its own, so a field read from the wrong columns shows.
const QString FullRecord = QStringLiteral(
    "abc"                                  // 1-3 Spare1
    "A3"                                   // 4-5 ZoneSpec1
    "B4"                                   // 6-7 ZoneSpec2
    "0045"                                 // 8-11 OperationCode, DragShift 5
    "310010"                               // 12-17 BackPicture
    "00120" "C" "0340" "p10001"            // 18-33 Image1
    "  230" "3" "0450" "p20002"            // 34-49 Image2
    "00340" "0" "0560" "000000"            // 50-65 Image3
    "01200" "B" "1300" "00400" "00250"     // 66-85 Target1
    "R3201" "P6013" "00900" "S  11"        // 86-105 the shared columns
    "012" "007"                            // 106-111 EditorTextLine, AnswerLine
    "01500" "02600" "005"                  // 112-124 HintLeft, HintTop, HintLine
    "Q105M" "X5123"                        // 125-134 ComboSpec, TabSpec
    "02000" "D" "0700" "p40004"            // 135-150 Image4
    "03000" "21234" "p50005"               // 151-166 Image5Left, Image5StartY / Image5Top
    "04000" "05000"                        // 167-176 PointX, PointY
    "06000" "E" "0800" "00300" "00200"     // 177-196 Target2
    "07000" "x" "0900" "p60006");          // 197-212 Image6

} // namespace

TEST(StepRecord, ReadsEveryFieldOfAFullRecord)
{
    ASSERT_EQ(FullRecord.size(), 212);
    const StepRecord r = StepRecord::fromLine(FullRecord);
    EXPECT_EQ(r.Spare1, "abc");
    EXPECT_EQ(r.ZoneSpec1, "A3");
    EXPECT_EQ(r.ZoneSpec2, "B4");
    EXPECT_EQ(r.OperationCode, "0045");
    EXPECT_EQ(r.DragShift, 5);
    EXPECT_EQ(r.BackPicture, "310010");

    EXPECT_EQ((std::tuple(r.Image1Left, r.Image1Jump, r.Image1Top, r.Image1Picture)), std::tuple(120, QString("C"), 340, QString("p10001")));
    EXPECT_EQ((std::tuple(r.Image2Left, r.Image2Jump, r.Image2Top, r.Image2Picture)), std::tuple(230, QString("3"), 450, QString("p20002")));
    EXPECT_EQ((std::tuple(r.Image3Left, r.Image3Jump, r.Image3Top, r.Image3Picture)), std::tuple(340, QString("0"), 560, QString("000000")));
    EXPECT_EQ((std::tuple(r.Image4Left, r.Image4Jump, r.Image4Top, r.Image4Picture)), std::tuple(2000, QString("D"), 700, QString("p40004")));
    EXPECT_EQ((std::tuple(r.Image5Left, r.Image5StartY, r.Image5Top, r.Image5Picture)), std::tuple(3000, 21234, 1234, QString("p50005")));
    EXPECT_EQ((std::tuple(r.Image6Left, r.Spare202, r.Image6Top, r.Image6Picture)), std::tuple(7000, QString("x"), 900, QString("p60006")));

    EXPECT_EQ((std::tuple(r.Target1Left, r.Target1Jump, r.Target1Top, r.Target1Width, r.Target1Height)), std::tuple(1200, QString("B"), 1300, 400, 250));
    EXPECT_EQ((std::tuple(r.Target2Left, r.Target2Jump, r.Target2Top, r.Target2Width, r.Target2Height)), std::tuple(6000, QString("E"), 800, 300, 200));

    // Columns 86-105, every reading.
    EXPECT_EQ((std::tuple(r.EditorLeft, r.EditorTop, r.EditorWidth, r.EditorHeight)), std::tuple(0, 6013, 900, 0));
    EXPECT_EQ(r.RouteCode, "R3201");
    EXPECT_EQ(r.PaneCode, "R32");
    EXPECT_EQ(r.PanePos, "00900S  11");
    EXPECT_EQ(r.PanePosLeft, 900);
    EXPECT_EQ(r.PanePosTop, 11);
    EXPECT_EQ(r.AltKey, (std::array<QString, 3>{"R3201", "P6013", "00900"}));
    EXPECT_EQ(r.CursorSpec, "S  11");
    EXPECT_EQ(r.TargetCode, (std::array<QString, 3>{"Q105MX5123", "R3201P6013", "00900S  11"}));

    EXPECT_EQ(r.EditorTextLine, 12);
    EXPECT_EQ(r.AnswerLine, 7);
    EXPECT_EQ((std::tuple(r.HintLeft, r.HintTop, r.HintLine)), std::tuple(1500, 2600, 5));
    EXPECT_EQ(r.EditorFormat, "Q105MX5123");
    EXPECT_EQ(r.ComboSpec, "Q105M");
    EXPECT_EQ(r.TabSpec, "X5123");
    EXPECT_EQ((std::tuple(r.PointX, r.PointY)), std::tuple(4000, 5000));

    EXPECT_FALSE(r.hasEditor());
    EXPECT_TRUE(r.hasTarget1());
    EXPECT_TRUE(r.hasTarget2());
    EXPECT_FALSE(r.hintUnchanged());
    EXPECT_TRUE(r.isCombo());
    EXPECT_TRUE(r.isDialogTab());
    EXPECT_EQ(r.expectedCode(), 45);
    EXPECT_EQ(r.family(), OpFamily::RangeDrag);
}

TEST(StepRecord, ShortLineGivesEmptyFieldsAndZeros)
{
    const StepRecord r = StepRecord::fromLine(QStringLiteral("   " "A1" "  " "0001" "310010" "   12"));
    EXPECT_EQ(r.OperationCode, "0001");
    EXPECT_EQ(r.Image1Left, 12);
    EXPECT_EQ(r.Image1Jump, "");
    EXPECT_EQ(r.Image6Picture, "");
    EXPECT_EQ(r.Target2Height, 0);
    EXPECT_FALSE(r.hasEditor());
}

TEST(StepRecord, NumericFieldsReadTheirLeadingDigits)
{
    const std::pair<const char*, int> cases[] = {
        {"  012", 12}, {"012AB", 12}, {"A12  ", 0}, {"     ", 0}, {"99999", 32767},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StepRecord::fromLine(stepLine({{18, text}})).Image1Left, value) << text;
    // A field past the end of the line is empty and reads 0.
    EXPECT_EQ(StepRecord::fromLine(QStringLiteral("abc")).Image1Left, 0);
}

TEST(StepRecord, EditorOnlyWhenTheTwentyColumnsReadAsANumber)
{
    const std::pair<const char*, bool> cases[] = {
        {"00000000000000000000", false},
        {"                    ", false},
        {"R3201               ", false},
        {"H3300000000100000800", false},
        {"00000000000000000001", true},
        {"99999999999999999999", true}, // twenty digits hold no overflow
        {"  300 0450 0900 0240", true},
    };
    for (const auto& [text, editor] : cases)
        EXPECT_EQ(StepRecord::fromLine(stepLine({{86, text}})).hasEditor(), editor) << text;
}

TEST(StepRecord, MissingTargetsAndUnchangedHintAreAllZeros)
{
    const StepRecord none = StepRecord::fromLine(stepLine({{66, QString(20, u'0')}, {112, QString(10, u'0')}, {187, QString(10, u'0')}}));
    EXPECT_FALSE(none.hasTarget1());
    EXPECT_FALSE(none.hasTarget2());
    EXPECT_TRUE(none.hintUnchanged());
    // A target at the origin with a size is still a target.
    const StepRecord some = StepRecord::fromLine(stepLine({{66, "00000000000000000001"}, {187, "0000000001"}, {112, "0000000001"}}));
    EXPECT_TRUE(some.hasTarget1());
    EXPECT_TRUE(some.hasTarget2());
    EXPECT_FALSE(some.hintUnchanged());
}

TEST(StepRecord, OperationCodeFamilies)
{
    const std::pair<const char*, OpFamily> cases[] = {
        {"0001", OpFamily::Click},         {"0002", OpFamily::DoubleClick},   {"0003", OpFamily::RightClick},
        {"0020", OpFamily::Typing},        {"0028", OpFamily::Typing},        {"0030", OpFamily::Hover},
        {"0040", OpFamily::RangeDrag},     {"0057", OpFamily::RangeDrag},     {"3000", OpFamily::ContextMenu},
        {"5999", OpFamily::ContextMenu},   {"6000", OpFamily::Key},           {"6999", OpFamily::Key},
        {"7000", OpFamily::Menu},          {"8001", OpFamily::PictureDrag},   {"8009", OpFamily::PictureDrag},
        {"8005", OpFamily::Other},         {"8888", OpFamily::Auto},          {"9000", OpFamily::ClickWithButton},
        {"9998", OpFamily::ClickWithButton}, {"9999", OpFamily::End},         {"L012", OpFamily::List},
        {"K103", OpFamily::LocationList},  {"0000", OpFamily::Other},         {"7001", OpFamily::Other},
    };
    for (const auto& [code, family] : cases) {
        const StepRecord r = StepRecord::fromLine(stepLine({{8, code}}));
        EXPECT_EQ(r.family(), family) << code;
    }
    EXPECT_EQ(StepRecord::fromLine(stepLine({{8, "L012"}})).expectedCode(), 0);
    EXPECT_EQ(StepRecord::fromLine(stepLine({{8, "K103"}})).expectedCode(), 0);
    EXPECT_EQ(StepRecord::fromLine(stepLine({{8, "9201"}})).expectedCode(), 9201);
}

TEST(StepRecord, OverlaySlotsGatherTheirFields)
{
    const StepRecord r = StepRecord::fromLine(FullRecord);
    EXPECT_EQ(r.overlay(2).picture, "p20002");
    EXPECT_EQ(r.overlay(4).jump, "D");
    EXPECT_EQ((std::tuple(r.overlay(5).left, r.overlay(5).top)), std::tuple(3000, 1234));
    EXPECT_EQ(r.overlay(6).picture, "p60006");
    EXPECT_EQ(r.overlay(0).picture, "");
    EXPECT_EQ(r.overlay(7).picture, "");
}
