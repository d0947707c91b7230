// Whole-file rewrites on a real file system: a write that fails part-way (the file size limit of
// a child process, which fails a write with EFBIG as a full disk fails it with ENOSPC), a rename
// that fails, a read-only target. Every save of the program and the download's save keep the old
// file, its bytes and its mode, and leave no temporary behind.

#include <gtest/gtest.h>

#include "platform/download.h"
#include "platform/files.h"
#include "support/http_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testsupport::LoopbackHttpServer;

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes, mode_t mode = 0640)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Runs `save` in a child process whose files may not grow past `limit` bytes; what it returned
// (nothing when the child did not end normally).
std::optional<bool> savedInChild(rlim_t limit, const std::function<bool()>& save)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r {};
        ::getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &r);
        ::_exit(save() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

class FileRewriteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { platform::setSaveCommitHook(nullptr); }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name); }

    // Every whole-file save, each writing `bytes` to `target` (the several-file save writes a
    // small file "other.mxy" first). The server is told here what to serve: a save may run in a
    // child process, whose changes the server does not see.
    std::vector<std::pair<const char*, std::function<bool()>>> saves(const QString& target, const QByteArray& bytes)
    {
        server.route(QStringLiteral("/f.rar"), 200, bytes);
        return {
            {"saveText", [=] { return platform::saveText(target, QString::fromLatin1(bytes)); }},
            {"saveBytes", [=] { return platform::saveBytes(target, bytes); }},
            {"saveFiles", [=, this] { return platform::saveFiles({{file("other.mxy"), "new other\r\n"}, {target, bytes}}); }},
            {"download", [=, this] { return platform::downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), target, 1 << 20); }},
        };
    }

    QTemporaryDir dir;
    LoopbackHttpServer server;
};

} // namespace

// The new bytes fit Qt's write buffer, so a save that left the write to a buffered flush would
// find out only when the file is closed.
TEST_F(FileRewriteTest, AWriteThatFailsPartWayKeepsTheOldFile)
{
    const QByteArray fresh = QByteArray("new line\r\n").repeated(1200); // 12,000 bytes
    const QString target = file("288893.mxy");
    for (const auto& [what, save] : saves(target, fresh)) {
        writeFile(target, "old\r\n", 0640);
        writeFile(file("other.mxy"), "old other\r\n", 0604);
        EXPECT_EQ(savedInChild(4096, save), false) << what;
        EXPECT_EQ(bytesOf(target), "old\r\n") << what;
        EXPECT_EQ(modeOf(target), 0640u) << what;
        EXPECT_EQ(bytesOf(file("other.mxy")), "old other\r\n") << what;
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("288893.mxy"), QStringLiteral("other.mxy")})) << what << ": no temporary is left";

        // Room enough: the same save replaces the file and keeps its mode.
        EXPECT_EQ(savedInChild(1 << 20, save), true) << what;
        EXPECT_EQ(bytesOf(target), fresh) << what;
        EXPECT_EQ(modeOf(target), 0640u) << what;
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("288893.mxy"), QStringLiteral("other.mxy")})) << what;
    }
}

// A rename that fails after others have replaced their files (a folder in the target's place
// refuses it, also to root) puts the replaced files back: every target keeps its old bytes.
TEST_F(FileRewriteTest, SeveralFilesWithALaterRenameFailingAllKeepTheirOldFiles)
{
    const char* names[] = {"a.mxy", "b.mxy", "c.mxy"};
    for (const int failing : {1, 2}) {
        for (const char* n : names) {
            QFile::remove(file(n));
            QDir(file(n)).removeRecursively();
        }
        writeFile(file("a.mxy"), "old a\r\n", 0600);
        writeFile(file("b.mxy"), "old b\r\n", 0644);
        writeFile(file("c.mxy"), "old c\r\n", 0644);
        // The failing target is a folder with a file in it.
        ASSERT_TRUE(QFile::remove(file(names[failing])));
        ASSERT_TRUE(QDir().mkpath(file(names[failing])));
        writeFile(file(names[failing]) + QStringLiteral("/keep"), "kept");
        const QStringList before = entries();

        EXPECT_FALSE(platform::saveFiles({{file("a.mxy"), "new a\r\n"}, {file("b.mxy"), "new b\r\n"}, {file("c.mxy"), "new c\r\n"}})) << failing;
        for (int i = 0; i < 3; ++i) {
            if (i == failing)
                EXPECT_EQ(bytesOf(file(names[i]) + QStringLiteral("/keep")), "kept") << failing;
            else
                EXPECT_EQ(bytesOf(file(names[i])), QByteArray("old ") + char('a' + i) + "\r\n") << failing << " " << names[i];
        }
        EXPECT_EQ(modeOf(file("a.mxy")), 0600u) << failing;
        EXPECT_EQ(entries(), before) << failing << ": nothing left beside the files";
    }

    // A file that did not exist before is removed again.
    QDir(file("c.mxy")).removeRecursively();
    QFile::remove(file("a.mxy"));
    ASSERT_TRUE(QDir().mkpath(file("c.mxy")));
    EXPECT_FALSE(platform::saveFiles({{file("a.mxy"), "new a\r\n"}, {file("b.mxy"), "new b\r\n"}, {file("c.mxy"), "new c\r\n"}}));
    EXPECT_FALSE(QFile::exists(file("a.mxy")));
    EXPECT_EQ(bytesOf(file("b.mxy")), "old b\r\n");
}

// A read-only file is kept by every save alike, also when root runs the program.
TEST_F(FileRewriteTest, AReadOnlyTargetIsKept)
{
    const QString target = file("288893.mxy");
    for (const auto& [what, save] : saves(target, "new\r\n")) {
        writeFile(target, "old\r\n", 0444);
        writeFile(file("other.mxy"), "old other\r\n", 0644);
        EXPECT_FALSE(save()) << what;
        EXPECT_EQ(bytesOf(target), "old\r\n") << what;
        EXPECT_EQ(modeOf(target), 0444u) << what;
        EXPECT_EQ(bytesOf(file("other.mxy")), "old other\r\n") << what;
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("288893.mxy"), QStringLiteral("other.mxy")})) << what;
    }
}

// A new file takes the mode a plain create gives: what the umask leaves of read and write.
TEST_F(FileRewriteTest, ANewFileTakesTheModeOfAPlainCreate)
{
    const mode_t mask = ::umask(027);
    EXPECT_TRUE(platform::saveBytes(file("new.mxy"), "x"));
    ::umask(mask);
    EXPECT_EQ(modeOf(file("new.mxy")), 0640u);
}
