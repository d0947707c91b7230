// The picture button: its looks under the pointer, the press and the release, Click from any
// mouse button (also released off the button), the disabled look, the end of the hover by the
// timer, and the placing of its caption.

#include "support/events.h"

#include <gtest/gtest.h>

#include "controls/mivo_button.h"
#include "platform/vb_array.h"

#include <QPainter>

using namespace vb;
using platform::Clock;

namespace {

// A host window as the dialogs are: a form holding the button.
class Host : public Form {
public:
    Host() { Move(0, 0, 6000, 3000); }
};

// A strip of four frames, each `frameW` x `h` pixels.
QPixmap strip(int frameW, int h)
{
    QPixmap p(frameW * 4, h);
    p.fill(Qt::white);
    QPainter painter(&p);
    const QColor colours[] = {Qt::gray, Qt::blue, Qt::darkBlue, Qt::lightGray};
    for (int k = 0; k < 4; ++k)
        painter.fillRect(k * frameW, 0, frameW, h, colours[k]);
    return p;
}

class MivoButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setTwipsPerPixelOverride(15, 15);
        host = std::make_unique<Host>();
        button = new mivoButton(host.get());
        button->Move(1500, 900, 1350, 450); // 90 x 30 pixels
        button->setPicture(strip(90, 30));
        button->setCaption(QStringLiteral("确定"));
        button->Click = [this] { ++clicks; };
        host->Show();
        pointerOff();
    }
    void TearDown() override
    {
        mivoButton::setPointerOverride({});
        host.reset();
        setTwipsPerPixelOverride(0, 0);
    }

    // Where the pointer rests: on the button, or on the host window beside it.
    void pointerOn() { mivoButton::setPointerOverride(button->widget()->mapToGlobal(QPoint(45, 15))); }
    void pointerOff() { mivoButton::setPointerOverride(host->mapToGlobal(QPoint(10, 10))); }
    // The pointer comes from the host window onto the button (Qt drops a move to where the
    // pointer already is, so each hover starts off the button).
    void hover()
    {
        pointerOn();
        tsupport::moveTo(*host, 30, 30);
        tsupport::move(*button);
    }
    QPoint captionPx() const { return button->LblCaption->widget()->pos(); }

    std::unique_ptr<Host> host;
    mivoButton* button = nullptr;
    int clicks = 0;
};

TEST_F(MivoButtonTest, HoverPressAndReleaseShowTheirFramesAndReleaseClicksOnce)
{
    EXPECT_EQ(button->shownFrame(), 0);
    const QPoint centred = captionPx();

    hover();
    EXPECT_EQ(button->shownFrame(), 1);
    EXPECT_EQ(button->ImgBack->widget()->x(), -90) << "the strip moves one frame to the left";

    tsupport::press(*button);
    EXPECT_EQ(button->shownFrame(), 2);
    EXPECT_EQ(captionPx(), centred + QPoint(1, 1)) << "the pressed caption sits one pixel right and down";
    EXPECT_EQ(clicks, 0);

    tsupport::release(*button);
    EXPECT_EQ(button->shownFrame(), 0);
    EXPECT_EQ(captionPx(), centred);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Timer1->Enabled()) << "the release switches the timer off";
}

TEST_F(MivoButtonTest, AnyButtonReleasedOffTheButtonStillClicks)
{
    for (const int which : {vbLeftButton, vbRightButton, vbMiddleButton}) {
        clicks = 0;
        pointerOn();
        tsupport::press(*button, which);
        ASSERT_EQ(button->shownFrame(), 2) << which;
        // Dragged off while held: the next tick restores the normal look.
        pointerOff();
        tsupport::move(*button, which, 0, 3000.0, 2000.0);
        Clock::advance(100);
        EXPECT_EQ(button->shownFrame(), 0) << which;
        tsupport::release(*button, which, 0, 3000.0, 2000.0);
        EXPECT_EQ(clicks, 1) << which;
        EXPECT_EQ(button->shownFrame(), 0) << which;
    }
}

TEST_F(MivoButtonTest, CaptionPressesOnItsOwnLikeTheStrip)
{
    // The caption hands the mouse to the strip's handlers: a click right on the text clicks.
    tsupport::click(*button->LblCaption, vbRightButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MivoButtonTest, DisabledShowsTheLastFrameAndNeverClicks)
{
    button->setEnabled(false);
    EXPECT_EQ(button->shownFrame(), 3);
    hover();
    tsupport::click(*button);
    tsupport::click(*button, vbRightButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->shownFrame(), 3);
    // The timer, running since the button was made, leaves the disabled look alone.
    pointerOff();
    Clock::advance(500);
    EXPECT_EQ(button->shownFrame(), 3);

    button->setEnabled(true);
    EXPECT_EQ(button->shownFrame(), 0);
    tsupport::click(*button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MivoButtonTest, HoverStaysWhileThePointerRestsAndEndsWithin100MsOfLeaving)
{
    hover();
    Clock::advance(1000);
    EXPECT_EQ(button->shownFrame(), 1);
    EXPECT_TRUE(button->Timer1->Enabled()) << "the timer keeps ticking while the pointer rests";

    Clock::advance(40);
    pointerOff();
    Clock::advance(59);
    EXPECT_EQ(button->shownFrame(), 1);
    Clock::advance(1);
    EXPECT_EQ(button->shownFrame(), 0);
    EXPECT_FALSE(button->Timer1->Enabled());
}

TEST_F(MivoButtonTest, PointerOverAnotherWindowEndsTheHover)
{
    Host other;
    other.Move(9000, 6000, 3000, 2000);
    other.Show();
    hover();
    mivoButton::setPointerOverride(other.mapToGlobal(QPoint(20, 20)));
    Clock::advance(100);
    EXPECT_EQ(button->shownFrame(), 0);
}

TEST(MivoCaptionOffset, HalfTheRoomRoundedToEvenThenCutTowardZeroToFifteens)
{
    const struct {
        int outer, inner, offset;
    } cases[] = {
        {1350, 600, 375},   // 375: a multiple already
        {1350, 620, 360},   // 365 cut to 360
        {1350, 601, 360},   // 374.5 rounds to 374
        {1350, 589, 375},   // 380.5 rounds to 380, cut to 375
        {450, 0, 225},
        {1350, 1350, 0},
        {1350, 1500, -75},  // wider than the button: negative
        {1350, 1400, -15},  // -25 cut toward zero
        {1350, 1380, -15},  // -15 is a multiple: stays
        {1350, 1381, -15},  // -15.5 rounds to -16, cut to -15
        {1350, 1379, 0},    // -14.5 rounds to -14, cut to 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(mivoCaptionOffset(c.outer, c.inner), c.offset) << c.outer << " " << c.inner;
}

TEST_F(MivoButtonTest, CaptionWiderThanTheButtonStartsLeftOfIt)
{
    button->setCaption(QStringLiteral("一个比按钮宽得多的标题文字"));
    const int left = button->LblCaption->Left();
    EXPECT_GT(button->LblCaption->Width(), button->Width());
    EXPECT_LT(left, 0);
    EXPECT_EQ(left % 15, 0);
    EXPECT_GT(left, (button->Width() - button->LblCaption->Width()) / 2 - 15);
}

TEST_F(MivoButtonTest, ResizeCentresTheCaptionAndKeepsTheFrame)
{
    hover();
    ASSERT_EQ(button->shownFrame(), 1);
    const int stripLeft = button->ImgBack->Left();
    button->Move(1500, 900, 2700, 900);
    EXPECT_EQ(button->ImgBack->Left(), stripLeft);
    EXPECT_EQ(button->ImgBack->Top(), 0);
    EXPECT_EQ(button->LblCaption->Left(), mivoCaptionOffset(2700, button->LblCaption->Width()));
}

TEST_F(MivoButtonTest, At120DpiThePressedCaptionMovesTwelveTwips)
{
    setTwipsPerPixelOverride(12, 12);
    button->Move(1200, 720, 1080, 360);
    const int left = button->LblCaption->Left();
    const int top = button->LblCaption->Top();
    tsupport::press(*button);
    EXPECT_EQ(button->LblCaption->Left(), left + 12);
    EXPECT_EQ(button->LblCaption->Top(), top + 12);
    tsupport::release(*button);
    EXPECT_EQ(button->LblCaption->Left(), left);
}

TEST_F(MivoButtonTest, ArrayMembersShareOneClickHandlerByIndex)
{
    ControlArray<mivoButton> buttons;
    buttons.create(0, host.get())->Move(600, 1800, 1350, 450);
    buttons(0).setPicture(strip(90, 30));
    buttons(0).setCaption(QStringLiteral("取消"));
    buttons(0).setEnabled(false);
    std::vector<int> clicked;
    buttons.Click = [&](int i) { clicked.push_back(i); };

    mivoButton* copy = buttons.Load(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->Visible()) << "a loaded member starts hidden";
    EXPECT_EQ(copy->Caption(), QStringLiteral("取消"));
    EXPECT_EQ(copy->shownFrame(), 3);
    copy->setEnabled(true);
    copy->setLeft(3000);
    copy->setVisible(true);
    tsupport::click(*copy);
    tsupport::click(buttons(0));
    EXPECT_EQ(clicked, std::vector<int>{1});
    // A missing member answers a stand-in that nothing shows.
    buttons(7).setCaption(QStringLiteral("x"));
    EXPECT_FALSE(buttons.exists(7));
}

} // namespace
