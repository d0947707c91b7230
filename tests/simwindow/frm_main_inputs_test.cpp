// Drags, keys, typed texts, dialog tabs and lists played on the simulated window with real
// events.

#include "sim_window_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace {

using platform::Clock;

constexpr int L = vb::vbLeftButton;
constexpr int R = vb::vbRightButton;
constexpr int Sh = vb::vbShiftMask;
constexpr int Ct = vb::vbCtrlMask;

QRect rectOf(const vb::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// Text committed by an input method (Chinese typing).
void commitText(vb::Control& c, const QString& text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(c.widget(), &e);
}

const QString Filler = QStringLiteral("0001");

// ---- Typed text ---------------------------------------------------------------------------

TEST_F(SimWindowTest, TypingPassesOnTheAcceptedTextOnly)
{
    textTable({QStringLiteral("Summe|合计"), QStringLiteral("=sum(a1:a3)"), QStringLiteral("a|B")});
    const auto typing = [](const char* code, int answer) {
        return Step(QString::fromLatin1(code)).editor(1000, 1000, 1500, 300).texts(0, answer);
    };
    session({{typing("0020", 1), typing("0020", 1), typing("0025", 1), typing("0021", 3), typing("0024", 2),
              Step(Filler)}});
    FrmMain& w = show();
    // A wrong text stays; case and blanks do not matter in 0020.
    tsupport::typeText(*w.Text1, QStringLiteral("Sum"));
    EXPECT_EQ(step(), 1);
    tsupport::typeText(*w.Text1, QStringLiteral("ME "));
    EXPECT_EQ(step(), 2);
    // Chinese typing arrives as the input method's committed text.
    commitText(*w.Text1, QStringLiteral("合计"));
    EXPECT_EQ(step(), 3);
    // 0025 keeps case.
    tsupport::typeText(*w.Text1, QStringLiteral("summe"));
    EXPECT_EQ(step(), 3);
    w.Text1->setText(QString());
    tsupport::typeText(*w.Text1, QStringLiteral("Summe"));
    EXPECT_EQ(step(), 4);
    // 0021 types into the second editor and takes only the whole answer.
    ASSERT_TRUE(w.Text2->Visible());
    tsupport::typeText(*w.Text2, QStringLiteral("a"));
    EXPECT_EQ(step(), 4);
    tsupport::typeText(*w.Text2, QStringLiteral("|B"));
    EXPECT_EQ(step(), 5);
    // 0024: typing alone does not pass, a wrong Enter empties the editor, the right one passes.
    tsupport::typeText(*w.Text1, QStringLiteral("=SUM( A1 : A4 )"));
    EXPECT_EQ(step(), 5);
    tsupport::key(*w.Text1, vb::vbKeyReturn);
    EXPECT_EQ(step(), 5);
    EXPECT_EQ(w.Text1->Text(), QString());
    tsupport::typeText(*w.Text1, QStringLiteral("=SUM( A1 : A3 )"));
    tsupport::key(*w.Text1, vb::vbKeyTab);
    EXPECT_EQ(step(), 5);
    tsupport::key(*w.Text1, vb::vbKeyReturn);
    EXPECT_EQ(step(), 6);
}

// Keys typed without a click reach the step's editor: Text1, or in 0021 and 0027 steps the
// editor shown in its place, whether the step follows another typing step or is shown first.
TEST_F(SimWindowTest, TheStepsEditorTakesTheKeyboard)
{
    textTable({QStringLiteral("abc")});
    const auto typing = [](const char* code) {
        return Step(QString::fromLatin1(code)).editor(1000, 1000, 1500, 300).texts(0, 1);
    };
    session({{typing("0020"), typing("0021"), typing("0027"), Step(Filler)}});
    for (const int first : {1, 2, 3}) {
        SCOPED_TRACE(first);
        FrmMain& w = show(1, first);
        for (int k = first; k <= 3; ++k) {
            tsupport::typeText(w, QStringLiteral("abc"));
            EXPECT_EQ(step(), k + 1);
        }
    }
}

TEST_F(SimWindowTest, EditBarAndCellEditorAreOne)
{
    textTable({QStringLiteral("=a1*2")});
    const Step cell = Step(QStringLiteral("0028")).editor(1000, 1000, 1500, 300).texts(0, 1);
    session({{cell, cell, Step(Filler)}});
    FrmMain& w = show();
    ASSERT_TRUE(w.Text4->Visible());
    tsupport::typeText(*w.Text4, QStringLiteral("=b"));
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("=b"));
    // A wrong Enter in the edit bar empties both.
    tsupport::key(*w.Text4, vb::vbKeyReturn);
    EXPECT_EQ(w.Text1->Text(), QString());
    EXPECT_EQ(w.Text4->Text(), QString());
    tsupport::typeText(*w.Text1, QStringLiteral("=A1*2"));
    EXPECT_EQ(w.Text4->Text(), QStringLiteral("=A1*2"));
    tsupport::key(*w.Text4, vb::vbKeyReturn);
    EXPECT_EQ(step(), 2);
    tsupport::typeText(*w.Text4, QStringLiteral("=A1*2"));
    tsupport::key(*w.Text1, vb::vbKeyReturn);
    EXPECT_EQ(step(), 3);
}

TEST_F(SimWindowTest, SelectionPassesOnTheMouseRelease)
{
    textTable({QStringLiteral("Umsatz 2024"), QStringLiteral("umsatz")});
    session({{Step(QStringLiteral("0023")).editor(1000, 1000, 3000, 300).texts(1, 0).hint(100, 100, 2),
              Step(Filler)}});
    FrmMain& w = show();
    // Selected with the keyboard: nothing yet.
    tsupport::key(*w.Text1, vb::vbKeyHome);
    for (int i = 0; i < 6; ++i)
        tsupport::key(*w.Text1, vb::vbKeyRight, Sh);
    EXPECT_EQ(w.Text1->SelText(), QStringLiteral("Umsatz"));
    EXPECT_EQ(step(), 1);
    // The selection is there when a button is released over the box (the press put the caret
    // down; the drag that selects is left to the editor).
    tsupport::press(*w.Text1);
    w.Text1->setSelStart(0);
    w.Text1->setSelLength(6);
    tsupport::release(*w.Text1);
    EXPECT_EQ(step(), 2);
}

TEST_F(SimWindowTest, AnAnswerBeginningWithTheSeparatorTakesAnEmptiedEditor)
{
    textTable({QStringLiteral("|x")});
    session({{Step(QStringLiteral("0020")).editor(1000, 1000, 1500, 300).texts(0, 1), Step(Filler)}});
    FrmMain& w = show();
    tsupport::typeText(*w.Text1, QStringLiteral("a"));
    EXPECT_EQ(step(), 1);
    tsupport::key(*w.Text1, vb::vbKeyBack);
    EXPECT_EQ(step(), 2);
}

TEST_F(SimWindowTest, WithoutATextTableNoTypedAnswerPasses)
{
    session({{Step(QStringLiteral("0020")).editor(1000, 1000, 1500, 300).texts(0, 1),
              Step(QStringLiteral("0024")).editor(1000, 1000, 1500, 300).texts(0, 0), Step(Filler)}});
    FrmMain& w = show();
    tsupport::typeText(*w.Text1, QStringLiteral("x"));
    tsupport::key(*w.Text1, vb::vbKeyBack);
    EXPECT_EQ(w.Text1->Text(), QString());
    EXPECT_EQ(step(), 1);
    w.GoStep(QStringLiteral("A"));
    tsupport::key(*w.Text1, vb::vbKeyReturn);
    EXPECT_EQ(step(), 2);
    EXPECT_TRUE(w.isVisible());
}

// ---- Keys ---------------------------------------------------------------------------------

TEST_F(SimWindowTest, KeysPassWhereverTheFocusIsButInTheEditors)
{
    picture(QStringLiteral("pic006"), {20, 20});
    session({{Step(QStringLiteral("6012")).image6(6000, 6000, QStringLiteral("pic006")).editor(1000, 1000, 1500, 300),
              Step(QStringLiteral("6213")).zones(QStringLiteral("A3")),
              Step(QStringLiteral("0000")).at(125, QStringLiteral("H0204000B00")).zones(QStringLiteral("A3")),
              Step(QStringLiteral("6012")),
              Step(QStringLiteral("7000")).at(125, QStringLiteral("H0901000000")),
              Step(Filler)}});
    FrmMain& w = show();
    // The editor keeps its keys, even F1.
    ASSERT_TRUE(w.Text1->HasFocus() || w.Text1->Visible());
    tsupport::key(*w.Text1, 112);
    EXPECT_EQ(step(), 1);
    // Ctrl+F1 and Shift+F1 are other keys.
    tsupport::key(*w.Image6, 112, Ct);
    tsupport::key(*w.Image6, 112, Sh);
    EXPECT_EQ(step(), 1);
    tsupport::key(*w.Image6, 112);
    EXPECT_EQ(step(), 2);
    // The Ctrl press of Ctrl+Enter alone is not enough.
    tsupport::keyDown(*w.PicTool, vb::vbKeyControl, Ct);
    EXPECT_EQ(step(), 2);
    tsupport::key(*w.PicTool, vb::vbKeyReturn, Ct);
    EXPECT_EQ(step(), 3);
    // A shortcut always moves one step, whatever the item's jump.
    tsupport::key(*w.PicMenu, vb::vbKeyC, Ct | Sh);
    tsupport::key(*w.PicMenu, vb::vbKeyC);
    EXPECT_EQ(step(), 3);
    tsupport::key(*w.PicMenu, vb::vbKeyC, Ct);
    EXPECT_EQ(step(), 4);
    // A key step followed by a menu step of the same shortcut: one press passes one step.
    tsupport::key(w, 112);
    EXPECT_EQ(step(), 5);
    tsupport::key(w, 112);
    EXPECT_EQ(step(), 6);
}

TEST_F(SimWindowTest, KeysReachTheStepOnceTheEditorHasGone)
{
    textTable({QStringLiteral("92")});
    session({{Step(QStringLiteral("0020")).editor(1000, 1000, 1500, 300).texts(0, 1), Step(QStringLiteral("6267")),
              Step(Filler)}});
    FrmMain& w = show();
    w.activateWindow();
    w.Text1->SetFocus();
    tsupport::typeText(*w.Text1, QStringLiteral("92"));
    ASSERT_EQ(step(), 2);
    // The candidate presses the keys wherever the keyboard now is.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(focus);
    EXPECT_NE(focus, w.Text1->widget());
    const vb::QtKey k = vb::qtKeyFromKeyCode(vb::vbKeyC, Ct);
    QKeyEvent down(QEvent::KeyPress, k.key, k.modifiers, k.text);
    QApplication::sendEvent(focus, &down);
    EXPECT_EQ(step(), 3);
}

TEST_F(SimWindowTest, TheListKeepsItsKeys)
{
    textTable({QStringLiteral("a|b|c")});
    // The step also names a menu item whose shortcut is F1.
    session({{Step(QStringLiteral("L001")).editor(1000, 1000, 1500, 900).texts(0, 2).at(125, QStringLiteral("H0901000000")),
              Step(Filler)}});
    FrmMain& w = show();
    tsupport::key(*w.LstLA, 112);
    EXPECT_EQ(step(), 1);
    tsupport::key(w, 112);
    EXPECT_EQ(step(), 2);
}

// ---- Range drags --------------------------------------------------------------------------

// Target 2 at (1000, 1000) 600 x 300; target 1 at (3000, 3000) 900 x 300.
Step rangeStep(const QString& code, const QString& jump = QStringLiteral("0"))
{
    return Step(code).zones(QStringLiteral("  "), QStringLiteral("EE")).target2(1000, 1000, 600, 300, jump)
        .target1(3000, 3000, 900, 300);
}

struct RangeCase {
    const char* code;
    int shift;           // held all through the drag
    double toX, toY;     // release point, window twips
    bool moved;          // a movement before the release
    int to;              // step reached from 1
    bool marqueeShown;   // during the drag
};

class RangeDragTest : public SimWindowTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeDragTest, DragFromTheSecondTargetToTheFirst)
{
    const RangeCase c = GetParam();
    session({{rangeStep(QString::fromLatin1(c.code)), Step(Filler)}});
    FrmMain& w = show();
    tsupport::press(*w.Label4, L, c.shift, 300, 150);
    if (c.moved)
        tsupport::move(w, L, c.shift, c.toX, c.toY);
    EXPECT_EQ(w.Shape6->Visible(), c.marqueeShown);
    tsupport::release(w, L, c.shift, c.toX, c.toY);
    EXPECT_EQ(step(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, RangeDragTest,
    ::testing::Values(
        // Ctrl held from the press to the release on target 1.
        RangeCase{"0042", Ct, 3300, 3100, true, 2, true}, RangeCase{"0042", 0, 3300, 3100, true, 1, false},
        RangeCase{"0042", Ct | Sh, 3300, 3100, true, 1, false},
        // The slack: up to 720 twips right of target 1.
        RangeCase{"0040", 0, 3900 + 600, 3100, true, 2, true}, RangeCase{"0040", 0, 3900 + 800, 3100, true, 1, true},
        RangeCase{"0040", 0, 2990, 3100, true, 1, true},
        // Without a marquee only a moved drag passes.
        RangeCase{"0050", 0, 3300, 3100, true, 2, false}));

TEST_F(SimWindowTest, TheDefaultArmedPointerLeavesOnlyTheStrictTest)
{
    // Standard pointer 00 is the default one: the slack test never sees an armed drag.
    session({{rangeStep(QStringLiteral("0040")).at(101, QStringLiteral("S  00")),
              rangeStep(QStringLiteral("0040")).at(101, QStringLiteral("S  00")), Step(Filler)}});
    FrmMain& w = show();
    tsupport::press(*w.Label4, L, 0, 300, 150);
    tsupport::move(w, L, 0, 4500, 3100);
    tsupport::release(w, L, 0, 4500, 3100);
    EXPECT_EQ(step(), 1);
    tsupport::press(*w.Label4, L, 0, 300, 150);
    tsupport::move(w, L, 0, 3300, 3100);
    tsupport::release(w, L, 0, 3300, 3100);
    EXPECT_EQ(step(), 2);
}

TEST_F(SimWindowTest, MarqueeGrowsFromTheSecondTargetsCorner)
{
    session({{rangeStep(QStringLiteral("0040")), Step(Filler)}});
    FrmMain& w = show();
    tsupport::press(*w.Label4, L, 0, 300, 150);
    tsupport::move(w, L, 0, 700, 850);
    EXPECT_EQ(rectOf(*w.Shape6), QRect(1000, 1000, 300, 150));
    tsupport::move(w, L, 0, 2000, 1600);
    // The pointer lies on whole pixels.
    EXPECT_EQ(w.Shape6->Left(), 1000);
    EXPECT_EQ(w.Shape6->Top(), 1000);
    EXPECT_NEAR(w.Shape6->Width(), 1000, 15);
    EXPECT_NEAR(w.Shape6->Height(), 600, 15);
    tsupport::release(w, L, 0, 2000, 1600);
    EXPECT_FALSE(w.Shape6->Visible());
    EXPECT_EQ(step(), 1);
}

TEST_F(SimWindowTest, AnArmedDragEndsWithItsStep)
{
    // Target 1 lies up and left of target 2, so a release where the press was lies within the
    // slack of target 1.
    const auto overlapping = [](const char* code, const char* jump) {
        return Step(QString::fromLatin1(code))
            .zones(QStringLiteral("  "), QStringLiteral("EE"))
            .target2(1000, 1000, 600, 300, QString::fromLatin1(jump))
            .target1(400, 900, 600, 300);
    };
    session({{overlapping("0051", "A"), overlapping("0050", "0"), Step(Filler)}});
    FrmMain& w = show();
    // Armed with Shift and moved, then released without Shift: the jump field moves on.
    tsupport::press(*w.Label4, L, Sh, 300, 150);
    tsupport::move(*w.Label4, L, Sh, 315, 150);
    tsupport::release(*w.Label4, L, 0, 315, 150);
    ASSERT_EQ(step(), 2);
    // A press and release without movement never passes a drag step.
    tsupport::press(*w.Label4, L, 0, 315, 150);
    tsupport::release(*w.Label4, L, 0, 315, 150);
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(w.Label4->MousePointer(), vb::vbDefault);
}

TEST_F(SimWindowTest, PlainPressOnTheSecondTarget)
{
    session({{Step(QStringLiteral("0040")).target2(1000, 1000, 600, 300), Step(QStringLiteral("0001"))
                                                                            .target2(1000, 1000, 600, 300, QStringLiteral("1"))}});
    FrmMain& w = show();
    tsupport::press(*w.Label4, R);
    tsupport::release(*w.Label4, R);
    EXPECT_EQ(step(), 1);
    tsupport::press(*w.Label4, L);
    EXPECT_EQ(step(), 2);
    tsupport::release(*w.Label4, L);
    // A release over the second target of another step jumps by its field.
    tsupport::click(*w.Label4, L);
    EXPECT_EQ(step(), 1);
}

// ---- Picture drags ------------------------------------------------------------------------

Step pictureStep(const QString& code)
{
    return Step(code).image(5, 1000, 2000, QStringLiteral("drag01")).at(167, QStringLiteral("0300002500"));
}

TEST_F(SimWindowTest, PictureDraggedPastThePointSnapsThere)
{
    picture(QStringLiteral("drag01"), {40, 20});
    session({{pictureStep(QStringLiteral("8002")), Step(Filler)}});
    FrmMain& w = show();
    // Short of the point: back to the start, the top as it was.
    tsupport::press(*w.Image5, L, 0, 30, 30);
    tsupport::move(w, L, 0, 2400, 2010);
    EXPECT_GT(w.Image5->Left(), 1000);
    EXPECT_EQ(w.Image5->Top(), 2000);
    tsupport::release(w, L, 0, 2400, 2010);
    EXPECT_EQ(w.Image5->Left(), 1000);
    EXPECT_EQ(w.Image5->Top(), 2000);
    EXPECT_EQ(step(), 1);
    // A right-button drag does not move it.
    tsupport::press(*w.Image5, R, 0, 30, 30);
    tsupport::move(w, R, 0, 4000, 2010);
    EXPECT_EQ(w.Image5->Left(), 1000);
    tsupport::release(w, R, 0, 4000, 2010);
    EXPECT_EQ(step(), 1);
    // Far enough: it snaps to the point and the step passes.
    tsupport::press(*w.Image5, L, 0, 30, 30);
    for (int x = 5000; x <= 5040 && w.Image5->Left() < 3000; x += 10)
        tsupport::move(w, L, 0, x, 2010);
    ASSERT_GE(w.Image5->Left(), 3000);
    tsupport::release(w, L, 0, 5040, 2010);
    EXPECT_EQ(step(), 2);
}

TEST_F(SimWindowTest, Code8005IsInert)
{
    picture(QStringLiteral("drag01"), {40, 20});
    session({{pictureStep(QStringLiteral("8005")), Step(Filler)}});
    FrmMain& w = show();
    tsupport::press(*w.Image5, L, 0, 30, 30);
    tsupport::move(w, L, 0, 5000, 2010);
    tsupport::release(w, L, 0, 5000, 2010);
    EXPECT_EQ(w.Image5->Left(), 1000);
    EXPECT_EQ(step(), 1);
}

// ---- Dialog tabs --------------------------------------------------------------------------

class DialogTabTest : public SimWindowTest {
protected:
    // Layout A: 3 tabs at 10, 800, 1700; layout B: 13 tabs 500 apart. Header top 100, height
    // 240; back area at (500, 600) 700 wide.
    void SetUp() override
    {
        SimWindowTest::SetUp();
        QString a = QStringLiteral("x30100240");
        for (int i = 1; i <= 3; ++i)
            a += QStringLiteral("p0000%1").arg(i) + Step::num(std::array{10, 800, 1700}[i - 1], 4);
        a = a.leftJustified(139, u' ') + QStringLiteral("050006000700");
        QString b = QStringLiteral("xD0100240");
        for (int i = 1; i <= 13; ++i)
            b += QStringLiteral("p000%1").arg(i, 2, 10, QChar(u'0')) + Step::num(10 + 500 * (i - 1), 4);
        inst.writeLines(QStringLiteral("data/288906.mxy"), {a, b});
        picture(QStringLiteral("dialog"), {400, 100}, Qt::blue);
        picture(QStringLiteral("p00001"), {31, 10});
        picture(QStringLiteral("p00002"), {32, 10});
        textTable({QStringLiteral("the step's own|hint")});
    }
    static Step tabStep(const QString& spec)
    {
        return Step(QStringLiteral("0001"))
            .image(2, 1000, 2000, QStringLiteral("dialog"))
            .target1(1500, 3000, 600, 300)
            .hint(100, 100, 1)
            .at(130, spec);
    }
};

TEST_F(DialogTabTest, TabClicksWithdrawAndGiveBackTheTarget)
{
    session({{tabStep(QStringLiteral("XA222")), Step(Filler)}});
    FrmMain& w = show();
    // Shown = expected: the target is live with the step's own hint.
    EXPECT_EQ(rectOf(*w.Label1), QRect(1500, 3000, 600, 300));
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("the step's own\r\nhint"));
    // Another tab withdraws it and frames the expected tab.
    tsupport::click(w.LblXXK(1));
    EXPECT_EQ(w.Image2->Picture()->width(), 31);
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("请选择第2个选项卡"));
    EXPECT_EQ(w.Label1->Width(), 1);
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.LblXXK(2)));
    EXPECT_EQ(step(), 1);
    // The expected tab gives the step's own page and the target back; the script waits.
    tsupport::click(w.LblXXK(2));
    EXPECT_EQ(w.Image2->Picture()->width(), 400);
    EXPECT_EQ(rectOf(*w.Label1), QRect(1500, 3000, 600, 300));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(*w.Label1));
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("the step's own\r\nhint"));
    EXPECT_EQ(step(), 1);
    // A tab whose page picture is missing keeps the page shown.
    tsupport::click(w.LblXXK(3));
    EXPECT_EQ(w.Image2->Picture()->width(), 400);
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 1); // the target is withdrawn again
    tsupport::click(w.LblXXK(2));
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 2);
}

TEST_F(DialogTabTest, ThirteenTabsAndTheOneRowLastTab)
{
    session({{tabStep(QStringLiteral("XBDA2")), tabStep(QStringLiteral("XA112"))}});
    FrmMain& w = show();
    for (int i = 8; i <= 13; ++i)
        EXPECT_EQ(w.LblXXK(i).Top(), w.LblXXK(1).Top() + 300) << i;
    EXPECT_EQ(w.LblXXK(7).Width(), 1050);
    EXPECT_EQ(w.LblXXK(13).Width(), 1485);
    // Clicking tab 3 brings tabs 1-7 next to the page.
    tsupport::click(w.LblXXK(3));
    EXPECT_EQ(w.LblXXK(3).Top(), w.LblXXK(9).Top() + 300);
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.LblXXK(3).Width(), 990);
}

TEST_F(DialogTabTest, BackAreaAndComboGoBackButNeverBeforeStepOne)
{
    const Step combo = Step(Filler).at(125, QStringLiteral("Q0003")).at(167, QStringLiteral("0120000340"));
    session({{tabStep(QStringLiteral("XA112")), combo, Step(Filler), combo, combo, Step(Filler)}});
    FrmMain& w = show();
    tsupport::click(w.LblXXK(0));
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(w.TabCount, 3);
    w.GoStep(QStringLiteral("D"));
    ASSERT_EQ(step(), 5);
    tsupport::click(w.LblXXK(0));
    EXPECT_EQ(step(), 2);
    tsupport::click(w.LblXXK(0));
    EXPECT_EQ(step(), 1);
}

// ---- Lists --------------------------------------------------------------------------------

TEST_F(SimWindowTest, ListTakesTheEditorsPlace)
{
    textTable({QStringLiteral("a|b|c")});
    session({{Step(QStringLiteral("L001")).editor(1000, 1000, 1500, 900).texts(0, 2), Step(Filler)}});
    FrmMain& w = show();
    ASSERT_EQ(w.LstLA->ListCount(), 3);
    EXPECT_EQ(rectOf(*w.LstLA), QRect(1000, 1000, 1500, 900));
    EXPECT_EQ(rectOf(*w.PicLeft), QRect(1000, 1000, 15, 900));
    EXPECT_EQ(rectOf(*w.PicRight), QRect(2485, 1000, 15, 900));
    EXPECT_EQ(rectOf(*w.PicTop), QRect(1000, 1000, 1500, 15));
    EXPECT_EQ(rectOf(*w.PicBottom), QRect(1000, 1885, 1500, 15));
    auto* list = qobject_cast<QListWidget*>(w.LstLA->widget());
    ASSERT_TRUE(list);
    const auto clickItem = [&](int row) {
        const QRect r = list->visualItemRect(list->item(row));
        tsupport::click(*w.LstLA, L, 0, (r.center().x()) * 15.0, (r.center().y()) * 15.0);
    };
    clickItem(1);
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(w.LblXXK(0).Caption(), QStringLiteral("b"));
    EXPECT_TRUE(w.LstLA->Visible());
    clickItem(2);
    EXPECT_EQ(step(), 2);
    EXPECT_FALSE(w.LstLA->Visible());
    EXPECT_FALSE(w.PicLeft->Visible());
}

TEST_F(SimWindowTest, ListShowingTheExpectedEntryPassesOnceItStands)
{
    textTable({QStringLiteral("a|b|c")});
    session({{Step(QStringLiteral("L001")).editor(1000, 1000, 1500, 900).texts(1, 1), Step(Filler), Step(Filler)}});
    FrmMain& w = show();
    EXPECT_EQ(step(), 2);
    EXPECT_FALSE(w.LstLA->Visible());
}

TEST_F(SimWindowTest, LocationListOpensChoosesAndCloses)
{
    picture(QStringLiteral("9lX010"), {260, 248}, Qt::white);
    session({{Step(QStringLiteral("K307")).editor(1000, 1000, 1500, 300), Step(Filler)}});
    FrmMain& w = show();
    EXPECT_EQ(w.ImgSelAD->Left(), -120);
    ASSERT_GT(w.PicList->Width(), 3000);
    tsupport::click(*w.LblADDmyXZ);
    EXPECT_EQ(w.PicList->Height(), 3720);
    tsupport::click(*w.LblADDmyXZ);
    EXPECT_EQ(w.PicList->Height(), 330);
    tsupport::click(*w.LblADDmyXZ);
    // Hovering 2 and then 9 leaves only 9 highlighted.
    hover(w.LblADD(2));
    tsupport::move(w.LblADD(9));
    for (int i = 0; i <= 13; ++i)
        EXPECT_EQ(w.ImgLiN(i).Visible(), i == 9) << i;
    tsupport::click(w.LblADD(5));
    EXPECT_EQ(w.ImgSelAD->Left(), -270);
    EXPECT_EQ(w.PicList->Height(), 330);
    EXPECT_EQ(step(), 1);
    tsupport::click(*w.LblADDmyXZ);
    tsupport::click(w.LblADD(7));
    EXPECT_EQ(step(), 2);
}

// ---- Hint frames --------------------------------------------------------------------------

TEST_F(SimWindowTest, HintFramesFollowTheStepAboutATenthOfASecondLater)
{
    session({{Step(QStringLiteral("7000"))
                  .zones(QStringLiteral("A3"))
                  .at(96, QStringLiteral("H57000000C"))
                  .at(86, QStringLiteral("H03000000A")),
              Step(QStringLiteral("7000")).zones(QStringLiteral("A3")).at(125, QStringLiteral("D570000000")),
              Step(QStringLiteral("7000")).zones(QStringLiteral("A3")).at(96, QStringLiteral("D570000000"))}});
    FrmMain& w = show();
    Clock::advance(100);
    EXPECT_FALSE(w.ShapeTool->Visible());
    // Hint mode: the layout shows the hint, the frames follow a tenth of a second later.
    S().DisplayMode = 1;
    w.setData();
    Clock::advance(99);
    EXPECT_FALSE(w.ShapeTool->Visible());
    Clock::advance(1);
    EXPECT_TRUE(w.ShapeTool->Visible());
    EXPECT_TRUE(w.ShapeMenu->Visible());
    const QRect spot = rectOf(w.LblZHU(3));
    EXPECT_EQ(rectOf(*w.ShapeMenu), QRect(spot.x(), spot.y() + 15, spot.width(), spot.height() - 15));
    w.GoStep(QStringLiteral("A"));
    Clock::advance(100);
    EXPECT_FALSE(w.ShapeTool->Visible());
    w.GoStep(QStringLiteral("A"));
    Clock::advance(100);
    EXPECT_TRUE(w.ShapeTool->Visible());
}

} // namespace
