#include <gtest/gtest.h>

#include "platform/instance_lock.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

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
    const QString path = dir.filePath(QStringLiteral("talvesk.lock"));
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

TEST(InstanceLock, UnwritableFolderIsNotMistakenForAnotherInstance)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanceLock lock(dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_EQ(lock.acquire(), InstanceLock::Result::Unavailable);
}
