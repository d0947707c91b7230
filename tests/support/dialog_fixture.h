#pragma once
// The small dialogs' tests: a temporary installation with a data folder, the configuration
// entries of the standard window title, a 96-dpi 1024 x 768 screen, and the drag strip check.

#include "platform/vb.h"
#include "session_state/session_state.h"
#include "support/events.h"

#include <gtest/gtest.h>

namespace tsupport {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        tsupport::standardScreen();
        resetSession();
        S().AppPath = install.root();
        S().DataDir = install.mkdir(QStringLiteral("data")) + u'/';
        install.mkdir(QStringLiteral("ksdata"));
        S().sysInfo[0] = QStringLiteral("Talvesk");
        S().sysInfo[9] = QStringLiteral("练习系统");
        S().ModuleName = QStringLiteral("电子表格");
        install.writePicture(QStringLiteral("data/l20070.mxy"), {420, 280}, Qt::darkCyan);
        install.writePicture(QStringLiteral("data/l20001.mxy"), {360, 30}, Qt::green);
        install.writePicture(QStringLiteral("data/l20003.mxy"), {88, 22}, Qt::red);
    }
    void TearDown() override
    {
        vb::setDragObserver({});
        vb::Forms::unloadAll();
        vb::setTwipsPerPixelOverride(0, 0);
        vb::setScreenSizeOverride(0, 0);
        resetSession();
    }

    // How many drags a right-button and then a left-button press on the strip begin.
    static std::pair<int, int> dragsByButton(vb::Control& strip)
    {
        int drags = 0;
        vb::setDragObserver([&](vb::Form&) { ++drags; });
        tsupport::press(strip, vb::vbRightButton);
        tsupport::release(strip, vb::vbRightButton);
        const int right = drags;
        tsupport::press(strip, vb::vbLeftButton);
        tsupport::release(strip, vb::vbLeftButton);
        vb::setDragObserver({});
        return {right, drags - right};
    }

    TempInstall install;
};

} // namespace tsupport
