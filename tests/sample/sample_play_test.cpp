// Every question of the sample units played on the simulated window with the actions its own
// step records expect, through real mouse and key events, to "操作成功！".

#include "sample_player.h"

namespace {

using tsample::BankQuestion;
using tsample::SamplePlayer;

TEST_P(SamplePlayer, EveryQuestionPlaysToSuccess)
{
    const std::vector<BankQuestion> questions = loadUnit(GetParam());
    ASSERT_GE(questions.size(), 15U);
    FrmMain& w = frmMain();
    for (std::size_t q = 1; q <= questions.size(); ++q) {
        SCOPED_TRACE("question " + questions[q - 1].id.toStdString());
        playQuestion(w, static_cast<int>(q), questions[q - 1].steps);
        if (HasFatalFailure())
            return;
        EXPECT_TRUE(w.LblSuccess->Visible());
        EXPECT_EQ(w.LblSuccess->Caption(), QStringLiteral("操作成功！"));
        EXPECT_TRUE(S().QuestionState[q] & 4);
    }
}

INSTANTIATE_TEST_SUITE_P(Units, SamplePlayer, ::testing::Values(0, 1, 2));

} // namespace
