// Downloads to a file: the body lands whole or the old file stays; the transfer blocks the
// caller's thread; an idle transfer gives up.

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/download.h"
#include "platform/http.h"
#include "support/http_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using platform::downloadToFile;
using testsupport::HttpAnswer;
using testsupport::LoopbackHttpServer;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::setDownloadIdleTimeoutMs(300);
        target = dir.filePath(QStringLiteral("170100.mxy"));
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    void TearDown() override { platform::setDownloadIdleTimeoutMs(0); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    QString target;
    LoopbackHttpServer server;
};

} // namespace

TEST_F(DownloadTest, WholeAnswerReplacesTheFileByteForByte)
{
    const QByteArray body("\xb9\xab\xb8\xe6\r\n255\r\nhttp://x/\r\n", 21);
    server.route(QStringLiteral("/up/ad/ex7/170100.rar"), 200, body);
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/up/ad/ex7/170100.rar")), target));
    EXPECT_EQ(readAll(target), body);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")});
}

TEST_F(DownloadTest, AFailedTransferLeavesTheOldFileAndNoTemporary)
{
    const struct {
        const char* what;
        HttpAnswer answer;
    } cases[] = {
        {"404", HttpAnswer{404, "<html>not found</html>"}},
        {"500", HttpAnswer{500, "oops"}},
        {"cut", HttpAnswer{200, QByteArray(4000, 'x'), 0, 1000}},
        {"stall", HttpAnswer::stall()},
        {"late", HttpAnswer{200, "late body", 2000}},
    };
    for (const auto& c : cases) {
        server.route(QStringLiteral("/f.rar"), {c.answer});
        EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target)) << c.what;
        EXPECT_EQ(readAll(target), "old") << c.what;
        EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")}) << c.what;
    }
    quint16 closedPort = 0;
    {
        LoopbackHttpServer closed;
        closedPort = closed.port();
    }
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("http://127.0.0.1:%1/f.rar").arg(closedPort)), target));
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("ftp://127.0.0.1/f.rar")), target));
    EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), dir.filePath(QStringLiteral("no/such/folder.mxy"))));
    EXPECT_EQ(readAll(target), "old");
}

TEST_F(DownloadTest, NoTimerTicksWhileATransferRuns)
{
    server.route(QStringLiteral("/f.rar"), {HttpAnswer{200, "new", 50}});
    platform::Timer timer(nullptr, 1);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setEnabled(true);
    platform::Clock::useManual(false);
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target));
    EXPECT_EQ(ticks, 0);
    timer.setEnabled(false);
    platform::Clock::useManual(true);
    EXPECT_EQ(readAll(target), "new");
}

TEST_F(DownloadTest, FakeNetworkAnswersInPlaceOfTheRealOne)
{
    platform::setFakeNetwork([](const QUrl& url) {
        if (url.path() == u"/good.rar")
            return platform::FakeAnswer{200, "fake"};
        return platform::FakeAnswer{200, "half", false};
    });
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("https://up.example/cut.rar")), target));
    EXPECT_EQ(readAll(target), "old");
    EXPECT_TRUE(downloadToFile(QUrl(QStringLiteral("https://up.example/good.rar")), target));
    EXPECT_EQ(readAll(target), "fake");
    platform::setFakeNetwork({});
    EXPECT_TRUE(server.requestLines().isEmpty());
}
