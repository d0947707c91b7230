// Files that are not what their names say, on a real file system: a pipe, a device reached through
// a link and a folder in the place of a picture or a text file are refused at once with the
// reader's own error, and a file past the reader's bound is refused without being read.

#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vb;

namespace {

struct Kind {
    const char* name;
    std::function<bool(const QByteArray& path)> make;
};

const Kind kinds[] = {
    {"a pipe", [](const QByteArray& p) { return ::mkfifo(p.constData(), 0644) == 0; }},
    {"a link to /dev/zero", [](const QByteArray& p) { return ::symlink("/dev/zero", p.constData()) == 0; }},
    {"a folder", [](const QByteArray& p) { return ::mkdir(p.constData(), 0755) == 0; }},
};

QByteArray native(const QString& path) { return QFile::encodeName(path); }

// Every reader of pictures, on the thing at `path`: each must give error 481 (as for a file that
// holds no picture) without waiting. What failed, as text.
QStringList pictureReaders(const QString& path)
{
    QStringList failed;
    const auto refused = [&failed](const char* reader, bool nothing, const Error& err) {
        if (!nothing || err.number != errInvalidPicture)
            failed << QStringLiteral("%1 gave %2").arg(QLatin1String(reader), nothing ? QString::number(err.number) : QStringLiteral("a picture"));
    };
    Error err;
    refused("LoadPicture", !LoadPicture(path, &err), err);
    refused("CheckPicture", !CheckPicture(path, &err), err);
    refused("LoadCursor", !LoadCursor(path, &err), err);
    decodeAhead({path});
    waitForDecodeAhead();
    refused("CheckPicture after the decode ahead", !CheckPicture(path, &err), err);
    decodeAhead({path});
    refused("LoadPicture after the decode ahead", !LoadPicture(path, &err), err);
    dropDecodedAhead();
    return failed;
}

// Every reader of text files on it: each must give nothing, without waiting.
QStringList textReaders(const QString& path)
{
    QStringList failed;
    const auto refused = [&failed](const char* reader, bool nothing) {
        if (!nothing)
            failed << QStringLiteral("%1 read it").arg(QLatin1String(reader));
    };
    refused("readBytes", !platform::readBytes(path));
    refused("readLines", !platform::readLines(path));
    refused("readLineAt", !platform::readLineAt(path, 1));
    refused("lineCount", !platform::lineCount(path));
    refused("readTextLines", !platform::readTextLines(path));
    if (platform::readWholeFile(platform::resolvePath(path), 1 << 20).status != platform::ReadStatus::NotAFile)
        failed << QStringLiteral("readWholeFile did not say it is no file");
    return failed;
}

// Makes each kind in turn at `path` (after `before`, when given), runs `checks` on it, and clears
// the place again; what failed, each with the kind it failed on.
QStringList forEachKind(const QString& path, const std::function<QStringList()>& checks, const std::function<void()>& before = {})
{
    QStringList failed;
    for (const Kind& kind : kinds) {
        if (before)
            before();
        if (!kind.make(native(path)))
            return failed << QStringLiteral("cannot make ") + QLatin1String(kind.name);
        for (const QString& f : checks())
            failed << QLatin1String(kind.name) + QStringLiteral(": ") + f;
        QDir(path).removeRecursively();
        QFile::remove(path);
    }
    return failed;
}

// The checks run where a hang or a read without end cannot hold the tests for good: in a fresh
// run of this test alone, which an alarm ends. The child says what failed on its error output.
void inGuardedChild(const std::function<QStringList()>& checks)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(30);
            const QStringList failed = checks();
            std::fprintf(stderr, "%s\n", qPrintable(failed.join(QStringLiteral("; "))));
            std::_Exit(failed.isEmpty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace

// A face, a step picture, a pointer: whatever reads a picture refuses a pipe, a device and a
// folder at once with error 481, the decode ahead too, and so does a picture control whose face
// was replaced by one after its check.
TEST(FileKinds, APictureThatIsNoRegularFileIsRefusedAtOnceAsNoPicture)
{
    inGuardedChild([] {
        tsupport::TempInstall install;
        const QString cover = install.path(QStringLiteral("data/l20051.mxy"));
        QDir().mkpath(install.path(QStringLiteral("data")));
        QStringList failed = forEachKind(cover, [&cover] { return pictureReaders(cover); });
        // Named in another case, it is the same thing: found, and refused the same way.
        const QString otherCase = install.path(QStringLiteral("data/L20051.MXY"));
        for (const QString& f : forEachKind(cover, [&otherCase] { return pictureReaders(otherCase); }))
            failed << QStringLiteral("in another case, ") + f;

        // Checked as a picture, replaced before its first drawing.
        const QString face = install.path(QStringLiteral("data/l20067.mxy"));
        HeldPicture held;
        Error heard;
        const auto checkThenRemove = [&] {
            heard = Error{};
            held = HeldPicture();
            install.writePicture(QStringLiteral("data/l20067.mxy"), {4, 3});
            if (std::optional<PictureFile> checked = CheckPicture(face)) {
                checked->failed = [&heard](const Error& e) { heard = e; };
                held.set(*checked);
            }
            QFile::remove(face);
        };
        failed << forEachKind(
            face,
            [&] {
                if (!held.has() || held.get() || heard.number != errInvalidPicture)
                    return QStringList{QStringLiteral("the held face gave error ") + QString::number(heard.number)};
                return QStringList();
            },
            checkThenRemove);
        return failed;
    });
}

// Records, tables, step and question files: every text reader refuses them the same way.
TEST(FileKinds, ATextFileThatIsNoRegularFileIsRefusedAtOnce)
{
    inGuardedChild([] {
        tsupport::TempInstall install;
        const QString record = install.path(QStringLiteral("288893.mxy"));
        QStringList failed = forEachKind(record, [&record] { return textReaders(record); });
        const QString otherCase = install.path(QStringLiteral("288893.MXY"));
        for (const QString& f : forEachKind(record, [&otherCase] { return textReaders(otherCase); }))
            failed << QStringLiteral("in another case, ") + f;
        return failed;
    });
}

// A line of the run log goes only into a regular file: a pipe, a device and a folder in the log's
// place refuse it at once.
TEST(FileKinds, ALogLineGoesOnlyIntoARegularFile)
{
    inGuardedChild([] {
        tsupport::TempInstall install;
        const QString log = install.path(QStringLiteral("20260101000000.txt"));
        return forEachKind(log, [&log] {
            return platform::appendText(log, QStringLiteral("\r\nreport\r\n")) ? QStringList{QStringLiteral("appendText took it")} : QStringList();
        });
    });
}

// The bound of a read: a file within it is read whole, one past it is refused unread, text files
// and pictures each by their own bound (a picture's follows the decoder's limit on its memory).
TEST(FileKinds, AFilePastTheReadersBoundIsRefusedUnread)
{
    tsupport::TempInstall install;
    const QString small = install.writeBytes(QStringLiteral("small.mxy"), "0123456789");
    EXPECT_EQ(platform::readWholeFile(small, 10).status, platform::ReadStatus::Read);
    EXPECT_EQ(platform::readWholeFile(small, 10).bytes, "0123456789");
    EXPECT_EQ(platform::readWholeFile(small, 9).status, platform::ReadStatus::TooLarge);
    EXPECT_TRUE(platform::readWholeFile(small, 9).bytes.isEmpty());
    EXPECT_EQ(platform::readWholeFile(install.path(QStringLiteral("none.mxy")), 10).status, platform::ReadStatus::NotOpened);

    // Files with holes: as large as they say, without taking the disk.
    const auto sparse = [&install](const char* name, const QByteArray& head, qint64 size) {
        const QString p = install.writeBytes(QString::fromLatin1(name), head);
        EXPECT_EQ(::truncate(native(p).constData(), size), 0) << name;
        return p;
    };
    const QString text = sparse("288821.mxy", "0001\r\n", platform::TextFileMaxBytes + 1);
    EXPECT_EQ(platform::readBytes(text), std::nullopt);
    EXPECT_EQ(platform::readLineAt(text, 1), std::nullopt);
    EXPECT_EQ(platform::lineCount(text), std::nullopt);
    const qint64 pictureBound = (qint64(QImageReader::allocationLimit()) + 1) * 1024 * 1024;
    const QString picture = sparse("311101.mxy", "BM", pictureBound + 1);
    Error err;
    EXPECT_FALSE(LoadPicture(picture, &err));
    EXPECT_EQ(err.number, errInvalidPicture);
    EXPECT_FALSE(CheckPicture(picture, &err));
    EXPECT_EQ(err.number, errInvalidPicture);
}
