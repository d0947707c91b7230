#include "platform/files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class ReadFailureTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void TearDown() override
    {
        platform::setReadFailureHook(nullptr);
        platform::setSaveCommitHook(nullptr);
    }
};

// Every reader gives nothing when the read fails, at the open or part-way, also when the
// one-line reader already knows where the file's lines start.
TEST_F(ReadFailureTest, EveryReaderFailsAtTheOpenAndPartWay)
{
    const QString path = dir.filePath(QStringLiteral("t.mxy"));
    writeFile(path, "a\r\nb\r\nc\r\n");
    ASSERT_EQ(platform::readLineAt(path, 2), QStringLiteral("b")); // its line starts are kept now
    ASSERT_EQ(platform::lineCount(path), 3);
    for (const platform::ReadFailure failure : {platform::ReadFailure::AtOpen, platform::ReadFailure::PartWay}) {
        QStringList asked;
        platform::setReadFailureHook([&](const QString& p) {
            asked << QFileInfo(p).fileName();
            return failure;
        });
        const int f = static_cast<int>(failure);
        EXPECT_EQ(platform::readLines(path), std::nullopt) << f;
        EXPECT_EQ(platform::readLineAt(path, 2), std::nullopt) << f;
        EXPECT_EQ(platform::lineCount(path), std::nullopt) << f;
        EXPECT_EQ(platform::readBytes(path), std::nullopt) << f;
        EXPECT_FALSE(platform::readTextLines(path)) << f;
        EXPECT_EQ(asked, QStringList(5, QStringLiteral("t.mxy"))) << f;
    }
    platform::setReadFailureHook([](const QString&) { return platform::ReadFailure::None; });
    EXPECT_EQ(platform::readLines(path), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(platform::readLineAt(path, 3), QStringLiteral("c"));
    EXPECT_EQ(platform::lineCount(path), 3);
}

// A directory in the file's place opens but cannot be read: that is a failed read, not an
// empty file.
TEST_F(ReadFailureTest, ADirectoryInPlaceOfTheFileIsAFailedRead)
{
    const QString path = dir.filePath(QStringLiteral("d.mxy"));
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_EQ(platform::readLines(path), std::nullopt);
    EXPECT_EQ(platform::readLineAt(path, 1), std::nullopt);
    EXPECT_EQ(platform::lineCount(path), std::nullopt);
    EXPECT_FALSE(platform::readTextLines(path));
}

TEST_F(ReadFailureTest, SeveralFilesAreSavedAllOrNone)
{
    const QString a = dir.filePath(QStringLiteral("a.mxy"));
    const QString b = dir.filePath(QStringLiteral("b.mxy"));
    writeFile(a, "old a\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(a).constData(), 0640), 0);
    for (const QString& failing : {a, b}) {
        QStringList asked;
        platform::setSaveCommitHook([&](const QString& p) {
            asked << p;
            return p != failing;
        });
        EXPECT_FALSE(platform::saveFiles({{a, platform::toGbk(QStringLiteral("新 a\r\n"))}, {b, "new b\r\n"}}));
        EXPECT_EQ(bytesOf(a), "old a\r\n");
        EXPECT_FALSE(QFileInfo::exists(b));
        EXPECT_EQ(asked.size(), failing == a ? 1 : 2);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("a.mxy")})) << "no temporary is left";

    platform::setSaveCommitHook(nullptr);
    ASSERT_TRUE(platform::saveFiles({{a, platform::toGbk(QStringLiteral("新 a\r\n"))}, {b, "new b\r\n"}}));
    EXPECT_EQ(bytesOf(a), platform::toGbk(QStringLiteral("新 a\r\n")));
    EXPECT_EQ(bytesOf(b), "new b\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a rewritten file keeps its mode";
}

} // namespace
