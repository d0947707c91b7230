// The program's start-up signals: with a small file-size limit (`ulimit -f`), a save or a line of
// the run log that would pass it fails as on a full disk, and the program goes on.

#include "platform/files.h"
#include "platform/process_signals.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The child takes the program's start-up signals (the default ones first, as a fresh process
// has them) and a file-size limit of 4 KiB; it must end by itself, having heard of each failure.
TEST(StartupSignals, AWritePastTheFileSizeLimitFailsAndTheProgramGoesOn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString record = dir.filePath(QStringLiteral("288819.mxy"));
    const QString log = dir.filePath(QStringLiteral("20260101000000.txt"));
    {
        QFile f(record);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\r\n");
        QFile l(log);
        ASSERT_TRUE(l.open(QIODevice::WriteOnly));
        l.write(QByteArray(5000, 'x')); // already past the limit
    }
    const QByteArray fresh = QByteArray("new line\r\n").repeated(1000);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        platform::setStartupSignals();
        struct rlimit r {};
        ::getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &r);
        const bool saved = platform::saveBytes(record, fresh);
        const bool logged = platform::appendText(log, QStringLiteral("\r\n2026-01-01 00:00:00\r\nreport\r\n"));
        ::_exit(saved || logged ? 1 : 0);
    }
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a write past the limit did not fail";
    EXPECT_EQ(tsupport::fileBytes(record), "old\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("20260101000000.txt"), QStringLiteral("288819.mxy")}))
        << "no temporary is left";
}
