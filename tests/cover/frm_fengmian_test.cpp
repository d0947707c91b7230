// The cover window: its load and header, the announcement, the replay of a panel, the help
// pages, the units panel and the start of unit practice.
#include "cover_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/cover_faces.h"
#include "cover/frm_fengmian.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/vb.h"
#include "platform/vb_picture.h"
#include "session/frm_logon.h"
#include "session/frm_tm.h"
#include "simwindow/frm_main.h"
#include "support/events.h"
#include "update/frm_updata.h"

#include <algorithm>
#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

using namespace covertest;
using platform::Clock;
using vb::Forms;

namespace {

class FrmFengmianTest : public InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        SessionState& s = S();
        s.sysInfo[1] = QStringLiteral("https://maker.example/");
        s.sysInfo[2] = QStringLiteral("https://second.example/");
        s.sysInfo[3] = QStringLiteral("mailto:qq@example.com");
        s.sysInfo[10] = QStringLiteral("010-1234");
        s.sysInfo[11] = QStringLiteral("12345");
        s.sysInfo[16] = QStringLiteral("maker.example");
        s.sysInfo[26] = QStringLiteral("2015");
        s.sysInfo[29] = QStringLiteral("&H666666");
        for (int i = 0; i < 4; ++i)
            s.sysInfo[static_cast<std::size_t>(30 + i)] = QString::number(240 + 2400 * i);
        s.ModuleTitle = QStringLiteral("电子表格");
        const QString titles[] = {QStringLiteral("数据输入"), QStringLiteral("公式"), QStringLiteral("图表")};
        for (int u = 0; u < 3; ++u)
            s.UnitTable[static_cast<std::size_t>(u)][0] = titles[u];
        writeLines(data(QStringLiteral("288891")), {QStringLiteral("0003"), QStringLiteral("040302")});
        writeLines(data(QStringLiteral("288895")), {QStringLiteral(" 202601011200 ")});
        writeLines(record(QStringLiteral("170100")), {QStringLiteral(" 新题库◎已发布 "), QStringLiteral("&HFF"), QStringLiteral("https://news.example/")});
        writeLines(record(QStringLiteral("288893")), {QStringLiteral("TFTFTT"), QString(), QStringLiteral("TFTF")});
        writeBank(0, {1, 1, 1, 1});
        writeBank(1, {2, 1, 1});
        writeBank(2, {1, 2});
        vb::setModalResponder([this](vb::Form& f) {
            if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f))
                boxes << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption();
            vb::Unload(f);
        });
        vb::setMsgBoxResponder([this](const QString& prompt, int, const QString&) {
            messages << prompt;
            return vb::vbOK;
        });
        platform::setOpenAddressObserver([this](const QString& a) { opened << a; });
    }
    void TearDown() override
    {
        Forms::unloadAll();
        vb::setModalResponder({});
        vb::setMsgBoxResponder({});
        platform::setOpenAddressObserver({});
        InstallationTest::TearDown();
    }

    QStringList boxes, messages, opened;
};

TEST_F(FrmFengmianTest, LoadBuildsABorderlessCentredPageWithHeaderAndHiddenPanels)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    EXPECT_EQ(f.BorderStyle(), 0);
    EXPECT_EQ(f.width(), 800);
    EXPECT_EQ(f.height(), 600);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(f.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(f.frameGeometry().center().y() - screen.center().y()), 1);

    EXPECT_EQ(S().BankVersion, QStringLiteral("202601011200"));
    EXPECT_EQ(f.LblInfo(0).Caption(), QStringLiteral("题库版本：V 202601011200 "));
    EXPECT_EQ(f.LblInfo(1).Caption(), QStringLiteral("官方网站：maker.example"));
    EXPECT_EQ(f.LblInfo(2).Caption(), QStringLiteral("客服电话：010-1234"));
    EXPECT_EQ(f.LblInfo(3).Caption(), QStringLiteral("客服QQ：12345"));
    EXPECT_EQ(f.LblInfo(3).Left(), 7440);
    EXPECT_EQ(f.LblInfo(0).ForeColor(), QColor(0x66, 0x66, 0x66));
    EXPECT_EQ(f.LblCaption->Caption(), QStringLiteral("电子表格"));
    EXPECT_EQ(S().PaperCount, 0);
    EXPECT_EQ(S().UnitCount, 3);

    EXPECT_EQ(f.LblAD->Caption(), QStringLiteral("新题库\r\n已发布"));
    EXPECT_EQ(f.LblAD->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(f.PicAd->Width(), f.LblAD->Width());
    EXPECT_EQ(f.PicAd->Height(), f.LblAD->Height());
    for (vb::Control* c : std::initializer_list<vb::Control*>{f.PicTOP, f.PicTiKu, f.PicKaCH, f.PicBiaoZhi, f.PicCuoTi, f.PicHelp, f.PicAd})
        EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(f.ClickBotn(0).Visible());
    EXPECT_TRUE(f.ClickBotn(8).Visible());
    EXPECT_EQ(f.ClickBotn(2).Left(), f.ClickBotn(13).Left());
    EXPECT_EQ(f.ClickBotn(3).Left(), f.ClickBotn(14).Left());
    EXPECT_EQ(f.ClickBotn(6).Left(), 750 + 2700 * 2);

    // The help panel is ready on its first page.
    EXPECT_EQ(f.LlbHelpCAP->Caption(), QStringLiteral("软件介绍"));
    EXPECT_FALSE(f.ClickBotn(32).Enabled());
}

// The splash decodes the cover's faces while it waits; the cover's load then finds every face
// it shows already decoded.
TEST_F(FrmFengmianTest, TheFacesDecodedAheadAreAllTheFacesTheLoadReads)
{
    QImage face(4, 4, QImage::Format_RGB32);
    face.fill(Qt::gray);
    for (int n = 20000; n <= 20099; ++n)
        ASSERT_TRUE(face.save(data(QStringLiteral("l%1").arg(n)), "PNG"));
    ASSERT_TRUE(face.save(data(QStringLiteral("l62011")), "PNG"));

    cover::prefetchCoverFaces();
    vb::waitForDecodeAhead();
    const quint64 ahead = vb::picturesDecoded();
    frmFengmian().Show();
    EXPECT_EQ(vb::picturesDecoded(), ahead);
    QCoreApplication::processEvents();
    EXPECT_EQ(vb::picturesDecoded(), ahead) << "a decoded face is not decoded again";
}

// The pictures of what the home page does not show are checked at the load and reported as
// ever, and decoded only when they first show.
TEST_F(FrmFengmianTest, FacesOfHiddenPanelsAreCheckedAtTheLoadAndDecodedWhenShown)
{
    QImage face(4, 4, QImage::Format_RGB32);
    face.fill(Qt::gray);
    for (int n = 20000; n <= 20099; ++n)
        ASSERT_TRUE(face.save(data(QStringLiteral("l%1").arg(n)), "PNG"));
    QImage panel(40, 40, QImage::Format_RGB32);
    panel.fill(Qt::green);
    ASSERT_TRUE(panel.save(data(QStringLiteral("l20053")), "PNG"));
    QFile::remove(data(QStringLiteral("l20052")));                         // the top bar's, at the load
    writeLines(data(QStringLiteral("l20058")), {QStringLiteral("no picture")}); // the wrong list's, at the build
    const quint64 before = vb::picturesDecoded();
    FrmFengmian& f = frmFengmian();
    f.Show();
    const QStringList lines = log().split(u'\n');
    const auto reported = [&lines](const QString& tag, const QString& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(tag) && l.contains(text); });
    };
    EXPECT_TRUE(reported(QStringLiteral("fmload"), QStringLiteral("File not found"))) << log().toStdString();
    EXPECT_TRUE(reported(QStringLiteral("fengmaincsh"), QStringLiteral("Invalid picture"))) << log().toStdString();
    const quint64 shown = vb::picturesDecoded();
    EXPECT_FALSE(f.PicTiKu->widget()->isVisible());

    f.ClickBotn_Click(16);
    ASSERT_TRUE(f.PicTiKu->widget()->isVisible());
    const QPoint inside = f.PicTiKu->widget()->mapTo(&f, QPoint(20, 20));
    EXPECT_EQ(f.grab().toImage().pixelColor(inside), QColor(Qt::green));
    EXPECT_GT(vb::picturesDecoded(), shown) << "the panel's pictures are decoded as they show";
    EXPECT_GT(shown, before);
}

// A face whose header reads well but whose picture does not decode is reported at the first
// load, its decode ahead waited for; a face replaced by no picture after the load is reported
// when it first shows.
TEST_F(FrmFengmianTest, SpoiltFacesAreReportedAtTheLoadAndAsTheyShow)
{
    QImage face(4, 4, QImage::Format_RGB32);
    face.fill(Qt::gray);
    for (int n = 20000; n <= 20099; ++n)
        ASSERT_TRUE(face.save(data(QStringLiteral("l%1").arg(n)), "PNG"));
    // The panels' face: a header of 40 rows over the picture data of one.
    const auto png = [](QSize size) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::green);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
        return bytes;
    };
    QFile panel(data(QStringLiteral("l20053")));
    ASSERT_TRUE(panel.open(QIODevice::WriteOnly));
    panel.write(png({40, 40}).left(33) + png({40, 1}).mid(33));
    panel.close();
    const auto invalid = [this] {
        return log().count(QRegularExpression(QStringLiteral("fmload.*Invalid picture")));
    };

    cover::prefetchCoverFaces();
    FrmFengmian& f = frmFengmian();
    f.Show();
    vb::dropDecodedAhead();
    EXPECT_EQ(invalid(), 1) << log().toStdString();

    writeLines(data(QStringLiteral("l20052")), {QStringLiteral("no picture")}); // the top bar's
    f.ClickBotn_Click(16);
    ASSERT_TRUE(f.PicTOP->widget()->isVisible());
    f.grab();
    EXPECT_EQ(invalid(), 2) << log().toStdString();
}

TEST_F(FrmFengmianTest, TheInputMethodOptionIsReadAsItsNumber)
{
    const std::pair<const char*, int> cases[] = {{"1", -1}, {" 1", -1}, {"1 ", -1}, {"0", 0}, {"", 0}};
    for (const auto& [line, on] : cases) {
        writeLines(record(QStringLiteral("288890")), {QString::fromLatin1(line)});
        S().ImeHelperOn = 7;
        frmFengmian();
        EXPECT_EQ(S().ImeHelperOn, on) << '"' << line << '"';
        Forms::unloadAll();
    }
}

TEST_F(FrmFengmianTest, MissingAnnouncementGivesAnEmptyStripAndAReport)
{
    QFile::remove(record(QStringLiteral("170100")));
    FrmFengmian& f = frmFengmian();
    EXPECT_EQ(f.LblAD->Caption(), QString());
    EXPECT_EQ(f.LblAD->ForeColor(), QColor(0, 0, 0));
    EXPECT_TRUE(f.AnnouncementLink.isEmpty());
    EXPECT_TRUE(log().contains(QStringLiteral("fmload"))) << log().toStdString();
    EXPECT_EQ(f.LblCaption->Caption(), QStringLiteral("电子表格")) << "the page is built all the same";
}

TEST_F(FrmFengmianTest, ReturnPageIsReplayedOnceAHundredMillisecondsAfterTheCoverShows)
{
    S().ReturnPage = 18;
    FrmFengmian& f = frmFengmian();
    f.TimFH->setEnabled(true);
    f.Show();
    Clock::advance(99);
    EXPECT_FALSE(f.PicBiaoZhi->Visible());
    Clock::advance(1);
    EXPECT_TRUE(f.PicBiaoZhi->Visible());
    EXPECT_TRUE(f.PicTOP->Visible());
    EXPECT_TRUE(f.PicAd->Visible());
    EXPECT_FALSE(f.ClickBotn(18).Enabled());
    EXPECT_FALSE(f.TimFH->Enabled());
    EXPECT_EQ(S().ReturnPage, 18);
}

TEST_F(FrmFengmianTest, PanelCommandsShowOnePanelAndHomeHidesThemAll)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    const struct {
        int index;
        vb::PictureBox* panel;
    } cases[] = {{4, f.PicTiKu}, {17, f.PicKaCH}, {6, f.PicBiaoZhi}, {19, f.PicCuoTi}, {11, f.PicHelp}, {15, nullptr}};
    for (const auto& c : cases) {
        f.ClickBotn_Click(c.index);
        for (vb::PictureBox* p : {f.PicTiKu, f.PicKaCH, f.PicBiaoZhi, f.PicCuoTi, f.PicHelp})
            EXPECT_EQ(p->Visible(), p == c.panel) << c.index;
        EXPECT_EQ(f.PicTOP->Visible(), c.panel != nullptr) << c.index;
        EXPECT_EQ(f.PicAd->Visible(), c.panel != nullptr) << c.index;
    }
    for (int i = 15; i <= 19; ++i)
        EXPECT_TRUE(f.ClickBotn(i).Enabled());
}

TEST_F(FrmFengmianTest, UpdateCommandOpensTheUpdateWindowBesideTheCover)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    ASSERT_EQ(S().UpdateWindowShown, 0);
    f.ClickBotn_Click(8);
    EXPECT_EQ(S().UpdateWindowShown, 1);
    EXPECT_TRUE(Forms::isLoaded<FrmUpdata>());
    EXPECT_TRUE(frmUpdata().Visible());
    EXPECT_TRUE(f.Visible());
}

TEST_F(FrmFengmianTest, LeftPressOnTheHomePictureDragsAndExitAnsweredNoKeepsTheCover)
{
    QImage home(40, 40, QImage::Format_RGB32);
    home.fill(Qt::blue);
    ASSERT_TRUE(home.save(data(QStringLiteral("l20051")), "PNG"));
    FrmFengmian& f = frmFengmian();
    f.Show();
    int drags = 0;
    vb::setDragObserver([&drags](vb::Form&) { ++drags; });
    tsupport::press(*f.picShouYe, vb::vbRightButton);
    tsupport::release(*f.picShouYe, vb::vbRightButton);
    EXPECT_EQ(drags, 0);
    tsupport::press(*f.picShouYe, vb::vbLeftButton);
    tsupport::release(*f.picShouYe, vb::vbLeftButton);
    EXPECT_EQ(drags, 1);
    vb::setDragObserver({});

    S().MsgBoxResult = 1; // left by an earlier question
    f.ClickBotn_Click(3);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], QStringLiteral("退出系统|\r\n\r\n\r\n您确实要退出学习软件吗？"));
    EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(f.isVisible());
}

TEST_F(FrmFengmianTest, HelpTabsShowTheirTitlesAndPages)
{
    writeLines(data(QStringLiteral("l38183")), {QStringLiteral("<html><body>技巧页</body></html>")});
    FrmFengmian& f = frmFengmian();
    const QString titles[] = {QStringLiteral("软件介绍"), QStringLiteral("备考指南"), QStringLiteral("考试大纲"),
                              QStringLiteral("答题技巧"), QStringLiteral("常见问题")};
    for (int i = 32; i <= 36; ++i) {
        f.ClickBotn_Click(i);
        EXPECT_EQ(f.LlbHelpCAP->Caption(), titles[i - 32]);
        for (int j = 32; j <= 36; ++j)
            EXPECT_EQ(f.ClickBotn(j).Enabled(), j != i);
        if (i == 35) {
            EXPECT_TRUE(f.WebHelpCON->documentText().contains(QStringLiteral("技巧页")));
        }
    }
}

TEST_F(FrmFengmianTest, HelpPagesThatCannotBeShownShowANoticeInsteadOfTheLastPage)
{
    const auto writeBytes = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    writeBytes(data(QStringLiteral("l38180")), "<html><body><p>\xe4\xbb\x8b\xe7\xbb\x8d\xe9\xa1\xb5</p></body></html>"); // 介绍页
    writeBytes(data(QStringLiteral("l38182")), QByteArray("<div>").repeated(200'000) + "x");
    writeBytes(data(QStringLiteral("l38183")), QByteArray(50 * 1024 * 1024, 'x'));
    writeBytes(data(QStringLiteral("l38184")), QByteArray());
    const QString missing = QStringLiteral("此帮助页不存在或无法打开。"), past = QStringLiteral("此帮助页过大或过于复杂，未显示。");
    const struct {
        int button;
        QString title, shows;
    } cases[] = {
        {33, QStringLiteral("备考指南"), missing},        // no such file
        {34, QStringLiteral("考试大纲"), past},           // 200,000 nested elements
        {32, QStringLiteral("软件介绍"), QStringLiteral("介绍页")},
        {35, QStringLiteral("答题技巧"), past},           // 50 MB
        {36, QStringLiteral("常见问题"), QString()},      // empty
    };
    FrmFengmian& f = frmFengmian();
    f.Show();
    tsupport::click(f.ClickBotn(11));
    ASSERT_TRUE(f.PicHelp->Visible());
    for (const auto& c : cases) {
        tsupport::click(f.ClickBotn(c.button));
        EXPECT_EQ(f.LlbHelpCAP->Caption(), c.title);
        EXPECT_EQ(f.WebHelpCON->documentText(), c.shows) << c.button;
        for (int j = 32; j <= 36; ++j)
            EXPECT_EQ(f.ClickBotn(j).Enabled(), j != c.button) << c.button;
    }
}

TEST_F(FrmFengmianTest, HelpLinksOpenOnlyWebAndMailOnTheDesktopAndPagesOfTheDataFolderInThePane)
{
    const QString outside = QDir(app.path()).filePath(QStringLiteral("outside.htm"));
    writeLines(outside, {QStringLiteral("<p>outside</p>")});
    const QStringList refused = {
        QStringLiteral("javascript:alert(1)"), QUrl::fromLocalFile(outside).toString(), QStringLiteral("file:///etc/hostname"),
        QStringLiteral("data:text/html,<p>x</p>"), QStringLiteral("ftp://example.com/file"), QStringLiteral("../outside.htm"),
        QStringLiteral("../../../../etc/hostname"),
    };
    const QStringList desktop = {QStringLiteral("https://example.com/help"), QStringLiteral("mailto:help@example.com")};
    QStringList page = {QStringLiteral("<html><body><p>start</p>")};
    for (int i = 0; i < refused.size() + desktop.size(); ++i)
        page << QStringLiteral("<p><a href=\"%1\">link%2z</a></p>").arg((refused + desktop)[i].toHtmlEscaped()).arg(i);
    page << QStringLiteral("<p><a href=\"L38183.MXY\">to tips</a></p></body></html>");
    writeLines(data(QStringLiteral("l38181")), page);
    writeLines(data(QStringLiteral("l38183")), {QStringLiteral("<p>tips</p><p><a href=\"sub/more.htm\">more</a></p>")});
    QDir(app.path()).mkpath(QStringLiteral("excel/sub"));
    writeLines(app.filePath(QStringLiteral("excel/sub/more.htm")), {QStringLiteral("<p>more tips</p>")});

    FrmFengmian& f = frmFengmian();
    f.Show();
    tsupport::click(f.ClickBotn(11));
    tsupport::click(f.ClickBotn(33));
    const QString start = f.WebHelpCON->documentText();
    for (int i = 0; i < refused.size() + desktop.size(); ++i) {
        ASSERT_TRUE(tsupport::clickPageText(*f.WebHelpCON, QStringLiteral("link%1z").arg(i)));
        EXPECT_EQ(f.WebHelpCON->documentText(), start) << i;
    }
    EXPECT_EQ(opened, desktop);

    // A link to another of the five pages marks that page's button, and the page left behind
    // can be pressed again; a page of the data folder that is none of them marks none.
    ASSERT_TRUE(tsupport::clickPageText(*f.WebHelpCON, QStringLiteral("to tips")));
    EXPECT_TRUE(f.WebHelpCON->documentText().startsWith(QStringLiteral("tips")));
    EXPECT_EQ(f.LlbHelpCAP->Caption(), QStringLiteral("答题技巧"));
    for (int j = 32; j <= 36; ++j)
        EXPECT_EQ(f.ClickBotn(j).Enabled(), j != 35) << j;
    ASSERT_TRUE(tsupport::clickPageText(*f.WebHelpCON, QStringLiteral("more")));
    EXPECT_TRUE(f.WebHelpCON->documentText().startsWith(QStringLiteral("more tips")));
    for (int j = 32; j <= 36; ++j)
        EXPECT_TRUE(f.ClickBotn(j).Enabled()) << j;
    tsupport::click(f.ClickBotn(33));
    EXPECT_EQ(f.WebHelpCON->documentText(), start);
    EXPECT_FALSE(f.ClickBotn(33).Enabled());
}

TEST_F(FrmFengmianTest, LinksOfTheAnnouncementAndOfTheConfiguration)
{
    FrmFengmian& f = frmFengmian();
    f.LblAD->Click();
    f.AnnouncementLink = QStringLiteral("C:\\Windows\\system32\\calc.exe");
    f.LblAD->Click();
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://news.example/")});
    EXPECT_TRUE(log().contains(QStringLiteral("calc.exe"))) << "what is not opened is logged";

    opened.clear();
    for (int i : {0, 1, 2, 3, 17, 18, 19, 20, 21})
        f.LblInfo(i).Click();
    f.ClickBotn_Click(12);
    EXPECT_EQ(opened, (QStringList{S().sysInfo[1], S().sysInfo[3], S().sysInfo[1], S().sysInfo[2], S().sysInfo[4],
                                   S().sysInfo[3], S().sysInfo[2]}));
    opened.clear();
    S().sysInfo[26] = QStringLiteral(" 2099xyz");
    f.LblInfo(1).Click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_NE(opened[0], S().sysInfo[1]) << "the built-in address";
}

TEST_F(FrmFengmianTest, UnitsPanelFitsProgressAndShowsTheChart)
{
    FrmFengmian& f = frmFengmian();
    EXPECT_EQ(fileBytes(record(QStringLiteral("288893"))),
              QByteArray("TFTF\r\nFFF\r\nTF\r\n") + QByteArray("\r\n").repeated(22) + "\r\n");
    EXPECT_EQ(S().UnitTable[0][1], QStringLiteral("4"));
    EXPECT_EQ(S().UnitTable[0][2], QStringLiteral("2"));
    EXPECT_EQ(S().UnitTable[0][3], QStringLiteral("TFTF"));
    EXPECT_EQ(S().UnitTable[1][3], QStringLiteral("FFF"));
    EXPECT_EQ(f.ClickBotn(50).Caption(), QStringLiteral("1.数据输入") + QString(15, u' '));
    EXPECT_EQ(f.ClickBotn(47).Caption(), QStringLiteral("1-3单元"));
    EXPECT_FALSE(f.ClickBotn(48).Enabled());

    // All units after the build; a unit chosen shows its own counts and bars.
    EXPECT_EQ(f.SelectedUnit, -1);
    EXPECT_EQ(f.LblUnitDQCAP(1).Caption(), QStringLiteral("所有题库中题目"));
    EXPECT_EQ(f.LblUnitDQCAP(2).Caption(), QStringLiteral("9题"));
    EXPECT_EQ(f.LblUnitDQCAP(4).Caption(), QStringLiteral("6题"));
    EXPECT_FALSE(f.ClickBotn(49).Enabled());
    f.ClickBotn_Click(50);
    EXPECT_EQ(f.LblUnitDQCAP(1).Caption(), QStringLiteral("第1单元 数据输入"));
    EXPECT_EQ(f.LblUnitDQCAP(3).Caption(), QStringLiteral("2题"));
    EXPECT_EQ(f.ImgUnitD->Height(), 1785);
    EXPECT_EQ(f.ImgUnitD->Top(), 5550 - 1785);
    EXPECT_EQ(f.LblUnitDQCAP(3).Top(), 5550 - 1785 - 240);
    EXPECT_FALSE(f.ClickBotn(50).Enabled());
    EXPECT_TRUE(f.ClickBotn(49).Enabled());
    EXPECT_FALSE(f.ClickBotn(53).Visible()) << "no fourth unit";

    // The units command opens on the first unit with more than a fifth not learned.
    f.ClickBotn_Click(16);
    EXPECT_EQ(f.SelectedUnit, 0);
}

TEST_F(FrmFengmianTest, ProgressIsNeverRewrittenWithoutTheUnitsCounts)
{
    const QByteArray before = fileBytes(record(QStringLiteral("288893")));
    for (const QStringList& table : {QStringList{}, QStringList{QStringLiteral("0003")}}) {
        writeLines(data(QStringLiteral("288891")), table);
        frmFengmian();
        EXPECT_EQ(fileBytes(record(QStringLiteral("288893"))), before) << table.join(u'/').toStdString();
        Forms::unloadAll();
    }
}

TEST_F(FrmFengmianTest, FittedProgressIsNotWrittenAgain)
{
    frmFengmian();
    Forms::unloadAll();
    const QString path = record(QStringLiteral("288893"));
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    frmFengmian();
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
}

TEST_F(FrmFengmianTest, ReturningFromUnitPracticeReopensTheUnitsPanelWithTheProgressKept)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    f.ClickBotn_Click(52);
    f.ClickBotn_Click(20);
    ASSERT_FALSE(Forms::isLoaded<FrmFengmian>());

    // The session's end writes the unit's line, asks for the units panel and shows the cover.
    writeLines(record(QStringLiteral("288893")), {QStringLiteral("TTTT"), QStringLiteral("FFF"), QStringLiteral("TT")});
    S().ReturnPage = 16;
    frmFengmian().TimFH->setEnabled(true);
    frmFengmian().Show();
    Clock::advance(100);
    FrmFengmian& back = frmFengmian();
    EXPECT_TRUE(back.PicTiKu->Visible());
    EXPECT_EQ(back.SelectedUnit, 1) << "the first unit with more than a fifth not learned";
    back.ClickBotn_Click(52);
    EXPECT_EQ(back.LblUnitDQCAP(3).Caption(), QStringLiteral("2题"));
    EXPECT_EQ(back.LblUnitDQCAP(4).Caption(), QStringLiteral("0题"));
    EXPECT_TRUE(fileBytes(record(QStringLiteral("288893"))).startsWith("TTTT\r\nFFF\r\nTT\r\n"));
}

TEST_F(FrmFengmianTest, StartWithoutAUnitOrWithAnEmptyChapterOnlyTellsTheCandidate)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    f.ClickBotn_Click(20);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], QStringLiteral("单元练习|\r\n本模块共有3单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！"));
    EXPECT_TRUE(f.PicAd->Visible());

    f.ClickBotn_Click(51); // unit 2: nothing learned
    f.ClickBotn_Click(38);
    f.ClickBotn_Click(20);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1], QStringLiteral("章节练习|\r\n\r\n\r\n您本部分没有已学题！"));
    EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    EXPECT_FALSE(Forms::isLoaded<FrmTm>());
}

TEST_F(FrmFengmianTest, WholeUnitPracticeRunsOnTheUnitsOwnBankAndHandsOverToThePanel)
{
    FrmFengmian& f = frmFengmian();
    f.Show();
    f.ClickBotn_Click(52); // unit 3 (u = 2): "TF"
    f.ClickBotn_Click(20);
    SessionState& s = S();
    EXPECT_EQ(s.SessionKind, 20);
    EXPECT_EQ(s.SetIndex, 2);
    EXPECT_EQ(s.QuestionCount, 2);
    EXPECT_EQ(s.QuestionId[2], 202);
    EXPECT_EQ(s.QuestionState[1], 5); // completed before, visited by the panel's load
    EXPECT_EQ(s.QuestionDoneText[2], QStringLiteral("F"));
    EXPECT_EQ(QFileInfo(s.StepFilePath).fileName(), QStringLiteral("288822.mxy"));
    EXPECT_EQ(QFileInfo(s.QuestionFilePath).fileName(), QStringLiteral("288872.mxy"));
    EXPECT_EQ(s.QuestionFirstLine[3], 4);
    EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
    ASSERT_TRUE(Forms::isLoaded<FrmTm>());
    EXPECT_TRUE(frmTm().isVisible());
    EXPECT_TRUE(frmTm().TimerREDO->Enabled());
    EXPECT_TRUE(frmTm().TimKsModel->Enabled());
    EXPECT_TRUE(frmMain().isVisible());
    EXPECT_FALSE(Forms::isLoaded<FrmLogon>());
}

TEST_F(FrmFengmianTest, ChapterPracticeBuildsTheChosenQuestions)
{
    writeLines(record(QStringLiteral("288893")), {QString(), QString(), QStringLiteral("TF")});
    writeBank(2, {1, 2, 1, 1});
    writeLines(data(QStringLiteral("288891")), {QStringLiteral("0003"), QStringLiteral("040304")});
    writeLines(record(QStringLiteral("288893")), {QString(), QString(), QStringLiteral("TFTF")});
    FrmFengmian& f = frmFengmian();
    f.ClickBotn_Click(52);
    f.ClickBotn_Click(38);
    f.ClickBotn_Click(20);
    SessionState& s = S();
    EXPECT_EQ(s.SessionKind, 5);
    EXPECT_EQ(s.SetIndex, 14);
    EXPECT_EQ(s.PaperNo, 2);
    EXPECT_EQ(s.QuestionCount, 2);
    EXPECT_EQ(s.QuestionId[1], 201);
    EXPECT_EQ(s.QuestionId[2], 203);
    EXPECT_EQ(s.QuestionState[2], 4);
    EXPECT_EQ(QFileInfo(s.StepFilePath).fileName(), QStringLiteral("288819.mxy"));
    EXPECT_EQ(fileLines(data(QStringLiteral("288819"))).size(), 2);
    EXPECT_TRUE(Forms::isLoaded<FrmTm>());
}

TEST_F(FrmFengmianTest, UnreadableQuestionFileKeepsTheCoverAndTellsTheCandidate)
{
    QFile::remove(data(QStringLiteral("288872")));
    FrmFengmian& f = frmFengmian();
    f.Show();
    f.ClickBotn_Click(52);
    f.ClickBotn_Click(20);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(Forms::isLoaded<FrmTm>());
    EXPECT_TRUE(log().contains(QStringLiteral("startlianxi")));
}

} // namespace
