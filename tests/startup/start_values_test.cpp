#include <gtest/gtest.h>

#include "session_state/session_state.h"
#include "startup/start_values.h"

TEST(StartValues, ScaleFactorsKeepThePixelSize)
{
    const struct {
        double dpi;
        double scale;
    } cases[] = {{96, 1.0}, {120, 0.8}, {144, 96.0 / 144}, {192, 0.5}, {0, 1.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(scaleFactor(twipsPerPixel(c.dpi)), c.scale) << c.dpi;
    // The splash's 6000 x 3000 twips stay 400 x 200 pixels at 120 dpi.
    EXPECT_DOUBLE_EQ(6000 * scaleFactor(twipsPerPixel(120)) / twipsPerPixel(120), 400);
}

TEST(StartValues, RunLogIsNamedByTheStartTime)
{
    const QDateTime t(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(runLogPathFor(QStringLiteral("/opt/talvesk/"), t), QStringLiteral("/opt/talvesk/ksdata/20240305070809.txt"));
    const QDateTime late(QDate(2024, 12, 31), QTime(23, 59, 59));
    EXPECT_EQ(runLogPathFor(QStringLiteral("/a/"), late), QStringLiteral("/a/ksdata/20241231235959.txt"));
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
    EXPECT_FALSE(S().OsVersion.isEmpty());
    resetSession();
}
