// What keeps the candidate's records when files fail. A record file that exists but cannot be
// read is never rewritten, and neither is any file whose new text would be computed from it,
// whichever path rewrites it (every kind of session end, the score report, the cover build,
// clearing a list, generating and deleting a random paper); the run log names the file whose
// read failed. A list and its flags are written both or neither. Generating or deleting a random
// paper changes every record or none. A session whose files cannot be written does not start.
#include "cover_fixture.h"
#include "support/session_questions.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/list_practice.h"
#include "cover/frm_fengmian.h"
#include "platform/vb.h"
#include "platform/vb_msgbox.h"
#include "session/frm_chengji.h"
#include "session/frm_logon.h"
#include "session/frm_tm.h"
#include "simwindow/frm_main.h"
#include "session/record_files.h"
#include "support/events.h"

#include <QRegularExpression>

#include <functional>
#include <map>

using namespace covertest;
using vb::Forms;

namespace {

class RecordsTest : public InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        writePapersAndUnits();

        writeLines(record(QStringLiteral("288893")), {QStringLiteral("TTTTFFFFFFFFFFF"), QStringLiteral("TTFFFFFFFFFFFFF"),
                                                      QStringLiteral("FFFFFFFFFFFFFFF")});
        writeLines(record(QStringLiteral("288862")), {QStringLiteral("0101010201030104")});
        writeLines(record(QStringLiteral("288872")), {QStringLiteral("TTFT")});
        writeLines(record(QStringLiteral("288863")), {QStringLiteral("0202020302040205")});
        writeLines(record(QStringLiteral("288873")), {QStringLiteral("TFTF")});
        writeLines(record(QStringLiteral("182402")), {QStringLiteral("01010102")});
        QStringList history;
        for (int k = 1; k <= 90; ++k)
            history << QStringLiteral("h%1").arg(k);
        writeLines(record(QStringLiteral("288892")), history);
        writeLines(record(QStringLiteral("288891")), {paper(1, 1), paper(1, 2), paper(1, 3)});
        for (int slot : {20, 21, 22})
            writeLines(record(QStringLiteral("1824%1").arg(slot)), {QStringLiteral("01%1").arg(slot - 19, 2, 10, QChar('0'))});

        messages.clear();
        vb::setModalResponder([this](vb::Form& f) {
            if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f)) {
                messages << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption().trimmed();
                S().MsgBoxResult = 1;
            }
            vb::Unload(f);
        });
        vb::setMsgBoxResponder([this](const QString& prompt, int, const QString&) {
            messages << prompt;
            return vb::vbOK;
        });
    }
    void TearDown() override
    {
        platform::setReadFailureHook(nullptr);
        platform::setSaveCommitHook(nullptr);
        Forms::unloadAll();
        vb::setModalResponder({});
        vb::setMsgBoxResponder({});
        InstallationTest::TearDown();
    }
    // Every record file with its bytes (the run log left out), one a line.
    std::string recordFiles() const
    {
        std::string out;
        const QDir dir(QFileInfo(record(QStringLiteral("x"))).absolutePath());
        for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (name != QStringLiteral("run.txt"))
                out += name.toStdString() + ": " + fileBytes(dir.filePath(name)).toPercentEncoding().toStdString() + "\n";
        return out;
    }
    QStringList messages;
};

void sessionEnd() { records::writeSessionEnd(S()); }

// Fixed paper 3 handed in: question 1 marked and wrong, the others right.
void handIn()
{
    SessionState& s = S();
    s.SessionKind = 0;
    s.SetIndex = 2;
    s.PaperNo = 2;
    s.QuestionCount = 40;
    s.ExamStartTime = QStringLiteral("2026-12-10 09:00:00");
    for (int i = 1; i <= 40; ++i) {
        s.QuestionId[static_cast<std::size_t>(i)] = 2 * 100 + (i - 1) % 15 + 1;
        s.QuestionState[static_cast<std::size_t>(i)] = i == 1 ? 2 : 5;
    }
    frmChengji().Show();
}

FrmFengmian& coverPage()
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    return f;
}

struct Row {
    const char* unreadable;            // the record file whose read fails
    const char* path;                  // what rewrites it
    std::function<void()> run;
    std::vector<const char*> kept;     // the files that keep their version
};

const QString Fav = QStringLiteral("288862"), FavFlags = QStringLiteral("288872"), Wrong = QStringLiteral("288863"),
              WrongFlags = QStringLiteral("288873"), Units = QStringLiteral("288893"), History = QStringLiteral("288892"),
              Papers = QStringLiteral("288891");

std::vector<Row> rows()
{
    const auto unitPractice = [] {
        S().SetIndex = 0;
        tsupport::setSessionQuestions(20, {{1, 4}, {2, 6}, {3, 0}});
        sessionEnd();
    };
    const auto notLearned = [] {
        S().PaperNo = 1;
        tsupport::setSessionQuestions(6, {{103, 4}, {105, 2}});
        sessionEnd();
    };
    const auto favouritesAll = [] {
        tsupport::setSessionQuestions(9, {{101, 4}, {102, 0}, {103, 6}, {104, 2}});
        sessionEnd();
    };
    const auto wrongNotReviewed = [] {
        tsupport::setSessionQuestions(13, {{202, 4}, {204, 0}});
        sessionEnd();
    };
    const auto paperReview = [] {
        S().PaperNo = 2;
        tsupport::setSessionQuestions(2, {{101, 4}, {102, 0}});
        records::pruneReviewedPaper(S().AppPath, 2, records::sessionQuestions(S()));
    };
    const auto build = [] { coverPage(); };
    const auto clearFavourites = [] { coverPage().ClickBotn_Click(23); };
    const auto clearWrong = [] { coverPage().ClickBotn_Click(25); };
    const auto generate = [] {
        FrmFengmian& f = coverPage();
        f.ClickBotn_Click(17);
        f.ClickBotn_Click(30);
        f.ClickBotn_Click(21);
    };
    const auto remove = [] {
        FrmFengmian& f = coverPage();
        f.ClickBotn_Click(17);
        f.ClickBotn_Click(31);
        // As the build counted them from a list that could still be read.
        f.RandomPaperCount = 3;
        f.LblShiJuanDel_Click(20);
    };
    const std::vector<const char*> randomRecords = {"288891", "288892", "182420", "182421", "182422", "182423"};
    return {
        {"288893", "unit practice end", unitPractice, {"288893"}},
        {"288893", "not-yet-learned end", notLearned, {"288893"}},
        {"288862", "unit practice end", unitPractice, {"288862", "288872"}},
        {"288872", "unit practice end", unitPractice, {"288862", "288872"}},
        {"288862", "favourites end", favouritesAll, {"288862", "288872"}},
        {"288872", "favourites end", favouritesAll, {"288862", "288872"}},
        {"288863", "wrong-list end", wrongNotReviewed, {"288873"}},
        {"288873", "wrong-list end", wrongNotReviewed, {"288873"}},
        {"182402", "paper review end", paperReview, {"182402"}},
        {"288862", "score report", handIn, {"288862", "288872"}},
        {"288872", "score report", handIn, {"288862", "288872"}},
        {"288863", "score report", handIn, {"288863", "288873"}},
        {"288873", "score report", handIn, {"288863", "288873"}},
        {"288892", "score report", handIn, {"288892"}},
        {"288893", "cover build", build, {"288893"}},
        {"288872", "cover build", build, {"288872"}},
        {"288862", "clearing", clearFavourites, {"288862", "288872"}},
        {"288872", "clearing", clearFavourites, {"288862", "288872"}},
        {"288863", "clearing", clearWrong, {"288863", "288873"}},
        {"288873", "clearing", clearWrong, {"288863", "288873"}},
        {"288891", "generation", generate, randomRecords},
        {"288892", "generation", generate, randomRecords},
        {"182421", "generation", generate, randomRecords},
        {"288891", "deletion", remove, randomRecords},
        {"288892", "deletion", remove, randomRecords},
        {"182421", "deletion", remove, randomRecords},
    };
}

} // namespace

TEST_F(RecordsTest, AnUnreadableRecordAndWhatFollowsFromItKeepTheirBytes)
{
    for (const Row& row : rows()) {
        for (const platform::ReadFailure failure : {platform::ReadFailure::AtOpen, platform::ReadFailure::PartWay}) {
            TearDown();
            QDir(record(QString()).section(u'/', 0, -2)).removeRecursively();
            SetUp();
            const QString name = QString::fromLatin1(row.unreadable);
            const QString target = QFileInfo(record(name)).absoluteFilePath();
            std::map<QString, std::optional<platform::FileVersion>> before;
            for (const char* k : row.kept)
                before[k] = platform::fileVersion(record(QString::fromLatin1(k)));
            platform::setReadFailureHook([&](const QString& p) {
                return QFileInfo(p).absoluteFilePath() == target ? failure : platform::ReadFailure::None;
            });
            row.run();
            platform::setReadFailureHook(nullptr);
            const std::string what = std::string(row.unreadable) + " unreadable " +
                                     (failure == platform::ReadFailure::AtOpen ? "at the open" : "part-way") + ", " + row.path;
            for (const auto& [k, version] : before)
                EXPECT_EQ(platform::fileVersion(record(k)), version) << what << ": " << k.toStdString() << " rewritten";
            EXPECT_TRUE(log().contains(QStringLiteral("read failed: ") + QDir::cleanPath(record(name))))
                << what << ": the log does not name the failed read\n" << log().toStdString();
        }
    }
}

// With either save of a list and its flags failing, both keep their old bytes: flags never shift
// onto other entries.
TEST_F(RecordsTest, AListAndItsFlagsAreWrittenBothOrNeither)
{
    const struct {
        const char* path;
        std::function<void()> run;
        std::vector<std::pair<const char*, const char*>> pairs; // list and flags it writes
    } cases[] = {
        // 0002 is marked and joins; 0101 is unmarked and leaves with its flag.
        {"unit practice end", [] { S().SetIndex = 0; tsupport::setSessionQuestions(20, {{1, 4}, {2, 6}, {101, 0}}); sessionEnd(); }, {{"288862", "288872"}}},
        {"score report", handIn, {{"288862", "288872"}, {"288863", "288873"}}},
        {"clearing favourites", [] { coverPage().ClickBotn_Click(23); }, {{"288862", "288872"}}},
        {"clearing wrong questions", [] { coverPage().ClickBotn_Click(25); }, {{"288863", "288873"}}},
    };
    for (const auto& c : cases) {
        for (const auto& [list, flags] : c.pairs) {
            for (const char* failing : {list, flags}) {
                TearDown();
                QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
                SetUp();
                const QByteArray listBefore = fileBytes(record(QString::fromLatin1(list)));
                const QByteArray flagsBefore = fileBytes(record(QString::fromLatin1(flags)));
                const QString failingName = QString::fromLatin1(failing) + QStringLiteral(".mxy");
                platform::setSaveCommitHook([&](const QString& p) { return QFileInfo(p).fileName() != failingName; });
                c.run();
                platform::setSaveCommitHook(nullptr);
                const std::string what = std::string(c.path) + ", the save of " + failing + " failing";
                EXPECT_EQ(fileBytes(record(QString::fromLatin1(list))), listBefore) << what;
                EXPECT_EQ(fileBytes(record(QString::fromLatin1(flags))), flagsBefore) << what;
            }
        }
    }
    // The same paths with nothing failing change the lists, so the rows above test something.
    TearDown();
    SetUp();
    S().SetIndex = 0;
    tsupport::setSessionQuestions(20, {{1, 4}, {2, 6}, {101, 0}});
    sessionEnd();
    EXPECT_EQ(fileBytes(record(Fav)), "0102010301040002\r\n");
    EXPECT_EQ(fileBytes(record(FavFlags)), "TFTF\r\n");
}

// Generation and deletion with one record write failing, whichever: every record file as it
// was, none created, the candidate told, no exam started. The new paper's session is written
// before any record moves.
TEST_F(RecordsTest, RandomPapersMoveAllOrNothing)
{
    // The cover is built first: its build fits the progress file.
    const auto generate = [] {
        frmFengmian().ClickBotn_Click(30);
        frmFengmian().ClickBotn_Click(21);
    };
    const auto remove = [] {
        frmFengmian().ClickBotn_Click(31);
        frmFengmian().LblShiJuanDel_Click(20);
    };
    const struct {
        const char* path;
        std::function<void()> run;
        int recordWrites;
        QString notice;
    } cases[] = {
        {"generation", generate, 6, QStringLiteral("随机组卷|记录文件无法写入，没有生成随机试卷，记录没有改变。")},
        {"deletion", remove, 4, QStringLiteral("删除试卷|记录文件无法写入，试卷没有删除，记录没有改变。")},
    };
    for (const auto& c : cases) {
        for (int failing = 1; failing <= c.recordWrites; ++failing) {
            TearDown();
            QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
            SetUp();
            coverPage().ClickBotn_Click(17);
            const std::string before = recordFiles();
            QStringList saves;
            int recordSaves = 0;
            platform::setSaveCommitHook([&](const QString& p) {
                saves << QFileInfo(p).fileName();
                return !(p.contains(QStringLiteral("/ksdata/")) && ++recordSaves == failing);
            });
            c.run();
            platform::setSaveCommitHook(nullptr);
            const std::string what = std::string(c.path) + ", record write " + std::to_string(failing) + " failing";
            EXPECT_EQ(recordFiles(), before) << what << "; saves: " << saves.join(u' ').toStdString();
            EXPECT_EQ(messages.value(messages.size() - 1), c.notice) << what; // after the deletion's confirmation
            EXPECT_FALSE(Forms::isLoaded<FrmLogon>()) << what;
            EXPECT_TRUE(Forms::isLoaded<FrmFengmian>()) << what;
            if (std::string(c.path) == "generation") {
                EXPECT_EQ(saves.mid(0, 2), (QStringList{QStringLiteral("288819.mxy"), QStringLiteral("288869.mxy")})) << what;
            }
        }
    }

    // A generation whose session cannot be written moves nothing and starts nothing.
    TearDown();
    SetUp();
    coverPage().ClickBotn_Click(17);
    const std::string before = recordFiles();
    platform::setSaveCommitHook([](const QString& p) { return !p.endsWith(QStringLiteral("288869.mxy")); });
    generate();
    EXPECT_EQ(recordFiles(), before);
    EXPECT_FALSE(Forms::isLoaded<FrmLogon>());
    EXPECT_EQ(messages.size(), 1);
}

// A launch whose session files cannot be written, by a failing save or a folder in place of the
// question file (which the save refuses even as root), is no launch: a message, the cover stays,
// no session window comes and no record changes.
TEST_F(RecordsTest, ASessionThatCannotBeWrittenDoesNotStart)
{
    const struct {
        const char* what;
        std::function<void()> fail;
        std::function<void()> start;
    } cases[] = {
        {"favourites practice, the step file's save failing",
         [] { platform::setSaveCommitHook([](const QString& p) { return !p.endsWith(QStringLiteral("288819.mxy")); }); },
         [] { frmFengmian().ClickBotn_Click(22); }},
        {"fixed paper 2, a folder in place of its question file",
         [this] { QDir().mkpath(data(QStringLiteral("288851"))); },
         [] { frmFengmian().ClickBotn_Click(71); }},
        {"a paper's wrong questions, the question file's save failing",
         [] { platform::setSaveCommitHook([](const QString& p) { return !p.endsWith(QStringLiteral("288869.mxy")); }); },
         [] { frmFengmian().LblShiJuanCCC_Click(2); }},
    };
    for (const auto& c : cases) {
        TearDown();
        QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
        SetUp();
        coverPage();
        const std::string before = recordFiles();
        c.fail();
        c.start();
        platform::setSaveCommitHook(nullptr);
        EXPECT_EQ(messages, QStringList{QStringLiteral("本次练习的题目文件无法写入，请检查磁盘空间和文件夹权限后再试。")}) << c.what;
        EXPECT_TRUE(Forms::isLoaded<FrmFengmian>()) << c.what;
        EXPECT_FALSE(Forms::isLoaded<FrmLogon>()) << c.what;
        EXPECT_FALSE(Forms::isLoaded<FrmTm>()) << c.what;
        EXPECT_EQ(recordFiles(), before) << c.what;
    }
}

// The score report's records change as one group: whichever of them cannot be saved, none
// changes (no best score beside another exam's wrong questions), and the run log says so.
TEST_F(RecordsTest, TheScoreReportsRecordsAreSavedAllOrNone)
{
    for (const char* failing : {"288862", "288872", "182402", "288863", "288873", "288892"}) {
        TearDown();
        QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
        SetUp();
        const std::string before = recordFiles();
        const QString name = QString::fromLatin1(failing) + QStringLiteral(".mxy");
        platform::setSaveCommitHook([&](const QString& p) { return !p.endsWith(name); });
        handIn();
        platform::setSaveCommitHook(nullptr);
        EXPECT_EQ(recordFiles(), before) << failing;
        EXPECT_TRUE(log().contains(QStringLiteral("Path/File access error ") + record(QString::fromLatin1(failing)))) << failing;
    }
}

// The score report's review of the wrong questions, its session's save failing: the report stays
// with the exam's session as it was, so its paper review and its end still belong to the exam.
TEST_F(RecordsTest, AReviewThatCannotBeWrittenLeavesTheReport)
{
    handIn();
    const std::string before = recordFiles();
    const SessionState exam = S();
    platform::setSaveCommitHook([](const QString& p) { return !p.endsWith(QStringLiteral("288819.mxy")); });
    tsupport::click(*frmChengji().Command3);
    platform::setSaveCommitHook(nullptr);
    EXPECT_EQ(messages, QStringList{QStringLiteral("错题复习|题目文件无法写入，请检查磁盘空间和文件夹权限后再试。")});
    EXPECT_TRUE(Forms::isLoaded<FrmChengji>());
    EXPECT_FALSE(Forms::isLoaded<FrmMain>());
    EXPECT_EQ(recordFiles(), before);
    EXPECT_EQ(S().SessionKind, exam.SessionKind);
    EXPECT_EQ(S().QuestionCount, exam.QuestionCount);
    EXPECT_EQ(S().QuestionId, exam.QuestionId);
}

// A progress file that cannot be read is left as it is, and the units still show their questions,
// all not yet learned, so that practice goes on.
TEST_F(RecordsTest, AnUnreadableProgressFileShowsItsUnitsNotLearned)
{
    platform::setReadFailureHook([](const QString& p) {
        return p.endsWith(QStringLiteral("288893.mxy")) ? platform::ReadFailure::PartWay : platform::ReadFailure::None;
    });
    coverPage();
    platform::setReadFailureHook(nullptr);
    EXPECT_EQ(S().UnitTable[0][1], QStringLiteral("15"));
    EXPECT_EQ(S().UnitTable[0][2], QStringLiteral("15"));
    EXPECT_EQ(fileBytes(record(Units)), "TTTTFFFFFFFFFFF\r\nTTFFFFFFFFFFFFF\r\nFFFFFFFFFFFFFFF\r\n");
}

// A list or flag file that cannot be read starts no practice and is not taken for an empty list.
TEST_F(RecordsTest, AListThatCannotBeReadStartsNoPractice)
{
    const struct {
        const char* unreadable;
        int button;
        cover::QuestionList list;
    } cases[] = {
        {"288862", 22, cover::QuestionList::Favourites},
        {"288872", 22, cover::QuestionList::Favourites},
        {"288863", 24, cover::QuestionList::Wrong},
        {"288873", 24, cover::QuestionList::Wrong},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        FrmFengmian& f = coverPage();
        const QString path = QDir::cleanPath(record(QString::fromLatin1(c.unreadable)));
        platform::setReadFailureHook([&](const QString& p) {
            return QDir::cleanPath(p) == path ? platform::ReadFailure::AtOpen : platform::ReadFailure::None;
        });
        f.ClickBotn_Click(c.button);
        platform::setReadFailureHook(nullptr);
        EXPECT_EQ(messages, QStringList{cover::practiceTitle(c.list) + QStringLiteral("|记录文件无法读取，不能开始练习。")}) << c.unreadable;
        EXPECT_TRUE(Forms::isLoaded<FrmFengmian>()) << c.unreadable;
        EXPECT_FALSE(Forms::isLoaded<FrmTm>()) << c.unreadable;
        EXPECT_TRUE(log().contains(QStringLiteral("read failed: ") + path)) << c.unreadable;
    }
}

// A read-only record file is kept by every path that would rewrite it, whoever runs the program,
// and the run log names it with an access error.
TEST_F(RecordsTest, AReadOnlyRecordFileIsKeptAndReportedAlikeEverywhere)
{
    const auto unitPractice = [] {
        S().SetIndex = 0;
        tsupport::setSessionQuestions(20, {{1, 4}, {2, 6}, {3, 0}}); // question 2 marked
        sessionEnd();
    };
    const struct {
        const char* readOnly;
        const char* path;
        std::function<void()> run;
        std::vector<const char*> kept;
    } cases[] = {
        {"288893", "cover build", [] { coverPage(); }, {"288893"}},
        {"288893", "unit practice end", unitPractice, {"288893"}},
        {"288862", "unit practice end", unitPractice, {"288862", "288872"}},
    };
    for (const auto& c : cases) {
        TearDown();
        QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
        SetUp();
        const QString readOnly = record(QString::fromLatin1(c.readOnly));
        ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        std::map<const char*, QByteArray> before;
        for (const char* k : c.kept)
            before[k] = fileBytes(record(QString::fromLatin1(k)));
        c.run();
        const std::string what = std::string(c.readOnly) + " read-only, " + c.path;
        for (const auto& [k, bytes] : before)
            EXPECT_EQ(fileBytes(record(QString::fromLatin1(k))), bytes) << what << ": " << k;
        EXPECT_FALSE(QFileInfo(readOnly).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) << what << ": still read-only";
        const QRegularExpression reported(QStringLiteral("Path/File access error [^\\r\\n]*") + QString::fromLatin1(c.readOnly) + QStringLiteral("\\.mxy"));
        EXPECT_TRUE(log().contains(reported)) << what << "\n" << log().toStdString();
        EXPECT_FALSE(log().contains(QStringLiteral("Path not found"))) << what;
    }
}

// A session end rewrites no record whose bytes would not change: nothing marked or unmarked
// leaves the favourites' files as they are.
TEST_F(RecordsTest, ASessionEndRewritesNoFileWhoseBytesWouldNotChange)
{
    std::map<QString, std::optional<platform::FileVersion>> before;
    for (const QString& k : {Fav, FavFlags, Wrong, WrongFlags})
        before[k] = platform::fileVersion(record(k));
    const auto units = platform::fileVersion(record(Units));
    S().SetIndex = 0;
    S().FavouritesMarked = true;
    tsupport::setSessionQuestions(20, {{1, 4}, {3, 0}, {101, 2}}); // 0101 still marked
    sessionEnd();
    for (const auto& [k, version] : before)
        EXPECT_EQ(platform::fileVersion(record(k)), version) << k.toStdString() << " rewritten";
    EXPECT_NE(platform::fileVersion(record(Units)), units) << "the unit's progress is written";
}

// A failed generation or deletion whose files cannot all be put back at once says that the
// records may not agree, never that they did not change, and the run log names the files; the
// next start puts them back from what the group kept.
TEST_F(RecordsTest, AFailedPutBackIsToldLoggedAndFinishedAtTheNextStart)
{
    const struct {
        const char* path;
        std::function<void()> run;
        QString notice;
    } cases[] = {
        {"generation", [] { frmFengmian().ClickBotn_Click(30); frmFengmian().ClickBotn_Click(21); },
         QStringLiteral("随机组卷|记录文件无法写入，没有生成随机试卷，记录可能不一致。")},
        {"deletion", [] { frmFengmian().ClickBotn_Click(31); frmFengmian().LblShiJuanDel_Click(20); },
         QStringLiteral("删除试卷|记录文件无法写入，试卷没有完全删除，记录可能不一致。")},
    };
    for (const auto& c : cases) {
        TearDown();
        QDir(QFileInfo(record(QStringLiteral("x"))).absolutePath()).removeRecursively();
        SetUp();
        coverPage().ClickBotn_Click(17);
        const std::string before = recordFiles();
        // Once the first file is replaced, a folder takes the second one's place: its rename fails,
        // and so does the putting back of its old file.
        QString second;
        int renames = 0;
        platform::setGroupRenameHook([&](const QString& p) {
            if (!p.contains(QStringLiteral("/ksdata/")) || ++renames != 2)
                return;
            second = p;
            QFile::remove(p);
            QDir().mkpath(p + QStringLiteral("/x"));
        });
        c.run();
        platform::setGroupRenameHook(nullptr);
        ASSERT_FALSE(second.isEmpty()) << c.path;
        EXPECT_EQ(messages.value(messages.size() - 1), c.notice) << c.path;
        EXPECT_TRUE(log().contains(QStringLiteral("not put back: ") + second)) << c.path << "\n" << log().toStdString();
        EXPECT_FALSE(Forms::isLoaded<FrmLogon>()) << c.path;

        ASSERT_TRUE(QDir(second).removeRecursively());
        EXPECT_EQ(platform::recoverSaves({QFileInfo(second).absolutePath()}), QStringList()) << c.path;
        EXPECT_EQ(recordFiles(), before) << c.path;
    }
}
