#include "startup/error_report.h"

#include "platform/clock.h"
#include "platform/value_store.h"
#include "startup_fixture.h"
#include "support/http_server.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QUrlQuery>

using platform::Clock;
using platform::ValueStore;
using startuptest::fileBytes;
using testsupport::LoopbackHttpServer;
using testsupport::waitForIo;

namespace {

class ErrorReportTest : public startuptest::InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        S().ModuleName = QStringLiteral("Excel");
        S().BankVersion = QStringLiteral("201501010101");
        S().OsVersion = QStringLiteral("6.1");
    }
    void TearDown() override
    {
        // Whatever is still on its way is given up long before this.
        Clock::advance(60'000);
        ASSERT_EQ(pendingErrorReports(), 0);
        InstallationTest::TearDown();
    }
    void useEndpoint(const QString& address) { qputenv("TALVESK_REPORT_URL", address.toUtf8()); }
};

// The manual clock moved on to `ms` past a whole second.
void moveClockToMillisecond(int ms)
{
    Clock::advance((1000 + ms - Clock::nowMs() % 1000) % 1000);
}

} // namespace

TEST_F(ErrorReportTest, RunLogEntryIsEmptyLineTimeAndTrimmedText)
{
    const QString before = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    WriteRunLog(logPath(), QStringLiteral("  第一条 & more  "));
    WriteRunLog(logPath(), QStringLiteral("second\r\n"));
    const QString after = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

    const QString text = platform::fromGbk(fileBytes(logPath()));
    static const QRegularExpression shape(
        QStringLiteral("^\r\n(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)\r\n第一条 & more\r\n"
                       "\r\n(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)\r\nsecond\r\n\r\n$"));
    const auto m = shape.match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    EXPECT_GE(m.captured(1), before);
    EXPECT_LE(m.captured(2), after);
    // GBK on disk.
    EXPECT_TRUE(fileBytes(logPath()).contains(platform::toGbk(QStringLiteral("第一条"))));
}

TEST_F(ErrorReportTest, RunLogWithoutPathOrFolderWritesNothing)
{
    WriteRunLog(QString(), QStringLiteral("x"));
    const QString noFolder = app.filePath(QStringLiteral("missing/run.txt"));
    WriteRunLog(noFolder, QStringLiteral("x"));
    EXPECT_FALSE(QFile::exists(noFolder));
    EXPECT_FALSE(QDir(app.filePath(QStringLiteral("missing"))).exists());
}

// The record folder is found whatever the case of its name, like every folder of the
// installation.
TEST_F(ErrorReportTest, RunLogGoesIntoTheRecordFolderWhateverItsCase)
{
    ASSERT_TRUE(QDir(app.path()).rename(QStringLiteral("ksdata"), QStringLiteral("KSDATA")));
    WriteRunLog(app.filePath(QStringLiteral("ksdata/20240101000000.txt")), QStringLiteral("logged"));
    EXPECT_TRUE(fileBytes(app.filePath(QStringLiteral("KSDATA/20240101000000.txt"))).contains("logged"));
}

TEST_F(ErrorReportTest, ReportIsLoggedWithVersionsAndNumberButNotTheExtraText)
{
    ReportError(QStringLiteral("readInfo"), 9, QStringLiteral("Subscript out of range"), QStringLiteral("EXTRA"));

    const QStringList lines = platform::fromGbk(fileBytes(logPath())).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[2], QStringLiteral("软件运行提示:readInfoSubscript out of range"));
    EXPECT_EQ(lines[3], QStringLiteral("系统版本:6.1,软件版本:201501010101,9"));
    EXPECT_EQ(lines[4], QString()); // the report's own line end leaves an empty line
    EXPECT_EQ(lines[5], QString()); // after the file's final line end
    EXPECT_EQ(pendingErrorReports(), 0); // no endpoint: nothing is sent

    S().RunLogPath.clear();
    ReportError(QStringLiteral("startload"), 53, QStringLiteral("File not found"), QString());
    EXPECT_EQ(startuptest::loggedReports(logPath()).size(), 1u);
}

TEST_F(ErrorReportTest, ReportFailureFillsTheErrorTriple)
{
    reportFailure(QStringLiteral("fmload"), runerr::InvalidPicture);
    EXPECT_EQ(S().ErrProc, QStringLiteral("fmload"));
    EXPECT_EQ(S().ErrNumber, 481);
    EXPECT_EQ(S().ErrText, QStringLiteral("Invalid picture"));
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].tagAndText, QStringLiteral("fmloadInvalid picture"));
    EXPECT_EQ(reports()[0].number, 481);
}

TEST_F(ErrorReportTest, ReportAddressEncodesEachValueAndKeepsTheKeysInOrder)
{
    S().BankVersion.clear();
    S().ModuleName = QStringLiteral("电子 表格");
    const QUrl url = errorReportUrl(QStringLiteral("http://127.0.0.1:8080/"), QStringLiteral("tag&x=1"), -5,
                                    QStringLiteral("a&b c#d?e=f%+文"));
    EXPECT_TRUE(url.isValid());
    EXPECT_EQ(url.toEncoded(),
              QByteArray("http://127.0.0.1:8080/up/error/submit.asp"
                         "?pronm=%E7%94%B5%E5%AD%90%20%E8%A1%A8%E6%A0%BC&pver=&osver=6.1&errsub=tag%26x%3D1&errno=-5"
                         "&errdescript=a%26b%20c%23d%3Fe%3Df%25%2B%E6%96%87"));
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("errdescript"), QUrl::FullyDecoded), QStringLiteral("a&b c#d?e=f%+文"));
}

TEST_F(ErrorReportTest, ReportIsSentWithoutBlockingAndLoggedAtOnce)
{
    LoopbackHttpServer server;
    useEndpoint(server.baseUrl());
    const auto t0 = Clock::nowMs();

    ReportError(QStringLiteral("upload"), 76, QStringLiteral("Path not found"), QStringLiteral(" x.mxy"));

    EXPECT_EQ(Clock::nowMs(), t0);
    EXPECT_EQ(reports().size(), 1u);
    EXPECT_EQ(pendingErrorReports(), 1);
    ASSERT_TRUE(waitForIo([&] { return pendingErrorReports() == 0; }));
    ASSERT_EQ(server.targets().size(), 1);
    EXPECT_EQ(server.targets()[0], QStringLiteral("/up/error/submit.asp?pronm=Excel&pver=201501010101&osver=6.1"
                                                  "&errsub=upload&errno=76&errdescript=Path%20not%20found%20x.mxy"));
}

TEST_F(ErrorReportTest, SilentEndpointIsGivenUpAfterOneToTwoSeconds)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    useEndpoint(server.baseUrl());
    int sent = 0;
    for (const int startMs : {0, 999}) {
        moveClockToMillisecond(startMs);
        ReportError(QStringLiteral("tkup"), 5, QStringLiteral("t"), QString());
        ++sent;
        ASSERT_TRUE(waitForIo([&] { return server.requestLines().size() == sent; }));
        // Given up once more than one whole-second boundary has passed since sending.
        const int giveUpAfter = 2000 - startMs;
        Clock::advance(giveUpAfter - 1);
        EXPECT_EQ(pendingErrorReports(), 1) << startMs;
        Clock::advance(1);
        EXPECT_EQ(pendingErrorReports(), 0) << startMs;
    }
    EXPECT_EQ(reports().size(), 2u);
}

TEST_F(ErrorReportTest, ReportsGoOutOneAtATimeAndNoneIsLost)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    useEndpoint(server.baseUrl());
    for (const char* tag : {"a", "b", "c"})
        ReportError(QString::fromLatin1(tag), 1, QString(), QString());
    EXPECT_EQ(pendingErrorReports(), 3);
    EXPECT_EQ(reports().size(), 3u);

    int sent = 0;
    for (const char* tag : {"a", "b", "c"}) {
        ++sent;
        ASSERT_TRUE(waitForIo([&] { return server.requestLines().size() == sent; }));
        EXPECT_EQ(pendingErrorReports(), 4 - sent); // this one in flight, the others waiting
        EXPECT_TRUE(server.targets().back().contains(QStringLiteral("errsub=") + QLatin1String(tag)));
        Clock::advance(2000);
    }
    EXPECT_EQ(pendingErrorReports(), 0);
}

TEST_F(ErrorReportTest, FailingReportRequestIsNotReportedAgain)
{
    for (const char* endpoint : {"ftp://127.0.0.1", "http://[broken", "no address"}) {
        useEndpoint(QString::fromLatin1(endpoint));
        ReportError(QStringLiteral("clickbotn"), 5, QStringLiteral("t"), QString());
        EXPECT_EQ(pendingErrorReports(), 0) << endpoint;
    }
    EXPECT_EQ(reports().size(), 3u);
    for (const auto& r : reports())
        EXPECT_EQ(r.tagAndText, QStringLiteral("clickbotnt"));
}

TEST_F(ErrorReportTest, FetchAnswersTheTrimmedGbkBodyOfASuccessfulAnswer)
{
    LoopbackHttpServer server;
    server.answer(200, platform::toGbk(QStringLiteral("  20150101 版本\r\n  ")));
    // A generous time-out: the answer crosses threads in real time while the clock runs.
    EXPECT_EQ(getHtmlStr(server.baseUrl() + QStringLiteral("/up/list.txt"), 600), QStringLiteral("20150101 版本\r\n"));
    EXPECT_EQ(server.targets(), QStringList{QStringLiteral("/up/list.txt")});
}

TEST_F(ErrorReportTest, FetchTreatsAnErrorAnswerLikeNoAnswer)
{
    LoopbackHttpServer server;
    for (const int status : {404, 500, 403}) {
        server.answer(status, "<html>error page</html>");
        const auto t0 = Clock::nowMs();
        EXPECT_EQ(getHtmlStr(server.baseUrl() + QStringLiteral("/x"), 600), HttpTimeoutText) << status;
        EXPECT_LT(Clock::nowMs() - t0, 600'000) << status; // the answer ended the wait, not the time-out
    }
    EXPECT_EQ(server.requestLines().size(), 3);
}

TEST_F(ErrorReportTest, FetchTimesOutByWholeSecondsOfTheClock)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    const struct {
        int timeout;
        int startMs;
        int elapsed;
    } cases[] = {{1, 0, 2000}, {1, 999, 1001}, {1, 500, 1500}, {2, 0, 3000}, {2, 999, 2001}, {0, 300, 700}};
    for (const auto& c : cases) {
        moveClockToMillisecond(c.startMs);
        const auto t0 = Clock::nowMs();
        EXPECT_EQ(getHtmlStr(server.baseUrl() + QStringLiteral("/slow"), c.timeout), HttpTimeoutText);
        EXPECT_EQ(Clock::nowMs() - t0, c.elapsed) << c.timeout << " " << c.startMs;
    }
}

TEST_F(ErrorReportTest, FetchKeepsTimersRunningWhileItWaits)
{
    LoopbackHttpServer server;
    server.neverAnswer();
    moveClockToMillisecond(0);
    platform::Timer timer(nullptr, 300);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setEnabled(true);
    getHtmlStr(server.baseUrl(), 1);
    EXPECT_EQ(ticks, 6); // 2 seconds
}

TEST_F(ErrorReportTest, FetchOfABadAddressIsReportedOnceAndDoesNotWait)
{
    useEndpoint(QStringLiteral("ftp://nowhere")); // the report's own request fails too
    const auto t0 = Clock::nowMs();
    EXPECT_EQ(getHtmlStr(QStringLiteral("not an address"), 1), HttpTimeoutText);
    EXPECT_EQ(Clock::nowMs(), t0);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_TRUE(reports()[0].tagAndText.startsWith(QStringLiteral("getHtmlStr")));
    EXPECT_EQ(S().ErrProc, QStringLiteral("getHtmlStr"));
}

TEST_F(ErrorReportTest, StringValuesKeepTheirWholeGbkText)
{
    const QString key = QStringLiteral("Software\\mivo");
    const struct {
        int type;
        QString text;
    } cases[] = {
        {regtype::String, QStringLiteral("abc")},
        {regtype::String, QStringLiteral("数据abcdef表")}, // 10 characters, 13 bytes
        {regtype::ExpandString, QStringLiteral("%HOME%/考试")},
        {regtype::String, QString()},
    };
    for (const auto& c : cases) {
        QVariant data = c.text;
        std::int32_t count = -1;
        EXPECT_EQ(SetRegValue(CurrentUserRoot, key, QStringLiteral("v"), c.type, data, count), 0);
        const QByteArray gbk = platform::toGbk(c.text);
        EXPECT_EQ(ValueStore::value(key, QStringLiteral("v")), gbk) << c.text.toStdString();
        EXPECT_EQ(count, gbk.size());
    }
}

TEST_F(ErrorReportTest, IntegerValuesAreStoredLittleEndianAndWrittenBack)
{
    const QString key = QStringLiteral("Software\\mivo");
    const struct {
        int type;
        QVariant data;
        std::int32_t countIn;
        QByteArray stored;
        std::int32_t countOut;
        std::int32_t value;
    } cases[] = {
        {regtype::DoubleWord, QStringLiteral("12"), 0, QByteArray("\x0c\0\0\0", 4), 4, 12},
        {regtype::DoubleWord, -2, 9, QByteArray("\xfe\xff\xff\xff", 4), 4, -2},
        {regtype::DoubleWord, 2.5, 0, QByteArray("\x02\0\0\0", 4), 4, 2},
        {regtype::Binary, 0x01020304, 2, QByteArray("\x04\x03", 2), 2, 0x01020304},
        {regtype::Binary, QStringLiteral(" 258 "), 4, QByteArray("\x02\x01\0\0", 4), 4, 258},
        {regtype::Binary, 7, 0, QByteArray(), 0, 7},
        {regtype::Binary, 7, 9, QByteArray("\x07\0\0\0", 4), 9, 7}, // never more than the 4 bytes there are
    };
    for (const auto& c : cases) {
        QVariant data = c.data;
        std::int32_t count = c.countIn;
        ASSERT_EQ(SetRegValue(CurrentUserRoot, key, QStringLiteral("n"), c.type, data, count), 0);
        EXPECT_EQ(ValueStore::value(key, QStringLiteral("n")), c.stored) << c.data.toString().toStdString();
        EXPECT_EQ(count, c.countOut);
        EXPECT_EQ(data, QVariant(c.value));
    }
}

TEST_F(ErrorReportTest, KeyPathIsCreatedInFullEvenForAnUnknownType)
{
    QVariant data = QStringLiteral("x");
    std::int32_t count = 0;
    EXPECT_EQ(SetRegValue(CurrentUserRoot, QStringLiteral("Software\\A\\B\\C"), QStringLiteral("v"), 7, data, count), 0);
    EXPECT_TRUE(ValueStore::keyExists(QStringLiteral("Software\\A")));
    EXPECT_TRUE(ValueStore::keyExists(QStringLiteral("Software\\A\\B\\C")));
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\A\\B\\C"), QStringLiteral("v")), std::nullopt);
}

TEST_F(ErrorReportTest, FailedWritesReturnAStatusAndStoreNothing)
{
    QVariant text = QStringLiteral("x");
    QVariant word = QStringLiteral("not a number");
    std::int32_t count = 0;
    EXPECT_NE(SetRegValue(static_cast<std::int32_t>(0x80000002u), QStringLiteral("Software\\mivo"), QStringLiteral("v"), regtype::String, text, count), 0);
    EXPECT_NE(SetRegValue(CurrentUserRoot, QStringLiteral("Software\\mivo"), QStringLiteral("v"), regtype::DoubleWord, word, count), 0);
    EXPECT_EQ(word, QVariant(QStringLiteral("not a number")));
    EXPECT_EQ(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("v")), std::nullopt);

    QFile blocker(storeDir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ValueStore::setFilePathOverride(storeDir.filePath(QStringLiteral("blocker/registry.ini")));
    EXPECT_NE(SetRegValue(CurrentUserRoot, QStringLiteral("Software\\mivo"), QStringLiteral("v"), regtype::String, text, count), 0);
}
