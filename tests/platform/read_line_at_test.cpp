#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

namespace {

struct LineCase {
    const char* bytes;
    int n;
    std::optional<QString> expected;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(ReadLineAt, LineEndsPastTheEndAndBelowOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.mxy"));
    const LineCase cases[] = {
        {"a\r\nb\r\nc\r\n", 2, QStringLiteral("b")},
        {"a\r\nb\r\nc\r\n", 3, QStringLiteral("c")},
        {"a\r\nb\r\nc\r\n", 9, QStringLiteral("c")},  // past the end: the last line
        {"a\r\nb\r\nc\r\n", 0, QStringLiteral("c")},  // below 1: the whole file, its last line
        {"a\r\nb\r\nc", 3, QStringLiteral("c")},      // no final line end
        {"a\nb\rc\r\n", 3, QStringLiteral("c")},      // LF and a lone CR end lines too
        {"a\r\r\nb", 3, QStringLiteral("b")},         // a lone CR, then CR LF: an empty line between
        {"a\r\n\r\nb\r\n", 2, QString()},             // an empty line counts
        {"a\r\n\r\nb\r\n", 3, QStringLiteral("b")},
        {"x\r\ny\r", 9, QStringLiteral("y")},
        {"", 1, std::nullopt},                       // an empty file has no line
        {"\xd6\xd0\xce\xc4\r\n\xb2\xe2", 2, QStringLiteral("测")},
        {"\xd6\xd0\xce\xc4\r\n\xb2\xe2", 1, QStringLiteral("中文")},
    };
    for (const LineCase& c : cases) {
        writeFile(path, c.bytes);
        EXPECT_EQ(platform::readLineAt(path, c.n), c.expected) << c.bytes << " n=" << c.n;
    }
    EXPECT_EQ(platform::readLineAt(dir.filePath(QStringLiteral("missing")), 1), std::nullopt);
    EXPECT_EQ(platform::readLineAt(QString(), 1), std::nullopt);
}

// The whole-file reader, the one-line reader and the lines decoded when asked for see the same
// lines in every file.
TEST(ReadLineAt, EveryReaderSplitsLinesByOneRule)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.mxy"));
    const struct {
        const char* bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\rb\n", {"a", "", "b"}},
        {"a\n\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a", {"a"}},
        {"a\r", {"a"}},
        // A character cut short at a line's end stays on its line: the next decodes on its own.
        {"\xd6\r\n\xb2\xe2\r\n\xd6", {platform::fromGbk("\xd6"), QStringLiteral("测"), platform::fromGbk("\xd6")}},
    };
    for (const auto& c : cases) {
        writeFile(path, c.bytes);
        EXPECT_EQ(platform::readLines(path), c.lines) << c.bytes;
        for (int n = 1; n <= c.lines.size(); ++n)
            EXPECT_EQ(platform::readLineAt(path, n), c.lines[n - 1]) << c.bytes << " n=" << n;
        std::optional<platform::TextLines> text = platform::readTextLines(path);
        ASSERT_TRUE(text) << c.bytes;
        ASSERT_EQ(text->size(), c.lines.size()) << c.bytes;
        // Backwards: a line asked for after a later one decodes as it would alone.
        for (qsizetype i = text->size() - 1; i >= 0; --i)
            EXPECT_EQ(text->line(i), c.lines[i]) << c.bytes << " i=" << i;
    }
}

// A file rewritten between two reads is read afresh, whatever its size and times, and one cut
// to nothing has no line.
TEST(ReadLineAt, EveryRewriteIsReadAfresh)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.mxy"));
    writeFile(path, "one\r\ntwo\r\n");
    const QDateTime stamp = QFileInfo(path).lastModified();
    EXPECT_EQ(platform::readLineAt(path, 2), QStringLiteral("two"));

    // The same size, the same modification time.
    writeFile(path, "one\r\nTWO\r\n");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(platform::readLineAt(path, 2), QStringLiteral("TWO"));

    // The same size again, by a copy put in place with a rename.
    const QString copy = dir.filePath(QStringLiteral("copy"));
    writeFile(copy, "ONE\r\nTWO\r\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(copy, path));
    EXPECT_EQ(platform::readLineAt(path, 1), QStringLiteral("ONE"));

    writeFile(path, QByteArray());
    EXPECT_EQ(platform::readLineAt(path, 2), std::nullopt);
    writeFile(path, "only\r\n");
    EXPECT_EQ(platform::readLineAt(path, 2), QStringLiteral("only"));
}

// A file cut short and written again while it is being read never ends the program: every read
// gives a line of one version of the file or nothing.
TEST(ReadLineAt, AFileRewrittenWhileItIsReadGivesALineOrNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.mxy"));
    QByteArray big;
    for (int i = 0; i < 40000; ++i)
        big += "0123456789012345678901234567890123456789\r\n";
    big += "last\r\n";
    writeFile(path, big);

    std::atomic<bool> stop{false};
    std::thread writer([&] {
        while (!stop) {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(big.left(big.size() / 2));
            f.close();
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(big);
        }
    });
    for (int i = 0; i < 200; ++i) {
        const std::optional<QString> line = platform::readLineAt(path, 40001);
        if (line && *line != QStringLiteral("last")) {
            EXPECT_TRUE(line->isEmpty() || line->startsWith(u'0')) << line->toStdString();
        }
    }
    stop = true;
    writer.join();
}

} // namespace
