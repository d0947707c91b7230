// The score report: grading, the result buttons and texts, and what a hand-in writes into the
// records (favourites, wrong list and flags, the slot's wrong list, time and best score).

#include "exam_fixture.h"

#include "session/frm_chengji.h"

#include <QDateTime>

using platform::Clock;

namespace {

class ChengjiTest : public ExamWindowTest {
protected:
    void SetUp() override
    {
        ExamWindowTest::SetUp();
        SessionState& s = S();
        s.SessionKind = 0;
        s.SetIndex = 2;
        s.PaperNo = 2;
        s.QuestionCount = 40;
        s.ExamStartTime = "2026-12-10 09:00:00";
        QStringList questions;
        for (int i = 1; i <= 40; ++i) {
            s.QuestionId[static_cast<std::size_t>(i)] = 100 + i; // unit 1, questions 1..40
            s.QuestionState[static_cast<std::size_t>(i)] = 5;
            questions << QStringLiteral("%1").arg(100 + i, 4, 10, QChar('0')) + "01" + QStringLiteral("第%1题的文字").arg(i);
        }
        questions[11] = "011201picture123456Make A|B";
        s.QuestionFilePath = install.writeLines("data/288852.mxy", questions);
    }
    FrmChengji& report()
    {
        FrmChengji& f = frmChengji();
        f.Show();
        return f;
    }
    QStringList history() { return platform::readLines(rec("288892")).value_or(QStringList()); }
};

} // namespace

TEST_F(ChengjiTest, AllRightInPaperThree)
{
    install.writeLines("ksdata/288863.mxy", {"0303"});
    FrmChengji& f = report();
    EXPECT_EQ(f.Label1->Caption(), "第3套得分：100分");
    EXPECT_EQ(f.CmTNO(1).Caption(), "1");
    EXPECT_EQ(f.CmTNO(40).Left(), 9 * 480);
    EXPECT_EQ(f.CmTNO(40).Top(), 3 * 480);
    EXPECT_EQ(f.Frame1->Width(), 9 * 480 + 450);
    EXPECT_EQ(f.Frame1->Top(), 5520);
    EXPECT_EQ(bytes(rec("182402")), "\r\n");
    EXPECT_EQ(bytes(rec("288863")), "0303\r\n");
    EXPECT_EQ(S().ExamStartTime, "-1");
    const QStringList h = history();
    ASSERT_EQ(h.size(), 94); // 93 lines and the closing empty one
    EXPECT_EQ(h.mid(6, 3), (QStringList{"2026-12-10 09:00:00", "100", "E"}));
    EXPECT_EQ(h[0], "您还未考试！");
    EXPECT_EQ(h[93], "");
}

TEST_F(ChengjiTest, OneWrongIsListedOnceWithItsFlag)
{
    S().QuestionState[17] = 1;
    install.writeLines("ksdata/288863.mxy", {"0303"});
    install.writeLines("ksdata/288873.mxy", {"T"});
    FrmChengji& f = report();
    EXPECT_EQ(f.Label1->Caption(), "第3套得分：97.5分");
    EXPECT_EQ(bytes(rec("182402")), "0117\r\n");
    EXPECT_EQ(bytes(rec("288863")), "03030117\r\n");
    EXPECT_EQ(bytes(rec("288873")), "TF\r\n");
    EXPECT_EQ(f.CmTNO(17).Picture()->toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(f.CmTNO(16).Picture()->toImage().pixelColor(0, 0), QColor(Qt::green));
    // The same wrong question in the next exam is not listed again.
    vb::Unload(f);
    S().ExamStartTime = "2026-12-10 10:00:00";
    report();
    EXPECT_EQ(bytes(rec("288863")), "03030117\r\n");
    EXPECT_EQ(bytes(rec("288873")), "TF\r\n");
}

TEST_F(ChengjiTest, RandomPaperInSlotTwenty)
{
    SessionState& s = S();
    s.SessionKind = 8;
    s.SetIndex = 11;
    s.PaperNo = 20;
    for (int i = 31; i <= 40; ++i)
        s.QuestionState[static_cast<std::size_t>(i)] = 0;
    FrmChengji& f = report();
    EXPECT_EQ(f.Label1->Caption(), "随机题得分：75分");
    EXPECT_EQ(bytes(rec("182420")), "0131013201330134013501360137013801390140\r\n");
    EXPECT_EQ(history().mid(60, 3), (QStringList{"2026-12-10 09:00:00", "75", "E"}));
}

TEST_F(ChengjiTest, BestScoreRules)
{
    struct Case {
        QString start;
        int right;
        QString storedTime, storedBest;
        QString wantBest;
        bool startTime; // the time line takes the exam's start (else the hand-in time)
    };
    const Case cases[] = {
        {"2026-12-10 09:00:00", 30, "2026-01-01 08:00:00", "90", "90", true},  // below the best
        {"2026-12-10 09:00:00", 0, "您还未考试！", "0", "0", true},             // first, scored 0
        {"-1", 40, "2026-01-01 08:00:00", "90", "90", false},                   // the answers were seen
        {"2026-12-10 09:00:00", 40, "2026-01-01 08:00:00", "97.5", "100", true},
    };
    for (const Case& c : cases) {
        QStringList lines;
        for (int k = 0; k < 90; ++k)
            lines << (k % 3 == 0 ? "您还未考试！" : k % 3 == 1 ? "0" : "E");
        lines[6] = c.storedTime;
        lines[7] = c.storedBest;
        install.writeLines("ksdata/288892.mxy", lines);
        S().ExamStartTime = c.start;
        for (int i = 1; i <= 40; ++i)
            S().QuestionState[static_cast<std::size_t>(i)] = i <= c.right ? 4 : 0;
        const QDateTime before = QDateTime::currentDateTime();
        FrmChengji& f = report();
        const QStringList h = history();
        ASSERT_EQ(h.size(), 94);
        EXPECT_EQ(h[7], c.wantBest) << c.start.toStdString() << " " << c.right;
        if (c.startTime) {
            EXPECT_EQ(h[6], c.start);
        } else {
            const QDateTime t = QDateTime::fromString(h[6], "yyyy-MM-dd hh:mm:ss");
            ASSERT_TRUE(t.isValid());
            EXPECT_LE(qAbs(t.secsTo(before)), 5);
        }
        EXPECT_EQ(S().ExamStartTime, "-1");
        vb::Unload(f);
    }
}

TEST_F(ChengjiTest, AMarkedQuestionBecomesAFavourite)
{
    S().QuestionState[5] = 7;  // right and marked
    S().QuestionState[9] = 3;  // wrong and marked
    install.writeLines("ksdata/288862.mxy", {"0105"});
    install.writeLines("ksdata/288872.mxy", {"T"});
    report();
    EXPECT_EQ(bytes(rec("288862")), "01050109\r\n");
    EXPECT_EQ(bytes(rec("288872")), "TF\r\n");
}

TEST_F(ChengjiTest, ResultButtonsShowTheQuestionText)
{
    FrmChengji& f = report();
    tsupport::click(f.CmTNO(12));
    EXPECT_EQ(f.LblTiMuYQ->Caption(), "第12题： Make A|B");
    tsupport::click(f.CmTNO(3));
    EXPECT_EQ(f.LblTiMuYQ->Caption(), "第3题： 第3题的文字");
}

TEST_F(ChengjiTest, WrongIdsAreTheSessionsNotThePaperFiles)
{
    // The paper table and the random list say something else entirely; the records follow
    // the questions the candidate sat. A placeholder (id 0) never enters a list.
    install.writeLines("data/288891.mxy", {"1002", "4040", QString("0909").repeated(40)});
    install.writeLines("ksdata/288891.mxy", {QString("0808").repeated(40)});
    S().QuestionState[2] = 0;
    S().QuestionId[40] = 0;
    S().QuestionState[40] = 0;
    FrmChengji& f = report();
    EXPECT_EQ(f.Label1->Caption(), "第3套得分：95分");
    EXPECT_EQ(bytes(rec("182402")), "0102\r\n");
    EXPECT_EQ(bytes(rec("288863")), "0102\r\n");
}

TEST_F(ChengjiTest, AnUnreadableScoreHistoryIsLeftAsItIs)
{
    QDir().mkpath(rec("288892")); // a folder where the file should be
    FrmChengji& f = report();
    EXPECT_EQ(f.Label1->Caption(), "第3套得分：100分");
    EXPECT_TRUE(QFileInfo(rec("288892")).isDir());
    EXPECT_EQ(bytes(rec("182402")), "\r\n");
    EXPECT_EQ(S().ExamStartTime, "-1");
}

TEST_F(ChengjiTest, TheTimerCentresThePicture)
{
    FrmChengji& f = report();
    Clock::advance(100);
    EXPECT_EQ(f.Picture1->Left(), (f.ScaleWidth() - f.Picture1->Width()) / 2);
    EXPECT_FALSE(f.Timer1->Enabled());
}
