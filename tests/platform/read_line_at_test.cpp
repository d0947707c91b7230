#include "platform/files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

struct LineCase {
    const char* bytes;
    int n;
    std::optional<QString> expected;
};

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
        {"a\r\r\nb", 2, QStringLiteral("b")},         // the CRs before an LF are one line end
        {"a\r\n\r\nb\r\n", 2, QString()},             // an empty line counts
        {"a\r\n\r\nb\r\n", 3, QStringLiteral("b")},
        {"x\r\ny\r", 9, QStringLiteral("y")},
        {"", 1, std::nullopt},                       // an empty file has no line
        {"\xd6\xd0\xce\xc4\r\n\xb2\xe2", 2, QStringLiteral("测")},
        {"\xd6\xd0\xce\xc4\r\n\xb2\xe2", 1, QStringLiteral("中文")},
    };
    for (const LineCase& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(platform::readLineAt(path, c.n), c.expected) << c.bytes << " n=" << c.n;
    }
    EXPECT_EQ(platform::readLineAt(dir.filePath(QStringLiteral("missing")), 1), std::nullopt);
    EXPECT_EQ(platform::readLineAt(QString(), 1), std::nullopt);
}

} // namespace
