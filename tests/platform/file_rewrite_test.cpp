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

// Saves `group` in a child process that is killed just before the group's rename number `n`;
// whether it was.
bool killedBeforeRename(const std::vector<platform::GroupFile>& group, int n)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int renames = 0;
        platform::setGroupRenameHook([&](const QString&) {
            if (++renames == n)
                ::raise(SIGKILL);
        });
        platform::saveGroup(group);
        ::_exit(0);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
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

// A symbolic link in a save's place, to a file outside or to none: every save replaces the link
// by a regular file with the new bytes and leaves what it pointed to as it was. A link among the
// folders on the way is followed.
TEST_F(FileRewriteTest, ASaveReplacesALinkInsteadOfWritingThroughIt)
{
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    const QString outsideFile = outside.filePath(QStringLiteral("kept.txt"));
    const QString missing = outside.filePath(QStringLiteral("missing.txt"));
    const QString target = file("288895.mxy");
    for (const QString& pointsTo : {outsideFile, missing}) {
        for (const auto& [what, save] : saves(target, "new\r\n")) {
            writeFile(outsideFile, "outside\r\n");
            QFile::remove(missing);
            QFile::remove(target);
            ASSERT_TRUE(QFile::link(pointsTo, target));
            writeFile(file("other.mxy"), "old other\r\n");
            EXPECT_TRUE(save()) << what;
            EXPECT_FALSE(QFileInfo(target).isSymLink()) << what;
            EXPECT_TRUE(QFileInfo(target).isFile()) << what;
            EXPECT_EQ(bytesOf(target), "new\r\n") << what;
            EXPECT_EQ(bytesOf(outsideFile), "outside\r\n") << what;
            EXPECT_FALSE(QFile::exists(missing)) << what;
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("288895.mxy"), QStringLiteral("other.mxy")})) << what;
        }
    }

    // The record folder a link to a folder outside: the save lands there.
    ASSERT_TRUE(QFile::link(outside.path(), file("ksdata")));
    EXPECT_TRUE(platform::saveFiles({{file("ksdata/a.mxy"), "a\r\n"}, {file("ksdata/b.mxy"), "b\r\n"}}));
    EXPECT_EQ(bytesOf(outside.filePath(QStringLiteral("a.mxy"))), "a\r\n");
    EXPECT_EQ(bytesOf(outside.filePath(QStringLiteral("b.mxy"))), "b\r\n");
    EXPECT_TRUE(QFileInfo(file("ksdata")).isSymLink());
}

// A group of three files whose process is killed between its second and its third rename: the
// next start puts every file back (a new one removed again) and leaves nothing beside them. A
// group that ends leaves no journal or old copy.
TEST_F(FileRewriteTest, AGroupKilledBetweenItsRenamesIsPutBackAtTheNextStart)
{
    const QString a = file("288891.mxy"), b = file("182420.mxy"), c = file("182421.mxy"), d = file("182422.mxy");
    const std::vector<platform::GroupFile> group{{a, "new a\r\n"}, {b, "new b\r\n"}, {c, "new c\r\n"}, {d, std::nullopt}};
    for (const bool cExists : {true, false}) {
        writeFile(a, "old a\r\n");
        writeFile(b, "old b\r\n", 0600);
        QFile::remove(c);
        if (cExists)
            writeFile(c, "old c\r\n");
        writeFile(d, "old d\r\n");
        const QStringList before = entries();

        ASSERT_TRUE(killedBeforeRename(group, 3)) << cExists;
        ASSERT_EQ(bytesOf(a), "new a\r\n") << "killed after the second rename";
        ASSERT_EQ(bytesOf(b), "new b\r\n");

        EXPECT_EQ(platform::recoverSaves({dir.path()}), QStringList()) << cExists;
        EXPECT_EQ(bytesOf(a), "old a\r\n") << cExists;
        EXPECT_EQ(bytesOf(b), "old b\r\n") << cExists;
        EXPECT_EQ(modeOf(b), 0600u) << cExists;
        EXPECT_EQ(bytesOf(c), cExists ? QByteArray("old c\r\n") : QByteArray("<missing>")) << cExists;
        EXPECT_EQ(bytesOf(d), "old d\r\n") << cExists;
        EXPECT_EQ(entries(), before) << cExists << ": nothing left beside the files";

        EXPECT_EQ(platform::saveGroup(group), platform::GroupSave::Saved) << cExists;
        EXPECT_EQ(bytesOf(c), "new c\r\n") << cExists;
        EXPECT_FALSE(QFile::exists(d)) << cExists;
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("182420.mxy"), QStringLiteral("182421.mxy"), QStringLiteral("288891.mxy")})) << cExists;
    }
}

// A journal that cannot be read at a start (a disk error, no permission) is no journal cut short:
// it and the old copies of its group stay, and it is told, so that a later start puts the group
// back.
TEST_F(FileRewriteTest, AJournalThatCannotBeReadKeepsItsGroupForTheNextStart)
{
    const QString a = file("288891.mxy"), b = file("182420.mxy");
    const std::vector<platform::GroupFile> group{{a, "new a\r\n"}, {b, "new b\r\n"}};
    for (const platform::ReadFailure failure : {platform::ReadFailure::AtOpen, platform::ReadFailure::PartWay}) {
        writeFile(a, "old a\r\n");
        writeFile(b, "old b\r\n");
        const QStringList before = entries();
        ASSERT_TRUE(killedBeforeRename(group, 2));
        ASSERT_EQ(bytesOf(a), "new a\r\n") << "killed after the first rename";

        platform::setReadFailureHook([failure](const QString& p) { return p.contains(QStringLiteral(".talvesk-group-")) ? failure : platform::ReadFailure::None; });
        const QStringList told = platform::recoverSaves({dir.path()});
        platform::setReadFailureHook(nullptr);
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].contains(QStringLiteral("288891.mxy.talvesk-group-"))) << told[0].toStdString();
        EXPECT_EQ(entries().filter(QStringLiteral(".talvesk-old-")).size(), 2) << "the old copies stay";

        EXPECT_EQ(platform::recoverSaves({dir.path()}), QStringList());
        EXPECT_EQ(bytesOf(a), "old a\r\n");
        EXPECT_EQ(bytesOf(b), "old b\r\n");
        EXPECT_EQ(entries(), before);
    }
}

// At a start, the program's own leftovers go: temporaries of saves and downloads cut off, old
// copies and journals (one cut short while it was written). Names that only look alike stay.
TEST_F(FileRewriteTest, TheStartRemovesOnlyTheProgramsOwnLeftovers)
{
    const char* leftovers[] = {"288862.mxy.talvesk-new-0a1b2c3d", "288821.mxy.talvesk-new-zzzzzzzz",
                               "288893.mxy.talvesk-old-k3j9x2aa", "288891.mxy.talvesk-group-00000000"};
    const char* others[] = {"288862.mxy", "288862.mxy.6g4ta", "288862.mxy.old", "288862.mxy.talvesk-new-0A1B2C3D",
                            "288862.mxy.talvesk-new-0a1b2c3", "288862.mxy.talvesk-new-0a1b2c3de", ".talvesk-new-0a1b2c3d",
                            "288862.mxy.talvesk-tmp-0a1b2c3d", "notes.talvesk-old-0a1b2c3d.txt"};
    for (const char* n : leftovers)
        writeFile(file(n), "x");
    // A journal cut short: its group had not begun its renames.
    writeFile(file("288891.mxy.talvesk-group-00000000"), "talvesk file group\n288891.mxy old ab");
    for (const char* n : others)
        writeFile(file(n), "mine");
    // A folder under such a name is none of ours.
    ASSERT_TRUE(QDir().mkpath(file("288863.mxy.talvesk-new-0a1b2c3d")));
    QStringList kept;
    for (const char* n : others)
        kept << QString::fromLatin1(n);
    kept << QStringLiteral("288863.mxy.talvesk-new-0a1b2c3d");
    kept.sort();

    EXPECT_EQ(platform::recoverSaves({dir.path(), file("missing")}), QStringList());
    EXPECT_EQ(entries(), kept);
    for (const char* n : others)
        EXPECT_EQ(bytesOf(file(n)), "mine") << n;
}
