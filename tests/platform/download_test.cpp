// Downloads to a file: the body lands whole or the old file stays; the transfer blocks the
// caller's thread; an idle transfer gives up.

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/download.h"
#include "platform/http.h"
#include "support/http_server.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using platform::downloadToFile;
using testsupport::HttpAnswer;
using Framing = testsupport::HttpAnswer::Framing;
using testsupport::LoopbackHttpServer;

namespace {

constexpr qint64 Cap = 64 * 1024;

// 700 bytes under a Content-Length header as given, the connection closed after `cutAfter` of
// them (-1: after all).
HttpAnswer withLength(const QByteArray& value, int cutAfter = -1)
{
    HttpAnswer a = HttpAnswer::framed(Framing::Close, QByteArray(700, 'n'), cutAfter);
    a.extraHeaders = "Content-Length: " + value + "\r\n";
    return a;
}

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
    void TearDown() override
    {
        platform::setDownloadIdleTimeoutMs(0);
        platform::setDownloadMinimumRate(0, 0);
    }
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
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/up/ad/ex7/170100.rar")), target, Cap));
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
        // Only a 200 whose end is known replaces the file.
        {"no content", HttpAnswer{204, {}}},
        {"partial content", HttpAnswer{206, "partial"}},
        {"no length, whole", HttpAnswer::framed(Framing::Close, "a body that ends where the connection does")},
        {"no length, cut", HttpAnswer::framed(Framing::Close, QByteArray(4000, 'x'), 1000)},
        {"chunked, cut", HttpAnswer::framed(Framing::Chunked, QByteArray(4000, 'x'), 1000)},
        {"chunked, whole", HttpAnswer::framed(Framing::Chunked, "a body whose end Qt does not tell from a cut")},
        // Nothing larger than the cap, announced or not.
        {"announced too long", HttpAnswer{200, QByteArray(Cap + 1, 'x')}},
        {"endless, no length", HttpAnswer::endlessBody(Framing::Close)},
        {"endless, chunked", HttpAnswer::endlessBody(Framing::Chunked)},
        {"endless, 1 TB announced", HttpAnswer::endlessBody(Framing::Length)},
        // A coded body is not the file (and inflated it could outgrow any cap).
        {"gzip", [] {
             HttpAnswer a{200, QByteArray::fromBase64("H4sIAAAAAAACA8tIzcnJBwCGphA2BQAAAA==")};
             a.extraHeaders = "Content-Encoding: gzip\r\n";
             return a;
         }()},
        // A length counts only as one plain decimal number that the body meets. (The spaces
        // around a header's value are no part of it: " 700 " is 700.)
        {"length -1, cut", withLength("-1", 50)},
        {"length -5, cut", withLength("-5", 50)},
        {"length -1, whole", withLength("-1")},
        {"length +700, cut", withLength("+700", 50)},
        {"length +700, whole", withLength("+700")},
        {"length ' 700 ', cut", withLength(" 700 ", 50)},
        {"length 0x2bc, cut", withLength("0x2bc", 50)},
        {"length 0x2bc, whole", withLength("0x2bc")},
        {"two lengths, cut", withLength("700\r\nContent-Length: 50", 50)},
        {"two lengths, the first met", withLength("700\r\nContent-Length: 50")},
        {"two lengths, the second met", withLength("50\r\nContent-Length: 700")},
    };
    for (const auto& c : cases) {
        server.route(QStringLiteral("/f.rar"), {c.answer});
        EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, Cap)) << c.what;
        EXPECT_EQ(readAll(target), "old") << c.what;
        EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")}) << c.what;
    }
    quint16 closedPort = 0;
    {
        LoopbackHttpServer closed;
        closedPort = closed.port();
    }
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("http://127.0.0.1:%1/f.rar").arg(closedPort)), target, Cap));
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("ftp://127.0.0.1/f.rar")), target, Cap));
    EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), dir.filePath(QStringLiteral("no/such/folder.mxy")), Cap));
    EXPECT_EQ(readAll(target), "old");
}

TEST_F(DownloadTest, BodiesOfTheirAnnouncedLengthUpToTheCapAreStored)
{
    for (const HttpAnswer& a : {HttpAnswer{200, QByteArray(Cap, 'b')}, HttpAnswer{200, {}}}) {
        server.route(QStringLiteral("/f.rar"), {a});
        EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, Cap));
        EXPECT_EQ(readAll(target), a.body);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")});
    }
}

TEST_F(DownloadTest, ATrickleFailsOnceTheGraceTimeHasPassed)
{
    // One byte every 20 ms keeps the idle time-out from running out: 1000 bytes would take 20 s.
    platform::setDownloadMinimumRate(200, 2000);
    server.route(QStringLiteral("/slow.rar"), {HttpAnswer::trickle(QByteArray(1000, 's'), 20)});
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/slow.rar")), target, Cap));
    EXPECT_GE(took.elapsed(), 200);
    EXPECT_LT(took.elapsed(), 3000);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")});

    // Chunks far above the minimum rate arrive whole, however long the grace time is exceeded.
    server.route(QStringLiteral("/steady.rar"), {HttpAnswer::trickle(QByteArray(24000, 'f'), 20, 2000)});
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/steady.rar")), target, Cap));
    EXPECT_EQ(readAll(target), QByteArray(24000, 'f'));
    platform::setDownloadMinimumRate(0, 0);
}

TEST_F(DownloadTest, ATransferFailsOnceItHasTakenTheTimeItWasGiven)
{
    // 24 chunks of 1000 bytes, one every 20 ms: fast enough for every other bound.
    server.route(QStringLiteral("/steady.rar"), {HttpAnswer::trickle(QByteArray(24000, 'f'), 20, 1000)});
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/steady.rar")), target, Cap, {}, 150));
    EXPECT_GE(took.elapsed(), 150);
    EXPECT_LT(took.elapsed(), 3000);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")});
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/steady.rar")), target, Cap, {}, 20000));
    EXPECT_EQ(readAll(target), QByteArray(24000, 'f'));
}

TEST_F(DownloadTest, TheFirstBytesOfTheBodyMayBeRefused)
{
    // The judge sees the body's first DownloadHeadBytes, or all of a shorter one.
    QByteArray long_(platform::DownloadHeadBytes * 3, 'x');
    long_.replace(0, 3, "BAD");
    QList<qsizetype> seen;
    const auto refuseBad = [&](const QByteArray& head) {
        seen << head.size();
        return !head.startsWith("BAD");
    };
    for (const QByteArray& body : {long_, QByteArray("BAD short")}) {
        server.route(QStringLiteral("/f.rar"), 200, body);
        EXPECT_FALSE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, long_.size(), refuseBad));
        EXPECT_EQ(readAll(target), "old");
    }
    server.route(QStringLiteral("/f.rar"), 200, "good");
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, Cap, refuseBad));
    EXPECT_EQ(readAll(target), "good");
    EXPECT_EQ(seen, (QList<qsizetype>{platform::DownloadHeadBytes, 9, 4}));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("170100.mxy")});
}

// While a transfer runs the windows are drawn, but no click and no timer of the program is
// handled.
TEST_F(DownloadTest, WindowsAreDrawnWhileATransferRunsButNoInputOrTimerIsHandled)
{
    platform::setDownloadIdleTimeoutMs(20000);
    server.route(QStringLiteral("/f.rar"), {HttpAnswer::heldUntilReleased(200, "new")});
    QWidget window;
    window.resize(100, 60);
    QPushButton button(QStringLiteral("press"), &window);
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    platform::Clock::processEvents();

    struct Painted : QObject {
        LoopbackHttpServer* server = nullptr;
        int whileHeld = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            // The answer goes out once the window has been drawn while it was held.
            if (e->type() == QEvent::Paint && server->heldRequests() > 0) {
                ++whileHeld;
                server->releaseHeld();
            }
            return false;
        }
    } painted;
    painted.server = &server;
    window.installEventFilter(&painted);

    int ticks = 0;
    int ticksAtRequest = -1;
    server.onRequest([&](const QString&) {
        ticksAtRequest = ticks;
        QTest::mouseClick(&button, Qt::LeftButton);
        window.update();
    });
    // On either clock: timers that tick on the real one are due meanwhile.
    for (const bool manual : {false, true}) {
        SCOPED_TRACE(manual);
        platform::Clock::useManual(manual);
        platform::Timer timer(nullptr, 1);
        timer.onTimer = [&] { ++ticks; };
        timer.setEnabled(true);
        ticks = 0;
        painted.whileHeld = 0;
        ticksAtRequest = -1;
        EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, Cap));
        EXPECT_EQ(readAll(target), "new");
        EXPECT_EQ(ticksAtRequest, 0);
        EXPECT_EQ(ticks, 0) << "no tick inside the transfer";
        EXPECT_GE(painted.whileHeld, 1);
        EXPECT_EQ(clicks, 0);
        timer.setEnabled(false);
        QFile::remove(target);
    }
    platform::Clock::useManual(true);
    // Without a transfer the same click is taken.
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

// A modal dialog opened inside the wait (a window's close from the window system asks its
// question there) takes the candidate's answer: the wait cannot end before the dialog does.
TEST_F(DownloadTest, ADialogOpenedWhileATransferRunsTakesItsAnswer)
{
    platform::setDownloadIdleTimeoutMs(20000);
    server.route(QStringLiteral("/f.rar"), {HttpAnswer::heldUntilReleased(200, "new")});
    int answered = -1;
    server.onRequest([&](const QString&) {
        QDialog box;
        box.setWindowModality(Qt::ApplicationModal);
        QPushButton ok(QStringLiteral("OK"), &box);
        QObject::connect(&ok, &QPushButton::clicked, &box, &QDialog::accept);
        // The click once the dialog waits for it; should it be lost, the dialog ends without it.
        QMetaObject::invokeMethod(
            &box,
            [&] {
                QTest::mouseClick(&ok, Qt::LeftButton);
                if (box.isVisible())
                    box.done(2);
            },
            Qt::QueuedConnection);
        answered = box.exec();
        server.releaseHeld();
    });
    EXPECT_TRUE(downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, Cap));
    EXPECT_EQ(answered, int(QDialog::Accepted));
    EXPECT_EQ(readAll(target), "new");
}

TEST_F(DownloadTest, FakeNetworkAnswersInPlaceOfTheRealOne)
{
    platform::setFakeNetwork([](const QUrl& url) {
        if (url.path() == u"/good.rar")
            return platform::FakeAnswer{200, "fake"};
        return platform::FakeAnswer{200, "half", false};
    });
    EXPECT_FALSE(downloadToFile(QUrl(QStringLiteral("https://up.example/cut.rar")), target, Cap));
    EXPECT_EQ(readAll(target), "old");
    EXPECT_TRUE(downloadToFile(QUrl(QStringLiteral("https://up.example/good.rar")), target, Cap));
    EXPECT_EQ(readAll(target), "fake");
    platform::setFakeNetwork({});
    EXPECT_TRUE(server.requestLines().isEmpty());
}
