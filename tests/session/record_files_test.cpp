#include "session/record_files.h"

#include "platform/files.h"
#include "session_state/session_state.h"
#include "support/events.h"
#include "support/session_questions.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using namespace records;

class RecordFilesTest : public ::testing::Test {
protected:
    tsupport::TempInstall inst;

    void SetUp() override
    {
        ASSERT_TRUE(inst.isValid());
        resetSession();
        S().AppPath = inst.root() + u'/';
        inst.mkdir(QStringLiteral("ksdata"));
    }
    void TearDown() override
    {
        platform::setSaveCommitHook(nullptr);
        resetSession();
    }

    QString path(const QString& number) const { return recordPath(S().AppPath, number); }
    QByteArray bytes(const QString& number) const
    {
        QFile f(path(number));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& number, const QStringList& lines) const
    {
        inst.writeLines(QStringLiteral("ksdata/") + number + QStringLiteral(".mxy"), lines);
    }
};

TEST_F(RecordFilesTest, PathsOfTheRecordFiles)
{
    EXPECT_EQ(paperWrongListPath(QStringLiteral("/app"), 5), QStringLiteral("/app/ksdata/182405.mxy"));
    EXPECT_EQ(paperWrongListPath(QStringLiteral("/app/"), 25), QStringLiteral("/app/ksdata/182425.mxy"));
    EXPECT_EQ(recordPath(QStringLiteral("/app/"), UnitProgress), QStringLiteral("/app/ksdata/288893.mxy"));
}

TEST_F(RecordFilesTest, WritesAreGbkWithCrLfAndAMissingFileReadsEmpty)
{
    EXPECT_EQ(readListLine(path(FavouriteList)), QString());
    EXPECT_EQ(readRecordLinesChecked(path(ScoreHistory)), QStringList());
    ASSERT_TRUE(writeRecord(path(FavouriteList), QStringLiteral("  0101甲  ")));
    EXPECT_EQ(bytes(FavouriteList), platform::toGbk(QStringLiteral("  0101甲  \r\n")));
    EXPECT_EQ(readListLine(path(FavouriteList)), QStringLiteral("0101甲"));
    EXPECT_EQ(readRecordLinesChecked(path(FavouriteList)), QStringList{QStringLiteral("  0101甲  ")});
}

TEST_F(RecordFilesTest, AFailureBeforeTheRenameLeavesTheOldFile)
{
    write(FavouriteList, {QStringLiteral("0101")});
    const QByteArray old = bytes(FavouriteList);
    platform::setSaveCommitHook([](const QString&) { return false; });
    EXPECT_FALSE(writeRecord(path(FavouriteList), QStringLiteral("01010102")));
    EXPECT_EQ(bytes(FavouriteList), old);
    platform::setSaveCommitHook(nullptr);
    EXPECT_TRUE(writeRecord(path(FavouriteList), QStringLiteral("01010102")));
    EXPECT_EQ(bytes(FavouriteList), QByteArray("01010102\r\n"));
}

TEST_F(RecordFilesTest, AMissingRecordFolderIsCreated)
{
    ASSERT_TRUE(QDir(recordDir(S().AppPath)).removeRecursively());
    tsupport::setSessionQuestions(20, {{101, 5}});
    S().UnitCount = 1;
    writeSessionEnd(S());
    EXPECT_EQ(bytes(UnitProgress), QByteArray("T\r\n\r\n"));
    EXPECT_EQ(bytes(FavouriteList), QByteArray("\r\n"));
    EXPECT_EQ(bytes(FavouriteFlags), QByteArray("\r\n"));
}

TEST_F(RecordFilesTest, AFolderThatCannotBeMadeFailsEveryWriteWithoutACrash)
{
    // A file where the folder should be.
    ASSERT_TRUE(QDir(recordDir(S().AppPath)).removeRecursively());
    inst.writeBytes(QStringLiteral("ksdata"), "x");
    S().RunLogPath = inst.path(QStringLiteral("run.txt"));
    EXPECT_FALSE(writeRecord(path(FavouriteList), QStringLiteral("0101")));
    EXPECT_FALSE(writeRecord(path(FavouriteFlags), QStringLiteral("F")));
    // One report says it for the whole run.
    QFile log(S().RunLogPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::fromGbk(log.readAll()).count(QStringLiteral("ksdata")), 1);
}

TEST_F(RecordFilesTest, AnInstallationsOwnSpellingOfTheNamesIsKept)
{
    ASSERT_TRUE(QDir(recordDir(S().AppPath)).removeRecursively());
    inst.writeLines(QStringLiteral("KSDATA/288862.MXY"), {QStringLiteral("0101")});
    EXPECT_EQ(readListLine(path(FavouriteList)), QStringLiteral("0101"));
    ASSERT_TRUE(writeRecord(path(FavouriteList), QStringLiteral("0202")));
    QFile f(inst.path(QStringLiteral("KSDATA/288862.MXY")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("0202\r\n"));
    EXPECT_FALSE(QDir(inst.path(QStringLiteral("ksdata"))).exists());
}

TEST_F(RecordFilesTest, ScoreHistoryOfNinetyLinesIsRewrittenWithNinetyThree)
{
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << QStringLiteral("%1").arg(i);
    lines << QString();
    write(ScoreHistory, lines);
    ASSERT_TRUE(writeScoreHistory(S().AppPath, readScoreHistory(S().AppPath).value(), 31));
    const QStringList back = readRecordLinesChecked(path(ScoreHistory)).value();
    ASSERT_EQ(back.size(), 94);
    EXPECT_EQ(back[89], QStringLiteral("90"));
    EXPECT_EQ(back[90], QString());
    EXPECT_EQ(back[91], QStringLiteral("0"));
    EXPECT_EQ(back[92], QStringLiteral("E"));
    EXPECT_EQ(back[93], QString());
}

TEST_F(RecordFilesTest, FavouritesFollowTheMarks)
{
    write(FavouriteList, {QStringLiteral("010101020103")});
    write(FavouriteFlags, {QStringLiteral("TFT")});
    // 0102 unmarked during the session, 0205 marked anew, 0101 still marked; 0301 twice (bad
    // data) and marked.
    tsupport::setSessionQuestions(20, {{101, 3}, {102, 1}, {205, 2}, {301, 7}, {301, 6}});
    S().UnitCount = 4;
    S().SetIndex = 3;
    writeSessionEnd(S());
    EXPECT_EQ(readListLine(path(FavouriteList)), QStringLiteral("0101010302050301"));
    EXPECT_EQ(readListLine(path(FavouriteFlags)), QStringLiteral("TTFF"));

    // Marked again in a later session, it comes back with "F".
    tsupport::setSessionQuestions(5, {{102, 2}});
    writeSessionEnd(S());
    EXPECT_EQ(readListLine(path(FavouriteList)), QStringLiteral("01010103020503010102"));
    EXPECT_EQ(readListLine(path(FavouriteFlags)), QStringLiteral("TTFFF"));
}

TEST_F(RecordFilesTest, RecordsOfEachKindAtTheSessionEnd)
{
    // Unit practice of unit 3 (six questions, 1 and 4 completed): its line only.
    write(UnitProgress, {QStringLiteral("TT"), QStringLiteral("F"), QStringLiteral("TFT"), QStringLiteral("FFFFFF"),
                         QStringLiteral("TF")});
    S().UnitCount = 5;
    S().SetIndex = 3;
    tsupport::setSessionQuestions(20, {{301, 5}, {302, 1}, {303, 0}, {304, 4}, {305, 1}, {306, 0}});
    writeSessionEnd(S());
    EXPECT_EQ(bytes(UnitProgress), QByteArray("TT\r\nF\r\nTFT\r\nTFFTFF\r\nTF\r\n\r\n"));

    // A favourites session over the not-reviewed entries: flags only, no merge.
    write(FavouriteList, {QStringLiteral("0101010201030104")});
    write(FavouriteFlags, {QStringLiteral("TFTF")});
    tsupport::setSessionQuestions(10, {{102, 3}, {104, 7}});
    writeSessionEnd(S());
    EXPECT_EQ(readListLine(path(FavouriteFlags)), QStringLiteral("TFTT"));
    EXPECT_EQ(readListLine(path(FavouriteList)), QStringLiteral("0101010201030104"));

    // A wrong-list session over the whole list, on a flag line shorter than the list.
    write(WrongList, {QStringLiteral("010101020103")});
    write(WrongFlags, {QStringLiteral("T")});
    tsupport::setSessionQuestions(12, {{101, 0}, {102, 0}, {103, 5}});
    writeSessionEnd(S());
    EXPECT_EQ(readListLine(path(WrongFlags)), QStringLiteral("TFT"));

    // No question completed: the kind's record stays as it was.
    const QByteArray flagsBefore = bytes(WrongFlags);
    tsupport::setSessionQuestions(13, {{101, 1}});
    writeSessionEnd(S());
    EXPECT_EQ(bytes(WrongFlags), flagsBefore);
}

TEST_F(RecordFilesTest, FlagsAreFittedToTheirListBeforeTheSessionEndSetsOne)
{
    // The session was built as the list's fitted flags had it: a missing flag file leaves every
    // entry not reviewed, and a surplus flag belongs to no entry.
    write(FavouriteList, {QStringLiteral("010102050301")});
    QFile::remove(path(FavouriteFlags));
    tsupport::setSessionQuestions(10, {{101, 2}, {205, 2}, {301, 6}});
    writeSessionEnd(S());
    EXPECT_EQ(bytes(FavouriteFlags), QByteArray("FFT\r\n"));

    write(WrongList, {QStringLiteral("01010205")});
    write(WrongFlags, {QStringLiteral("tFTT")});
    tsupport::setSessionQuestions(13, {{101, 4}, {205, 0}});
    writeSessionEnd(S());
    EXPECT_EQ(bytes(WrongFlags), QByteArray("TF\r\n"));
}

// A paper's wrong list with blanks around it is pruned as the review read it, trimmed: entry k
// is question k of the review.
TEST_F(RecordFilesTest, APaperWrongListIsPrunedTrimmed)
{
    write(QStringLiteral("182404"), {QStringLiteral(" 020301170101 ")});
    tsupport::setSessionQuestions(2, {{203, 5}, {117, 1}, {101, 0}});
    pruneReviewedPaper(S().AppPath, 4, sessionQuestions(S()));
    EXPECT_EQ(bytes(QStringLiteral("182404")), QByteArray("01170101\r\n"));
}

// Favourites that could not be read when the session started gave no marks: the session's end
// does not prune the list by them.
TEST_F(RecordFilesTest, NoPruningByMarksThatDidNotComeFromTheList)
{
    write(FavouriteList, {QStringLiteral("01010102")});
    write(FavouriteFlags, {QStringLiteral("TF")});
    S().FavouritesMarked = false;
    tsupport::setSessionQuestions(5, {{101, 4}, {102, 0}, {103, 2}});
    writeSessionEnd(S());
    EXPECT_EQ(bytes(FavouriteList), QByteArray("010101020103\r\n"));
    EXPECT_EQ(bytes(FavouriteFlags), QByteArray("TFF\r\n"));
}

TEST_F(RecordFilesTest, ReturnPageByKind)
{
    const std::pair<int, int> cases[] = {{0, 0},   {2, 0},   {5, 16},  {6, 16},  {8, 0},  {9, 18}, {10, 18},
                                         {11, 18}, {12, 19}, {13, 19}, {14, 19}, {20, 16}, {7, 0}};
    for (const auto& [kind, page] : cases)
        EXPECT_EQ(returnPageFor(kind), page) << kind;
}

} // namespace
