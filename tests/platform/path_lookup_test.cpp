// Installation paths found whatever the case of their parts, for reading and for writing.

#include "platform/files.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

namespace {

TEST(PathLookup, EachPartIsMatchedWithoutRegardToCase)
{
    tsupport::TempInstall install;
    install.writeBytes("Data/Sub/9LX007.MXY", "x");
    install.writeBytes("ksdata/288893.mxy", "x");
    install.mkdir("Empty");
    // Several folders that match a part in other case.
    install.mkdir("Sub/Deep");
    install.writeBytes("sUB/only.mxy", "x");
    install.writeBytes("sub/deep/Late.mxy", "x");
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
        // Each of them is tried: a file is found in whichever holds it; a new file goes into the
        // first of them in plain order.
        {"SUB/only.mxy", "sUB/only.mxy", "sUB/only.mxy"},
        {"SUB/ONLY.MXY", "sUB/only.mxy", "sUB/only.mxy"},
        {"SUB/DEEP/late.mxy", "sub/deep/Late.mxy", "sub/deep/Late.mxy"},
        {"SUB/new.mxy", "", "Sub/new.mxy"},
        {"SUB/DEEP/new.mxy", "", "Sub/Deep/new.mxy"},
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

// The folder as an installation's folder stands: last changed long ago.
void ageFolder(const QString& folder)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
}

// What the program itself writes is found at once in another case, also right after a lookup
// that listed the folder without it, and what it removes is gone.
TEST(PathLookup, AFileTheProgramWritesIsFoundAtOnceInAnotherCase)
{
    tsupport::TempInstall install;
    install.writeBytes("Data/OLD.MXY", "x");
    for (const bool aged : {true, false}) {
        if (aged)
            ageFolder(install.path("Data"));
        const QString name = aged ? QStringLiteral("Saved%1.MXY") : QStringLiteral("Fresh%1.MXY");
        EXPECT_EQ(platform::resolvePath(install.path("data/old.mxy")), install.path("Data/OLD.MXY"));
        EXPECT_EQ(platform::resolvePath(install.path("data/") + name.arg(1).toLower()), install.path("data/") + name.arg(1).toLower());
        ASSERT_TRUE(platform::saveBytes(install.path("Data/") + name.arg(1), "saved"));
        ASSERT_TRUE(platform::appendText(install.path("Data/") + name.arg(2), QStringLiteral("appended")));
        for (int i : {1, 2})
            EXPECT_EQ(platform::resolvePath(install.path("data/") + name.arg(i).toLower()), install.path("Data/") + name.arg(i)) << aged << i;
        ASSERT_TRUE(QFile::rename(install.path("Data/") + name.arg(2), install.path("Data/") + name.arg(3)));
        EXPECT_EQ(platform::resolvePath(install.path("data/") + name.arg(3).toLower()), install.path("Data/") + name.arg(3)) << aged;
        EXPECT_EQ(platform::resolvePath(install.path("data/") + name.arg(2).toLower()), install.path("data/") + name.arg(2).toLower()) << aged;
    }
}

// A file that another process makes after the folder was listed is found too: in a folder
// last changed long ago, by the change of the folder's time; in one just changed, whose time
// may not move again within its file system's step, because such a listing is not kept.
TEST(PathLookup, AFileMadeByAnotherProcessAfterTheListingIsFound)
{
    tsupport::TempInstall install;
    install.writeBytes("Aged/A.MXY", "x");
    install.writeBytes("Fresh/A.MXY", "x");
    ageFolder(install.path("Aged"));
    for (const char* folder : {"Aged", "Fresh"}) {
        const QString dir = install.path(QString::fromLatin1(folder));
        EXPECT_EQ(platform::resolvePath(dir + QStringLiteral("/a.mxy")), dir + QStringLiteral("/A.MXY")) << folder;
        EXPECT_EQ(platform::resolvePath(dir + QStringLiteral("/b.mxy")), dir + QStringLiteral("/b.mxy")) << folder;
        ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo x > \"$0/B.MXY\" && rm \"$0/A.MXY\""), dir}), 0);
        EXPECT_EQ(platform::resolvePath(dir + QStringLiteral("/b.mxy")), dir + QStringLiteral("/B.MXY")) << folder;
        EXPECT_EQ(platform::resolvePath(dir + QStringLiteral("/a.mxy")), dir + QStringLiteral("/a.mxy")) << folder;
    }
}

} // namespace
