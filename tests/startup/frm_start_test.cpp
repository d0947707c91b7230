// The splash window: a second instance refused before anything is read or written, the splash's
// size and status line on screens of 96 and 120 dpi, its reports of missing faces, and the one
// hand-over to the cover page on the first timer tick.

#include "startup_fixture.h"
#include "support/events.h"

#include "cover/frm_fengmian.h"
#include "platform/instance_lock.h"
#include "startup/error_report.h"
#include "startup/frm_start.h"

#include <QDirIterator>
#include <QPainter>

using namespace vb;
using platform::Clock;
using startuptest::sixDigit;
using startuptest::writeLines;

namespace {

struct MsgBoxCall {
    QString prompt;
    int buttons = -1;
    QString title;
};

class FrmStartTest : public startuptest::InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        tsupport::standardScreen();
        S().RunLogPath.clear(); // the start forms it
        setMsgBoxResponder([this](const QString& prompt, int buttons, const QString& title) {
            msgBoxes.push_back({prompt, buttons, title});
            return vbOK;
        });
        writeConfig(QStringLiteral("Excel 2003"));
        writeLines(appFile(QStringLiteral("excel/288892.mxy")), {QStringLiteral("1")});
        writeFace(QStringLiteral("l20059"), {400, 200});
        writeFace(QStringLiteral("l62011"), {16, 16});
    }
    void TearDown() override
    {
        Forms::unloadAll();
        setMsgBoxResponder({});
        setTwipsPerPixelOverride(0, 0);
        setScreenSizeOverride(0, 0);
        InstallationTest::TearDown();
    }

    // "ver.txt": module Excel, the given display name, data folder "excel", module 7.
    void writeConfig(const QString& moduleTitle)
    {
        writeLines(appFile(QStringLiteral("ver.txt")),
                   {sixDigit(QStringLiteral("Excel")), sixDigit(moduleTitle), sixDigit(QStringLiteral("excel")), sixDigit(QStringLiteral("7"))});
    }
    void writeFace(const QString& name, QSize size)
    {
        QDir().mkpath(appFile(QStringLiteral("excel")));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        ASSERT_TRUE(image.save(appFile(QStringLiteral("excel/%1.mxy").arg(name)), "PNG"));
    }
    // Every file of the installation and of the value store, with its contents.
    std::map<QString, QByteArray> filesOnDisk() const
    {
        std::map<QString, QByteArray> files;
        for (const QString& root : {app.path(), storeDir.path()}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                files[path] = startuptest::fileBytes(path);
            }
        }
        return files;
    }
    // The splash's status line is centred on the splash, to the pixel.
    void expectStatusCentred(const FrmStart& splash) const
    {
        const QRect label = splash.Label1->widget()->geometry();
        EXPECT_LE(std::abs(label.left() + label.width() / 2.0 - splash.width() / 2.0), 1.0)
            << label.left() << " + " << label.width() << " in " << splash.width();
    }

    std::vector<MsgBoxCall> msgBoxes;
};

TEST_F(FrmStartTest, SplashAt96DpiIs400By200WithItsStatusLineCentred)
{
    FrmStart& splash = frmStart();
    splash.Show();
    EXPECT_DOUBLE_EQ(S().ScaleX, 1.0);
    EXPECT_DOUBLE_EQ(S().ScaleY, 1.0);
    EXPECT_EQ(splash.size(), QSize(400, 200));
    EXPECT_EQ(splash.Width(), 6000);
    EXPECT_EQ(splash.Height(), 3000);
    EXPECT_EQ(splash.BorderStyle(), 0);
    EXPECT_EQ(splash.pos(), QPoint(312, 284)) << "centred on a 1024 x 768 screen";
    EXPECT_TRUE(splash.hasPicture());
    EXPECT_FALSE(splash.windowIcon().isNull());
    EXPECT_EQ(splash.Caption(), QStringLiteral("vidavozedudevavuzivuv"));

    EXPECT_EQ(splash.Label1->Caption(), QStringLiteral("正在启动Excel 2003，请稍候..."));
    EXPECT_EQ(splash.Label1->Top(), 2160);
    EXPECT_EQ(splash.Label1->widget()->y(), 144);
    EXPECT_DOUBLE_EQ(splash.Label1->FontSize(), 11);
    EXPECT_EQ(splash.Label1->ForeColor(), QColor(255, 255, 255));
    expectStatusCentred(splash);

    EXPECT_EQ(S().ModuleTitle, QStringLiteral("Excel 2003"));
    EXPECT_EQ(S().CandidateName, QStringLiteral("Corvel1"));
    EXPECT_EQ(S().SetIndex, 0);
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_FALSE(S().OsVersion.isEmpty());
    EXPECT_TRUE(splash.StartPending);
    EXPECT_TRUE(splash.Timer1->Enabled());
    EXPECT_TRUE(S().RunLogPath.isEmpty()) << "the log path is formed by the first tick";
    EXPECT_TRUE(msgBoxes.empty());
}

TEST_F(FrmStartTest, At120DpiTheSplashKeepsItsPixelSize)
{
    setTwipsPerPixelOverride(12, 12);
    FrmStart& splash = frmStart();
    splash.Show();
    EXPECT_DOUBLE_EQ(S().ScaleX, 0.8);
    EXPECT_DOUBLE_EQ(S().ScaleY, 0.8);
    EXPECT_EQ(splash.Width(), 4800);
    EXPECT_EQ(splash.size(), QSize(400, 200));
    EXPECT_DOUBLE_EQ(splash.Label1->FontSize(), 8.8);
    EXPECT_EQ(splash.Label1->Top(), 1728);
    EXPECT_EQ(splash.Label1->widget()->y(), 144);
    expectStatusCentred(splash);
}

TEST_F(FrmStartTest, StatusLineStaysCentredWhateverTheModuleTitle)
{
    for (const QString& title : {QString(), QStringLiteral("E"), QStringLiteral("中文电子表格 Excel 2003 模块的一个很长很长的名字")}) {
        writeConfig(title);
        FrmStart& splash = frmStart();
        splash.Show();
        EXPECT_EQ(splash.Label1->Caption(), QStringLiteral("正在启动") + title + QStringLiteral("，请稍候...")) << title.toStdString();
        expectStatusCentred(splash);
        Forms::unloadAll();
    }
}

TEST_F(FrmStartTest, FirstTickShowsTheCoverPageOnceFixesTheLogAndUnloadsTheSplash)
{
    frmStart().Show();
    // A close from the window system does not take the hand-over with the splash.
    frmStart().close();
    Clock::advance(99);
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(Forms::isLoaded<FrmStart>());

    Clock::advance(1);
    ASSERT_TRUE(Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().isVisible());
    EXPECT_EQ(frmFengmian().Caption(), QStringLiteral("vidavozedudevavuzivuv"));
    EXPECT_FALSE(Forms::isLoaded<FrmStart>());
    const QString prefix = app.path() + QStringLiteral("/ksdata/");
    ASSERT_TRUE(S().RunLogPath.startsWith(prefix)) << S().RunLogPath.toStdString();
    const QString name = S().RunLogPath.mid(prefix.size());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{14}\\.txt$")).match(name).hasMatch()) << name.toStdString();
    EXPECT_TRUE(QDateTime::fromString(name.left(14), QStringLiteral("yyyyMMddHHmmss")).isValid());

    // No second hand-over: with the cover page gone, later ticks bring nothing back.
    const QString log = S().RunLogPath;
    Unload(frmFengmian());
    Clock::advance(1000);
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    EXPECT_EQ(S().RunLogPath, log);
}

TEST_F(FrmStartTest, MissingOrBrokenFacesAreReportedAndTheStartGoesOn)
{
    const struct {
        QByteArray contents; // empty: no file
        int number;
    } cases[] = {{QByteArray(), 53}, {QByteArray("not a picture"), 481}};
    for (const auto& c : cases) {
        QFile::remove(appFile(QStringLiteral("excel/l20059.mxy")));
        if (!c.contents.isEmpty()) {
            QFile f(appFile(QStringLiteral("excel/l20059.mxy")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.contents);
        }
        S().ErrProc.clear();
        S().ErrNumber = 0;
        FrmStart& splash = frmStart();
        EXPECT_EQ(S().ErrProc, QStringLiteral("startload")) << c.number;
        EXPECT_EQ(S().ErrNumber, c.number);
        EXPECT_FALSE(splash.hasPicture());
        EXPECT_FALSE(splash.windowIcon().isNull()) << "the steps after the failing one still ran";
        EXPECT_TRUE(splash.Timer1->Enabled());
        Forms::unloadAll();
    }
}

// The version is taken after the icon and the caption: a report of a missing icon carries none.
TEST_F(FrmStartTest, AMissingIconIsReportedBeforeTheVersionIsKnown)
{
    ASSERT_TRUE(QFile::remove(appFile(QStringLiteral("excel/l62011.mxy"))));
    S().RunLogPath = logPath();
    frmStart();
    const QStringList lines = platform::fromGbk(startuptest::fileBytes(logPath())).split(QStringLiteral("\r\n"));
    const qsizetype at = lines.indexOf(QStringLiteral("软件运行提示:startload") + runerr::text(53));
    ASSERT_GE(at, 0) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines.value(at + 1).startsWith(QStringLiteral("系统版本:,"))) << lines.value(at + 1).toStdString();
    EXPECT_FALSE(S().OsVersion.isEmpty());
}

TEST_F(FrmStartTest, SecondInstanceIsToldAndEndsHavingReadAndWrittenNothing)
{
    writeLines(appFile(QStringLiteral("excel/288892.mxy")), {QStringLiteral("0")}); // a first run
    // Another program on this installation, whoever runs it.
    platform::InstanceLock running(S().AppPath);
    ASSERT_EQ(running.acquire(), platform::InstanceLock::Result::Acquired);
    const auto before = filesOnDisk();

    FrmStart& splash = frmStart();
    ASSERT_EQ(msgBoxes.size(), 1u);
    EXPECT_EQ(msgBoxes[0].prompt, QStringLiteral("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。"));
    EXPECT_EQ(msgBoxes[0].title, QStringLiteral("系统提示"));
    EXPECT_EQ(msgBoxes[0].buttons, vbOKOnly + vbInformation);

    EXPECT_FALSE(splash.isLoaded());
    EXPECT_FALSE(Forms::isLoaded<FrmStart>());
    EXPECT_TRUE(S().sysInfo[0].isEmpty()) << "no configuration read";
    EXPECT_TRUE(S().ModuleTitle.isEmpty());
    EXPECT_TRUE(S().DataDir.isEmpty());
    Clock::advance(1000);
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    EXPECT_EQ(filesOnDisk(), before) << "no file written";
    EXPECT_TRUE(running.isLocked()) << "the running instance is untouched";
}

} // namespace
