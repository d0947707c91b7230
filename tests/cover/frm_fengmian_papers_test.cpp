// The papers panel of the cover: the cards and their captions, the tabs, the start of a paper,
// a new random paper, and a card's wrong-question review and deletion.
#include "cover_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/frm_fengmian.h"
#include "cover/session_builder.h"
#include "platform/clock.h"
#include "platform/vb.h"
#include "session/frm_logon.h"
#include "session/frm_tm.h"
#include "support/events.h"

using namespace covertest;
using platform::Clock;
using vb::Forms;

namespace {

papers::Uniform lcg(std::uint32_t seed)
{
    return [state = seed]() mutable {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / static_cast<double>(1u << 24);
    };
}

class PapersPanelTest : public InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        writePapersAndUnits();
        vb::setModalResponder([this](vb::Form& f) {
            if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f)) {
                boxes << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption();
                S().MsgBoxResult = confirm ? 1 : 0;
            }
            vb::Unload(f);
        });
    }
    void TearDown() override
    {
        Forms::unloadAll();
        vb::setModalResponder({});
        InstallationTest::TearDown();
    }
    FrmFengmian& papersPanel()
    {
        FrmFengmian& f = frmFengmian();
        f.Show();
        f.ClickBotn_Click(17);
        return f;
    }
    std::vector<int> shownCards(FrmFengmian& f)
    {
        std::vector<int> out;
        for (int s = 0; s < 30; ++s)
            if (f.ImgShiJuan(s).Visible())
                out.push_back(s);
        return out;
    }
    void storeRandomPapers(int n)
    {
        QStringList lines;
        for (int k = 0; k < n; ++k)
            lines << paper(1, 1 + k);
        writeLines(record(QStringLiteral("288891")), lines);
    }

    QStringList boxes;
    bool confirm = false;
};

} // namespace

TEST_F(PapersPanelTest, CardsOfTenFixedPapers)
{
    QStringList history;
    for (int k = 0; k < 90; ++k)
        history << (k % 3 == 0 ? "您还未考试！" : k % 3 == 1 ? "0" : "E");
    history[3] = "2016-03-01 09:05:41";
    history[4] = "97.5";
    writeLines(record(QStringLiteral("288892")), history);
    writeLines(record(QStringLiteral("182400")), {"  " + QString(40, '1') + " "});
    writeLines(record(QStringLiteral("182401")), {QString(41, '1')});
    FrmFengmian& f = papersPanel();
    EXPECT_EQ(f.SprintLastSlot, 3);
    const QStringList titles = {"冲刺试卷一", "冲刺试卷二", "冲刺试卷三", "冲刺试卷四", "模拟试卷一",
                                "模拟试卷二", "模拟试卷三", "模拟试卷四", "模拟试卷五", "模拟试卷六"};
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(f.LblShiJuanBiao(s).Caption(), titles[s]);
        EXPECT_EQ(f.LblShiJuanBiao(s).ForeColor(), s < 4 ? QColor(12, 127, 233) : QColor(51, 51, 51));
        EXPECT_EQ(f.LblShiJuanDel(s).Caption(), "");
    }
    EXPECT_EQ(f.LblShiJuanDel(20).Caption(), "删除试卷");
    EXPECT_EQ(f.LblShiJuanBiao(29).Caption(), "随机试卷十");
    EXPECT_EQ(shownCards(f), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(f.ClickBotn(28).Enabled());
    const int sx = f.ImgShiJuan(3).Left(), sy = f.ImgShiJuan(3).Top();
    EXPECT_EQ(sx, scaledX(7440));
    EXPECT_EQ(sy, scaledY(1470));
    EXPECT_EQ(f.ClickBotn(73).Left(), sx + scaledX(3000));
    EXPECT_EQ(f.ClickBotn(73).Top(), sy + scaledY(630));
    EXPECT_EQ(f.ClickBotn(73).Width(), scaledX(1275));
    EXPECT_EQ(f.ClickBotn(73).Height(), scaledY(450));
    EXPECT_EQ(f.LblShiJuanTime(1).Caption(), "最后考试时间：2016-03-01 09:05");
    EXPECT_EQ(f.LblShiJuanScore(1).Caption(), "97.5");
    // The best score stands centred over the four blanks of its frame, at the frame's height.
    const vb::Label& frame = f.LblShiJuanSSSS(1);
    const vb::Label& score = f.LblShiJuanScore(1);
    const double blanksCentre = frame.Left() + (frame.TextWidth("最好成绩：") + frame.TextWidth("最好成绩：    ")) / 2.0;
    EXPECT_NEAR(score.Left() + score.Width() / 2.0, blanksCentre, 15);
    EXPECT_EQ(score.Top(), frame.Top());
    EXPECT_EQ(f.LblShiJuanTime(2).Caption(), "最后考试时间：您还未考试！");
    EXPECT_EQ(f.LblShiJuanCuoTi(0).Caption(), "(10)");
    EXPECT_EQ(f.LblShiJuanCuoTi(1).Caption(), "(10)");
    EXPECT_EQ(f.LblShiJuanCuoTi(2).Caption(), "(0)");
    // Every label and the start button follow their card.
    for (int s : {3, 4}) {
        const bool shown = f.ImgShiJuan(s).Visible();
        for (auto* a : {&f.LblShiJuanBiao, &f.LblShiJuanTime, &f.LblShiJuanSSSS, &f.LblShiJuanScore, &f.LblShiJuanCCC,
                        &f.LblShiJuanCuoTi, &f.LblShiJuanDel})
            EXPECT_EQ((*a)(s).Visible(), shown);
        EXPECT_EQ(f.ClickBotn(70 + s).Visible(), shown);
    }
}

TEST_F(PapersPanelTest, TabsShowTheirSlots)
{
    storeRandomPapers(3);
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(29);
    EXPECT_EQ(shownCards(f), (std::vector<int>{4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(f.ClickBotn(21).Visible());
    f.ClickBotn_Click(31);
    EXPECT_EQ(shownCards(f), (std::vector<int>{20, 21, 22}));
    EXPECT_FALSE(f.LblNoHis->Visible());
    EXPECT_FALSE(f.ClickBotn(31).Enabled());
    EXPECT_TRUE(f.ClickBotn(28).Enabled());
    f.ClickBotn_Click(30);
    EXPECT_TRUE(shownCards(f).empty());
    EXPECT_TRUE(f.ImgSuiJi->Visible());
    EXPECT_TRUE(f.ClickBotn(21).Visible());
    EXPECT_FALSE(f.LblNoHis->Visible());
    f.ClickBotn_Click(28);
    EXPECT_FALSE(f.ClickBotn(21).Visible());
}

TEST_F(PapersPanelTest, NoRandomPaperYet)
{
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(31);
    EXPECT_TRUE(shownCards(f).empty());
    EXPECT_TRUE(f.LblNoHis->Visible());
    EXPECT_EQ(f.LblNoHis->Caption(), "您还没有练习过随机试卷！");
}

TEST_F(PapersPanelTest, DefaultTabIsTheMockTabOnceEverySprintPaperHasSeventyFive)
{
    QStringList history;
    for (int k = 0; k < 90; ++k)
        history << (k % 3 == 1 ? "80" : "x");
    writeLines(record(QStringLiteral("288892")), history);
    FrmFengmian& f = papersPanel();
    EXPECT_FALSE(f.ClickBotn(29).Enabled());
    vb::Unload(f);
    history[1] = "70"; // the first sprint paper counts too
    writeLines(record(QStringLiteral("288892")), history);
    EXPECT_FALSE(papersPanel().ClickBotn(28).Enabled());
}

TEST_F(PapersPanelTest, StartingFixedAndRandomSlots)
{
    QStringList table = fileLines(data(QStringLiteral("288891")));
    table[5] = paper(1, 1); // line 6: paper 3
    writeLines(data(QStringLiteral("288891")), table);
    storeRandomPapers(1);
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(73);
    SessionState& s = S();
    EXPECT_EQ(s.PaperNo, 3);
    EXPECT_EQ(s.SetIndex, 3);
    EXPECT_EQ(s.SessionKind, 0);
    EXPECT_EQ(s.QuestionCount, 40);
    EXPECT_EQ(s.DisplayMode, 3);
    EXPECT_EQ(s.QuestionId[1], 101);
    EXPECT_EQ(fileLines(data(QStringLiteral("288853"))).size(), 40);
    EXPECT_EQ(s.QuestionFilePath, data(QStringLiteral("288853")));
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    ASSERT_TRUE(Forms::isLoaded<FrmLogon>());
    vb::Unload(frmLogon());

    papersPanel().ClickBotn_Click(90);
    EXPECT_EQ(s.PaperNo, 20);
    EXPECT_EQ(s.SetIndex, 11);
    EXPECT_EQ(s.SessionKind, 8);
    EXPECT_EQ(s.QuestionId[1], 101);
    EXPECT_EQ(s.QuestionId[2], 102);
    EXPECT_EQ(fileLines(data(QStringLiteral("288869"))).size(), 40);
    EXPECT_TRUE(Forms::isLoaded<FrmLogon>());
}

TEST_F(PapersPanelTest, AMissingPaperLineStartsNothingAndAShortOneKeepsFortyQuestions)
{
    QStringList table = fileLines(data(QStringLiteral("288891")));
    table[3] = QString();                  // paper 1: an empty line
    table[4] = paper(0, 1).left(39 * 4);   // paper 2: 39 ids
    table = table.mid(0, 11);              // paper 9: no line (the count says 10)
    writeLines(data(QStringLiteral("288891")), table);
    FrmFengmian& f = papersPanel();
    for (int slot : {1, 9}) {
        boxes.clear();
        f.ClickBotn_Click(70 + slot);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].startsWith("开始考试|")) << boxes[0].toStdString();
        EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
        EXPECT_FALSE(Forms::isLoaded<FrmLogon>());
    }
    f.ClickBotn_Click(72);
    SessionState& s = S();
    EXPECT_EQ(s.QuestionCount, 40);
    EXPECT_EQ(s.QuestionId[39], 209);
    EXPECT_EQ(s.QuestionId[40], 0);
    const QStringList questions = fileLines(data(QStringLiteral("288852")));
    ASSERT_EQ(questions.size(), 40);
    EXPECT_EQ(questions[39], cover::placeholderQuestionLine(0));
    EXPECT_EQ(s.QuestionFirstLine[41], 41);
}

TEST_F(PapersPanelTest, GeneratingARandomPaper)
{
    storeRandomPapers(3);
    FrmFengmian& f = papersPanel();
    f.RandomSource = lcg(11);
    f.ClickBotn_Click(30);
    f.ClickBotn_Click(21);
    SessionState& s = S();
    EXPECT_EQ(s.PaperNo, 20);
    EXPECT_EQ(s.SessionKind, 8);
    EXPECT_EQ(s.SetIndex, 11);
    EXPECT_EQ(s.QuestionCount, 40);
    const QStringList list = fileLines(record(QStringLiteral("288891")));
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list[1], paper(1, 1));
    EXPECT_EQ(QString::number(s.QuestionId[1]).rightJustified(4, '0'), list[0].left(4));
    EXPECT_EQ(fileLines(data(QStringLiteral("288869"))).size(), 40);
    EXPECT_TRUE(Forms::isLoaded<FrmLogon>());
}

TEST_F(PapersPanelTest, ABankOfFewerThanFortyQuestionsGivesANotice)
{
    writeLines(data(QStringLiteral("288891")), {QStringLiteral("1002"), QStringLiteral("1515")});
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(30);
    f.ClickBotn_Click(21);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("随机组卷|"));
    EXPECT_FALSE(QFile::exists(record(QStringLiteral("288891"))));
    EXPECT_FALSE(QFile::exists(record(QStringLiteral("288892"))));
    EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
}

TEST_F(PapersPanelTest, ReviewOfASlotWithoutWrongQuestions)
{
    FrmFengmian& f = papersPanel();
    writeLines(record(QStringLiteral("182401")), {QStringLiteral("   ")});
    for (int slot : {0, 1}) {
        boxes.clear();
        tsupport::click(f.LblShiJuanCCC(slot));
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0], QStringLiteral("没有生成错题|\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。"));
        EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    }
}

TEST_F(PapersPanelTest, ReviewOfASlotsWrongQuestions)
{
    writeLines(record(QStringLiteral("182404")), {QStringLiteral(" 020301170101 ")});
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(29);
    tsupport::click(f.LblShiJuanCCC(4));
    SessionState& s = S();
    EXPECT_EQ(s.QuestionCount, 3);
    EXPECT_EQ(s.SessionKind, 2);
    EXPECT_EQ(s.SetIndex, 17);
    EXPECT_EQ(s.PaperNo, 4);
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.QuestionId[1], 203);
    EXPECT_EQ(s.QuestionId[3], 101);
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(Forms::isLoaded<FrmTm>());
}

TEST_F(PapersPanelTest, DeletingTheFirstOfThreeRandomPapers)
{
    storeRandomPapers(3);
    QStringList history;
    for (int k = 1; k <= 90; ++k)
        history << QStringLiteral("h%1").arg(k);
    writeLines(record(QStringLiteral("288892")), history);
    const QByteArray fixedLines = fileBytes(record(QStringLiteral("288892"))).left(fileBytes(record(QStringLiteral("288892"))).indexOf("h61"));
    writeLines(record(QStringLiteral("182420")), {QStringLiteral("0101")});
    writeLines(record(QStringLiteral("182421")), {QStringLiteral("0102")});
    writeLines(record(QStringLiteral("182422")), {QStringLiteral("0103")});
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(31);

    // Declining changes nothing.
    const QByteArray before = fileBytes(record(QStringLiteral("288891")));
    confirm = false;
    tsupport::click(f.LblShiJuanDel(20));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], QStringLiteral("删除试卷|\r\n\r\n\r\n您确实要删除本套随机试题吗？"));
    EXPECT_EQ(fileBytes(record(QStringLiteral("288891"))), before);
    EXPECT_EQ(fileBytes(record(QStringLiteral("182420"))), "0101\r\n");

    confirm = true;
    tsupport::click(f.LblShiJuanDel(20));
    EXPECT_EQ(fileLines(record(QStringLiteral("288891"))), (QStringList{paper(1, 2), paper(1, 3), QString()}));
    EXPECT_EQ(fileBytes(record(QStringLiteral("182420"))), "0102\r\n");
    EXPECT_EQ(fileBytes(record(QStringLiteral("182421"))), "0103\r\n");
    EXPECT_TRUE(fileBytes(record(QStringLiteral("288892"))).startsWith(fixedLines));
    EXPECT_EQ(fileLines(record(QStringLiteral("288892"))).mid(60, 6), (QStringList{"h64", "h65", "h66", "h67", "h68", "h69"}));
    EXPECT_EQ(f.RandomPaperCount, 2);
    EXPECT_TRUE(f.PicKaCH->Visible());
    EXPECT_FALSE(f.ClickBotn(28).Enabled());
    f.ClickBotn_Click(31);
    EXPECT_EQ(shownCards(f), (std::vector<int>{20, 21}));
}

TEST_F(PapersPanelTest, DeletingTheOnlyRandomPaper)
{
    storeRandomPapers(1);
    FrmFengmian& f = papersPanel();
    f.ClickBotn_Click(31);
    confirm = true;
    tsupport::click(f.LblShiJuanDel(20));
    EXPECT_EQ(fileBytes(record(QStringLiteral("288891"))), "\r\n");
    f.ClickBotn_Click(31);
    EXPECT_TRUE(f.LblNoHis->Visible());
}
