#include "sim_window_fixture.h"

#include <QPixmap>

namespace {

using LayoutTest = SimWindowTest;

QRect rectOf(const vb::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

TEST_F(LayoutTest, FirstStepWithKeepCodesShowsTheDefaultBackgroundAndEmptyOverlays)
{
    session({{Step(QStringLiteral("0001"))
                  .image(1, 150, 300, QStringLiteral("888888"))
                  .image(2, 300, 300, QStringLiteral("888888"))
                  .image(3, 450, 300, QStringLiteral("888888"))
                  .image(4, 600, 300, QStringLiteral("888888"))
                  .image(5, 750, 300, QStringLiteral("888888"))
                  .image6(900, 300, QStringLiteral("888888"))}});
    FrmMain& w = frmMain();
    // Pictures left over from an earlier question are cleared by a first step.
    const QPixmap old(8, 8);
    for (vb::Image* img : {w.Image1, w.Image2, w.Image3, w.Image4, w.Image5})
        img->setPicture(old);
    w.Image6->setPicture(old);
    show();

    EXPECT_EQ(S().QuestionPictures[1][0], QStringLiteral("310010"));
    EXPECT_EQ(pixelAt(w, 6000, 6000), QColor(0, 128, 0));
    int k = 0;
    for (vb::Image* img : {w.Image1, w.Image2, w.Image3, w.Image4, w.Image5}) {
        ++k;
        EXPECT_TRUE(img->Visible()) << k;
        EXPECT_FALSE(img->Picture().has_value()) << k;
        EXPECT_EQ(img->Left(), 150 * k) << k;
        EXPECT_EQ(img->Top(), 300) << k;
        EXPECT_TRUE(S().QuestionPictures[1][static_cast<std::size_t>(k)].isEmpty());
    }
    EXPECT_TRUE(w.Image6->Visible());
    EXPECT_FALSE(w.Image6->Picture().has_value());
    EXPECT_EQ(w.DragLeft, 750);
    EXPECT_EQ(w.DragTop, 300);
}

TEST_F(LayoutTest, HideCodeHidesAPictureWithoutMovingIt)
{
    picture(QStringLiteral("a00001"), {10, 10});
    // Image6 hides on a code that does not read as a number other than 0.
    picture(QStringLiteral("600006"), {10, 10});
    Step first(QStringLiteral("0001"));
    for (int k = 1; k <= 5; ++k)
        first.image(k, 100 * k, 200 * k, QStringLiteral("a00001"));
    first.image6(700, 800, QStringLiteral("600006"));
    Step second(QStringLiteral("0001"));
    for (int k = 1; k <= 5; ++k)
        second.image(k, 5000, 5000, QStringLiteral("000000"));
    second.image6(5000, 5000, QStringLiteral("000000"));
    session({{first, second}});
    FrmMain& w = show();
    w.GoStep(QStringLiteral("A"));
    ASSERT_EQ(step(), 2);
    int k = 0;
    for (vb::Image* img : {w.Image1, w.Image2, w.Image3, w.Image4, w.Image5}) {
        ++k;
        EXPECT_FALSE(img->Visible()) << k;
        EXPECT_EQ(img->Left(), 100 * k) << k;
        EXPECT_EQ(img->Top(), 200 * k) << k;
        EXPECT_TRUE(img->Picture().has_value()) << k;
        EXPECT_EQ(S().QuestionPictures[1][static_cast<std::size_t>(k)], QStringLiteral("a00001"));
    }
    EXPECT_FALSE(w.Image6->Visible());
    EXPECT_EQ(w.Image6->Left(), 700);
}

TEST_F(LayoutTest, MissingOrUnsafePictureKeepsTheSlotsPicture)
{
    picture(QStringLiteral("a00001"), {10, 10});
    // A picture outside the data folder that a code could reach with "..".
    inst.writePicture(QStringLiteral("x00.mxy"), {20, 20});
    session({{Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("a00001")),
              Step(QStringLiteral("0001")).image(1, 300, 300, QStringLiteral("nofile")),
              Step(QStringLiteral("0001")).image(1, 400, 400, QStringLiteral("../x00001").left(6)),
              Step(QStringLiteral("0001")).image(1, 500, 500, QStringLiteral("..x001")).back(QStringLiteral("../x00"))}});
    FrmMain& w = show();
    ASSERT_EQ(w.Image1->Picture()->width(), 10);
    for (int expectedLeft : {300, 400, 500}) {
        w.GoStep(QStringLiteral("A"));
        EXPECT_EQ(w.Image1->Left(), expectedLeft);
        EXPECT_TRUE(w.Image1->Visible());
        EXPECT_EQ(w.Image1->Picture()->width(), 10) << expectedLeft;
    }
    EXPECT_EQ(S().QuestionPictures[1][1], QStringLiteral("..x001"));
    EXPECT_EQ(pixelAt(w, 6000, 6000), QColor(0, 128, 0));
}

TEST_F(LayoutTest, EditorTakesItsPlaceTextAndFormatFromTheRecordAndTheFontColourTable)
{
    QStringList fonts(41);
    fonts[3] = QStringLiteral("  #黑体  ");
    fonts[17] = QStringLiteral("#000000255");
    fonts[27] = QStringLiteral("#255255000");
    inst.writeLines(QStringLiteral("data/288905.mxy"), fonts);
    textTable({QStringLiteral("first"), QStringLiteral("=SUM(A1:A3)")});
    session({{Step(QStringLiteral("0020"))
                  .editor(1500, 2000, 1200, 300)
                  .texts(2, 1)
                  .at(125, QStringLiteral(" 120M 5377")),
              Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).at(125, QStringLiteral(" 000  9000"))}});
    FrmMain& w = show();
    EXPECT_TRUE(w.Text1->Visible());
    EXPECT_EQ(rectOf(*w.Text1), QRect(1500, 2000, 1200, 300));
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("=SUM(A1:A3)"));
    EXPECT_EQ(w.Text1->SelStart(), 11);
    EXPECT_DOUBLE_EQ(w.Text1->FontSize(), 12.0);
    EXPECT_EQ(w.Text1->Alignment(), 2);
    EXPECT_TRUE(w.Text1->FontBold());
    EXPECT_FALSE(w.Text1->FontItalic());
    EXPECT_TRUE(w.Text1->FontUnderline());
    EXPECT_EQ(w.Text1->FontName(), QStringLiteral("黑体"));
    EXPECT_EQ(w.Text1->ForeColor(), QColor(0, 0, 255));
    EXPECT_EQ(w.Text1->BackColor(), QColor(255, 255, 0));

    // Size 000 is 9 points; style digit 9 keeps the style; the empty entries 10 and 20 of the
    // table read 0 for each colour number: black.
    w.GoStep(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(w.Text1->FontSize(), 9.0);
    EXPECT_EQ(w.Text1->Alignment(), 0);
    EXPECT_TRUE(w.Text1->FontBold());
    EXPECT_TRUE(w.Text1->FontUnderline());
    EXPECT_EQ(w.Text1->Text(), QString());
    EXPECT_EQ(w.Text1->ForeColor(), QColor(0, 0, 0));
    EXPECT_EQ(w.Text1->BackColor(), QColor(0, 0, 0));
}

// Empty and short colour entries read 0 for every missing number; without the table at all the
// editor keeps the toolkit's black on white.
TEST_F(LayoutTest, ColourEntriesReadZeroForEachMissingNumber)
{
    const struct {
        bool table;
        const char* fore; // entry 11
        const char* back; // entry 21
        QColor foreColour;
        QColor backColour;
    } cases[] = {
        {true, "", "", QColor(0, 0, 0), QColor(0, 0, 0)},
        {true, "#200", " #100050", QColor(200, 0, 0), QColor(100, 50, 0)},
        {true, "#", "#999999999", QColor(0, 0, 0), QColor(255, 255, 255)},
        {false, "", "", QColor(Qt::black), QColor(Qt::white)},
    };
    textTable({QStringLiteral("text")});
    session({{Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).at(125, QStringLiteral(" 090  0111"))}});
    for (const auto& c : cases) {
        QFile::remove(inst.path(QStringLiteral("data/288905.mxy")));
        if (c.table) {
            QStringList entries(41);
            entries[11] = QString::fromLatin1(c.fore);
            entries[21] = QString::fromLatin1(c.back);
            inst.writeLines(QStringLiteral("data/288905.mxy"), entries);
        }
        FrmMain& w = show();
        EXPECT_EQ(w.Text1->ForeColor(), c.foreColour) << c.fore;
        EXPECT_EQ(w.Text1->BackColor(), c.backColour) << c.back;
        vb::Forms::unloadAll();
        platform::Clock::advance(1);
    }
}

// Only "000" names no text; any other field that reads 0 runs to the table's last line. In a
// list step the same columns are entry numbers.
TEST_F(LayoutTest, TextLineFieldsThatAreNotNumbersTakeTheLastLine)
{
    textTable({QStringLiteral("first"), QStringLiteral("a|b|c"), QStringLiteral("last")});
    session({{Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).at(106, QStringLiteral(" x ")).hint(600, 600, 1).at(122, QStringLiteral("abc")),
              Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).at(106, QStringLiteral("000")).hint(600, 600, 0),
              Step(QStringLiteral("L002")).editor(1500, 2000, 1200, 900).at(106, QStringLiteral("x  ")).at(109, QStringLiteral("002"))}});
    FrmMain& w = show();
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("last"));
    EXPECT_EQ(w.SavedHint, QStringLiteral("last"));
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.Text1->Text(), QString());
    EXPECT_EQ(w.SavedHint, QString());
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.LstLA->ListCount(), 3);
    EXPECT_EQ(w.LstLA->ListIndex(), 0);
}

TEST_F(LayoutTest, ColumnsThatHoldACodeShowNoEditor)
{
    session({{Step(QStringLiteral("0001")).editor(100, 100, 100, 100),
              Step(QStringLiteral("0001")).at(86, QStringLiteral("R3123")),
              Step(QStringLiteral("0021")).editor(300, 400, 500, 600)}});
    FrmMain& w = show();
    EXPECT_TRUE(w.Text1->Visible());
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.Text1->Visible());
    // A 0021 step shows the second editor in the first one's place.
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.Text1->Visible());
    EXPECT_TRUE(w.Text2->Visible());
    EXPECT_EQ(rectOf(*w.Text2), QRect(300, 400, 500, 600));
}

TEST_F(LayoutTest, HintOnSeveralLinesAndKeptByTenZeros)
{
    textTable({QStringLiteral("x|y"), QStringLiteral("other")});
    S().DisplayMode = 1;
    session({{Step(QStringLiteral("0001")).hint(600, 900, 1).target1(100, 100, 300, 300),
              Step(QStringLiteral("0001")).target1(100, 100, 300, 300),
              Step(QStringLiteral("0001")).hint(10, 0, 0)}});
    FrmMain& w = show(1, 1);
    // Showing a question resets hint mode; the hint button sets it again.
    S().DisplayMode = 1;
    w.GoStep(QStringLiteral("q"));
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("x\r\ny"));
    EXPECT_EQ(w.LHelp->Left(), 600);
    EXPECT_EQ(w.LHelp->Top(), 900);
    EXPECT_TRUE(w.LHelp->Visible());
    EXPECT_TRUE(w.Shape1->Visible());
    EXPECT_TRUE(w.Shape2->Visible());
    EXPECT_EQ(rectOf(*w.Shape1), QRect(100, 100, 300, 300));

    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("x\r\ny"));
    EXPECT_EQ(w.LHelp->Left(), 600);
    EXPECT_TRUE(w.LHelp->Visible());

    // A hint place of its own with text line 000 empties the hint.
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.LHelp->Caption(), QString());
    EXPECT_EQ(w.SavedHint, QString());
}

struct TypingCase {
    const char* code;
    const char* hint;
    const char* caption;
    bool frame; // the red frame in hint mode
    bool editBar;
};

class TypingHintTest : public SimWindowTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingHintTest, CaptionFrameAndEditBar)
{
    const TypingCase c = GetParam();
    textTable({QString::fromUtf8(c.hint)});
    session({{Step(QStringLiteral("0001")),
              Step(QString::fromUtf8(c.code)).hint(600, 900, 1).target1(100, 100, 300, 300).editor(100, 100, 300, 300)}});
    FrmMain& w = show();
    S().DisplayMode = 1;
    w.doNext();
    ASSERT_EQ(step(), 2);
    EXPECT_EQ(w.LHelp->Caption(), QString::fromUtf8(c.caption));
    EXPECT_EQ(w.Shape1->Visible(), c.frame);
    EXPECT_EQ(w.Text4->Visible(), c.editBar);
    if (c.editBar) {
        EXPECT_EQ(rectOf(*w.Text4), QRect(2880, 1560, 8865, 225));
        EXPECT_DOUBLE_EQ(w.Text4->FontSize(), 11.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TypingHintTest,
    ::testing::Values(TypingCase{"0020", "a|b", "输入 a或  b", false, false},
                      TypingCase{"0021", "a", "输入 a", false, false},
                      TypingCase{"0022", "X", "输入 X 并按回车键或点红色方框处", true, false},
                      TypingCase{"0023", "X", "请选中 X", false, false},
                      TypingCase{"0024", "X", "输入 X 并按回车键", false, false},
                      TypingCase{"0025", "a|b", "a或  b", false, false},
                      TypingCase{"0026", "X", "输入 X 并点击红色方框处", true, false},
                      TypingCase{"0027", "a|b", "a或  b", false, false},
                      TypingCase{"0028", "X", "在单元格或编辑栏中输入 X 并按回车键或点编辑区或点“√”", true, true},
                      TypingCase{"0001", "a|b", "a\r\nb", true, false}));

TEST_F(LayoutTest, PointerOverTheFirstTarget)
{
    const struct {
        const char* spec;
        int pointer;
    } cases[] = {{"S  03", vb::vbIbeam}, {"S0015", vb::vbSizeAll}, {"S  16", vb::vbDefault},
                 {"M  07", vb::vbDefault}, {"M  ..", vb::vbDefault}, {"X  03", vb::vbDefault}};
    std::vector<QString> steps;
    for (const auto& c : cases)
        steps.push_back(Step(QStringLiteral("0001")).target1(100, 100, 300, 300).at(101, QString::fromUtf8(c.spec)));
    session({steps});
    FrmMain& w = show();
    for (const auto& c : cases) {
        EXPECT_EQ(w.Label1->MousePointer(), c.pointer) << c.spec;
        w.GoStep(QStringLiteral("A"));
    }
}

TEST_F(LayoutTest, ZoneSetsAddUp)
{
    const struct {
        const char* spec1;
        const char* spec2;
        bool menu, tool, hui, pane;
    } cases[] = {{"A1", "  ", true, false, false, false}, {"A6", "  ", false, true, true, false},
                 {"A1", "A4", true, false, true, false},  {"B2", "EE", false, true, false, true},
                 {"C7", "  ", false, false, false, false}, {"  ", "A7", true, true, true, false}};
    // The pane panel shows only with a pane that the step names.
    std::vector<QString> steps;
    for (const auto& c : cases)
        steps.push_back(Step(QStringLiteral("0001"))
                            .zones(QString::fromUtf8(c.spec1), QString::fromUtf8(c.spec2))
                            .at(86, c.pane ? QStringLiteral("H35") : QStringLiteral("0")));
    session({steps});
    FrmMain& w = show();
    for (const auto& c : cases) {
        EXPECT_EQ(w.PicMenu->Visible(), c.menu) << c.spec1 << c.spec2;
        EXPECT_EQ(w.PicTool->Visible(), c.tool) << c.spec1 << c.spec2;
        EXPECT_EQ(w.PicHui->Visible(), c.hui) << c.spec1 << c.spec2;
        EXPECT_EQ(w.PicElse->Visible(), c.pane) << c.spec1 << c.spec2;
        w.GoStep(QStringLiteral("A"));
    }
}

TEST_F(LayoutTest, TargetsOfADragStepAndWithoutAHeight)
{
    session({{Step(QStringLiteral("8003")).target1(100, 100, 300, 300).target2(500, 500, 300, 300),
              Step(QStringLiteral("0001")).target1(100, 100, 300, 0),
              Step(QStringLiteral("0001")).target2(500, 600, 700, 800)}});
    FrmMain& w = show();
    EXPECT_EQ(w.Label1->Width(), 1);
    EXPECT_EQ(w.Label1->Height(), 1);
    EXPECT_EQ(w.Label4->Width(), 1);
    EXPECT_EQ(w.Label4->Height(), 1);
    S().DisplayMode = 1;
    w.GoStep(QStringLiteral("A"));
    EXPECT_TRUE(w.Label1->Visible());
    EXPECT_EQ(w.Label1->Height(), 1);
    EXPECT_FALSE(w.Shape1->Visible());
    EXPECT_EQ(w.Label4->Left(), -1);
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.Label1->Visible());
    EXPECT_EQ(rectOf(*w.Label4), QRect(500, 600, 700, 800));
    EXPECT_EQ(rectOf(*w.Shape4), QRect(500, 600, 700, 800));
}

TEST_F(LayoutTest, ListStepFillsTheListInTheEditorsPlace)
{
    textTable({QStringLiteral("one"), QStringLiteral("左|中|右|")});
    session({{Step(QStringLiteral("L002")).editor(1000, 2000, 1500, 900).texts(1, 2),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    EXPECT_TRUE(w.LstLA->Visible());
    EXPECT_FALSE(w.Text1->Visible());
    EXPECT_EQ(rectOf(*w.LstLA), QRect(1000, 2000, 1500, 900));
    ASSERT_EQ(w.LstLA->ListCount(), 4);
    EXPECT_EQ(w.LstLA->List(3), QString());
    EXPECT_EQ(w.LstLA->ListIndex(), 1);
    EXPECT_EQ(w.LblXXK(0).Caption(), QStringLiteral("中"));
    EXPECT_EQ(rectOf(*w.PicRight), QRect(1000 + 1500 - 15, 2000, 15, 900));
    EXPECT_EQ(rectOf(*w.PicBottom), QRect(1000, 2000 + 900 - 15, 1500, 15));
    EXPECT_EQ(step(), 1);
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.LstLA->Visible());
    EXPECT_FALSE(w.PicTop->Visible());
    EXPECT_EQ(w.LblXXK(0).Caption(), QString());
}

TEST_F(LayoutTest, LocationListShowsItsFirstEntryAndCompletesOnlyAfterItsSetUp)
{
    session({{Step(QStringLiteral("K307")).editor(1000, 2000, 1500, 300),
              Step(QStringLiteral("K303")).editor(1000, 2000, 1500, 300),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    EXPECT_TRUE(w.PicList->Visible());
    EXPECT_EQ(w.PicList->Left(), 1000);
    EXPECT_EQ(w.PicList->Top(), 2000);
    EXPECT_EQ(w.PicList->Height(), 330);
    EXPECT_EQ(w.ImgSelAD->Left(), -120);
    // The candidate's choice of the expected entry passes the step.
    w.ImgLiN_Click(5);
    EXPECT_EQ(w.ImgSelAD->Left(), -270);
    EXPECT_EQ(step(), 1);
    // Step 2 shows the expected entry from the start: it stands up first, then passes once.
    w.ImgLiN_Click(7);
    EXPECT_EQ(step(), 3);
    EXPECT_FALSE(w.PicList->Visible());
}

// A list that shows its expected entry from the start on the last step of a question without an
// end record stands there: its pass would lay the same step out again, without end.
TEST_F(LayoutTest, AListThatPassesFromTheStartOnTheLastStepStands)
{
    textTable({QStringLiteral("a|b|c")});
    session({{Step(QStringLiteral("0001")), Step(QStringLiteral("L001")).editor(1500, 2000, 1200, 900).texts(1, 1)},
              {Step(QStringLiteral("K303")).editor(1000, 2000, 1500, 300)}});
    FrmMain& w = show();
    w.doNext();
    EXPECT_EQ(step(), 2);
    EXPECT_TRUE(w.LstLA->Visible());
    EXPECT_EQ(w.LstLA->ListIndex(), 1);
    show(2);
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(w.PicList->Visible());
}

TEST_F(LayoutTest, DialogTabsAskForTheExpectedTab)
{
    // Layout A: 3 tabs, header top 100, height 240, tab lefts 10, 800, 1700 and the back area.
    QString entry = QStringLiteral("x30100240");
    entry += QStringLiteral("p00001") + QStringLiteral("0010");
    entry += QStringLiteral("p00002") + QStringLiteral("0800");
    entry += QStringLiteral("p00003") + QStringLiteral("1700");
    entry = entry.leftJustified(139, u' ') + QStringLiteral("050006000700");
    inst.writeLines(QStringLiteral("data/288906.mxy"), {entry});
    picture(QStringLiteral("dialog"), {100, 100}, Qt::blue);
    picture(QStringLiteral("p00001"), {30, 30}, Qt::yellow);
    textTable({QStringLiteral("the step's own hint")});
    session({{Step(QStringLiteral("0001"))
                  .image(2, 1000, 2000, QStringLiteral("dialog"))
                  .target1(1500, 3000, 600, 300)
                  .hint(100, 100, 1)
                  .at(130, QStringLiteral("XA132")),
              Step(QStringLiteral("0001"))
                  .image(2, 1000, 2000, QStringLiteral("dialog"))
                  .target1(1500, 3000, 600, 300)
                  .hint(100, 100, 1)
                  .at(130, QStringLiteral("XA332"))}});
    FrmMain& w = show();
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("请选择第3个选项卡"));
    EXPECT_EQ(w.Image2->Picture()->width(), 30);
    EXPECT_EQ(w.TabCount, 3);
    EXPECT_EQ(rectOf(w.LblXXK(1)), QRect(1010, 2100, 790, 240));
    EXPECT_EQ(rectOf(w.LblXXK(2)), QRect(1800, 2100, 900, 240));
    EXPECT_EQ(rectOf(w.LblXXK(3)), QRect(2700, 2100, 990, 240));
    EXPECT_EQ(w.Label1->Width(), 1);
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.LblXXK(3)));
    EXPECT_EQ(w.LblXXK(0).Left(), 1000 + 500);
    EXPECT_EQ(w.LblXXK(0).Top(), 2000 + 600);
    EXPECT_EQ(w.LblXXK(0).Width(), 700);
    // The height is read across the left and top fields, as the tables are written.
    EXPECT_EQ(w.LblXXK(0).Height(), 6);

    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("the step's own hint"));
    EXPECT_EQ(rectOf(*w.Label1), QRect(1500, 3000, 600, 300));
    EXPECT_EQ(w.Image2->Picture()->width(), 100);
}

TEST_F(LayoutTest, ThirteenTabsLieInTwoRows)
{
    QString entry = QStringLiteral("xD0100240");
    for (int i = 1; i <= 13; ++i)
        entry += QStringLiteral("p000%1").arg(i, 2, 10, QChar(u'0')) + Step::num(10 + 500 * (i - 1), 4);
    inst.writeLines(QStringLiteral("data/288906.mxy"), {QString(), entry});
    session({{Step(QStringLiteral("0001")).image(1, 0, 0, QStringLiteral("dialog")).at(130, QStringLiteral("XBD31"))}});
    FrmMain& w = show();
    EXPECT_EQ(w.TabCount, 13);
    EXPECT_EQ(w.TabRow, 2);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(w.LblXXK(i).Top(), 100) << i;
    for (int i = 8; i <= 13; ++i)
        EXPECT_EQ(w.LblXXK(i).Top(), 400) << i;
    EXPECT_EQ(w.LblXXK(7).Width(), 1050);
    EXPECT_EQ(w.LblXXK(13).Width(), 1485);
    w.TabRow = 1;
    w.DoubleXXK();
    EXPECT_EQ(w.LblXXK(3).Top(), 400);
    EXPECT_EQ(w.LblXXK(9).Top(), 100);
}

TEST_F(LayoutTest, ComboFieldLiesAtThePoint)
{
    session({{Step(QStringLiteral("0001")).at(125, QStringLiteral("Q0003")).at(167, QStringLiteral("0120000340")),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    EXPECT_EQ(w.ComboState, QStringLiteral("Q0003"));
    EXPECT_EQ(rectOf(w.LblXXK(0)), QRect(1200, 340, 1095, 285));
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(w.ComboState, QStringLiteral("NONO"));
    EXPECT_EQ(w.LblXXK(0).Width(), 1);
}

TEST_F(LayoutTest, HintFramesAroundBarTargetsInHintModeOnly)
{
    session({{Step(QStringLiteral("7000"))
                  .zones(QStringLiteral("A3"))
                  .at(96, QStringLiteral("H57000000C"))
                  .at(86, QStringLiteral("H03000000A"))}});
    FrmMain& w = show();
    platform::Clock::advance(100);
    EXPECT_FALSE(w.ShapeTool->Visible());
    EXPECT_FALSE(w.ShapeMenu->Visible());
    EXPECT_FALSE(w.TimerDisFK->Enabled());

    // The panel's hint button: hint label and frames on, then the frame timer.
    S().DisplayMode = 1;
    w.LHelp->setVisible(true);
    w.TimerDisFK->setEnabled(true);
    platform::Clock::advance(100);
    EXPECT_TRUE(w.ShapeTool->Visible());
    EXPECT_EQ(rectOf(*w.ShapeTool), rectOf(w.LblZHU(57)));
    EXPECT_TRUE(w.ShapeMenu->Visible());
    EXPECT_EQ(rectOf(*w.ShapeMenu), QRect(2160, 15, 870, 255));
    EXPECT_FALSE(w.ShapeHui->Visible());
}

TEST_F(LayoutTest, AutomaticStepSwitchesItsTimerOnOnlyFor8888)
{
    session({{Step(QStringLiteral("8888")), Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    EXPECT_TRUE(w.Timer3->Enabled());
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.Timer3->Enabled());
}

TEST_F(LayoutTest, WithoutAStepFileTheWindowStaysUsable)
{
    S().StepFilePath = inst.path(QStringLiteral("data/missing.mxy"));
    FrmMain& w = show();
    EXPECT_TRUE(w.isVisible());
    w.doNext();
    w.GoStep(QStringLiteral("3"));
    EXPECT_EQ(step(), 1);
}

} // namespace

namespace {

TEST_F(LayoutTest, WithoutATextTableTextsAreEmpty)
{
    session({{Step(QStringLiteral("0020")).editor(100, 100, 900, 300).texts(1, 1).hint(600, 900, 1)}});
    FrmMain& w = show();
    EXPECT_TRUE(w.Text1->Visible());
    EXPECT_EQ(w.Text1->Text(), QString());
    EXPECT_EQ(w.SavedHint, QString());
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("输入 "));
}

TEST_F(LayoutTest, AChangeRaisedByTheLayoutsOwnTextNeverStartsTheNextStep)
{
    textTable({QStringLiteral("abc")});
    session({{Step(QStringLiteral("0001")),
              Step(QStringLiteral("0020")).editor(100, 100, 900, 300).texts(1, 1),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    // A handler that completes the step whenever the editor holds the answer, as the typing
    // steps do.
    int changes = 0;
    w.Text1->Change = [&w, &changes] {
        ++changes;
        if (w.Text1->Text() == u"abc")
            w.doNext();
    };
    w.doNext();
    EXPECT_GT(changes, 0);
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("abc"));
    // The candidate's own typing does complete it.
    w.Text1->setText(QStringLiteral("ab"));
    w.Text1->setText(QStringLiteral("abc"));
    EXPECT_EQ(step(), 3);
}

} // namespace
