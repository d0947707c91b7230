#include <gtest/gtest.h>

#include "platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::InstanceLock;

namespace {

// Another process that takes the lock of `folder` (as the user `uid` when the test may change
// users) and holds it until it is killed.
class OtherProgram {
public:
    OtherProgram(const QString& folder, uid_t uid)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            if (::geteuid() == 0 && uid != 0 && (::setgid(uid) != 0 || ::setuid(uid) != 0))
                ::_exit(2);
            InstanceLock lock(folder);
            const char got = lock.acquire() == InstanceLock::Result::Acquired ? 'y' : 'n';
            if (::write(ready[1], &got, 1) != 1)
                ::_exit(2);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char got = 0;
        locked_ = pid_ > 0 && ::read(ready[0], &got, 1) == 1 && got == 'y';
        ::close(ready[0]);
    }
    ~OtherProgram() { kill(); }
    bool locked() const { return locked_; }
    // Ends it as a crash would, without any clean-up of its own.
    void kill()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool locked_ = false;
};

} // namespace

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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList()) << "no file is left";
}

// Another user's program on the same installation refuses this one, also where the installation
// is reached by another path; it ends by a kill, as in a crash, and leaves nothing that refuses
// anyone. Another installation is another lock.
TEST(InstanceLock, AnotherUsersProgramOnTheInstallationRefusesUntilItEnds)
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(dir.isValid() && elsewhere.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString byLink = elsewhere.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(dir.path(), byLink));

    OtherProgram other(dir.path(), 65534); // nobody, where the test runs as root
    ASSERT_TRUE(other.locked());
    for (const QString& path : {dir.path(), byLink}) {
        InstanceLock lock(path);
        EXPECT_EQ(lock.acquire(), InstanceLock::Result::HeldByAnother) << path.toStdString();
    }
    InstanceLock another(elsewhere.path());
    EXPECT_EQ(another.acquire(), InstanceLock::Result::Acquired);

    other.kill();
    InstanceLock after(dir.path());
    EXPECT_EQ(after.acquire(), InstanceLock::Result::Acquired);
}

// The lock needs no write access: a read-only installation is locked alike. A folder that cannot
// be opened at all is not mistaken for another program.
TEST(InstanceLock, AReadOnlyFolderLocksAndAMissingOneIsUnavailable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    InstanceLock first(dir.path());
    EXPECT_EQ(first.acquire(), InstanceLock::Result::Acquired);
    InstanceLock second(dir.path());
    EXPECT_EQ(second.acquire(), InstanceLock::Result::HeldByAnother);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);

    InstanceLock missing(dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_EQ(missing.acquire(), InstanceLock::Result::Unavailable);
    InstanceLock none{QString()};
    EXPECT_EQ(none.acquire(), InstanceLock::Result::Unavailable);
}
