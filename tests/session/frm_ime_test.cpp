// The input-method option dialog: the stored option, its one reading, and the way back to the
// simulated window and the full panel whichever way the dialog closes.

#include "session/frm_ime.h"

#include "platform/input_methods.h"
#include "platform/vb.h"
#include "session/frm_tm.h"
#include "session/input_method_choice.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "support/events.h"
#include "support/fake_input_methods.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vb;

namespace {

class FrmImeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        setTwipsPerPixelOverride(15, 15);
        setScreenSizeOverride(1024, 768);
        resetSession();
        S().AppPath = install.root() + u'/';
        S().DataDir = install.mkdir(QStringLiteral("data")) + u'/';
        install.mkdir(QStringLiteral("ksdata"));
        S().sysInfo[0] = QStringLiteral("Talvesk");
        S().sysInfo[9] = QStringLiteral("练习系统");
        S().ModuleName = QStringLiteral("电子表格");
        install.writePicture(QStringLiteral("data/l20070.mxy"), {420, 280}, Qt::darkCyan);
        install.writePicture(QStringLiteral("data/l20001.mxy"), {360, 30}, Qt::green);
        install.writePicture(QStringLiteral("data/l20003.mxy"), {88, 22}, Qt::red);
        platform::setInputMethods(std::make_unique<tsupport::FakeInputMethods>(QList<platform::InputMethod>{{"kb", ""}}));
    }
    void TearDown() override
    {
        Forms::unloadAll();
        platform::setInputMethods(platform::plainKeyboard());
        setTwipsPerPixelOverride(0, 0);
        setScreenSizeOverride(0, 0);
        resetSession();
    }

    QByteArray stored() const
    {
        QFile f(install.path(QStringLiteral("ksdata/288890.mxy")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
    FrmIME& open()
    {
        FrmIME& dlg = frmIME();
        dlg.Show();
        return dlg;
    }

    tsupport::TempInstall install;
};

} // namespace

TEST_F(FrmImeTest, TheBoxWritesTheOptionAsOneLine)
{
    FrmIME& dlg = open();
    EXPECT_EQ(dlg.Check1->Value(), 0);
    EXPECT_EQ(stored(), QByteArray("(none)")) << "opening writes nothing while the option is off";
    EXPECT_EQ(dlg.Caption(), QStringLiteral("Talvesk练习系统——电子表格模块"));

    tsupport::click(*dlg.Check1);
    EXPECT_EQ(stored(), QByteArray("1\r\n"));
    EXPECT_EQ(S().ImeHelperOn, -1);
    tsupport::click(*dlg.Check1);
    EXPECT_EQ(stored(), QByteArray("0\r\n"));
    EXPECT_EQ(S().ImeHelperOn, 0);
}

TEST_F(FrmImeTest, AStoredOptionIsReadOneWay)
{
    struct Case {
        const char* stored;
        int ticked;
        const char* after;
    } cases[] = {{"1\r\n", 1, "1\r\n"}, {" 1\r\n", 1, "1\r\n"}, {"1 \r\n", 1, "1\r\n"}, {"0\r\n", 0, "0\r\n"}, {"", 0, ""}};
    for (const Case& c : cases) {
        install.writeBytes(QStringLiteral("ksdata/288890.mxy"), c.stored);
        S().ImeHelperOn = 0;
        FrmIME& dlg = open();
        EXPECT_EQ(dlg.Check1->Value(), c.ticked) << c.stored;
        EXPECT_EQ(S().ImeHelperOn, c.ticked ? -1 : 0) << c.stored;
        EXPECT_EQ(stored(), QByteArray(c.after)) << c.stored;
        EXPECT_EQ(session::imeOptionOn(QString::fromLatin1(c.stored).trimmed()), c.ticked == 1) << "the cover reads it alike";
        Unload(dlg);
        DoEvents();
    }
}

TEST_F(FrmImeTest, AFailedWriteIsReportedAndTheChoiceHoldsForTheRun)
{
    // A folder where the option file should be: the file cannot be written.
    install.mkdir(QStringLiteral("ksdata/288890.mxy"));
    S().RunLogPath = install.path(QStringLiteral("run.txt"));
    FrmIME& dlg = open();
    tsupport::click(*dlg.Check1);
    EXPECT_EQ(S().ImeHelperOn, -1);
    EXPECT_EQ(S().ErrProc, QStringLiteral("records"));
    EXPECT_TRUE(dlg.isLoaded());
}

TEST_F(FrmImeTest, TheNoticeOfNoFrameworkShowsOnlyWithoutOne)
{
    EXPECT_FALSE(open().Label1(1).Visible());
    Unload(frmIME());
    DoEvents();
    platform::setInputMethods(platform::plainKeyboard());
    FrmIME& dlg = open();
    EXPECT_TRUE(dlg.Label1(1).Visible());
    EXPECT_EQ(dlg.Label1(1).Caption(), session::NoInputMethodNotice);
}

TEST_F(FrmImeTest, EveryCloseBringsBackTheWindowAndTheFullPanel)
{
    for (int way = 0; way < 3; ++way) {
        FrmMain& window = frmMain();
        window.Show();
        FrmTm& panel = frmTm();
        panel.Show();
        panel.Move(300, 450, 2000, 600); // a strip somewhere else
        window.setWindowState(vbMinimized);
        FrmIME& dlg = open();
        if (way < 2)
            tsupport::click(dlg.LblClick(way));
        else
            Unload(dlg);
        DoEvents();
        SCOPED_TRACE(way);
        EXPECT_FALSE(Forms::isLoaded<FrmIME>());
        EXPECT_EQ(window.WindowState(), vbNormal);
        EXPECT_TRUE(window.Visible());
        EXPECT_EQ(panel.Width(), 4980);
        EXPECT_EQ(panel.Height(), 3630);
        EXPECT_EQ(panel.Left() + panel.Width(), window.Left() + window.Width());
        EXPECT_EQ(panel.Top() + panel.Height(), window.Top() + window.Height());
    }
}

TEST_F(FrmImeTest, OnlyTheLeftButtonDragsTheStrip)
{
    int drags = 0;
    setDragObserver([&](Form&) { ++drags; });
    FrmIME& dlg = open();
    tsupport::press(*dlg.lblMove, vbRightButton);
    tsupport::release(*dlg.lblMove, vbRightButton);
    EXPECT_EQ(drags, 0);
    tsupport::press(*dlg.lblMove, vbLeftButton);
    tsupport::release(*dlg.lblMove, vbLeftButton);
    EXPECT_EQ(drags, 1);
    setDragObserver({});
}
