#include <QApplication>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/vb_controls.h"

int main(int argc, char** argv)
{
    // The web view lays pages out in this program started again.
    if (const auto laidOut = vb::WebView::runLayoutProcess(argc, argv))
        return *laidOut;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Every test runs on the manual clock: time moves only when a test advances it.
    platform::Clock::useManual(true);
    return RUN_ALL_TESTS();
}
