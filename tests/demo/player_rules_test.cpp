#include "demo/player_rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using demo::Aim;
using demo::AimKind;
using demo::Arrival;

TEST(PointerAim, AFifteenthOfTheDistancePerTickHalvesToEven)
{
    const struct {
        int dx, dy;
        int stepX, stepY;
    } cases[] = {
        {1500, 0, 100, 0},   {3000, -4000, 250, -333}, {300, 300, 28, 28}, {54, 72, 4, 6},
        {90, 120, 8, 10},    {-1500, 0, -100, 0},      {0, 0, 0, 0},       {0, -450, 0, -30},
        {-615, 0, -41, 0},
    };
    const QPoint from(7680, 5760);
    for (const auto& c : cases) {
        const Aim a = demo::aimAt(from, from + QPoint(c.dx, c.dy));
        EXPECT_EQ(a.stepX, c.stepX) << c.dx << "," << c.dy;
        EXPECT_EQ(a.stepY, c.stepY) << c.dx << "," << c.dy;
        EXPECT_FALSE(std::isnan(a.speed));
        EXPECT_DOUBLE_EQ(a.speed, std::hypot(c.dx, c.dy) / 15);
    }
    EXPECT_EQ(demo::roundHalfEven(20.5), 20);
    EXPECT_EQ(demo::roundHalfEven(21.5), 22);
    EXPECT_EQ(demo::roundHalfEven(-20.5), -20);
}

TEST(PointerAim, ATargetOnThePointerArrivesAtTheFirstTick)
{
    const Aim a = demo::aimAt({100, 100}, {100, 100});
    EXPECT_EQ(a, (Aim{0, 0, 0}));
    EXPECT_TRUE(demo::hasArrived({100, 100}, {100, 100}, a.speed, 1.0));
}

TEST(PointerTravel, AStraightTravelArrivesOnItsFourteenthTick)
{
    const QPoint target(7680 + 1500, 5760);
    QPoint pt(7680, 5760);
    const Aim a = demo::aimAt(pt, target);
    int tick = 0;
    do {
        ++tick;
        pt += QPoint(a.stepX, a.stepY);
    } while (!demo::hasArrived(pt, target, a.speed, 1.0) && tick < 100);
    EXPECT_EQ(tick, 14);
    EXPECT_EQ(demo::ringCorner(pt), QPoint(8900, 5580));
}

TEST(PointerTravel, ArrivalBorders)
{
    const struct {
        double scaleX;
        double speed;
        int dx, dy;
        bool arrived;
    } cases[] = {
        // Both axes within 1.2 × speed.
        {1, 100, 120, 120, true},
        {1, 100, 121, 120, false},
        {1, 100, -120, 120, true},
        // The distance below 1.5 × speed.
        {1, 100, 149, 0, true},
        {1, 100, 150, 0, false},
        {1, 100, 100, 110, true}, // |dy| 110 < 120 and |dx| 100 < 120
        {1, 100, 125, 82, true},  // |dx| > 120 but the distance 149.5 < 150
        {1, 100, 125, 84, false}, // distance 150.6
        // Below 120 twips × ScaleX, whatever the speed.
        {1, 0, 119, 0, true},
        {1, 0, 120, 0, false},
        {1.25, 0, 149, 0, true},
        {1.25, 0, 150, 0, false},
        {1.25, 0, 0, 149, true}, // the horizontal factor serves for the whole distance
        {1.25, 80, 140, 0, true}, // 140 ≥ 1.5 × 80 but below 120 × 1.25
        {1, 80, 140, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::hasArrived({c.dx, c.dy}, {0, 0}, c.speed, c.scaleX), c.arrived)
            << c.scaleX << " " << c.speed << " " << c.dx << "," << c.dy;
}

TEST(ClickRing, ColourByCode)
{
    const struct {
        const char* code;
        int colour;
    } cases[] = {{"0002", 65280}, {"0003", 65535}, {"3122", 65535}, {"4511", 65535}, {"5122", 255},
                 {"0001", 255},   {"0020", 255},   {"7000", 255},   {"9001", 255},   {"", 255}};
    for (const auto& c : cases)
        EXPECT_EQ(demo::clickRingColour(QString::fromLatin1(c.code)), c.colour) << c.code;
    EXPECT_EQ(demo::colourOf(65535), QColor(255, 255, 0));
    EXPECT_EQ(demo::colourOf(65280), QColor(0, 255, 0));
}

TEST(PointerAim, TargetByCode)
{
    const struct {
        const char* code;
        bool otherTab;
        AimKind kind;
    } cases[] = {
        {"0001", false, AimKind::MainTarget},   {"0002", false, AimKind::MainTarget},
        {"0003", false, AimKind::MainTarget},   {"0030", false, AimKind::MainTarget},
        {"3122", false, AimKind::MainTarget},   {"5911", false, AimKind::MainTarget},
        {"9001", false, AimKind::MainTarget},   {"0041", false, AimKind::RangeStart},
        {"0055", false, AimKind::RangeStart},   {"0020", false, AimKind::Editor},
        {"0028", false, AimKind::Editor},       {"8001", false, AimKind::DragPicture},
        {"7000", false, AimKind::MenuElement},  {"6001", false, AimKind::KeyPause},
        {"8888", false, AimKind::AutoPause},    {"L001", false, AimKind::List},
        {"K105", false, AimKind::LocationList}, {"0099", false, AimKind::Unchanged},
        {"0000", false, AimKind::Unchanged},    {"0020", true, AimKind::DialogTab},
        {"8888", true, AimKind::DialogTab},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::aimKind(QString::fromLatin1(c.code), c.otherTab), c.kind) << c.code;
    EXPECT_TRUE(demo::tabStepWithOtherTab(u"XA12 "));
    EXPECT_FALSE(demo::tabStepWithOtherTab(u"XA22 "));
    EXPECT_FALSE(demo::tabStepWithOtherTab(u" A12 "));
    EXPECT_FALSE(demo::tabStepWithOtherTab(u"X"));
}

TEST(PointerAim, PointsOfTheSteps)
{
    // 300 twips into the editor at every scale; the location list 165 × ScaleY below its top.
    EXPECT_EQ(demo::editorTarget(QRect(1000, 2000, 3000, 301)), QPoint(1300, 2150));
    EXPECT_EQ(demo::locationListTarget(QRect(100, 1000, 3900, 330), 1.25), QPoint(2050, 1206));
    // "K105": entry 5 lies 1530 × ScaleY below the list's top; the open list is 3720 × ScaleY.
    EXPECT_EQ(demo::locationEntryTarget(QRect(100, 1000, 3900, 330), 5, 1.0), QPoint(2050, 2530));
    EXPECT_EQ(demo::locationEntryTarget(QRect(100, 1000, 3900, 330), 5, 1.25), QPoint(2050, 2912));
    EXPECT_EQ(demo::openLocationListHeight(1.25), 4650);
    EXPECT_EQ(demo::startPosition(1, 1), QPoint(7680, 5760));
    EXPECT_EQ(demo::startPosition(1.25, 1.25), QPoint(9600, 7200));
}

TEST(PictureDrag, ThePointerTakesThePictureWhereThePassedDragLeavesIt)
{
    // The pointer holds the picture 100 twips right of and below its corner.
    const QPoint pointer(600, 700), corner(500, 600);
    const struct {
        int code;
        QPoint point;
        QPoint drop;
    } cases[] = {
        {8002, {3000, 0}, {3100, 700}},    // to the right: the corner onto the point
        {8001, {200, 0}, {300, 700}},      // to the left
        {8002, {3000, 900}, {3100, 700}},  // an axis the code does not drag stays
        {8004, {0, 2000}, {600, 2100}},    // down
        {8003, {0, 100}, {600, 200}},      // up
        {8007, {3000, 2000}, {3100, 2100}}, // down and right
        {8007, {3000, 0}, {3100, 700}},    // a point of 0 is none
        {8002, {0, 0}, {600, 700}},        // no point: the drop is where the pointer holds it
        {8005, {3000, 2000}, {600, 700}},  // no picture drag
        {8000, {3000, 2000}, {600, 700}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::dropPoint(pointer, corner, c.code, c.point), c.drop) << c.code;
}

TEST(PointerArrival, ActionByCodeAndLeg)
{
    const struct {
        const char* code;
        bool otherTab;
        bool secondLeg;
        Arrival action;
    } cases[] = {
        {"0001", false, false, Arrival::Advance},         {"0030", false, false, Arrival::Advance},
        {"L002", false, false, Arrival::Advance},         {"0020", true, false, Arrival::TabClick},
        {"0020", true, true, Arrival::Advance},           {"0041", false, false, Arrival::RangeDrag},
        {"0041", false, true, Arrival::Advance},          {"0052", false, false, Arrival::RangeDrag},
        {"K105", false, false, Arrival::LocationListOpen}, {"K105", false, true, Arrival::Advance},
        {"9011", false, false, Arrival::AdvanceClick},    {"3122", false, false, Arrival::ContextMenu},
        {"5911", false, false, Arrival::ContextMenu},     {"0020", false, false, Arrival::Typing},
        {"0026", false, true, Arrival::Advance},          {"8001", false, false, Arrival::PictureDrag},
        {"7000", false, false, Arrival::MenuClick},       {"0099", false, false, Arrival::Unnamed},
        {"9999", false, false, Arrival::Unnamed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::arrivalAction(QString::fromLatin1(c.code), c.otherTab, c.secondLeg), c.action) << c.code;
    EXPECT_FALSE(demo::arrivalHidesMarquee(Arrival::RangeDrag));
    EXPECT_TRUE(demo::arrivalHidesMarquee(Arrival::Typing));
}

TEST(RangeDrag, CursorOnBothLegsOf004xMarqueeOnTheSecond)
{
    EXPECT_TRUE(demo::showsDragCursor(u"0041", false));
    EXPECT_TRUE(demo::showsDragCursor(u"0041", true));
    EXPECT_FALSE(demo::showsDragCursor(u"0051", false));
    EXPECT_TRUE(demo::showsDragCursor(u"0051", true));
    EXPECT_FALSE(demo::showsDragCursor(u"0001", true));
    EXPECT_FALSE(demo::growsMarquee(u"0041", false));
    EXPECT_TRUE(demo::growsMarquee(u"0041", true));
    EXPECT_FALSE(demo::growsMarquee(u"0051", true));
    EXPECT_EQ(demo::dragCursorFile(u"S..11"), QStringLiteral("ico01.CUR"));
    EXPECT_EQ(demo::dragCursorFile(u"M..07"), QStringLiteral("ico07.CUR"));
}

TEST(Typing, TheAnimationShowsOneCharacterMorePerTick)
{
    EXPECT_EQ(demo::typingText(u"abc|xyz"), QStringLiteral("abc"));
    EXPECT_EQ(demo::typingText(u"abc"), QStringLiteral("abc"));
    // Goes on after what the editor shows when that is how the answer begins, case included.
    EXPECT_EQ(demo::typingStart(u"abc", u"ab"), 2);
    EXPECT_EQ(demo::typingStart(u"abc", u"xx"), 0);
    EXPECT_EQ(demo::typingStart(u"abc", u"AB"), 0);
    EXPECT_EQ(demo::typingStart(u"abc", u""), 0);

    using demo::TypingTick;
    EXPECT_EQ(demo::typingTick(u"0020", 0, u"abc"), (TypingTick{1, "a", false}));
    EXPECT_EQ(demo::typingTick(u"0020", 1, u"abc"), (TypingTick{2, "ab", false}));
    EXPECT_EQ(demo::typingTick(u"0020", 2, u"abc"), (TypingTick{0, "abc", true}));
    EXPECT_EQ(demo::typingTick(u"0020", 0, u""), (TypingTick{0, "", true}));
    // A selection ends at its first tick, also with a text longer than 300 characters.
    EXPECT_TRUE(demo::typingTick(u"0023", 0, QString(301, u'x')).done);
    EXPECT_TRUE(demo::typingTick(u"0023", 0, u"abc").done);

    using demo::TypingEditor;
    EXPECT_EQ(demo::typingEditor(u"0021"), TypingEditor::Text2);
    EXPECT_EQ(demo::typingEditor(u"0027"), TypingEditor::Text3);
    EXPECT_EQ(demo::typingEditor(u"0026"), TypingEditor::Text1);
    EXPECT_EQ(demo::typingEditor(u"0023"), TypingEditor::None);
}

TEST(StepJump, JumpsWithinTheQuestion)
{
    const struct {
        const char* code;
        std::optional<int> step;
    } cases[] = {{"0", std::nullopt}, {"3", 2}, {"C", 8}, {"a", 5}, {"D", 9}, {"5", 0}, {"", 6}};
    for (const auto& c : cases)
        EXPECT_EQ(demo::jumpStep(5, QString::fromLatin1(c.code)), c.step) << c.code;
}

TEST(QuestionNote, OneLinePerFourteenCharacters)
{
    EXPECT_EQ(demo::noteHeight(13, 1), 195);
    EXPECT_EQ(demo::noteHeight(14, 1), 375);
    EXPECT_EQ(demo::noteHeight(27, 1), 375);
    EXPECT_EQ(demo::noteHeight(0, 1.25), 244); // 243.75
}

TEST(ArrowPointer, LinesAroundThePointer)
{
    const demo::Arrow a = demo::arrowAt({500, 400}, 1, 1);
    EXPECT_EQ(a.outline[5], (demo::Segment{560, 385, 740, 565}));
    EXPECT_EQ(a.outline[7], (demo::Segment{680, 700, 695, 700}));
    EXPECT_EQ(a.outline[0], (demo::Segment{560, 400, 560, 640}));
    EXPECT_EQ(a.fill[5], (demo::Segment{635, 565, 710, 700}));
    // The arrow keeps its pixel size on a larger scale.
    const demo::Arrow b = demo::arrowAt({1000, 1000}, 1.25, 1.25);
    EXPECT_EQ(b.outline[0], (demo::Segment{1075, 1000, 1075, 1300}));
    EXPECT_EQ(b.outline[7].x1, b.outline[2].x2);
    EXPECT_EQ(b.outline[7].x2, b.outline[6].x1);
}

} // namespace
