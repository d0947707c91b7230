#include "demo_fixture.h"
#include "demo/player_rules.h"

#include <QDirIterator>
#include <QFontMetrics>

namespace {

using SetupTest = DemoTest;

QStringList filesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files << it.filePath() + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

TEST_F(SetupTest, LoadReadsTheStepFileOfTheSessionKindAndSet)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300)}});
    S().SessionKind = 20;
    S().SetIndex = 3;
    inst.writeLines(QStringLiteral("data/288823.mxy"), {Step(QStringLiteral("0001")).target1(900, 900, 600, 300)});
    FrmYanShi& w = demo();
    EXPECT_EQ(S().StepFilePath, S().DataDir + QStringLiteral("288823.mxy"));
    EXPECT_EQ(S().QuestionFilePath, S().DataDir + QStringLiteral("288873.mxy"));
    EXPECT_EQ(w.Label1->Left(), 900);
    EXPECT_EQ(S().DisplayMode, 1);
    EXPECT_EQ(st().PtX, 7680);
    EXPECT_EQ(st().PtY, 5760);
}

TEST_F(SetupTest, AStepOutsideTheQuestionLaysOutNothingAndEnds)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300), Step(QStringLiteral("0001"))},
             {Step(QStringLiteral("0001")).target1(5000, 5000, 600, 300)}});
    S().RunLogPath = inst.root() + QStringLiteral("/run.txt");
    FrmYanShi& w = demo();
    ASSERT_EQ(w.Label1->Left(), 300);
    for (const int stepNo : {3, 0}) {
        w.TimEnd->setEnabled(false);
        w.Timer2->setEnabled(false);
        st().StepNo = stepNo;
        w.setData();
        EXPECT_TRUE(w.TimEnd->Enabled()) << stepNo;
        EXPECT_EQ(w.Label1->Left(), 300) << stepNo;
        EXPECT_FALSE(w.Timer2->Enabled()) << stepNo;
    }
    EXPECT_TRUE(QFile::exists(S().RunLogPath));
}

TEST_F(SetupTest, AWholeQuestionLeavesThePracticeAsItWas)
{
    textTable({QStringLiteral("提示")});
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300).image(1, 0, 0, QStringLiteral("100001")),
              menuStep(QStringLiteral("H030000000")).zones(QStringLiteral("A1")),
              Step(QStringLiteral("9999"))}});
    picture(QStringLiteral("100001"));
    SessionState& s = S();
    s.CurrentStep = 2;
    s.SavedStep[1] = 2;
    s.QuestionState[1] = 1;
    s.QuestionPictures[1][1] = QStringLiteral("abcdef");
    platform::Clock::advance(1000);
    const QStringList before = filesUnder(inst.root());

    FrmYanShi& w = demo();
    arrive();
    EXPECT_EQ(st().StepNo, 2);
    arrive();
    EXPECT_EQ(st().StepNo, 3);
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("操作成功！"));
    EXPECT_TRUE(w.TimEnd->Enabled());
    platform::Clock::advance(400);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(s.DemoRunning, 0);
    EXPECT_EQ(st().StepNo, 1);

    EXPECT_EQ(s.CurrentStep, 2);
    EXPECT_EQ(s.SavedStep[1], 2);
    EXPECT_EQ(s.QuestionState[1], 1);
    EXPECT_EQ(s.QuestionPictures[1][1], QStringLiteral("abcdef"));
    EXPECT_TRUE(s.QuestionPictures[1][0].isEmpty());
    EXPECT_EQ(filesUnder(inst.root()), before);
}

TEST_F(SetupTest, AHintLineThatNamesNoTextEmptiesTheCaptionOnly)
{
    textTable({QStringLiteral("先选中A1")});
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300).hint(900, 900, 1),
              Step(QStringLiteral("0001")).target1(300, 300, 600, 300).hint(1200, 1200, 0),
              Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_EQ(st().HintText, QStringLiteral("先选中A1"));
    arrive();
    ASSERT_EQ(st().StepNo, 2);
    EXPECT_EQ(w.LHelp->Left(), 1200);
    EXPECT_EQ(w.LHelp->Caption(), QString());
    // A later tab step puts this text back.
    EXPECT_EQ(st().HintText, QStringLiteral("先选中A1"));
}

TEST_F(SetupTest, TheLastStepSaysSoAndCallsNoLayout)
{
    session({{Step(QStringLiteral("9999")).target1(300, 300, 600, 300).zones(QStringLiteral("A7"))}});
    FrmYanShi& w = demo();
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("操作成功！"));
    EXPECT_FALSE(w.Shape1->Visible());
    EXPECT_TRUE(w.TimEnd->Enabled());
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_FALSE(w.PicMenu->Visible());
    // No hot spots laid out, no pointer aimed.
    EXPECT_EQ(rectOf(w.LblZHU(7)), QRect(0, 0, 0, 0));
    EXPECT_EQ(st().TargetX, 0);
}

TEST_F(SetupTest, MenuTargetIsFramedAndAimedAt)
{
    session({{menuStep(QStringLiteral("H860000000")), Step(QStringLiteral("8888")), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_EQ(st().ZhuNo, 57);
    EXPECT_EQ(rectOf(w.LblZHU(57)), QRect(6600, 765, 510, 330));
    EXPECT_EQ(rectOf(*w.Shape1), QRect(6600, 765, 510, 330));
    EXPECT_TRUE(w.Shape1->Visible());
    EXPECT_EQ(st().TargetX, 6855);
    EXPECT_EQ(st().TargetY, 930);
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_FALSE(w.Timer3->Enabled());
    // The automatic step waits on the pause timer alone.
    arrive();
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_FALSE(w.Timer3->Enabled());
    EXPECT_TRUE(w.Timer4->Enabled());
    EXPECT_EQ(st().ZhuNo, 0);
    EXPECT_EQ(st().JumpCode, QStringLiteral("0"));
}

TEST_F(SetupTest, HotSpotsOfTheBarsInWindowCoordinates)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300), Step(QStringLiteral("0001"))}});
    FrmYanShi& w = demo();
    const std::vector<std::pair<int, QRect>> spots{{7, {5640, 420, 870, 270}},
                                                   {1, {420, 420, 870, 270}},
                                                   {11, {150, 8400, 870, 270}},
                                                   {24, {6225, 8370, 510, 330}},
                                                   {62, {8580, 780, 1050, 330}},
                                                   {67, {135, 1170, 2310, 330}},
                                                   {57, {6600, 765, 510, 330}}};
    std::vector<QRect> first;
    for (const auto& [n, r] : spots) {
        EXPECT_EQ(rectOf(w.LblZHU(n)), r) << n;
        first.push_back(rectOf(w.LblZHU(n)));
    }
    EXPECT_EQ(rectOf(w.LblZHU(86)), QRect(0, 0, 0, 0));
    EXPECT_EQ(QPoint(w.PicHui->Left(), w.PicHui->Top()), QPoint(0, 8340));
    arrive();
    ASSERT_EQ(st().StepNo, 2);
    for (std::size_t i = 0; i < spots.size(); ++i)
        EXPECT_EQ(rectOf(w.LblZHU(spots[i].first)), first[i]);
}

TEST_F(SetupTest, TheNextSetUpEmptiesWhatAPressShowed)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300), Step(QStringLiteral("0001"))}});
    FrmYanShi& w = demo();
    const QPixmap pressed(4, 4);
    for (vb::Image* img : {w.ImgMenu, w.ImgHui, w.ImgTool, w.ImgElse})
        img->setPicture(pressed);
    w.Pic1J->setVisible(true);
    w.Pic2J->setVisible(true);
    w.Img1J->setVisible(true);
    arrive();
    for (vb::Image* img : {w.ImgMenu, w.ImgHui, w.ImgTool, w.ImgElse})
        EXPECT_FALSE(img->Picture().has_value());
    EXPECT_FALSE(w.Pic1J->Visible());
    EXPECT_FALSE(w.Pic2J->Visible());
    EXPECT_FALSE(w.Img1J->Visible());
}

TEST_F(SetupTest, Panes)
{
    struct Case {
        QString pane;
        QPoint elsePos;
        bool elseShown;
        int spot;
        QRect spotRect;
        QString picture;
    };
    const QString far = QStringLiteral("01200 3000");
    const std::vector<Case> cases{
        {QStringLiteral("H36"), {6510, 420}, true, 36, {6510, 420, 870, 270}, QStringLiteral("360000")},
        {QStringLiteral("H32"), {9090, 1905}, true, 32, {9090, 1905, 2655, 300}, QStringLiteral("320000")},
        {QStringLiteral("H35"), {1200, 3000}, true, 35, {1200, 3000, 0, 0}, QStringLiteral("350000")},
        {QStringLiteral("H33"), {1200, 3000}, false, 33, {1200, 3000, 30, 30}, QString()},
    };
    for (const Case& c : cases) {
        chrome(c.pane.mid(1) + QStringLiteral("0000"), {20, 10});
        chrome(c.pane.mid(1) + QStringLiteral("0077"), {30, 40});
    }
    std::vector<QString> steps;
    for (const Case& c : cases)
        steps.push_back(Step(QStringLiteral("0001")).at(86, c.pane).at(96, far));
    steps.push_back(Step(QStringLiteral("0001")).at(86, QStringLiteral("h36")).at(96, far));
    steps.push_back(Step(QStringLiteral("9999")));
    session({steps});
    FrmYanShi& w = demo();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pane.toStdString());
        EXPECT_EQ(QPoint(w.PicElse->Left(), w.PicElse->Top()), c.elsePos);
        EXPECT_EQ(w.PicElse->Visible(), c.elseShown);
        EXPECT_EQ(rectOf(w.LblZHU(c.spot)), c.spotRect);
        EXPECT_EQ(rectOf(w.LblZHU(36)), QRect(c.elsePos, QSize(870, 270)));
        if (c.pane == u"H33") {
            EXPECT_TRUE(w.Pic1J->Visible());
            EXPECT_EQ(QPoint(w.Pic1J->Left(), w.Pic1J->Top()), QPoint(1200, 3000));
            EXPECT_EQ(w.Pic1J->Width(), 30 * 15);
            EXPECT_EQ(rectOf(w.LblZHU(34)), QRect(1200, 3000, 0, 0));
        } else {
            EXPECT_EQ(w.PicElse->Width(), 20 * 15);
        }
        arrive();
    }
    // "h36": no pane; the spots stay at the pane picture's last place.
    EXPECT_FALSE(w.PicElse->Visible());
    EXPECT_FALSE(w.Pic1J->Visible());
    EXPECT_EQ(rectOf(w.LblZHU(36)), QRect(1200, 3000, 870, 270));
    EXPECT_EQ(rectOf(w.LblZHU(33)), QRect(1200, 3000, 0, 0));
}

TEST_F(SetupTest, PopUpResetOnlyWhileRunningAndTwiceAsOnce)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300)}});
    FrmYanShi& w = demo();
    const auto open = [&] {
        w.LRM2(3).setVisible(true);
        w.LRM2(3).setCaption(QStringLiteral("复制"));
        w.LRMJL(5).setVisible(true);
        w.LRSFgx(5).setVisible(true);
        w.ShapeRSUB->setVisible(true);
        w.Pic1J->setVisible(true);
        w.Pic2J->setVisible(true);
        w.PicList->setHeight(3720);
    };
    open();
    S().DemoRunning = 0;
    w.CSH();
    EXPECT_TRUE(w.LRM2(3).Visible());
    EXPECT_EQ(w.PicList->Height(), 3720);
    S().DemoRunning = -1;
    w.CSH();
    EXPECT_FALSE(w.LRM2(3).Visible());
    EXPECT_TRUE(w.LRM2(3).Caption().isEmpty());
    EXPECT_FALSE(w.LRMJL(5).Visible());
    EXPECT_FALSE(w.LRSFgx(5).Visible());
    EXPECT_FALSE(w.ShapeRSUB->Visible());
    EXPECT_FALSE(w.Pic1J->Visible());
    EXPECT_FALSE(w.Pic2J->Visible());
    EXPECT_EQ(w.PicList->Height(), 330);
    w.CSH();
    EXPECT_EQ(w.PicList->Height(), 330);
    EXPECT_FALSE(w.LRM2(3).Visible());
    // A pane palette stays open through its own step.
    st().ZhuNo = 34;
    w.Pic1J->setVisible(true);
    w.CSH();
    EXPECT_TRUE(w.Pic1J->Visible());
}

TEST_F(SetupTest, MarqueeAndInterruptions)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300).image(1, 3000, 3000, QStringLiteral("100001"))}});
    picture(QStringLiteral("100001"), {40, 40});
    FrmYanShi& w = demo();
    w.Show();
    EXPECT_EQ(w.Shape6->Width(), 10);
    EXPECT_EQ(w.Shape6->Height(), 10);
    tsupport::key(w, 65);
    EXPECT_FALSE(w.TimEnd->Enabled());
    tsupport::key(w, 27);
    EXPECT_TRUE(w.TimEnd->Enabled());
    w.TimEnd->setEnabled(false);
    tsupport::dblClick(*w.Image1);
    EXPECT_TRUE(w.TimEnd->Enabled());
}

} // namespace

namespace {

TEST_F(SetupTest, TheEndGivesThePracticeBack)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300), Step(QStringLiteral("9999"))}});
    FrmMain& main = show();
    FrmTm& panel = frmTm();
    panel.RtbTM->setText(QStringLiteral("  在A1中输入1。  "));
    main.Hide();
    panel.Hide();
    FrmYanShi& w = demo();
    w.Show();
    EXPECT_EQ(w.ImgLogo->Caption(), QStringLiteral("在A1中输入1。"));
    arrive();
    platform::Clock::advance(300);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    platform::Clock::advance(100);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(panel.Visible());
    EXPECT_TRUE(panel.TimerREDO->Enabled());
}

} // namespace

namespace {

TEST_F(SetupTest, OnAnotherScreenTheSpotsScaleWithTheirBar)
{
    S().ScaleX = 1.25;
    S().ScaleY = 1.5;
    session({{menuStep(QStringLiteral("H070000000")), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_EQ(QPoint(w.PicTool->Left(), w.PicTool->Top()), QPoint(0, 1125));
    EXPECT_EQ(rectOf(w.LblZHU(7)), QRect(7050, 630, 1088, 405));
    EXPECT_EQ(rectOf(w.LblZHU(62)), QRect(10725, 1125 + 45, 1313, 495));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.LblZHU(7)));
}

} // namespace

namespace {

TEST_F(SetupTest, TheDrawnContextMenuStartsHidden)
{
    session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300)}});
    S().DemoRunning = 0; // nothing resets them: they are hidden from the start
    FrmYanShi& w = demo();
    for (vb::Control* c : std::initializer_list<vb::Control*>{w.LRightMMenu, w.ShapeRMain, w.LRightSub, w.ShapeRSUB,
                                                               &w.LRM9(9), &w.LRS(0), &w.LRMJL(8),
                                                               &w.ImgJLSanjiao(1), &w.LRFGX(4), &w.LRSFgx(5)})
        EXPECT_FALSE(c->Visible());
    // Nor does anything aim while the demonstration is not running.
    EXPECT_FALSE(w.Timer2->Enabled());
}

} // namespace

namespace {

TEST_F(SetupTest, JumpsMoveTheStepNumber)
{
    std::vector<QString> steps;
    for (int i = 1; i <= 9; ++i)
        steps.push_back(Step(QStringLiteral("0001")).target1(100 * i, 300, 300, 300));
    session({steps});
    FrmYanShi& w = demo();
    struct Case {
        QString code;
        int after;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("3"), 2}, {QStringLiteral("C"), 8}, {QStringLiteral("a"), 5},
                                           {QStringLiteral("0"), 5}}) {
        st().StepNo = 5;
        w.GoStep(c.code);
        EXPECT_EQ(st().StepNo, c.after) << c.code.toStdString();
    }
    st().StepNo = 2;
    w.GoStep(QStringLiteral("3"));
    EXPECT_EQ(w.Label1->Left(), 500); // step -1 laid out nothing: step 5 still stands
    EXPECT_TRUE(w.TimEnd->Enabled());
}

} // namespace

namespace {

// The note is at least one 180-twip line per 14 characters, and tall enough for its wrapped text
// in the note's own font, so that a long question is read to its end.
TEST_F(SetupTest, TheNoteShowsTheWholeQuestion)
{
    const QString longText = QStringLiteral("在Sheet1工作表中：|1. 先单击B3单元格；|2. 再双击C5单元格进入编辑状态；|3. 然后将鼠标指向D8单元格查看它的批注。");
    for (const QString& text : {QStringLiteral("甲"), longText}) {
        session({{Step(QStringLiteral("0001")).target1(300, 300, 600, 300), Step(QStringLiteral("9999"))}});
        FrmMain& main = show();
        FrmTm& panel = frmTm();
        panel.RtbTM->setText(text);
        main.Hide();
        panel.Hide();
        FrmYanShi& w = demo();
        w.Show();
        const QWidget* note = w.ImgLogo->widget();
        const QRect wrapped = QFontMetrics(note->font()).boundingRect(QRect(0, 0, note->width(), 1 << 20), Qt::TextWordWrap, text);
        EXPECT_GE(w.ImgLogo->Height(), demo::noteHeight(static_cast<int>(text.size()), 1)) << text.toStdString();
        EXPECT_GE(note->height(), wrapped.height()) << text.toStdString();
        EXPECT_LE(w.ImgLogo->Top() + w.ImgLogo->Height(), w.Height());
        vb::Forms::unloadAll();
    }
}

} // namespace

