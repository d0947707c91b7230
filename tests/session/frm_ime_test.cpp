// The input-method option dialog: the stored option, its one reading, and the way back to the
// simulated window and the full panel whichever way the dialog closes.

#include "session/frm_ime.h"

#include "platform/input_methods.h"
#include "session/frm_tm.h"
#include "session/input_method_choice.h"
#include "simwindow/frm_main.h"
#include "support/dialog_fixture.h"
#include "support/fake_input_methods.h"

#include <QFile>

using namespace vb;

namespace {

class FrmImeTest : public tsupport::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        platform::setInputMethods(std::make_unique<tsupport::FakeInputMethods>(QList<platform::InputMethod>{{"kb", ""}}));
    }
    void TearDown() override
    {
        platform::setInputMethods(platform::plainKeyboard());
        DialogTest::TearDown();
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
};

} // namespace

TEST_F(FrmImeTest, TheBoxWritesTheOptionAsOneLine)
{
    FrmIME& dlg = open();
    EXPECT_EQ(dlg.Check1->Value(), 0);
    EXPECT_EQ(stored(), QByteArray("(none)")) << "opening writes nothing while the option is off";
    EXPECT_EQ(dlg.Caption(), QStringLiteral("Talvesk练习系统——电子表格模块"));
    EXPECT_EQ(dlg.maximumSize(), dlg.size()) << "the window manager cannot maximise it";

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
    EXPECT_EQ(dragsByButton(*open().lblMove), std::make_pair(0, 1));
}
