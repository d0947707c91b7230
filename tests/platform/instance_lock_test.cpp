#include <gtest/gtest.h>

#include "platform/instance_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include <unistd.h>

using platform::InstanceLock;

TEST(InstanceLock, SecondInstanceIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        InstanceLock first(dir.path());
        ASSERT_EQ(first.acquire(), InstanceLock::Result::Acquired);
        EXPECT_EQ(first.acquire(), InstanceLock::Result::Acquired); // already ours
        InstanceLock second(dir.path());
        EXPECT_EQ(second.acquire(), InstanceLock::Result::HeldByAnother);
        EXPECT_FALSE(second.isLocked());
        EXPECT_TRUE(first.isLocked());
    }
    InstanceLock later(dir.path());
    EXPECT_EQ(later.acquire(), InstanceLock::Result::Acquired);
}

TEST(InstanceLock, LockOfADeadProcessIsTakenOver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = InstanceLock(dir.path()).filePath();
    // A lock file as a crashed run leaves it: our own lock's contents with a process id that
    // cannot belong to any running process.
    QByteArray contents;
    {
        QLockFile probe(path);
        ASSERT_TRUE(probe.tryLock(0));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        contents = f.readAll();
    }
    contents = "1073741823" + contents.mid(contents.indexOf('\n'));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    InstanceLock lock(dir.path());
    EXPECT_EQ(lock.acquire(), InstanceLock::Result::Acquired);
}

// The temporary folder is shared by every user: another user's running instance (or the lock
// it left, which this user could not remove) refuses no one else.
TEST(InstanceLock, AnotherUsersLockRefusesNoOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString mine = QFileInfo(InstanceLock(dir.path()).filePath()).fileName();
    EXPECT_TRUE(mine.startsWith(QStringLiteral("talvesk-")) && mine.endsWith(QStringLiteral(".lock"))) << mine.toStdString();
    for (const QString& other : {QStringLiteral("talvesk.lock"), QStringLiteral("talvesk-%1.lock").arg(::getuid() + 1)}) {
        QLockFile theirs(dir.filePath(other));
        ASSERT_TRUE(theirs.tryLock(0));
        InstanceLock lock(dir.path());
        EXPECT_EQ(lock.acquire(), InstanceLock::Result::Acquired) << other.toStdString();
    }
}

TEST(InstanceLock, UnwritableFolderIsNotMistakenForAnotherInstance)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock lock(dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_EQ(lock.acquire(), InstanceLock::Result::Unavailable);
}
