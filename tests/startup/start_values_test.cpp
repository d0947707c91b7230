#include <gtest/gtest.h>

#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/start_values.h"

TEST(StartValues, ScaleFactorsKeepThePixelSize)
{
    const struct {
        double twipsPerPixel;
        double scale;
    } cases[] = {{15, 1.0}, {12, 0.8}, {10, 2.0 / 3}, {7.5, 0.5}};
    for (const auto& c : cases) {
        vb::setTwipsPerPixelOverride(c.twipsPerPixel, c.twipsPerPixel);
        setScaleFromScreen();
        EXPECT_DOUBLE_EQ(S().ScaleX, c.scale) << c.twipsPerPixel;
        EXPECT_DOUBLE_EQ(S().ScaleY, c.scale) << c.twipsPerPixel;
        // The splash's 6000 x 3000 design twips stay 400 x 200 pixels.
        EXPECT_EQ(vb::pxX(scaledX(6000)), 400) << c.twipsPerPixel;
        EXPECT_EQ(vb::pxY(scaledY(3000)), 200) << c.twipsPerPixel;
    }
    vb::setTwipsPerPixelOverride(0, 0);
}

TEST(StartValues, RunLogIsNamedByTheStartTime)
{
    const QDateTime t(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(runLogPathFor(QStringLiteral("/opt/talvesk"), t), QStringLiteral("/opt/talvesk/ksdata/20240305070809.txt"));
    const QDateTime late(QDate(2024, 12, 31), QTime(23, 59, 59));
    EXPECT_EQ(runLogPathFor(QStringLiteral("/a"), late), QStringLiteral("/a/ksdata/20241231235959.txt"));
}

TEST(StartValues, SessionValuesOfTheSplash)
{
    resetSession();
    S().SetIndex = 4;
    S().DemoRunning = 1;
    S().sysInfo[8] = QStringLiteral(" 张三 ");
    setStartSessionValues();
    EXPECT_EQ(S().SetIndex, 0);
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_EQ(S().CandidateName, QStringLiteral("张三"));
    resetSession();
}
