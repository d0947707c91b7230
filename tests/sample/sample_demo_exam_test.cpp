// The sample installation end to end: every question's demonstration plays by itself to its end
// on the manual clock, and every fixed paper sat with every answer right scores 100.

#include "sample_player.h"

#include "cover/paper_rules.h"
#include "cover/random_papers.h"
#include "cover/session_builder.h"
#include "demo/demo_player.h"
#include "demo/frm_yanshi.h"
#include "session/frm_chengji.h"

namespace {

using platform::Clock;
using tsample::SamplePlayer;

class SampleDemo : public SamplePlayer {};

TEST_P(SampleDemo, EveryQuestionIsDemonstratedToItsEnd)
{
    const std::vector<tsample::BankQuestion> questions = loadUnit(GetParam());
    ASSERT_GE(questions.size(), 15U);
    // Ten simulated minutes: far more than the longest question's travels, pauses and typing.
    constexpr int Bound = 10 * 60 * 1000;
    for (std::size_t q = 1; q <= questions.size(); ++q) {
        SCOPED_TRACE("question " + questions[q - 1].id.toStdString());
        S().CurrentQuestion = static_cast<int>(q);
        S().DemoRunning = -1;
        yanShiState() = YanShiState();
        vb::Forms::get<FrmYanShi>();
        int lastStep = 0;
        int elapsed = 0;
        bool success = false;
        while (vb::Forms::isLoaded<FrmYanShi>() && elapsed < Bound) {
            lastStep = std::max(lastStep, yanShiState().StepNo);
            success = success || vb::Forms::get<FrmYanShi>().LHelp->Caption() == QStringLiteral("操作成功！");
            Clock::advance(100);
            elapsed += 100;
        }
        ASSERT_FALSE(vb::Forms::isLoaded<FrmYanShi>()) << "the demonstration is still on step " << lastStep;
        // It played every step up to the question's end record, showed the end and closed by itself.
        EXPECT_EQ(lastStep, questions[q - 1].steps);
        EXPECT_TRUE(success);
        EXPECT_EQ(S().DemoRunning, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Units, SampleDemo, ::testing::Values(0, 1, 2));

class SamplePaper : public SamplePlayer {};

TEST_P(SamplePaper, EveryAnswerRightScoresOneHundred)
{
    const int slot = GetParam();
    SessionState& s = S();
    inst.mkdir(QStringLiteral("ksdata"));
    const auto line = papers::paperLine(slot);
    ASSERT_TRUE(line);
    const papers::PaperStart start = papers::paperStart(slot);
    s.PaperNo = slot;
    s.SetIndex = start.setIndex;
    s.SessionKind = start.sessionKind;
    cover::InitShiTi(papers::paddedPaper(*line), start.fileNo);
    ASSERT_EQ(s.QuestionCount, papers::PaperLength);
    ASSERT_TRUE(cover::prepareLaunch(s));
    s.DisplayMode = 3;
    s.ExamStartTime = QStringLiteral("2026-12-10 09:00:00");

    FrmMain& w = frmMain();
    for (int q = 1; q <= papers::PaperLength; ++q) {
        const auto k = static_cast<std::size_t>(q);
        SCOPED_TRACE("question " + std::to_string(s.QuestionId[k]));
        s.QuestionState[k] = 0;
        playQuestion(w, q, s.QuestionStepCount[k]);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(s.QuestionState[k] & 4);
    }
    FrmChengji& report = frmChengji();
    report.Show();
    EXPECT_EQ(report.Label1->Caption(), QStringLiteral("第%1套得分：100分").arg(start.setIndex + 1));
}

INSTANTIATE_TEST_SUITE_P(FixedPapers, SamplePaper, ::testing::Values(0, 1, 2, 3));

} // namespace
