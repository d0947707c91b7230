// Installation paths found whatever the case of their parts, for reading and for writing.

#include "platform/files.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(PathLookup, EachPartIsMatchedWithoutRegardToCase)
{
    tsupport::TempInstall install;
    install.writeBytes("Data/Sub/9LX007.MXY", "x");
    install.writeBytes("ksdata/288893.mxy", "x");
    install.mkdir("Empty");
    struct Case {
        const char* asked;
        const char* read;  // what a reader opens ("" = the path as asked)
        const char* write; // where a writer writes
    } const cases[] = {
        {"Data/Sub/9LX007.MXY", "Data/Sub/9LX007.MXY", "Data/Sub/9LX007.MXY"},
        {"data/sub/9lx007.mxy", "Data/Sub/9LX007.MXY", "Data/Sub/9LX007.MXY"},
        {"Data/Sub/9lX007.mxy", "Data/Sub/9LX007.MXY", "Data/Sub/9LX007.MXY"},
        {"KSDATA/288893.MXY", "ksdata/288893.mxy", "ksdata/288893.mxy"},
        {"ksdata/182400.mxy", "", "ksdata/182400.mxy"},
        {"KSDATA/New.mxy", "", "ksdata/New.mxy"},
        {"data/SUB/new/deeper.mxy", "", "Data/Sub/new/deeper.mxy"},
        {"nowhere/at/all.mxy", "", "nowhere/at/all.mxy"},
        {"empty/New.mxy", "", "Empty/New.mxy"},
        {"Data", "Data", "Data"},
        {"DATA/sub", "Data/Sub", "Data/Sub"},
    };
    for (const Case& c : cases) {
        const QString asked = install.path(c.asked);
        const QString read = *c.read ? install.path(c.read) : asked;
        EXPECT_EQ(platform::resolvePath(asked), read) << c.asked;
        EXPECT_EQ(platform::resolvePathForWrite(asked), install.path(c.write)) << c.asked;
    }
}

TEST(PathLookup, RelativePathsAreMatchedFromTheWorkingFolder)
{
    tsupport::TempInstall install;
    install.writeBytes("Data/L20059.MXY", "x");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(install.root()));
    EXPECT_EQ(platform::resolvePath(QStringLiteral("data/l20059.mxy")), QStringLiteral("Data/L20059.MXY"));
    EXPECT_EQ(platform::resolvePath(QStringLiteral("./data/l20059.mxy")), QStringLiteral("Data/L20059.MXY"));
    EXPECT_EQ(platform::resolvePathForWrite(QStringLiteral("DATA/new.mxy")), QStringLiteral("Data/new.mxy"));
    EXPECT_EQ(platform::resolvePath(QStringLiteral("data/missing.mxy")), QStringLiteral("data/missing.mxy"));
    QDir::setCurrent(before);
}

} // namespace
