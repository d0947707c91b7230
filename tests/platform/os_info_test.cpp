#include <gtest/gtest.h>

#include "platform/os_info.h"

TEST(OsInfo, MajorAndMinorOfTheKernelRelease)
{
    const struct {
        const char* release;
        const char* version;
    } cases[] = {
        {"6.1.0-18-amd64", "6.1"},
        {"5.15.153.1-microsoft-standard-WSL2", "5.15"},
        {"10.0", "10.0"},
        {"06.010-rc1", "6.10"},
        {"6", "Unknown"},
        {"6.", "Unknown"},
        {"6.x", "Unknown"},
        {"v6.1", "Unknown"},
        {"", "Unknown"},
        {"99999999999.1", "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::osVersionFromRelease(QString::fromLatin1(c.release)), QString::fromLatin1(c.version)) << c.release;
}

TEST(OsInfo, RunningSystemGivesAVersionText)
{
    const QString v = platform::osVersion();
    EXPECT_TRUE(v == QStringLiteral("Unknown") || v.contains(u'.')) << v.toStdString();
}
