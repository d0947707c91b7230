#pragma once
// Text files of the installation: GBK with CR LF line ends, as the existing installations
// share them. And the case-insensitive name lookup that the installation's file names need.

#include "platform/gbk_codec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

// The path of an existing file or folder whose name matches `path` with the case of each
// name part ignored ("data/9lX007.mxy" finds "data/9LX007.MXY"); the exact path is tried
// first. Returns `path` unchanged when nothing matches.
QString resolvePath(const QString& path);
// The same for a file about to be written: the parts that exist are matched as above, the rest
// keep their own spelling ("DATA/new.mxy" gives "data/new.mxy" when only the folder exists), so
// that a write replaces the existing file instead of putting a second one beside it.
QString resolvePathForWrite(const QString& path);

// One version of a file: its identity (device and inode), its size and its modification and
// change times to the nanosecond. A rewrite in place, a copy over it or a replacement by
// rename gives another version, even with the same size within the same second.
struct FileVersion {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FileVersion&) const = default;
};

// The version of the file at `path` as it stands (no case-insensitive lookup); nothing when it
// does not exist.
std::optional<FileVersion> fileVersion(const QString& path);

// Every reader splits lines by one rule: CR LF, a lone CR and a lone LF each end a line, and a
// line end at the end of the file makes no further, empty line.

// All lines of a GBK text file, or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString& path);

// Line n (1-based) of a GBK text file; a file shorter than n lines gives its last line, and so
// does n below 1; an empty or unreadable file gives nothing. The file is read, never mapped (a
// file cut short meanwhile gives a short read), and the starts of its lines are kept per file
// version, so that a line costs the same at any file size and any rewrite is read afresh.
std::optional<QString> readLineAt(const QString& path, int n);

// The number of lines of a GBK text file by the same rule; nothing when it cannot be read.
std::optional<int> lineCount(const QString& path);

// Whether a path holds U+0000, where the system would take it to end ("qt.conf", U+0000,
// "/x.mxy" names the installation's "qt.conf"): every file service here refuses such a path
// before it reaches the system, for reading and writing alike.
bool pathHoldsNul(QStringView path);

// What a read of a whole file came to.
enum class ReadStatus {
    Read,      // the bytes are the file's
    NotOpened, // no such file, no such folder, no permission
    NotAFile,  // a folder, a pipe, a device: refused at once, unread
    TooLarge,  // past the reader's bound: refused without being read whole
    Failed,    // the read failed part-way
};

struct WholeFile {
    ReadStatus status = ReadStatus::NotOpened;
    QByteArray bytes;                   // the file's, when read
    std::optional<FileVersion> version; // the file's as opened, when it was opened
};

// The one read of a whole file that every reader of the installation's files goes through: the
// file at `path` as spelled (no lookup of the case) is taken only when it is a regular file,
// opened without waiting (a pipe's open would wait for a writer, and a device such as /dev/zero
// reached through a link never ends), and read only when it holds at most `maxBytes`.
WholeFile readWholeFile(const QString& path, qint64 maxBytes);

// The bound of the text files (records, tables, step and question files), far above anything an
// installation holds or an update brings.
inline constexpr qint64 TextFileMaxBytes = qint64(64) * 1024 * 1024;

// The bytes of a file (looked up without regard to case), or nothing when it cannot be read
// whole within the bound of the text files.
std::optional<QByteArray> readBytes(const QString& path);

// A read that fails part-way counts as a failed read, never as a shorter file: a reader that
// took it for the whole file would have its caller rewrite the file from half of it.
enum class ReadFailure { None, AtOpen, PartWay };
// Tests: when set, every reader above asks it with the path it opens; AtOpen fails the open,
// PartWay lets the read start and fails it after some bytes, as a disk error would.
void setReadFailureHook(std::function<ReadFailure(const QString& path)> hook);

// Appends text, encoded as GBK, to a file (created when missing, in its folder found whatever
// the case of the folder's name). False on failure, and for anything but a regular file (a pipe
// is refused without waiting for a reader).
bool appendText(const QString& path, const QString& text);

// One rewrite of a file whole: the new bytes go to a temporary file beside the target, each
// write checked (no buffer holds back an error), and replace the target only when every write,
// the sync to disk and the close have succeeded, so that a crash or a full disk never leaves half
// a file. A rewrite that fails or is dropped removes its temporary and leaves the target as it
// was. A target whose mode allows no writing is kept: the open fails, as a write in place would.
// A rewritten file keeps its mode. A symbolic link in the target's place is replaced by the new
// file, never written through (what it points to stays as it was); links among the folders on
// the way are followed.
class FileRewrite {
public:
    explicit FileRewrite(const QString& target);
    ~FileRewrite();
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;

    // Creates the temporary file. False when it cannot be made or the target is read-only.
    bool open();
    // Appends to the temporary file: the size of `bytes`, or -1 once any write has failed.
    qint64 write(QByteArrayView bytes);
    // Drops the rewrite: the temporary goes, the target stays as it was.
    void cancelWriting();
    // Replaces the target by the temporary file. False (and the target as it was) on failure.
    bool commit();

private:
    friend class FileGroup;
    // The temporary file complete on disk and closed, ready to replace the target.
    bool complete();
    bool replaceTarget();

    QByteArray target_;
    QByteArray temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// The files the program makes beside a target while it saves: "<target>.talvesk-new-<id>" (a
// temporary with the new bytes), "<target>.talvesk-old-<id>" (the old file kept while a group is
// saved) and "<target>.talvesk-group-<id>" (a group's journal), the id eight of [0-9a-z]. No other
// file is ever named so, and any left at a start is a leftover of a save that was cut off.

// Tests: when set, every whole-file rewrite asks it after the temporary file is complete and
// before the rename; false stops the rewrite there, as a crash at that moment would.
void setSaveCommitHook(std::function<bool(const QString& path)> hook);
// Tests: when set, a group of several files calls it before each of its renames (and removals),
// with the target, once the group's journal is on disk; a test ends the process there.
void setGroupRenameHook(std::function<void(const QString& path)> hook);

// Rewrites a file whole with the given text in GBK (a FileRewrite). False on failure.
bool saveText(const QString& path, const QString& text);
// Rewrites a file whole with the given bytes (a FileRewrite). False on failure.
bool saveBytes(const QString& path, const QByteArray& bytes);

// One file of a group: its new bytes, or nothing when the group removes it.
struct GroupFile {
    QString path;
    std::optional<QByteArray> bytes;
};
// How the save of a group ended: every file changed; none changed (each has its old bytes); or
// a rename failed and not every file could be put back at once: the group's journal stays, and
// the next recoverSaves puts the rest back.
enum class GroupSave { Saved, NotSaved, Unfinished };

// Changes several files as one group, all or none, also across a crash: every file's new bytes
// are complete on disk first (the commit hook is asked once per file); then each old file gets a
// second name beside it and a journal naming the files and their old copies is written and
// synced; only then are the files replaced (or removed) in the order given. The journal's removal
// ends the group, and the old copies go after it. A failed rename puts the files already replaced
// back; a crash leaves the journal, from which recoverSaves puts every file back.
GroupSave saveGroup(const std::vector<GroupFile>& files);
// saveGroup of files that are all rewritten; true when the group was saved.
bool saveFiles(const QList<std::pair<QString, QByteArray>>& files);

// At a start, before any of the files is read and while no other run of the program can save:
// in each folder, every group whose journal is left is put back from its old copies (a journal
// cut short names a group that had not begun its renames), and then every leftover of a save that
// was cut off (the names above) is removed. The targets that could not be put back; their
// journal stays for the next start.
QStringList recoverSaves(const QStringList& folders);
// A free name beside `target` by the rule above, for a file that arrives by other means than a
// FileRewrite (it is created empty); empty when none can be made. A leftover is removed at the
// next start.
QString temporaryBeside(const QString& target);

// The lines of GBK text (CR LF, LF or CR ends; a final line end makes no extra line).
QStringList gbkLines(const QByteArray& bytes);

// The lines of GBK text by the same rule, each decoded only when asked for: a reader that
// copies a few lines of a large file decodes those alone. Each line decodes on its own, as
// gbkLines gives it.
class TextLines {
public:
    explicit TextLines(QByteArray bytes);
    qsizetype size() const { return static_cast<qsizetype>(starts_.size()); }
    // Line i (0 <= i < size()), without its line end.
    QString line(qsizetype i);

private:
    QByteArray bytes_;
    std::vector<qint64> starts_;
    GbkDecoder dec_;
};

// The lines of a GBK text file as one read gives them, or nothing when it cannot be read.
std::optional<TextLines> readTextLines(const QString& path);

// GBK conversions.
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

} // namespace platform
