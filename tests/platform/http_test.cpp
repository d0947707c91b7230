#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/http.h"
#include "support/http_server.h"

#include <QUrl>

using platform::HttpGet;
using testsupport::LoopbackHttpServer;
using testsupport::waitForIo;

TEST(HttpGet, AnswerGivesStatusAndBody)
{
    const struct {
        int status;
        QByteArray body;
    } cases[] = {{200, "hello"}, {404, "no such page"}, {500, QByteArray()}};
    for (const auto& c : cases) {
        LoopbackHttpServer server;
        server.answer(c.status, c.body);
        HttpGet get;
        ASSERT_TRUE(get.start(QUrl(server.baseUrl() + QStringLiteral("/list.txt?a=1"))));
        EXPECT_FALSE(get.finished());
        ASSERT_TRUE(waitForIo([&] { return get.finished(); }));
        EXPECT_EQ(get.status(), c.status);
        EXPECT_EQ(get.body(), c.body);
        EXPECT_EQ(server.targets(), QStringList{QStringLiteral("/list.txt?a=1")});
    }
}

TEST(HttpGet, AbortEndsARequestWithoutAnswer)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    HttpGet get;
    int done = 0;
    QObject::connect(&get, &HttpGet::done, [&] { ++done; });
    ASSERT_TRUE(get.start(QUrl(server.baseUrl() + QStringLiteral("/"))));
    ASSERT_TRUE(waitForIo([&] { return server.requestLines().size() == 1; }));
    EXPECT_FALSE(get.finished());
    get.abort();
    EXPECT_TRUE(get.finished());
    EXPECT_EQ(get.status(), 0);
    EXPECT_EQ(done, 1);
    get.abort(); // nothing left to stop
    EXPECT_EQ(done, 1);
}

TEST(HttpGet, RefusedConnectionFinishesWithoutStatus)
{
    quint16 port = 0;
    {
        LoopbackHttpServer closed;
        port = closed.port();
    }
    HttpGet get;
    ASSERT_TRUE(get.start(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))));
    ASSERT_TRUE(waitForIo([&] { return get.finished(); }));
    EXPECT_EQ(get.status(), 0);
}

TEST(HttpGet, AddressesThatAreNoHttpUrlSendNothing)
{
    for (const char* address : {"", "not a url", "ftp://127.0.0.1/x", "file:///etc/hosts", "http://"}) {
        HttpGet get;
        EXPECT_FALSE(get.start(QUrl(QString::fromLatin1(address)))) << address;
        EXPECT_FALSE(get.finished());
    }
}

TEST(HttpGet, DestroyingARunningRequestIsSafe)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    {
        HttpGet get;
        ASSERT_TRUE(get.start(QUrl(server.baseUrl() + QStringLiteral("/"))));
        ASSERT_TRUE(waitForIo([&] { return server.requestLines().size() == 1; }));
    }
    // The abandoned reply goes away with the next pass of events, touching nothing of ours.
    platform::Clock::processEvents();
    EXPECT_EQ(server.requestLines().size(), 1);
}
