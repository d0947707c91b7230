#include "demo_fixture.h"

namespace {

using MenusTest = DemoTest;


class PressTest : public MenusTest {
public:
    FrmYanShi& open(const QString& code, const QString& pane = QString())
    {
        Step first = menuStep(code);
        if (!pane.isEmpty())
            first.at(86, pane).at(96, QStringLiteral("01200 3000"));
        std::vector<QString> steps{first};
        for (int i = 0; i < 3; ++i)
            steps.push_back(Step(QStringLiteral("0001")).target1(300 + 300 * i, 300, 300, 300));
        steps.push_back(Step(QStringLiteral("9999")));
        session({steps});
        FrmYanShi& w = demo();
        arrive();
        return w;
    }
};

TEST_F(PressTest, MenuTitleShowsItsPressedPictureAndDropDownBelow)
{
    chrome(QStringLiteral("030099"), {58, 18});
    chrome(QStringLiteral("030077"), {120, 200});
    FrmYanShi& w = open(QStringLiteral("H030500000"));
    const vb::Label& title = w.LblZHU(3);
    EXPECT_EQ(QPoint(w.ImgMenu->Left(), w.ImgMenu->Top()), QPoint(title.Left(), title.Top()));
    EXPECT_EQ(w.ImgMenu->Width(), 58 * 15);
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(w.Pic1J->Width(), 120 * 15);
    EXPECT_EQ(QPoint(w.Pic1J->Left(), w.Pic1J->Top()), QPoint(title.Left(), title.Top() + title.Height()));
    EXPECT_TRUE(w.Timer6->Enabled());
    EXPECT_EQ(st().StepNo, 1);
}

TEST_F(PressTest, WhereEachBarOpensItsDropDown)
{
    chrome(QStringLiteral("570099"), {34, 24});
    chrome(QStringLiteral("570077"), {100, 100});
    chrome(QStringLiteral("240077"), {150, 120});
    chrome(QStringLiteral("320000"), {180, 20});
    chrome(QStringLiteral("320077"), {120, 50});
    {
        FrmYanShi& w = open(QStringLiteral("H570100000"));
        EXPECT_EQ(w.Pic1J->Left(), w.LblZHU(57).Left());
        EXPECT_EQ(w.Pic1J->Top(), w.LblZHU(57).Top() + 24 * 15);
        EXPECT_EQ(QPoint(w.ImgTool->Left(), w.ImgTool->Top()), QPoint(6600, 765));
        vb::Forms::unloadAll();
    }
    {
        FrmYanShi& w = open(QStringLiteral("H240100000"));
        EXPECT_EQ(w.Pic1J->Top() + w.Pic1J->Height(), w.PicHui->Top());
        EXPECT_EQ(w.Pic1J->Left(), w.LblZHU(24).Left());
        vb::Forms::unloadAll();
    }
    {
        FrmYanShi& w = open(QStringLiteral("H320100000"), QStringLiteral("H32"));
        EXPECT_EQ(w.Pic1J->Left(), w.PicElse->Left() + 750);
        EXPECT_EQ(w.Pic1J->Top(), w.PicElse->Top() + w.PicElse->Height());
        EXPECT_TRUE(w.Pic1J->Visible());
    }
}

TEST_F(PressTest, APressWithoutItemEndsTheStep)
{
    struct Case {
        QString code;
        int stepAfter;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("H030000000"), 2},
                                           {QStringLiteral("H03000000B"), 3},
                                           // Elements with nothing to open end the step too.
                                           {QStringLiteral("H410500000"), 2},
                                           {QStringLiteral("H350500000"), 2},
                                           {QStringLiteral("H120300000"), 2},
                                           {QStringLiteral("H33050000A"), 2}}) {
        SCOPED_TRACE(c.code.toStdString());
        FrmYanShi& w = open(c.code);
        EXPECT_EQ(st().StepNo, c.stepAfter);
        EXPECT_FALSE(w.Timer6->Enabled());
        for (vb::Image* img : {w.ImgMenu, w.ImgHui, w.ImgTool, w.ImgElse})
            EXPECT_FALSE(img->Picture().has_value());
        vb::Forms::unloadAll();
    }
}

TEST_F(PressTest, ASubItemAloneOpensTheDropDown)
{
    chrome(QStringLiteral("040077"), {100, 100});
    FrmYanShi& w = open(QStringLiteral("H040003000"));
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_TRUE(w.Timer6->Enabled());
    EXPECT_EQ(st().StepNo, 1);
}

} // namespace

namespace {

class DropDownTest : public PressTest {};

TEST_F(DropDownTest, MenuItemsFollowTheGroupsAndSpanThePicture)
{
    chrome(QStringLiteral("050077"), {150, 200});
    FrmYanShi& w = open(QStringLiteral("H050500000"));
    const int top = w.Pic1J->Top();
    const std::vector<int> tops{30, 375, 720, 1065, 1440};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(w.Lbl1J(k).Top(), top + tops[static_cast<std::size_t>(k - 1)]) << k;
        EXPECT_EQ(w.Lbl1J(k).Left(), w.Pic1J->Left() + 30) << k;
        EXPECT_EQ(w.Lbl1J(k).Width(), 150 * 15 - 60) << k;
        EXPECT_EQ(w.Lbl1J(k).Height(), 330) << k;
    }
    EXPECT_EQ(rectOf(w.Lbl1J(9)), QRect(w.Pic1J->Left() - 100, top - 100, 0, 0));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.Lbl1J(5)));
    EXPECT_EQ(st().TargetX, w.Lbl1J(5).Left() + (150 * 15 - 60) / 2);
    EXPECT_EQ(st().TargetY, top + 1440 + 165);
    EXPECT_TRUE(w.Timer6->Enabled());
}

TEST_F(DropDownTest, TheLastItemOfTheFirstMenu)
{
    chrome(QStringLiteral("010077"), {150, 500});
    // Its own figure times the scale, rounded once (the running sum gives 3561 at 0.5).
    const struct {
        double scaleY;
        int top;
        int item20;
    } cases[] = {{1, 7140, 6765}, {0.5, 3570, 3374}, {0.9, 6426, 6080}, {1.25, 8925, 8454}};
    for (const auto& c : cases) {
        S().ScaleY = c.scaleY;
        FrmYanShi& w = open(QStringLiteral("H012100000"));
        EXPECT_EQ(w.Lbl1J(21).Top(), w.Pic1J->Top() + c.top) << c.scaleY;
        EXPECT_EQ(w.Lbl1J(20).Top(), w.Pic1J->Top() + c.item20) << c.scaleY;
        EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.Lbl1J(21))) << c.scaleY;
        vb::Forms::unloadAll();
    }
}

TEST_F(DropDownTest, TheHintAndTheNoteDoNotCoverAnOpenDropDownOrCascade)
{
    textTable({QStringLiteral("单击“文件”菜单")});
    const auto play = [this](const QString& code, QPoint hint) {
        session({{menuStep(code).hint(hint.x(), hint.y(), 1), Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        arrive(); // the drop-down opens
        return &w;
    };
    // A drop-down large enough to reach over the note at the window's bottom right.
    chrome(QStringLiteral("010077"), {700, 560});
    FrmYanShi* w = play(QStringLiteral("H010100000"), {0, 0});
    const QRect dropDown = rectOf(*w->Pic1J);
    vb::Forms::unloadAll();
    // The hint placed where the drop-down opens.
    w = play(QStringLiteral("H010100000"), dropDown.center());
    ASSERT_TRUE(w->LHelp->Visible());
    for (const vb::Control* over : std::initializer_list<const vb::Control*>{w->LHelp, w->ImgLogo}) {
        const QRect covered = dropDown.intersected(rectOf(*over));
        ASSERT_FALSE(covered.isEmpty());
        EXPECT_EQ(pixelsOf(*w, covered, isNoteYellow), 0) << (over == w->LHelp ? "hint" : "note");
    }
    vb::Forms::unloadAll();

    // The cascade of item 9 opens beside a narrower drop-down, where the hint stands.
    chrome(QStringLiteral("010077"), {200, 500});
    chrome(QStringLiteral("010977"), {200, 100}, Qt::green);
    w = play(QStringLiteral("H010901000"), {0, 0});
    const QPoint beside(w->Pic1J->Left() + w->Pic1J->Width() + 300, w->Lbl1J(9).Top() + 300);
    vb::Forms::unloadAll();
    w = play(QStringLiteral("H010901000"), beside);
    arrive(); // the item is reached, its cascade opens
    ASSERT_TRUE(w->Pic2J->Visible());
    const QRect covered = rectOf(*w->Pic2J).intersected(rectOf(*w->LHelp));
    ASSERT_FALSE(covered.isEmpty());
    EXPECT_EQ(pixelsOf(*w, covered, isNoteYellow), 0) << "cascade";
}

TEST_F(DropDownTest, DrawingToolbarDropDowns)
{
    chrome(QStringLiteral("260077"), {160, 180});
    FrmYanShi& w = open(QStringLiteral("H264200000"));
    const QPoint at(w.Pic1J->Left(), w.Pic1J->Top());
    EXPECT_EQ(rectOf(w.Lbl1J(42)), QRect(at + QPoint(60, 2010), QSize(2160, 330)));
    EXPECT_EQ(rectOf(w.Lbl1J(43)), QRect(at, QSize(0, 0)));
    EXPECT_EQ(rectOf(w.Lbl1J(40)), QRect(at + QPoint(1950, 1680), QSize(270, 270)));
    // A plain button has no spots: all of them wait out of reach.
    for (const int n : {12, 14, 23}) {
        st().ZhuNo = n;
        w.Tool1JCSH();
        for (const int k : {1, 20, 44})
            EXPECT_EQ(rectOf(w.Lbl1J(k)), QRect(at - QPoint(100, 100), QSize(0, 0))) << n << " " << k;
    }
}

TEST_F(DropDownTest, ItemZeroAndItemsBeyondTheSpots)
{
    chrome(QStringLiteral("040077"), {100, 100});
    FrmYanShi& w = open(QStringLiteral("H040003000"));
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), QPoint(248, 248));
    EXPECT_EQ(rectOf(*w.Shape1), QRect(0, 0, 495, 495));
    st().Item1J = 45;
    w.Tool1JCSH();
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), QPoint(248, 248));
    EXPECT_TRUE(w.Timer6->Enabled());
}

class ArrivalTest : public PressTest {};

TEST_F(ArrivalTest, AnItemWithACascadeOpensItBesideTheDropDown)
{
    chrome(QStringLiteral("040077"), {150, 300});
    chrome(QStringLiteral("041077"), {120, 120});
    chrome(QStringLiteral("041000"), {140, 22}, Qt::green);
    FrmYanShi& w = open(QStringLiteral("H041003000"));
    arrive(); // on the drop-down item
    EXPECT_TRUE(w.Pic2J->Visible());
    EXPECT_EQ(w.Pic2J->Width(), 120 * 15);
    EXPECT_EQ(w.Pic2J->Left(), w.Pic1J->Left() + w.Pic1J->Width() - 15);
    EXPECT_EQ(w.Pic2J->Top(), w.Lbl1J(10).Top());
    EXPECT_TRUE(w.Img1J->Visible());
    EXPECT_EQ(w.Img1J->Width(), 140 * 15);
    EXPECT_EQ(QPoint(w.Img1J->Left(), w.Img1J->Top()), QPoint(w.Lbl1J(10).Left(), w.Lbl1J(10).Top()));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.Lbl2J(3)));
    EXPECT_EQ(w.Lbl2J(3).Width(), 120 * 15 - 30);
    EXPECT_TRUE(w.Timer7->Enabled());
    EXPECT_EQ(st().StepNo, 1);
    arrive(); // on the cascade item
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_FALSE(w.Img1J->Visible());
}

TEST_F(ArrivalTest, CascadeRows)
{
    chrome(QStringLiteral("040077"), {150, 300});
    chrome(QStringLiteral("041277"), {120, 150});
    chrome(QStringLiteral("030077"), {150, 300});
    chrome(QStringLiteral("030477"), {120, 100});
    {
        FrmYanShi& w = open(QStringLiteral("H041201000"));
        arrive();
        const std::vector<int> tops{30, 375, 720, 1095, 1440, 1785};
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(w.Lbl2J(k).Top(), w.Pic2J->Top() + tops[static_cast<std::size_t>(k - 1)]) << k;
        vb::Forms::unloadAll();
    }
    FrmYanShi& w = open(QStringLiteral("H030420000"));
    arrive();
    EXPECT_EQ(w.Lbl2J(20).Top(), w.Pic2J->Top() + 6615);
}

TEST_F(ArrivalTest, TheCascadeStaysOnTheScreen)
{
    chrome(QStringLiteral("040077"), {150, 300});
    chrome(QStringLiteral("041077"), {120, 500});
    chrome(QStringLiteral("090077"), {150, 300});
    chrome(QStringLiteral("091077"), {400, 100});
    {
        FrmYanShi& w = open(QStringLiteral("H041001000"));
        arrive();
        EXPECT_EQ(w.Pic2J->Top() + w.Pic2J->Height(), 8820);
        vb::Forms::unloadAll();
    }
    // A cascade that would pass the right edge opens on the left of the drop-down.
    st() = YanShiState();
    FrmYanShi& w = open(QStringLiteral("H041001000"));
    w.Pic1J->Move(9000, w.Pic1J->Top());
    st().Item1J = 10;
    w.Tool1JCSH();
    w.Demo1JClick(10);
    EXPECT_EQ(w.Pic2J->Left(), 9000 - 120 * 15 + 15);
}

TEST_F(ArrivalTest, PaletteCellsAndButtons)
{
    chrome(QStringLiteral("240077"), {160, 180});
    chrome(QStringLiteral("499940"), {18, 18}, Qt::green);
    chrome(QStringLiteral("244100"), {144, 22}, Qt::yellow);
    {
        FrmYanShi& w = open(QStringLiteral("H244000000"));
        arrive();
        EXPECT_EQ(w.Img1J->Width(), 18 * 15);
        EXPECT_EQ(st().StepNo, 2);
        vb::Forms::unloadAll();
    }
    FrmYanShi& w = open(QStringLiteral("H244100000"));
    arrive();
    EXPECT_EQ(w.Img1J->Width(), 144 * 15);
}

TEST_F(ArrivalTest, AStepMayNameTheHighlightAtColumn86)
{
    chrome(QStringLiteral("050077"), {150, 300});
    chrome(QStringLiteral("050200"), {100, 22}, Qt::green);
    chrome(QStringLiteral("ABCD00"), {60, 22}, Qt::yellow);
    inst.writePicture(QStringLiteral("A00.mxy"), {70, 22});
    struct Case {
        QString at86;
        int width;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("D0502 ABCD"), 60},
                                           {QStringLiteral("D0503 ABCD"), 100},
                                           // A code that could reach outside the folder names no picture.
                                           {QStringLiteral("D0502 ../A"), 100}}) {
        SCOPED_TRACE(c.at86.toStdString());
        st() = YanShiState();
        session({{menuStep(QStringLiteral("H050200000")).at(86, c.at86), Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        arrive();
        arrive();
        EXPECT_EQ(w.Img1J->Width(), c.width * 15);
        vb::Forms::unloadAll();
    }
    // At column 125 a "D" code is no target and names no highlight.
    st() = YanShiState();
    session({{menuStep(QStringLiteral("D0502 ABCD")).at(86, QStringLiteral("H050200000")), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    arrive();
    arrive();
    EXPECT_EQ(w.Img1J->Width(), 100 * 15);
}

} // namespace
