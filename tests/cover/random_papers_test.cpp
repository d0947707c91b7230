#include "cover/random_papers.h"

#include "platform/files.h"
#include "session_state/session_state.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace papers;

namespace {

Uniform lcg(std::uint32_t seed)
{
    return [state = seed]() mutable {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / static_cast<double>(1u << 24);
    };
}

// A generation's records alone: planned, then written.
Change generateRandomPaper(std::span<const int> unitSizes, const Uniform& random, int stored, const QString& now)
{
    Change c = planGeneration(unitSizes, random, stored, now);
    if (c.done)
        c.done = applyChange(c) == papers::Applied::Written;
    return c;
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class RandomPapersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSession();
        S().AppPath = dir.root();
        S().DataDir = dir.mkdir("data") + "/";
        dir.mkdir("ksdata");
    }
    QString rec(const QString& number) const { return dir.path("ksdata/" + number + ".mxy"); }
    QString wrong(int slot) const { return rec(QStringLiteral("1824%1").arg(slot, 2, 10, QChar('0'))); }
    void writeHistory(int lines)
    {
        QStringList l;
        for (int k = 1; k <= lines; ++k)
            l << QStringLiteral("h%1").arg(k);
        dir.writeLines("ksdata/288892.mxy", l);
    }
    tsupport::TempInstall dir;
    const std::vector<int> bank{20, 25};
};

} // namespace

TEST_F(RandomPapersTest, FirstGenerationCreatesTheRecords)
{
    writeHistory(60);
    const Change c = generateRandomPaper(bank, lcg(5), 0, "2026-12-10 09:00:00");
    ASSERT_TRUE(c.done);
    EXPECT_EQ(c.paper.size(), 160);
    EXPECT_EQ(bytes(rec("288891")), platform::toGbk(c.paper + "\r\n" + QString("\r\n").repeated(9)));
    const auto h = platform::readLines(rec("288892"));
    ASSERT_TRUE(h);
    ASSERT_EQ(h->size(), 91);
    for (int k = 0; k < 60; ++k)
        EXPECT_EQ(h->at(k), QStringLiteral("h%1").arg(k + 1));
    EXPECT_EQ(h->mid(60, 3), (QStringList{"2026-12-10 09:00:00", "0", "E"}));
    EXPECT_EQ(h->at(63), "您还未考试！");
    EXPECT_EQ(h->at(90), "");
    EXPECT_EQ(bytes(wrong(20)), "\r\n");
    EXPECT_FALSE(QFile::exists(wrong(21)));
}

TEST_F(RandomPapersTest, GenerationMovesThreeStoredPapersOn)
{
    dir.writeLines("ksdata/288891.mxy", {"P1", "P2", "P3", "", "", "", "", "", "", ""});
    writeHistory(90);
    dir.writeLines("ksdata/182420.mxy", {"0101"});
    dir.writeLines("ksdata/182421.mxy", {"0102"});
    dir.writeLines("ksdata/182422.mxy", {"0103"});
    const Change c = generateRandomPaper(bank, lcg(9), 3, "now");
    ASSERT_TRUE(c.done);
    const auto list = platform::readLines(rec("288891"));
    EXPECT_EQ(list->mid(0, 4), (QStringList{c.paper, "P1", "P2", "P3"}));
    EXPECT_EQ(list->size(), 10);
    EXPECT_EQ(bytes(wrong(20)), "\r\n");
    EXPECT_EQ(bytes(wrong(21)), "0101\r\n");
    EXPECT_EQ(bytes(wrong(22)), "0102\r\n");
    EXPECT_EQ(bytes(wrong(23)), "0103\r\n");
    const auto h = platform::readLines(rec("288892"));
    EXPECT_EQ(h->mid(60, 12), (QStringList{"now", "0", "E", "h61", "h62", "h63", "h64", "h65", "h66", "h67", "h68", "h69"}));
}

TEST_F(RandomPapersTest, AMissingSourceRemovesTheTargetList)
{
    dir.writeLines("ksdata/288891.mxy", {"P1", "P2"});
    dir.writeLines("ksdata/182422.mxy", {"0909"}); // another paper's list, left from a deletion
    dir.writeLines("ksdata/182420.mxy", {"0101"});
    // Slot 21's list is gone: slot 22 must not keep what it held.
    ASSERT_TRUE(generateRandomPaper(bank, lcg(2), 2, "now").done);
    EXPECT_EQ(bytes(wrong(21)), "0101\r\n");
    EXPECT_FALSE(QFile::exists(wrong(22)));
}

TEST_F(RandomPapersTest, TenStoredPapersDropTheOldest)
{
    QStringList ten;
    for (int i = 1; i <= 10; ++i) {
        ten << QStringLiteral("P%1").arg(i);
        dir.writeLines(QStringLiteral("ksdata/1824%1.mxy").arg(19 + i), {QStringLiteral("W%1").arg(i)});
    }
    dir.writeLines("ksdata/288891.mxy", ten);
    ASSERT_TRUE(generateRandomPaper(bank, lcg(4), 10, "now").done);
    const auto list = platform::readLines(rec("288891"));
    EXPECT_EQ(list->size(), 10);
    EXPECT_EQ(list->last(), "P9");
    EXPECT_EQ(bytes(wrong(29)), "W9\r\n");
}

TEST_F(RandomPapersTest, ABankTooSmallOrAnUnreadableRecordChangesNothing)
{
    dir.writeLines("ksdata/288891.mxy", {"P1"});
    writeHistory(63);
    const QByteArray list = bytes(rec("288891"));
    const QByteArray history = bytes(rec("288892"));
    Change c = generateRandomPaper(std::vector<int>{30}, lcg(1), 1, "now");
    EXPECT_FALSE(c.done);
    EXPECT_TRUE(c.bankTooSmall);
    EXPECT_EQ(bytes(rec("288891")), list);
    EXPECT_EQ(bytes(rec("288892")), history);

    // A folder where the score history should be: it exists but cannot be read.
    QFile::remove(rec("288892"));
    QDir().mkpath(rec("288892"));
    c = generateRandomPaper(bank, lcg(1), 1, "now");
    EXPECT_FALSE(c.done);
    EXPECT_EQ(c.unreadable, rec("288892"));
    EXPECT_EQ(bytes(rec("288891")), list);
    EXPECT_FALSE(QFile::exists(wrong(20)));
    c = deleteRandomPaper(20, 1);
    EXPECT_FALSE(c.done);
    EXPECT_EQ(bytes(rec("288891")), list);

    // The same with a folder where the list of random papers should be.
    QDir(rec("288892")).removeRecursively();
    writeHistory(63);
    QFile::remove(rec("288891"));
    QDir().mkpath(rec("288891"));
    c = generateRandomPaper(bank, lcg(1), 1, "now");
    EXPECT_FALSE(c.done);
    EXPECT_EQ(c.unreadable, rec("288891"));
    EXPECT_EQ(bytes(rec("288892")), history);
    EXPECT_FALSE(deleteRandomPaper(20, 1).done);
    EXPECT_EQ(bytes(rec("288892")), history);
}

TEST_F(RandomPapersTest, DeletingTheFirstOfThree)
{
    dir.writeLines("ksdata/288891.mxy", {"P1", "P2", "P3", "", ""});
    writeHistory(90);
    const QByteArray before = bytes(rec("288892"));
    dir.writeLines("ksdata/182420.mxy", {"0101"});
    dir.writeLines("ksdata/182421.mxy", {"0102"});
    dir.writeLines("ksdata/182422.mxy", {"0103"});
    ASSERT_TRUE(deleteRandomPaper(20, 3).done);
    EXPECT_EQ(bytes(rec("288891")), "P2\r\nP3\r\n\r\n");
    EXPECT_EQ(bytes(wrong(20)), "0102\r\n");
    EXPECT_EQ(bytes(wrong(21)), "0103\r\n");
    EXPECT_EQ(bytes(wrong(22)), "0103\r\n"); // the old last slot is left, unseen
    const QByteArray after = bytes(rec("288892"));
    const qsizetype fixed = before.indexOf("h61");
    EXPECT_EQ(after.left(fixed), before.left(fixed)); // lines 1-60 byte for byte
    const auto h = platform::readLines(rec("288892"));
    EXPECT_EQ(h->size(), 91);
    EXPECT_EQ(h->mid(60, 9), (QStringList{"h64", "h65", "h66", "h67", "h68", "h69", "h67", "h68", "h69"}));
}

TEST_F(RandomPapersTest, DeletingTheOnlyPaperLeavesOneEmptyLine)
{
    dir.writeLines("ksdata/288891.mxy", {"P1"});
    ASSERT_TRUE(deleteRandomPaper(20, 1).done);
    EXPECT_EQ(bytes(rec("288891")), "\r\n");
}

TEST_F(RandomPapersTest, DeletionReadsAtMostTenLines)
{
    QStringList lines;
    for (int i = 1; i <= 16; ++i)
        lines << QStringLiteral("P%1").arg(i);
    dir.writeLines("ksdata/288891.mxy", lines);
    ASSERT_TRUE(deleteRandomPaper(21, 16).done);
    const auto list = platform::readLines(rec("288891"));
    EXPECT_EQ(*list, (QStringList{"P1", "P3", "P4", "P5", "P6", "P7", "P8", "P9", "P10", ""}));
}

TEST_F(RandomPapersTest, PaperLines)
{
    QStringList table = {"1002", "2025"};
    table << QString("0101").repeated(40) << "" << QString("0102").repeated(39);
    dir.writeLines("data/288891.mxy", table);
    dir.writeLines("ksdata/288891.mxy", {"RAND", ""});
    EXPECT_EQ(paperLine(0), QString("0101").repeated(40));
    EXPECT_FALSE(paperLine(1));  // an empty line
    EXPECT_EQ(paperLine(2)->size(), 156);
    EXPECT_FALSE(paperLine(3));  // past the table's end
    EXPECT_EQ(paperLine(20), "RAND");
    EXPECT_FALSE(paperLine(21));
    EXPECT_EQ(paddedPaper(QString("0102").repeated(39)), QString("0102").repeated(39) + "0000");
    EXPECT_EQ(paddedPaper("01020"), "0102" + QString("0000").repeated(39));
    EXPECT_EQ(paddedPaper(QString("0101").repeated(41)).size(), 160);
}
