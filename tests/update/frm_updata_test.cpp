// The update window and its update run against a loopback endpoint: the layout, the
// announcement, every way a run can end, the files an accepted run fetches, and closing the
// window while the list is on its way.

#include "update_fixture.h"

#include "controls/mivo_button.h"
#include "support/events.h"
#include "startup/config_table.h"
#include "update/frm_updata.h"
#include "update/update_run.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

using platform::Clock;
using testsupport::HttpAnswer;
using updatetest::gbk;
using updatetest::gbkLines;
using updatetest::UpdateTest;

namespace {

const QString NewStamp = QStringLiteral("201601021530");
const QDateTime EntryTime(QDate(2016, 1, 2), QTime(15, 30));

class FrmUpdataTest : public UpdateTest {
protected:
    void SetUp() override
    {
        UpdateTest::SetUp();
        for (const char* face : {"l62011", "l20069", "l20067", "l20001"})
            writePicture(QString::fromLatin1(face));
    }
    void writePicture(const QString& face)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        ASSERT_TRUE(image.save(file(QStringLiteral("data/%1.mxy").arg(face)), "PNG"));
    }
    // Opens the window as the cover page does and lets its start tick run the update run.
    FrmUpdata& openAndRun()
    {
        FrmUpdata& w = frmUpdata();
        w.Show();
        Clock::advance(100);
        return w;
    }
    // The run's texts when it got no usable list.
    void expectNoListTexts(const FrmUpdata& w) const
    {
        EXPECT_EQ(w.Label1->Caption(), QStringLiteral("最新题库版本是："));
        EXPECT_EQ(w.Label2->Caption(), QStringLiteral("网络状况不好，请重试！"));
    }
    bool asked() const
    {
        for (const auto& m : msgBoxes)
            if (m.prompt.startsWith(QStringLiteral("题库有新文件")))
                return true;
        return false;
    }
    void serveList(const QStringList& entries, const QString& stamp = NewStamp)
    {
        server->route(listPath(), 200, gbkLines(QStringList{stamp} + entries));
    }
};

} // namespace

TEST_F(FrmUpdataTest, LayoutAt120DpiKeepsItsPixelSize)
{
    auto& s = S();
    s.ScaleX = s.ScaleY = 0.8;
    vb::setTwipsPerPixelOverride(12, 12);
    s.BankVersion.clear();
    FrmUpdata& w = frmUpdata();
    EXPECT_FALSE(w.Visible()) << "hidden until the start tick";
    EXPECT_TRUE(w.Timer1->Enabled());
    EXPECT_EQ(w.Width(), 4440);
    EXPECT_EQ(w.Height(), 3000);
    EXPECT_TRUE(w.Topmost());
    EXPECT_EQ(w.BorderStyle(), 0);
    EXPECT_TRUE(w.hasPicture());
    EXPECT_EQ(w.Caption(), QStringLiteral("vidavozedudevavuzivuv"));
    EXPECT_DOUBLE_EQ(w.Label4->FontSize(), 8);
    EXPECT_DOUBLE_EQ(w.Label3->FontSize(), 7.2);
    EXPECT_DOUBLE_EQ(w.Label1->FontSize(), 7.2);
    EXPECT_DOUBLE_EQ(w.LblVer->FontSize(), 7.2);
    EXPECT_DOUBLE_EQ(w.Label2->FontSize(), 11.2);
    EXPECT_EQ(w.Label4->Caption(), QStringLiteral("新版本检测——电子表格"));
    EXPECT_EQ(w.Label3->Caption(), QStringLiteral("当前题库版本是："));
    EXPECT_EQ(w.LblVer->Caption(), QString());
    EXPECT_EQ(w.Label1->Caption(), QStringLiteral("最新题库版本是："));
    EXPECT_EQ(w.Label2->Caption(), QStringLiteral("已是最新版本，无需升级。"));
    EXPECT_EQ(w.Label1->Left(), w.Label3->Left());
    EXPECT_EQ(w.LblVer->Top(), w.Label3->Top());
    EXPECT_EQ(w.Command1->Width(), 1080);
    EXPECT_TRUE(w.Command1->Picture().has_value());
    EXPECT_TRUE(reports().empty());
}

TEST_F(FrmUpdataTest, StartTickRunsTheRunOnceAndShowsTheWindowOnlyWhenOpenedFromTheCover)
{
    useServer();
    serveList({}, S().BankVersion);
    for (const int shown : {1, 0}) {
        S().UpdateWindowShown = shown;
        FrmUpdata& w = frmUpdata();
        w.Show();
        Clock::advance(99);
        EXPECT_TRUE(server->targets().filter(QStringLiteral("288895")).isEmpty()) << shown;
        Clock::advance(1);
        EXPECT_EQ(w.Visible(), shown == 1);
        Clock::advance(1000);
        EXPECT_EQ(server->targets().filter(QStringLiteral("288895")).size(), 1) << shown;
        vb::Unload(w);
        Clock::processEvents();
        useServer();
        serveList({}, S().BankVersion);
    }
}

TEST_F(FrmUpdataTest, AnnouncementLandsWholeOrTheOldOneStays)
{
    useServer();
    const QString path = QStringLiteral("/up/ad/ex7/170100.rar");
    const QByteArray announcement = gbkLines({QStringLiteral("新的公告◎第二行"), QStringLiteral("255"), QStringLiteral("http://example.com/")});
    server->route(path, 200, announcement);
    frmUpdata();
    EXPECT_EQ(bytes(QStringLiteral("ksdata/170100.mxy")), announcement);
    vb::Forms::unloadAll();

    // A trickle fails once the grace time has passed, long before its last byte.
    platform::setDownloadMinimumRate(300, 4096);
    using Framing = HttpAnswer::Framing;
    for (const HttpAnswer& failing :
         {HttpAnswer{404, "<html>"}, HttpAnswer{500, "x"}, HttpAnswer{200, announcement, 0, 5}, HttpAnswer{204, {}}, HttpAnswer{206, announcement.left(7)},
          HttpAnswer::framed(Framing::Close, announcement), HttpAnswer::endlessBody(Framing::Chunked), HttpAnswer::trickle(announcement.repeated(20), 20)}) {
        server->route(path, {failing});
        QElapsedTimer took;
        took.start();
        frmUpdata();
        EXPECT_LT(took.elapsed(), 5000);
        EXPECT_EQ(bytes(QStringLiteral("ksdata/170100.mxy")), announcement);
        vb::Forms::unloadAll();
    }
    server.reset();
    frmUpdata();
    EXPECT_EQ(bytes(QStringLiteral("ksdata/170100.mxy")), announcement);
    EXPECT_TRUE(msgBoxes.empty());
    EXPECT_EQ(QDir(file(QStringLiteral("ksdata"))).entryList(QDir::Files).size(), 1) << "no temporary left";
}

TEST_F(FrmUpdataTest, RunsWithoutAUsableListLeaveEverythingAndSaySo)
{
    write(QStringLiteral("ksdata/288895.mxy"), "old list");
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    const auto before = filesOnDisk();
    const QString other = QStringLiteral("201601021531");
    const struct {
        const char* what;
        std::vector<HttpAnswer> list; // empty: no endpoint at all
        bool noList;
        std::int64_t minMs, maxMs;
    } cases[] = {
        {"no address", {}, true, 0, 0},
        {"never answers", {HttpAnswer::stall()}, true, 2000, 3000},
        {"404", {HttpAnswer{404, gbkLines({NewStamp})}}, true, 0, 0},
        {"html", {HttpAnswer{200, "<html>"}}, true, 0, 0},
        {"equal stamp", {HttpAnswer{200, gbkLines({S().BankVersion, QStringLiteral("D209912312359288899")})}}, false, 0, 0},
        {"copy of another stamp", {HttpAnswer{200, gbkLines({NewStamp})}, HttpAnswer{200, gbkLines({other})}}, true, 0, 0},
        {"copy cut", {HttpAnswer{200, gbkLines({NewStamp})}, HttpAnswer{200, gbkLines({NewStamp}), 0, 4}}, true, 0, 0},
        {"endless", {HttpAnswer::endlessBody(HttpAnswer::Framing::Close, gbkLines({NewStamp}))}, true, 0, 3000},
        {"copy endless", {HttpAnswer{200, gbkLines({NewStamp})}, HttpAnswer::endlessBody(HttpAnswer::Framing::Chunked, gbkLines({NewStamp}))}, true, 0, 0},
        {"copy without length", {HttpAnswer{200, gbkLines({NewStamp})}, HttpAnswer::framed(HttpAnswer::Framing::Close, gbkLines({NewStamp}))}, true, 0, 0},
        {"copy partial", {HttpAnswer{200, gbkLines({NewStamp})}, HttpAnswer{206, gbkLines({NewStamp})}}, true, 0, 0},
        // Qt reads a negative length as none and takes the body up to the close.
        {"copy cut under a negative length", {HttpAnswer{200, gbkLines({NewStamp})}, [] {
             const QByteArray list = gbkLines({NewStamp, QStringLiteral("D201601021530one.mxy"), QStringLiteral("D201601021530two.mxy")});
             HttpAnswer a = HttpAnswer::framed(HttpAnswer::Framing::Close, list, list.indexOf("D201601021530two"));
             a.extraHeaders = "Content-Length: -1\r\n";
             return a;
         }()}, true, 0, 0},
    };
    for (const auto& c : cases) {
        qunsetenv("TALVESK_UPDATE_URL");
        if (!c.list.empty()) {
            useServer();
            server->route(listPath(), c.list);
        }
        const auto t0 = Clock::nowMs();
        FrmUpdata& w = openAndRun();
        const auto took = Clock::nowMs() - t0 - 100;
        EXPECT_GE(took, c.minMs) << c.what;
        EXPECT_LE(took, c.maxMs) << c.what;
        EXPECT_TRUE(w.Visible()) << c.what;
        EXPECT_FALSE(asked()) << c.what;
        EXPECT_EQ(filesOnDisk(), before) << c.what;
        if (c.noList) {
            expectNoListTexts(w);
        } else {
            EXPECT_EQ(w.Label1->Caption(), QStringLiteral("最新题库版本是：201501010000")) << c.what;
            EXPECT_EQ(w.Label2->Caption(), QStringLiteral("已是最新版本，无需升级。")) << c.what;
        }
        if (!c.list.empty()) {
            EXPECT_TRUE(fileRequests().filter(QStringLiteral("/up/pelor/")).isEmpty()) << c.what;
        }
        vb::Forms::unloadAll();
        hold.reset();
        server.reset();
    }
    EXPECT_TRUE(msgBoxes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(FrmUpdataTest, RefusedUpdateHidesTheWindowAndTheCommandShowsItAgain)
{
    useServer();
    write(QStringLiteral("ksdata/288895.mxy"), "old list");
    const QByteArray list = gbkLines({NewStamp, QStringLiteral("D209912312359288899")});
    server->route(listPath(), 200, list);
    const auto before = filesOnDisk();

    FrmUpdata& w = openAndRun();
    EXPECT_TRUE(asked());
    EXPECT_EQ(msgBoxes.back().title, QStringLiteral("升级软件"));
    EXPECT_EQ(msgBoxes.back().buttons, vb::vbYesNo + vb::vbQuestion);
    EXPECT_FALSE(w.Visible());
    auto expected = before;
    expected["ksdata/288895.mxy"] = list.toStdString();
    EXPECT_EQ(filesOnDisk(), expected) << "only the list copy changed";
    const int requests = server->requestLines().size();

    // The cover page's update command again: the same window, nothing asked anew.
    S().UpdateWindowShown = 1;
    frmUpdata().Show();
    Clock::advance(1000);
    EXPECT_EQ(&frmUpdata(), &w);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(server->requestLines().size(), requests);

    // Closed with its button, the next command starts afresh.
    tsupport::click(*w.Command1);
    Clock::processEvents();
    EXPECT_FALSE(vb::Forms::isLoaded<FrmUpdata>());
    openAndRun();
    EXPECT_GT(server->requestLines().size(), requests);
    EXPECT_EQ(ends, 0);
}

TEST_F(FrmUpdataTest, AcceptedUpdateFetchesWhatIsOlderAndEndsTheProgram)
{
    // The installation folder given without its trailing separator joins the same way.
    S().AppPath = app.path();
    useServer();
    answer = vb::vbYes;
    write(QStringLiteral("data/same.mxy"), "same", EntryTime);
    write(QStringLiteral("data/older.mxy"), "older", EntryTime.addSecs(-60));
    write(QStringLiteral("data/ABC.MXY"), "abc", EntryTime.addSecs(-3600));
    const QStringList entries = {QStringLiteral("D201601021530same.mxy"), QStringLiteral("D201601021530older.mxy"),
                                 QStringLiteral("D201601021530missing.mxy"), QStringLiteral("D201601021530abc.mxy"),
                                 QStringLiteral("E201601021530新\\sub.mxy")};
    serveList(entries);
    for (const char* name : {"same", "older", "missing", "abc"})
        server->route(QStringLiteral("/up/pelor/Excel/data/%1.rar").arg(QLatin1String(name)), 200, QByteArray("new ") + name);
    server->route(QStringLiteral("/up/pelor/Excel/examdata/%D0%C2/sub.rar"), 200, "new sub");
    const auto before = filesOnDisk();

    openAndRun();
    EXPECT_EQ(server->targets().filter(QStringLiteral("288895")), QStringList{listPath()} + QStringList{listPath()});
    EXPECT_EQ(fileRequests().filter(QStringLiteral("/up/pelor/")),
              (QStringList{QStringLiteral("/up/pelor/Excel/data/older.rar"), QStringLiteral("/up/pelor/Excel/data/missing.rar"),
                           QStringLiteral("/up/pelor/Excel/data/abc.rar"), QStringLiteral("/up/pelor/Excel/examdata/%D0%C2/sub.rar")}));
    ASSERT_FALSE(msgBoxes.empty());
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新4/4文件。请重新打开软件！"));
    EXPECT_EQ(msgBoxes.back().title, S().ApplicationTitle);
    EXPECT_EQ(msgBoxes.back().buttons, vb::vbOKOnly);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(started.isEmpty());

    // Exactly these files changed: the four older ones (the upper-case file replaced, not
    // shadowed; the missing sub-folder made), both copies of the list.
    auto expected = before;
    const std::string list = gbkLines(QStringList{NewStamp} + entries).toStdString();
    expected["data/288895.mxy"] = list;
    expected["ksdata/288895.mxy"] = list;
    expected["data/older.mxy"] = "new older";
    expected["data/missing.mxy"] = "new missing";
    expected["data/ABC.MXY"] = "new abc";
    expected["examdata/新/sub.mxy"] = "new sub";
    EXPECT_EQ(filesOnDisk(), expected);
}

TEST_F(FrmUpdataTest, HalfFailedRunKeepsTheBankVersionAndTheNextRunBringsTheRest)
{
    useServer();
    answer = vb::vbYes;
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    for (const char* name : {"good1", "good2", "gone1", "cut1", "stall1"})
        write(QStringLiteral("data/%1.mxy").arg(QLatin1String(name)), QByteArray("old ") + name, EntryTime.addDays(-1));
    const QStringList entries = {QStringLiteral("D201601021530good1.mxy"), QStringLiteral("D201601021530gone1.mxy"),
                                 QStringLiteral("D201601021530cut1.mxy"),  QStringLiteral("D201601021530stall1.mxy"),
                                 QStringLiteral("D201601021530good2.mxy")};
    serveList(entries);
    const QString base = QStringLiteral("/up/pelor/Excel/data/");
    server->route(base + QStringLiteral("good1.rar"), 200, "new good1");
    server->route(base + QStringLiteral("good2.rar"), 200, "new good2");
    server->route(base + QStringLiteral("gone1.rar"), {HttpAnswer{404, "<html>"}, HttpAnswer{200, "new gone1"}});
    server->route(base + QStringLiteral("cut1.rar"), {HttpAnswer{200, QByteArray(3000, 'c'), 0, 100}, HttpAnswer{200, "new cut1"}});
    server->route(base + QStringLiteral("stall1.rar"), {HttpAnswer::stall(), HttpAnswer{200, "new stall1"}});

    openAndRun();
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新2/5文件。请重新打开软件！"));
    EXPECT_EQ(bytes(QStringLiteral("data/good1.mxy")), "new good1");
    EXPECT_EQ(bytes(QStringLiteral("data/good2.mxy")), "new good2");
    for (const char* name : {"gone1", "cut1", "stall1"})
        EXPECT_EQ(bytes(QStringLiteral("data/%1.mxy").arg(QLatin1String(name))), QByteArray("old ") + name);
    EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), "201501010000\r\n");
    EXPECT_TRUE(reports().empty());
    QStringList data = QDir(file(QStringLiteral("data"))).entryList(QDir::Files);
    EXPECT_EQ(data.filter(QStringLiteral("mxy.")).size(), 0) << "no temporary remains: " << data.join(u' ').toStdString();
    EXPECT_EQ(ends, 1);

    // Mended server: the next run brings the three that are missing, and then the version.
    vb::Forms::unloadAll();
    msgBoxes.clear();
    openAndRun();
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新3/3文件。请重新打开软件！"));
    for (const char* name : {"gone1", "cut1", "stall1"})
        EXPECT_EQ(bytes(QStringLiteral("data/%1.mxy").arg(QLatin1String(name))), QByteArray("new ") + name);
    EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), gbkLines(QStringList{NewStamp} + entries));
}

TEST_F(FrmUpdataTest, HostileAnswersAndPlacesNeverReplaceAFileNorMoveTheVersion)
{
    useServer();
    answer = vb::vbYes;
    qputenv("TALVESK_UPDATE_FILE_MAX_BYTES", "262144");
    platform::setDownloadMinimumRate(300, 4096);
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    write(QStringLiteral("ksdata/288895.mxy"), "old list");
    using Framing = HttpAnswer::Framing;
    QByteArray pe(0x200, '\0');
    pe.replace(0, 2, "MZ");
    pe[0x3C] = char(0x80);
    pe.replace(0x80, 4, QByteArray("PE\0\0", 4));
    // Transfers that fail and bodies that are programs: each tried and not done.
    const std::vector<std::pair<QString, HttpAnswer>> failing = {
        {QStringLiteral("close"), HttpAnswer::framed(Framing::Close, "a whole body, but who can tell")},
        {QStringLiteral("closecut"), HttpAnswer::framed(Framing::Close, QByteArray(4000, 'c'), 1000)},
        {QStringLiteral("chunkcut"), HttpAnswer::framed(Framing::Chunked, QByteArray(4000, 'c'), 1000)},
        {QStringLiteral("nocontent"), HttpAnswer{204, {}}},
        {QStringLiteral("partial"), HttpAnswer{206, "partial"}},
        {QStringLiteral("endless"), HttpAnswer::endlessBody(Framing::Close)},
        {QStringLiteral("endlesschunks"), HttpAnswer::endlessBody(Framing::Chunked)},
        {QStringLiteral("toolong"), HttpAnswer{200, QByteArray(262145, 'l')}},
        {QStringLiteral("trickle"), HttpAnswer::trickle(QByteArray(2000, 't'), 20)},
    };
    const std::vector<std::pair<QString, QByteArray>> programs = {
        {QStringLiteral("elf"), QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10)},
        {QStringLiteral("pe"), pe},
        {QStringLiteral("script"), "#!/bin/sh\nrm -rf ~\n"},
    };
    QStringList entries;
    for (const auto& [name, a] : failing) {
        write(QStringLiteral("data/%1.mxy").arg(name), "old " + name.toUtf8(), EntryTime.addDays(-1));
        entries << QStringLiteral("D201601021530%1.mxy").arg(name);
        server->route(QStringLiteral("/up/pelor/Excel/data/%1.rar").arg(name), {a});
    }
    for (const auto& [name, body] : programs) {
        write(QStringLiteral("data/%1.mxy").arg(name), "old " + name.toUtf8(), EntryTime.addDays(-1));
        entries << QStringLiteral("D201601021530%1.mxy").arg(name);
        server->route(QStringLiteral("/up/pelor/Excel/data/%1.rar").arg(name), 200, body);
    }
    // Places the run never writes: another folder of the installation (where the toolkit looks
    // for plugins), its configuration, the run's own bookkeeping, a place outside. Due (and so
    // tried and not done) unless the file there is as new: the bookkeeping was written today.
    QDir(app.path()).mkpath(QStringLiteral("../sentinel"));
    const QString sentinel = QDir(app.path() + QStringLiteral("/../sentinel")).absolutePath();
    const QStringList refusedPlaces = {QStringLiteral("M201601021530imageformats\\libqevil.so.1"),
                                       QStringLiteral("M201601021530imageformats\\evilplug.mxy"),
                                       QStringLiteral("M201601021530qt.conf"),
                                       QStringLiteral("D201601021530288895"),
                                       QStringLiteral("D201601021530288895.MXY"),
                                       QStringLiteral("M201601021530data\\288895.mxy"),
                                       QStringLiteral("K201601021530288895"),
                                       QStringLiteral("M201601021530uprun.dll"),
                                       QStringLiteral("D201601021530..\\..\\sentinel\\x.mxy")};
    const int refusedDue = 5;
    entries << refusedPlaces << QStringLiteral("D201601021530good.mxy");
    server->route(QStringLiteral("/up/pelor/Excel/data/good.rar"), 200, "new good");
    serveList(entries);
    server->route(QStringLiteral("/up/pelor/Excel/imageformats/evilplug.rar"), 200, QByteArray("\x7F" "ELF", 4));

    QElapsedTimer took;
    took.start();
    openAndRun();
    EXPECT_LT(took.elapsed(), 15000);
    ASSERT_FALSE(msgBoxes.empty());
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新1/%1文件。请重新打开软件！").arg(failing.size() + programs.size() + refusedDue + 1));
    EXPECT_EQ(bytes(QStringLiteral("data/good.mxy")), "new good");
    for (const auto& [name, a] : failing)
        EXPECT_EQ(bytes(QStringLiteral("data/%1.mxy").arg(name)), "old " + name.toUtf8()) << name.toStdString();
    for (const auto& [name, body] : programs)
        EXPECT_EQ(bytes(QStringLiteral("data/%1.mxy").arg(name)), "old " + name.toUtf8()) << name.toStdString();
    EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), "201501010000\r\n") << "the version stays where it was";
    EXPECT_EQ(bytes(QStringLiteral("ksdata/288895.mxy")), gbkLines(QStringList{NewStamp} + entries));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("imageformats"))));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("qt.conf"))));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("uprun.dll"))));
    EXPECT_TRUE(fileRequests().filter(QStringLiteral("imageformats")).isEmpty());
    EXPECT_TRUE(fileRequests().filter(QStringLiteral("288895")).isEmpty());
    EXPECT_TRUE(QDir(sentinel).isEmpty());
    EXPECT_TRUE(fileRequests().filter(QStringLiteral("sentinel")).isEmpty());
    QDir(sentinel).removeRecursively();
    const QStringList data = QDir(file(QStringLiteral("data"))).entryList(QDir::Files);
    EXPECT_EQ(data.filter(QStringLiteral("mxy.")).size(), 0) << "no temporary remains: " << data.join(u' ').toStdString();
    // Every refusal is reported: the first few of a reason by name, the rest in one line.
    const auto logged = reports();
    ASSERT_EQ(logged.size(), std::size_t(update::FailureTally::ToldOneByOne + 1 + programs.size()));
    for (const auto& r : logged)
        EXPECT_EQ(r.number, 75) << r.tagAndText.toStdString();
    EXPECT_TRUE(logged[0].tagAndText.contains(QStringLiteral("elf.mxy"))) << logged[0].tagAndText.toStdString();
    EXPECT_TRUE(logged[3].tagAndText.contains(QStringLiteral("imageformats\\libqevil.so.1"))) << logged[3].tagAndText.toStdString();
    EXPECT_TRUE(logged.back().tagAndText.contains(QStringLiteral("4 more")) && logged.back().tagAndText.contains(QStringLiteral("data\\288895.mxy")) &&
                logged.back().tagAndText.contains(QStringLiteral("sentinel\\x.mxy")))
        << logged.back().tagAndText.toStdString();
    EXPECT_EQ(ends, 1);
}

TEST_F(FrmUpdataTest, NewExecutableIsHandedToTheUpdaterOnlyWhenItsCopyCameOverHttps)
{
    answer = vb::vbYes;
    qputenv("TALVESK_UPDATE_URL", "https://up.example");
    QString entryStamp;
    QStringList requested;
    platform::setFakeNetwork([&](const QUrl& url) {
        requested << url.toString();
        if (url.path().endsWith(u"288895.txt"))
            return platform::FakeAnswer{200, gbkLines({NewStamp, QStringLiteral("M") + entryStamp + QStringLiteral("talvesk.exe")})};
        return platform::FakeAnswer{200, "new program"};
    });
    write(QStringLiteral("talvesk.exe"), "program", EntryTime);
    const struct {
        const char* what;
        const char* endpoint;
        QString stamp;
        bool handedOver;
    } cases[] = {
        {"newer over https", "https://up.example", QStringLiteral("201601021531"), true},
        {"not newer", "https://up.example", QStringLiteral("201601021530"), false},
        {"over http", "http://up.example", QStringLiteral("201601021531"), false},
    };
    for (const auto& c : cases) {
        qputenv("TALVESK_UPDATE_URL", c.endpoint);
        entryStamp = c.stamp;
        QFile::remove(file(QStringLiteral("uprun.dll")));
        QFile::remove(file(QStringLiteral("talvesk.exe_bak")));
        started.clear();
        msgBoxes.clear();
        requested.clear();
        FrmUpdata& w = frmUpdata();
        w.AppExeName = QStringLiteral("talvesk.exe");
        w.Show();
        Clock::advance(100);
        ASSERT_FALSE(msgBoxes.empty()) << c.what;
        EXPECT_TRUE(msgBoxes.back().prompt.startsWith(QStringLiteral("已更新"))) << c.what;
        EXPECT_EQ(bytes(QStringLiteral("talvesk.exe")), "program") << c.what;
        if (c.handedOver) {
            EXPECT_EQ(bytes(QStringLiteral("uprun.dll")), gbk(S().AppPath + QStringLiteral("/talvesk.exe_bak\r\n"))) << c.what;
            EXPECT_EQ(bytes(QStringLiteral("talvesk.exe_bak")), "new program");
            EXPECT_EQ(started, QStringList{file(QStringLiteral("qvitpk.rar"))}) << c.what;
        } else {
            EXPECT_FALSE(QFile::exists(file(QStringLiteral("uprun.dll")))) << c.what;
            EXPECT_FALSE(QFile::exists(file(QStringLiteral("talvesk.exe_bak")))) << c.what;
            EXPECT_TRUE(started.isEmpty()) << c.what;
        }
        EXPECT_TRUE(requested.filter(QStringLiteral("talvesk")).isEmpty() || c.handedOver) << c.what;
        vb::Forms::unloadAll();
    }
}

TEST_F(FrmUpdataTest, MissingExternalUpdaterIsReported)
{
    answer = vb::vbYes;
    qputenv("TALVESK_UPDATE_URL", "https://up.example");
    platform::setFakeNetwork([](const QUrl& url) {
        if (url.path().endsWith(u"288895.txt"))
            return platform::FakeAnswer{200, gbkLines({NewStamp, QStringLiteral("M209912312359talvesk.exe")})};
        return platform::FakeAnswer{200, "new program"};
    });
    platform::setProgramStarter({});
    FrmUpdata& w = frmUpdata();
    w.AppExeName = QStringLiteral("talvesk.exe");
    w.Show();
    Clock::advance(100);
    const auto logged = reports();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(logged[0].tagAndText.startsWith(QStringLiteral("tkupFile not found"))) << logged[0].tagAndText.toStdString();
    EXPECT_EQ(ends, 1);
}

TEST_F(FrmUpdataTest, ClosingTheWindowWhileTheListIsOnItsWayEndsTheRun)
{
    useServer();
    server->route(listPath(), {HttpAnswer::stall()});
    const auto before = filesOnDisk();
    // The close button, then a close from the window system, while the run waits for the list.
    for (const bool button : {true, false}) {
        SCOPED_TRACE(button);
        FrmUpdata& w = frmUpdata();
        w.Show();
        platform::Timer closer(nullptr, 150);
        closer.onTimer = [&] {
            closer.setEnabled(false);
            if (button)
                tsupport::click(*w.Command1);
            else
                w.close();
        };
        closer.setEnabled(true);
        Clock::advance(100);
        EXPECT_FALSE(vb::Forms::isLoaded<FrmUpdata>());
        Clock::advance(5000);
        EXPECT_FALSE(asked());
        EXPECT_EQ(filesOnDisk(), before);
        EXPECT_EQ(ends, 0);
        EXPECT_TRUE(testsupport::waitForIo([&] { return server->heldRequests() == 0; })) << "the request was dropped";
    }
    EXPECT_EQ(server->targets().filter(QStringLiteral("288895")).size(), 2);
}

// The list is fetched once more for the copy the run works from: a close from the window system
// during that transfer ends the run as well, before its question and before the copy is kept.
TEST_F(FrmUpdataTest, ClosingTheWindowWhileTheListsCopyIsOnItsWayEndsTheRun)
{
    useServer();
    serveList({QStringLiteral("D209912312359288899")});
    const auto before = filesOnDisk();
    FrmUpdata& w = frmUpdata();
    int listRequests = 0;
    server->onRequest([&](const QString& target) {
        if (target == listPath() && ++listRequests == 2)
            w.close();
    });
    w.Show();
    Clock::advance(100);
    EXPECT_EQ(listRequests, 2);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmUpdata>());
    EXPECT_FALSE(asked());
    EXPECT_EQ(filesOnDisk(), before);
    EXPECT_EQ(ends, 0);
}

// A record folder removed from outside is made again for the list's copy; one that cannot be
// made is said as what it is, not blamed on the network.
TEST_F(FrmUpdataTest, AMissingRecordFolderIsMadeForTheListCopy)
{
    useServer();
    const QByteArray list = gbkLines({NewStamp, QStringLiteral("D209912312359288899")});
    server->route(listPath(), 200, list);
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("ksdata"))).removeRecursively());
    openAndRun();
    EXPECT_TRUE(asked());
    EXPECT_EQ(bytes(QStringLiteral("ksdata/288895.mxy")), list);

    vb::Forms::unloadAll();
    msgBoxes.clear();
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("ksdata"))).removeRecursively());
    write(QStringLiteral("ksdata"), "a file where the folder should be");
    FrmUpdata& w = openAndRun();
    EXPECT_FALSE(asked());
    EXPECT_EQ(w.Label2->Caption(), QStringLiteral("记录文件夹无法写入，不能升级。"));
}

// A whole run is bounded as each transfer is: past its share of files or of time it stops,
// says what it did and keeps the bank version; the next run fetches the rest.
TEST_F(FrmUpdataTest, ARunPastItsShareOfFilesOrTimeStopsAndKeepsTheVersion)
{
    answer = vb::vbYes;
    qputenv("TALVESK_UPDATE_URL", "https://up.example");
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    QStringList entries;
    for (int i = 1; i <= 5; ++i)
        entries << QStringLiteral("D201601021530f%1.mxy").arg(i);
    const QByteArray list = gbkLines(QStringList{NewStamp} + entries);
    // Each file takes `perFile` ms of the clock to arrive.
    std::int64_t perFile = 0;
    QStringList fetched;
    platform::setFakeNetwork([&](const QUrl& url) {
        if (url.path().endsWith(u"288895.txt"))
            return platform::FakeAnswer{200, list};
        if (url.path().startsWith(u"/up/pelor/")) {
            fetched << url.fileName();
            Clock::advance(perFile);
        }
        return platform::FakeAnswer{200, "new " + url.fileName().toUtf8()};
    });
    const struct {
        const char* what;
        const char* maxFiles;
        const char* maxMs;
        std::int64_t perFile;
        int fetched;
    } cases[] = {
        {"files", "3", nullptr, 0, 3},
        // At 0, 300, 600 and 900 ms of 1000 a file is begun; at 1200 no more.
        {"time", nullptr, "1000", 300, 4},
    };
    for (const auto& c : cases) {
        for (int i = 1; i <= 5; ++i)
            QFile::remove(file(QStringLiteral("data/f%1.mxy").arg(i)));
        c.maxFiles ? qputenv("TALVESK_UPDATE_RUN_MAX_FILES", c.maxFiles) : qunsetenv("TALVESK_UPDATE_RUN_MAX_FILES");
        c.maxMs ? qputenv("TALVESK_UPDATE_RUN_MAX_MS", c.maxMs) : qunsetenv("TALVESK_UPDATE_RUN_MAX_MS");
        perFile = c.perFile;
        fetched.clear();
        msgBoxes.clear();
        openAndRun();
        ASSERT_FALSE(msgBoxes.empty()) << c.what;
        // m is the number of files due, not of those the run reached.
        EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新%1/5文件。请重新打开软件！").arg(c.fetched)) << c.what;
        EXPECT_EQ(fetched.size(), c.fetched) << c.what;
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(QFile::exists(file(QStringLiteral("data/f%1.mxy").arg(i))), i <= c.fetched) << c.what << i;
        EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), "201501010000\r\n") << c.what;
        vb::Forms::unloadAll();
    }
    // Without a bound in its way the next run fetches what is missing and moves the version.
    qunsetenv("TALVESK_UPDATE_RUN_MAX_FILES");
    qunsetenv("TALVESK_UPDATE_RUN_MAX_MS");
    fetched.clear();
    openAndRun();
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新1/1文件。请重新打开软件！"));
    EXPECT_EQ(fetched, QStringList{QStringLiteral("f5.rar")});
    EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), list);
    EXPECT_EQ(ends, 3);
}

// A file of the installation that is a link is replaced by the file fetched; what it pointed to
// stays as it was.
TEST_F(FrmUpdataTest, AFileThatIsALinkIsReplacedNotWrittenThrough)
{
    useServer();
    answer = vb::vbYes;
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    const QString target = outside.filePath(QStringLiteral("target.mxy"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("outside");
        f.flush();
        ASSERT_TRUE(f.setFileTime(EntryTime.addDays(-1), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(QFile::link(target, file(QStringLiteral("data/linked.mxy"))));
    serveList({QStringLiteral("D201601021530linked.mxy")});
    server->route(QStringLiteral("/up/pelor/Excel/data/linked.rar"), 200, "new linked");

    openAndRun();
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新1/1文件。请重新打开软件！"));
    EXPECT_FALSE(QFileInfo(file(QStringLiteral("data/linked.mxy"))).isSymLink());
    EXPECT_EQ(bytes(QStringLiteral("data/linked.mxy")), "new linked");
    EXPECT_EQ(startuptest::fileBytes(target), "outside");
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target.mxy")});
    const QStringList data = QDir(file(QStringLiteral("data"))).entryList(QDir::Files);
    EXPECT_EQ(data.filter(QStringLiteral("mxy.")).size(), 0) << "no temporary remains: " << data.join(u' ').toStdString();
}

// A ver.txt fetched over http that names the installation folder itself as the data folder
// opens nothing at the next start: the load refuses the name, and no entry then lands among
// the toolkit's plugins or its configuration.
TEST_F(FrmUpdataTest, AVerTxtFetchedOverHttpCannotOpenTheInstallation)
{
    useServer();
    answer = vb::vbYes;
    const QStringList ver = {startuptest::sixDigit(QStringLiteral("Excel")), startuptest::sixDigit(QStringLiteral("电子表格")),
                             startuptest::sixDigit(QStringLiteral(".")), startuptest::sixDigit(QStringLiteral("7"))};
    serveList({QStringLiteral("M201601021530ver.txt")});
    server->route(QStringLiteral("/up/pelor/Excel/ver.rar"), 200, gbkLines(ver));
    openAndRun();
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新1/1文件。请重新打开软件！"));
    EXPECT_EQ(bytes(QStringLiteral("ver.txt")), gbkLines(ver));

    // The next start.
    vb::Forms::unloadAll();
    readInfo();
    EXPECT_FALSE(S().DataDir.startsWith(app.path()));
    const QStringList hostile = {QStringLiteral("D201601021530platforms\\libqevil.mxy"), QStringLiteral("D201601021530styles\\x.mxy"),
                                 QStringLiteral("D201601021530imageformats\\x.mxy"),     QStringLiteral("D201601021530qt.conf"),
                                 QStringLiteral("D201601021530ksdata\\288895")};
    const update::RunPlace place{S().AppPath, update::dataFolderName(S().AppPath, S().DataDir), server->baseUrl(), S().ModuleName,
                                 QStringLiteral("talvesk.exe"), false};
    for (const auto& plan : update::planRun(hostile, place))
        EXPECT_EQ(plan.kind, update::EntryPlan::Refused) << plan.name.toStdString();
}

// Every entry due and not fetched counts as tried and not done, whatever kept it: a place the
// run does not write, a body that is a program over http. The version stays, so the update is
// offered again; the log names each, and past the first few of a reason counts the rest.
TEST_F(FrmUpdataTest, RefusedEntriesAreCountedAndKeepTheVersion)
{
    useServer();
    answer = vb::vbYes;
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    server->route(QStringLiteral("/up/pelor/Excel/data/good.rar"), 200, "new good");
    server->route(QStringLiteral("/up/pelor/Excel/data/elf.rar"), 200, QByteArray("\x7F" "ELF\x02\x01\x01\0", 8));
    QStringList manyPlaces;
    for (int i = 1; i <= 30; ++i)
        manyPlaces << QStringLiteral("M201601021530platforms\\libq%1.mxy").arg(i);
    const struct {
        const char* what;
        QStringList refused;
        std::size_t logLines;
        const char* named;
    } cases[] = {
        {"content", {QStringLiteral("D201601021530elf.mxy")}, 1, "elf.mxy"},
        {"place", {QStringLiteral("M201601021530platforms\\libqxcb.mxy")}, 1, "platforms\\libqxcb.mxy"},
        {"many places", manyPlaces, update::FailureTally::ToldOneByOne + 1, "platforms\\libq30.mxy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(file(QStringLiteral("data/good.mxy")));
        QFile::remove(logPath());
        msgBoxes.clear();
        serveList(c.refused + QStringList{QStringLiteral("D201601021530good.mxy")});
        openAndRun();
        ASSERT_FALSE(msgBoxes.empty());
        EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新1/%1文件。请重新打开软件！").arg(c.refused.size() + 1));
        EXPECT_EQ(bytes(QStringLiteral("data/good.mxy")), "new good");
        EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), "201501010000\r\n");
        EXPECT_FALSE(QFile::exists(file(QStringLiteral("platforms"))));
        const auto logged = reports();
        ASSERT_EQ(logged.size(), c.logLines);
        EXPECT_TRUE(logged.back().tagAndText.contains(QLatin1String(c.named))) << logged.back().tagAndText.toStdString();
        vb::Forms::unloadAll();
    }
}

// A version or a hand-over file that cannot be saved is told: the update is incomplete and is
// offered again (the version stays), and the log names the file.
TEST_F(FrmUpdataTest, AVersionOrHandOverThatCannotBeSavedIsTold)
{
    answer = vb::vbYes;
    qputenv("TALVESK_UPDATE_URL", "https://up.example");
    write(QStringLiteral("data/288895.mxy"), "201501010000\r\n");
    QStringList entries;
    platform::setFakeNetwork([&](const QUrl& url) {
        if (url.path().endsWith(u"288895.txt"))
            return platform::FakeAnswer{200, gbkLines(QStringList{NewStamp} + entries)};
        return platform::FakeAnswer{200, "new " + url.fileName().toUtf8()};
    });
    const struct {
        const char* what;
        QString entry;
        QString failing;
        QString told;
    } cases[] = {
        {"version", QStringLiteral("D209912312359288899"), QStringLiteral("data/288895.mxy"),
         QStringLiteral("已更新1/1文件，但题库版本未能保存，请稍后重试。")},
        {"hand-over", QStringLiteral("M209912312359talvesk.exe"), QStringLiteral("uprun.dll"),
         QStringLiteral("已更新1/1文件，但新程序未能交给升级程序，请稍后重试。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        entries = {c.entry};
        msgBoxes.clear();
        started.clear();
        QFile::remove(logPath());
        platform::setSaveCommitHook([&](const QString& path) { return !path.endsWith(u'/' + c.failing); });
        FrmUpdata& w = frmUpdata();
        w.AppExeName = QStringLiteral("talvesk.exe");
        w.Show();
        Clock::advance(100);
        platform::setSaveCommitHook({});
        ASSERT_FALSE(msgBoxes.empty());
        EXPECT_EQ(msgBoxes.back().prompt, c.told);
        EXPECT_EQ(bytes(QStringLiteral("data/288895.mxy")), "201501010000\r\n");
        EXPECT_TRUE(started.isEmpty()) << "no updater without its hand-over";
        const auto logged = reports();
        ASSERT_EQ(logged.size(), 1u);
        EXPECT_TRUE(logged[0].tagAndText.startsWith(QStringLiteral("tkupPath/File access error: "))) << logged[0].tagAndText.toStdString();
        EXPECT_TRUE(logged[0].tagAndText.endsWith(file(c.failing))) << logged[0].tagAndText.toStdString();
        vb::Forms::unloadAll();
    }
}

// While a file is on its way the window is drawn and says which file of how many it fetches;
// a click or a close from the window system does not end it, and the run goes on to its end.
TEST_F(FrmUpdataTest, TheWindowIsDrawnAndSaysWhatItFetchesWhileATransferWaits)
{
    useServer();
    answer = vb::vbYes;
    // The answer is held until the window has been drawn: only the test ends the wait.
    platform::setDownloadIdleTimeoutMs(20000);
    const QString held = QStringLiteral("/up/pelor/Excel/data/288899.rar");
    serveList({QStringLiteral("D201601021530288898"), QStringLiteral("D201601021530288899")});
    server->route(QStringLiteral("/up/pelor/Excel/data/288898.rar"), 200, "new 288898");
    server->route(held, {HttpAnswer::heldUntilReleased(200, "new 288899")});
    FrmUpdata& w = frmUpdata();
    struct Watch : QObject {
        testsupport::LoopbackHttpServer* server = nullptr;
        int paintsWhileHeld = 0;
        int presses = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && server->heldRequests() > 0) {
                ++paintsWhileHeld;
                server->releaseHeld();
            }
            if (e->type() == QEvent::MouseButtonPress)
                ++presses;
            return false;
        }
    } watch;
    watch.server = server.get();
    w.installEventFilter(&watch);
    w.Command1->widget()->installEventFilter(&watch);
    QString said;
    bool shown = false;
    server->onRequest([&](const QString& target) {
        if (target != held)
            return;
        said = w.Label2->Caption();
        shown = w.isVisible();
        tsupport::click(*w.Command1);
        w.close();
        w.update();
    });
    w.Show();
    Clock::advance(100);

    EXPECT_TRUE(shown);
    EXPECT_EQ(said, QStringLiteral("正在下载第2/2个文件：\n288899"));
    EXPECT_GE(watch.paintsWhileHeld, 1);
    EXPECT_EQ(watch.presses, 0);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmUpdata>());
    ASSERT_FALSE(msgBoxes.empty());
    EXPECT_EQ(msgBoxes.back().prompt, QStringLiteral("已更新2/2文件。请重新打开软件！"));
    EXPECT_EQ(bytes(QStringLiteral("data/288899.mxy")), "new 288899");
    EXPECT_EQ(ends, 1);
}
