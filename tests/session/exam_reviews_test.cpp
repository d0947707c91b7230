// The ways on from the score report: the review of the paper, the review of its wrong
// questions (a session of their own, built from the unit banks), and back to the papers panel.

#include "panel_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/frm_fengmian.h"
#include "session/frm_chengji.h"
#include "session/record_files.h"

#include "platform/files.h"

#include <QDir>

using platform::Clock;

namespace {

class ReviewTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        fixedPaperExam(300);
        bank(1, {1, 2, 1, 1, 2, 1});
        bank(2, {1, 1, 2});
        SessionState& s = S();
        for (int i = 1; i <= 40; ++i)
            s.QuestionState[static_cast<std::size_t>(i)] = 5;
        // Wrong: 3, 17 and 40; two of one unit, the second earlier in it.
        const std::pair<int, int> wrong[] = {{3, 105}, {17, 203}, {40, 102}};
        for (const auto& [q, id] : wrong) {
            s.QuestionId[static_cast<std::size_t>(q)] = id;
            s.QuestionState[static_cast<std::size_t>(q)] = q == 17 ? 1 : 0;
        }
        inst.writeLines(QStringLiteral("ksdata/288862.mxy"), {QStringLiteral("0203")});
        panel();
        Clock::advance(100);
        frmChengji().Show();
    }
    // Unit u's bank: question k has counts[k-1] steps, each marked with its unit, question, step.
    void bank(int u, const std::vector<int>& counts)
    {
        QStringList questionLines, stepLines;
        for (std::size_t k = 0; k < counts.size(); ++k) {
            questionLines << QStringLiteral("%1%2%3本单元第%4题").arg(u, 2, 10, QChar('0')).arg(k + 1, 2, 10, QChar('0'))
                                 .arg(counts[k], 2, 10, QChar('0')).arg(k + 1);
            for (int st = 1; st <= counts[k]; ++st)
                stepLines << Step(QStringLiteral("0001")).back(QStringLiteral("%1%2%3").arg(u, 2, 10, QChar('0')).arg(k + 1, 2, 10, QChar('0')).arg(st, 2, 10, QChar('0'))).line();
            banks[u] = {questionLines, stepLines};
        }
        inst.writeLines(QStringLiteral("data/2888%1.mxy").arg(70 + u), questionLines);
        inst.writeLines(QStringLiteral("data/2888%1.mxy").arg(20 + u), stepLines);
    }
    QStringList lines(const QString& name) const
    {
        return platform::readLines(S().DataDir + name + QStringLiteral(".mxy")).value_or(QStringList());
    }
    QByteArray history() const
    {
        QFile f(records::recordPath(S().AppPath, records::ScoreHistory));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::map<int, std::pair<QStringList, QStringList>> banks;
};

} // namespace

TEST_F(ReviewTest, WrongQuestionsBecomeASessionOfTheirOwn)
{
    tsupport::click(*frmChengji().Command3);
    SessionState& s = S();
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_EQ(s.QuestionCount, 3);
    EXPECT_EQ(s.SessionKind, 2);
    EXPECT_EQ(s.SetIndex, 17);
    EXPECT_EQ(s.PaperNo, 4);
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ((std::vector<int>{s.QuestionId[1], s.QuestionId[2], s.QuestionId[3]}), (std::vector<int>{105, 203, 102}));
    const auto& [u1q, u1s] = banks[1];
    const auto& [u2q, u2s] = banks[2];
    EXPECT_EQ(lines(QStringLiteral("288869")), (QStringList{u1q[4], u2q[2], u1q[1]}));
    EXPECT_EQ(lines(QStringLiteral("288819")), (QStringList{u1s[5], u1s[6], u2s[2], u2s[3], u1s[1], u1s[2]}));
    EXPECT_EQ(s.QuestionFirstLine[2], 3);
    EXPECT_EQ(s.QuestionState[1], 0);
    EXPECT_EQ(s.QuestionState[2], 2); // a favourite starts marked
    FrmTm& p = frmTm();
    EXPECT_TRUE(p.CmTNO(3).Visible());
    for (int i = 4; i <= 40; ++i)
        EXPECT_FALSE(p.CmTNO(i).Visible()) << i;
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_TRUE(p.Visible());
    EXPECT_TRUE(frmMain().Visible());
    Clock::advance(500);
    EXPECT_TRUE(p.RtbTM->Text().contains(QStringLiteral("本单元第5题")));
    EXPECT_EQ(s.CurrentStep, 1);
}

TEST_F(ReviewTest, NoWrongQuestionMeansANoticeAndTheReportStays)
{
    vb::Unload(frmChengji());
    for (int i = 1; i <= 40; ++i)
        S().QuestionState[static_cast<std::size_t>(i)] = 5;
    frmChengji().Show();
    QStringList shown;
    vb::setModalResponder([&shown](vb::Form& f) {
        if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f))
            shown << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption();
        vb::Unload(f);
    });
    tsupport::click(*frmChengji().Command3);
    EXPECT_EQ(shown, QStringList{QStringLiteral("没有生成错题|\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。")});
    EXPECT_TRUE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_EQ(S().SessionKind, 0);
}

TEST_F(ReviewTest, AMissingUnitBankMeansANoticeAndTheReportStays)
{
    QFile::remove(S().DataDir + QStringLiteral("288872.mxy"));
    QStringList shown;
    vb::setModalResponder([&shown](vb::Form& f) {
        if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f))
            shown << box->LblTitle->Caption();
        vb::Unload(f);
    });
    tsupport::click(*frmChengji().Command3);
    EXPECT_EQ(shown, QStringList{QStringLiteral("错题复习")});
    EXPECT_TRUE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_EQ(S().SessionKind, 0);
    EXPECT_TRUE(runLog().contains(QStringLiteral("initshiti")));
}

TEST_F(ReviewTest, ThePaperReviewKeepsTheStatesAndWritesNoScore)
{
    const QByteArray scored = history();
    ASSERT_FALSE(scored.isEmpty());
    tsupport::click(*frmChengji().Command1);
    SessionState& s = S();
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.SessionKind, 0);
    EXPECT_EQ(s.QuestionState[1], 5);
    EXPECT_EQ(s.QuestionState[17], 1);
    EXPECT_EQ(s.CurrentQuestion, 1);
    FrmTm& p = frmTm();
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.Left() + p.Width(), frmMain().Left() + frmMain().Width());
    Clock::advance(500);
    EXPECT_TRUE(p.CmdGN(FrmTm::BtnBack).Visible());
    Clock::advance(60 * 60000); // no clock: nothing is handed in
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
    p.CmdGN_Click(FrmTm::BtnBack);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmTm>());
    EXPECT_EQ(history(), scored);
}

TEST_F(ReviewTest, BackToThePapersPanel)
{
    tsupport::click(*frmChengji().Command2);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
    EXPECT_TRUE(vb::Forms::isLoaded<FrmTm>());
    EXPECT_FALSE(frmTm().TimeKS->Enabled());
    EXPECT_EQ(S().ReturnPage, 17);
    FrmFengmian& cover = frmFengmian();
    EXPECT_TRUE(cover.Visible());
    Clock::advance(100);
    EXPECT_TRUE(cover.PicKaCH->Visible());
}
