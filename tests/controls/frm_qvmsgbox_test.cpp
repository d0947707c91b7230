// The confirmation box: its answers through MsgBoxResult, its layout from the installation's
// faces, no keyboard, dragging only from the top strip with the left button, a fresh box each use.

#include "support/events.h"

#include <gtest/gtest.h>

#include "controls/frm_qvmsgbox.h"
#include "session_state/session_state.h"

#include <QPointer>

using namespace vb;

namespace {

class QvMsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        tsupport::standardScreen();
        resetSession();
        S().DataDir = install.mkdir(QStringLiteral("data")) + u'/';
        S().ApplicationTitle = QStringLiteral("TalveskSys——Excel模块");
        install.writePicture(QStringLiteral("data/l20069.mxy"), {370, 250}, Qt::darkCyan);
        install.writePicture(QStringLiteral("data/l20067.mxy"), {20, 20}, Qt::white);
        install.writePicture(QStringLiteral("data/l62011.mxy"), {16, 16}, Qt::blue);
        // Four-frame strips: 90 x 30 pixels a frame for the two push buttons, 22 x 22 for the
        // two small ones.
        install.writePicture(QStringLiteral("data/l20000.mxy"), {360, 30}, Qt::gray);
        install.writePicture(QStringLiteral("data/l20001.mxy"), {360, 30}, Qt::green);
        install.writePicture(QStringLiteral("data/l20002.mxy"), {88, 22}, Qt::yellow);
        install.writePicture(QStringLiteral("data/l20003.mxy"), {88, 22}, Qt::red);
        setDragObserver([this](Form&) { ++drags; });
    }
    void TearDown() override
    {
        setDragObserver({});
        setModalResponder({});
        Forms::unloadAll();
        setTwipsPerPixelOverride(0, 0);
        setScreenSizeOverride(0, 0);
        resetSession();
    }

    // The caller's protocol, answered by `answer` once the box shows.
    void ask(const std::function<void(FrmQVMSGBOX&)>& answer)
    {
        S().MsgBoxResult = 0;
        FrmQVMSGBOX& box = frmQVMSGBOX();
        box.LblTitle->setCaption(QStringLiteral("提示"));
        box.Image1->setPicture(std::nullopt);
        box.LblPrompt->setCaption(QStringLiteral("确定要退出吗？"));
        setModalResponder([&](Form& f) {
            QPointer<Form> shown(&f);
            answer(static_cast<FrmQVMSGBOX&>(f));
            // An answer that did not close the box fails here instead of waiting for ever.
            if (shown && shown->isLoaded()) {
                ADD_FAILURE() << "the box is still open";
                Unload(*shown);
            }
        });
        box.Show(vbModal);
        setModalResponder({});
    }

    tsupport::TempInstall install;
    int drags = 0;
};

TEST_F(QvMsgBoxTest, OnlyTheConfirmButtonAnswersOneWithAnyMouseButton)
{
    const struct {
        int index, mouseButton, result;
    } cases[] = {
        {1, vbLeftButton, 1}, {1, vbRightButton, 1}, {0, vbLeftButton, 0}, {0, vbMiddleButton, 0}, {3, vbLeftButton, 0},
    };
    for (const auto& c : cases) {
        ask([&](FrmQVMSGBOX& box) { tsupport::click(box.LblClick(c.index), c.mouseButton); });
        EXPECT_EQ(S().MsgBoxResult, c.result) << c.index << " " << c.mouseButton;
        EXPECT_FALSE(Forms::isLoaded<FrmQVMSGBOX>()) << "every button unloads the box";
    }
}

TEST_F(QvMsgBoxTest, ACallerThatForgetsToClearReadsNoEarlierConfirmation)
{
    ask([](FrmQVMSGBOX& box) { tsupport::click(box.LblClick(1)); });
    ASSERT_EQ(S().MsgBoxResult, 1);
    // The next caller skips the clearing and closes the box.
    FrmQVMSGBOX& box = frmQVMSGBOX();
    setModalResponder([](Form& f) { tsupport::click(static_cast<FrmQVMSGBOX&>(f).LblClick(3)); });
    box.Show(vbModal);
    EXPECT_EQ(S().MsgBoxResult, 0);
}

TEST_F(QvMsgBoxTest, LayoutFromTheFacesAndTheTitle)
{
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.Show();
    EXPECT_EQ(box.Caption(), QStringLiteral("TalveskSys——Excel模块"));
    EXPECT_EQ(box.size(), QSize(370, 250));
    EXPECT_EQ(box.maximumSize(), box.size()) << "the window manager cannot maximise it";
    EXPECT_EQ(box.BorderStyle(), 0);
    EXPECT_TRUE(box.Topmost());
    EXPECT_TRUE(box.hasPicture());
    EXPECT_EQ(box.pos(), QPoint((1024 - 370) / 2, (768 - 250) / 2)) << "centred on the screen";

    EXPECT_TRUE(box.LblClick(0).Visible());
    EXPECT_TRUE(box.LblClick(1).Visible());
    EXPECT_TRUE(box.LblClick(3).Visible());
    EXPECT_FALSE(box.LblClick(2).Visible());
    EXPECT_EQ(box.LblClick(1).widget()->geometry(), QRect(164, 192, 90, 30));
    EXPECT_EQ(box.LblClick(0).widget()->geometry(), QRect(264, 192, 90, 30));
    EXPECT_EQ(box.LblClick(3).widget()->geometry(), QRect(342, 6, 22, 22)) << "at the top right, right of the strip";
    for (const int i : {0, 1, 2, 3}) {
        EXPECT_TRUE(box.LblClick(i).Picture().has_value()) << i;
        EXPECT_EQ(box.LblClick(i).shownFrame(), 0) << i;
    }
    EXPECT_EQ(box.LblPrompt->widget()->geometry(), QRect(80, 48, 272, 128));
    EXPECT_DOUBLE_EQ(box.LblTitle->FontSize(), 10);
}

TEST_F(QvMsgBoxTest, MissingFacesLeaveTheirPartsEmptyAndTheBoxStillAnswers)
{
    for (const char* name : {"l20069", "l20001", "l20067"})
        QFile::remove(install.path(QStringLiteral("data/%1.mxy").arg(QLatin1String(name))));
    ask([](FrmQVMSGBOX& box) {
        EXPECT_FALSE(box.hasPicture());
        EXPECT_FALSE(box.LblClick(1).Picture().has_value());
        tsupport::click(box.LblClick(1));
    });
    EXPECT_EQ(S().MsgBoxResult, 1);
}

TEST_F(QvMsgBoxTest, EnterAndEscDoNotAnswer)
{
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.Show();
    for (const int key : {vbKeyReturn, vbKeyEscape, vbKeySpace}) {
        tsupport::key(box, key);
        EXPECT_TRUE(Forms::isLoaded<FrmQVMSGBOX>()) << key;
        EXPECT_TRUE(box.isVisible()) << key;
    }
    EXPECT_EQ(S().MsgBoxResult, 0);
}

TEST_F(QvMsgBoxTest, DragsOnlyFromTheTopStripWithTheLeftButton)
{
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(QStringLiteral("提示"));
    box.Show();
    const struct {
        double x, y;
        int button;
        int drags;
    } cases[] = {
        {2000, 300, vbLeftButton, 1},   // on the strip
        {700, 250, vbLeftButton, 1},    // on the title, which the strip covers
        {150, 120, vbLeftButton, 1},    // on the logo
        {4480, 520, vbLeftButton, 1},   // the strip's last corner
        {2000, 300, vbRightButton, 0},
        {2000, 300, vbMiddleButton, 0},
        {2000, 560, vbLeftButton, 0},   // just below the strip
        {4700, 300, vbLeftButton, 0},   // right of the strip
        {2500, 1500, vbLeftButton, 0},  // on the prompt
    };
    for (const auto& c : cases) {
        drags = 0;
        tsupport::press(box, c.button, 0, c.x, c.y);
        tsupport::release(box, c.button, 0, c.x, c.y);
        EXPECT_EQ(drags, c.drags) << c.x << ", " << c.y << " button " << c.button;
    }
    EXPECT_TRUE(Forms::isLoaded<FrmQVMSGBOX>());
}

TEST_F(QvMsgBoxTest, EachUseIsAFreshBox)
{
    ask([](FrmQVMSGBOX& box) {
        box.LblClick(2).setVisible(true);
        box.LblPrompt->setCaption(QStringLiteral("改过的"));
        tsupport::click(box.LblClick(0));
    });
    FrmQVMSGBOX& again = frmQVMSGBOX();
    EXPECT_TRUE(again.LblPrompt->Caption().isEmpty());
    EXPECT_FALSE(again.LblClick(2).Visible());
    EXPECT_TRUE(again.LblTitle->Caption().isEmpty());
}

} // namespace
