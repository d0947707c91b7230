#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// Opening a converter costs more than a line's conversion: each thread keeps one of each.
GbkDecoder& threadDecoder()
{
    thread_local GbkDecoder dec;
    return dec;
}

} // namespace

bool pathHoldsNul(QStringView path) { return path.contains(QChar(u'\0')); }

QByteArray toGbk(const QString& text)
{
    thread_local GbkEncoder enc;
    return enc.encode(text);
}

QString fromGbk(const QByteArray& bytes)
{
    return threadDecoder().decode(bytes);
}

namespace {

// A folder as it stood when it was listed: its identity and its modification and change times.
// Creating, removing or renaming a name in it moves its modification time.
struct FolderStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FolderStamp&) const = default;
};

std::optional<FolderStamp> folderStamp(const QString& folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return FolderStamp{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                       static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                       static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

qint64 wallClockNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The names of the folders looked into, each folder listed once and indexed by its names with
// the case folded, and listed again once its stamp has moved. A file system keeps its times in
// steps (a tick of the kernel's clock, a second or two on some), so a name made within the same
// step as the listing may leave the stamp as it was: a listing taken that soon after the
// folder's last change serves only the lookup that took it.
class FolderListings {
public:
    // The names in `folder` that equal `name` without regard to case, in plain order; none when
    // there is none.
    QStringList find(const QString& folder, const QString& name)
    {
        const std::optional<FolderStamp> stamp = folderStamp(folder);
        if (!stamp)
            return {};
        const std::lock_guard lock(mutex_);
        auto it = listings_.find(folder);
        if (it == listings_.end() || it->stamp != *stamp || !it->settled) {
            if (listings_.size() >= MaxFolders)
                listings_.clear();
            it = listings_.insert(folder, list(folder, *stamp));
        }
        return it->names.value(name.toCaseFolded());
    }

private:
    static constexpr qsizetype MaxFolders = 256;
    // Longer than any file system's step of time.
    static constexpr qint64 SettleNs = 2'000'000'000;

    struct Listing {
        FolderStamp stamp;
        bool settled = false;
        QHash<QString, QStringList> names; // folded name -> the names on disk, in plain order
    };

    static Listing list(const QString& folder, const FolderStamp& stamp)
    {
        Listing l{stamp, wallClockNs() - stamp.modifiedNs >= SettleNs, {}};
        // Pipes, devices and dangling links as well: a name in other case is theirs, and the
        // reader refuses them as it does under their own spelling.
        QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            l.names[name.toCaseFolded()].append(name);
        }
        for (QStringList& names : l.names)
            if (names.size() > 1)
                names.sort();
        // Changed while it was read: the listing may hold half of the change.
        if (folderStamp(folder) != stamp)
            l.settled = false;
        return l;
    }

    std::mutex mutex_;
    QHash<QString, Listing> listings_;
};

FolderListings& folderListings()
{
    static FolderListings listings;
    return listings;
}

QString joinName(const QString& folder, const QString& name) { return folder == u'/' ? folder + name : folder + u'/' + name; }

// The search for the spelling of a path's parts below a folder that exists.
struct PartSearch {
    const QStringList& parts;
    // Folders listed at most, however many names of each part match in other case.
    int listings;
    qsizetype deepest;
    QString found;

    // Tries every name that matches parts[i] in `folder`, the exact one first and then the others
    // in plain order, each with the parts below it, until one path exists whole (true). Of the
    // rest it keeps the one that exists the furthest (the first of equals), the parts below that
    // in their own spelling.
    bool descend(const QString& folder, qsizetype i)
    {
        while (i < parts.size() && parts[i].isEmpty())
            ++i;
        if (i > deepest) {
            deepest = i;
            found = i < parts.size() ? joinName(folder, parts.mid(i).join(u'/')) : folder;
        }
        if (i == parts.size())
            return true;
        const QString& part = parts[i];
        const bool exact = QFileInfo::exists(joinName(folder, part));
        if (exact && descend(joinName(folder, part), i + 1))
            return true;
        if (--listings < 0)
            return false;
        for (const QString& name : folderListings().find(folder, part))
            if ((!exact || name != part) && descend(joinName(folder, name), i + 1))
                return true;
        return false;
    }
};

// Matches each name part of `path` against the folder it lies in, the case ignored, as far as
// the parts exist; where several names of a folder match a part, each is tried. The first part
// that does not exist and the rest keep their own spelling. Returns the path found and whether
// every part exists.
std::pair<QString, bool> matchParts(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QStringList parts = clean.split(u'/');
    const bool absolute = clean.startsWith(u'/');
    QString cur = absolute ? QStringLiteral("/") : QStringLiteral(".");
    // The folders that exist as spelled need no listing: the search starts below the deepest one
    // (mostly the file's own folder, found with one look).
    int first = absolute ? 1 : 0;
    for (qsizetype k = parts.size() - 1; k > first; --k) {
        const QString folder = parts.mid(0, k).join(u'/');
        if (QFileInfo::exists(folder)) {
            cur = absolute ? folder : joinName(cur, folder);
            first = static_cast<int>(k);
            break;
        }
    }
    PartSearch search{parts, 64, -1, {}};
    const bool whole = search.descend(cur, first);
    cur = search.found;
    if (!absolute && cur.startsWith(QStringLiteral("./")))
        cur = cur.mid(2);
    return {cur, whole};
}

} // namespace

QString resolvePath(const QString& path)
{
    if (path.isEmpty() || pathHoldsNul(path) || QFileInfo::exists(path))
        return path;
    const auto [found, whole] = matchParts(path);
    return whole ? found : path;
}

QString resolvePathForWrite(const QString& path)
{
    if (path.isEmpty() || pathHoldsNul(path) || QFileInfo::exists(path))
        return path;
    return matchParts(path).first;
}

namespace {

// The one line rule of every reader: CR LF, a lone CR and a lone LF each end a line; a line end
// at the end of the file makes no further, empty line. The starts of the lines are found in the
// raw bytes: CR and LF never occur inside a GBK character.
std::vector<qint64> lineStarts(const char* d, qint64 n)
{
    std::vector<qint64> starts;
    qint64 start = 0;
    while (start < n) {
        starts.push_back(start);
        qint64 i = start;
        while (i < n && d[i] != '\r' && d[i] != '\n')
            ++i;
        if (i + 1 < n && d[i] == '\r' && d[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return starts;
}

// The bytes of a line without its line end; `end` is where the next line starts.
qint64 contentEnd(const char* d, qint64 start, qint64 end)
{
    if (end > start && d[end - 1] == '\n') {
        --end;
        if (end > start && d[end - 1] == '\r')
            --end;
    } else if (end > start && d[end - 1] == '\r') {
        --end;
    }
    return end;
}

// Line i of `size` bytes whose lines start at `starts`, decoded, without its line end. Making a
// decoder costs more than decoding a line: a file's lines share one, each line decoded on its
// own (a character cut short at a line's end does not run into the next line).
QString decodedLine(GbkDecoder& dec, const char* d, const std::vector<qint64>& starts, std::size_t i, qint64 size)
{
    const qint64 next = i + 1 < starts.size() ? starts[i + 1] : size;
    return dec.decode(QByteArrayView(d + starts[i], contentEnd(d, starts[i], next) - starts[i]));
}

QString decodedLine(const char* d, const std::vector<qint64>& starts, std::size_t i, qint64 size)
{
    return decodedLine(threadDecoder(), d, starts, i, size);
}

} // namespace

TextLines::TextLines(QByteArray bytes)
    : bytes_(std::move(bytes)), starts_(lineStarts(bytes_.constData(), bytes_.size()))
{
}

QString TextLines::line(qsizetype i)
{
    return decodedLine(dec_, bytes_.constData(), starts_, static_cast<std::size_t>(i), bytes_.size());
}

QStringList gbkLines(const QByteArray& bytes)
{
    TextLines text(bytes);
    QStringList lines;
    lines.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        lines << text.line(i);
    return lines;
}

namespace {

FileVersion versionOf(const struct stat& st)
{
    return FileVersion{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                       static_cast<qint64>(st.st_size),
                       static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                       static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

// Where the lines of a file start, for one version of the file: a step is found without
// scanning the file from its start at every step, and any rewrite is read afresh.
struct LineIndex {
    FileVersion version;
    std::vector<qint64> starts;
    qint64 size = 0;
};

QHash<QString, LineIndex>& lineIndexes()
{
    static QHash<QString, LineIndex> indexes;
    return indexes;
}

// The hook is set by a test on the window thread and asked by readers on any thread (the
// pictures decoded ahead).
std::mutex readFailureHookMutex;

std::function<ReadFailure(const QString&)>& readFailureHook()
{
    static std::function<ReadFailure(const QString&)> hook;
    return hook;
}

ReadFailure askReadFailureHook(const QString& real)
{
    std::function<ReadFailure(const QString&)> hook;
    {
        const std::lock_guard lock(readFailureHookMutex);
        hook = readFailureHook();
    }
    return hook ? hook(real) : ReadFailure::None;
}

// Opens the file at `native` for reading when it is a regular file; `fd` and `st` are the open
// file's. Nothing but a regular file is opened at all: the open of a pipe waits for a writer,
// and opening a device can act on it. One put in the file's place between the look and the open
// is refused all the same: the open does not wait, and the file opened is looked at again.
ReadStatus openRegularFile(const QByteArray& native, qint64 maxBytes, int& fd, struct stat& st)
{
    fd = -1;
    if (::stat(native.constData(), &st) != 0)
        return ReadStatus::NotOpened;
    if (!S_ISREG(st.st_mode))
        return ReadStatus::NotAFile;
    fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ReadStatus::NotOpened;
    ReadStatus status = ReadStatus::Read;
    if (::fstat(fd, &st) != 0)
        status = ReadStatus::NotOpened;
    else if (!S_ISREG(st.st_mode))
        status = ReadStatus::NotAFile;
    else if (st.st_size > maxBytes)
        status = ReadStatus::TooLarge;
    if (status != ReadStatus::Read) {
        ::close(fd);
        fd = -1;
        return status;
    }
    // A regular file's reads never wait; the flag goes all the same, so that they are plain ones.
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return status;
}

// One read pass over a file: its open and its reads, within `maxBytes`. A read counts only when
// the system reported no error (and the test hook failed nothing), so a disk error part-way is a
// failed read, never a shorter file.
class ReadPass {
public:
    ReadPass(const QString& real, qint64 maxBytes) : maxBytes_(maxBytes)
    {
        if (real.isEmpty() || pathHoldsNul(real))
            return;
        failure_ = askReadFailureHook(real);
        status_ = failure_ == ReadFailure::AtOpen ? ReadStatus::NotOpened : openRegularFile(QFile::encodeName(real), maxBytes, fd_, st_);
    }
    ~ReadPass()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadPass(const ReadPass&) = delete;
    ReadPass& operator=(const ReadPass&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // How the open went, then how the last read went.
    ReadStatus status() const { return status_; }
    // The file's version as opened.
    FileVersion version() const { return versionOf(st_); }
    // The file's version as it stands now.
    std::optional<FileVersion> currentVersion() const
    {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0)
            return std::nullopt;
        return versionOf(st);
    }
    // `n` bytes from `from` (fewer at the end of the file), or to the end when n is negative;
    // nothing when the read fails or the file holds more than the bound.
    std::optional<QByteArray> read(qint64 from, qint64 n = -1)
    {
        if (fd_ < 0 || from < 0)
            return std::nullopt;
        // One byte past the bound tells a file grown past it since it was opened.
        const qint64 limit = n < 0 ? std::max<qint64>(maxBytes_ - from, 0) + 1 : n;
        QByteArray bytes(std::clamp<qint64>(static_cast<qint64>(st_.st_size) - from + 1, 0, limit), Qt::Uninitialized);
        qint64 got = 0;
        while (got < limit) {
            if (got == bytes.size())
                bytes.resize(std::min<qint64>(limit, std::max<qint64>(2 * got, 64 * 1024)));
            const ssize_t r = ::pread(fd_, bytes.data() + got, static_cast<size_t>(bytes.size() - got), from + got);
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0) {
                status_ = ReadStatus::Failed;
                return std::nullopt;
            }
            if (r == 0)
                break;
            got += r;
        }
        if (n < 0 && got == limit) {
            status_ = ReadStatus::TooLarge;
            return std::nullopt;
        }
        if (failure_ == ReadFailure::PartWay) {
            status_ = ReadStatus::Failed;
            return std::nullopt;
        }
        bytes.resize(got);
        return bytes;
    }

private:
    qint64 maxBytes_ = 0;
    int fd_ = -1;
    struct stat st_ {};
    ReadFailure failure_ = ReadFailure::None;
    ReadStatus status_ = ReadStatus::NotOpened;
};

// Line i of the indexed file, read on its own; nothing when the bytes found there are not one
// whole line (the file changed in a way its version did not show), so that the caller reads
// the file afresh.
std::optional<QString> indexedLine(ReadPass& f, const LineIndex& index, std::size_t i)
{
    const qint64 from = index.starts[i] > 0 ? index.starts[i] - 1 : 0;
    const qint64 next = i + 1 < index.starts.size() ? index.starts[i + 1] : index.size;
    const std::optional<QByteArray> chunk = f.read(from, next - from);
    if (!chunk || chunk->size() != next - from)
        return std::nullopt;
    const char* d = chunk->constData();
    const qint64 lead = index.starts[i] - from;
    if (lead == 1 && d[0] != '\r' && d[0] != '\n')
        return std::nullopt;
    const std::vector<qint64> starts = lineStarts(d + lead, chunk->size() - lead);
    if (starts.size() != 1)
        return std::nullopt;
    return decodedLine(d + lead, starts, 0, chunk->size() - lead);
}

} // namespace

std::optional<FileVersion> fileVersion(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || pathHoldsNul(path) || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return versionOf(st);
}

void setReadFailureHook(std::function<ReadFailure(const QString& path)> hook)
{
    const std::lock_guard lock(readFailureHookMutex);
    readFailureHook() = std::move(hook);
}

WholeFile readWholeFile(const QString& path, qint64 maxBytes)
{
    ReadPass f(path, maxBytes);
    WholeFile whole;
    whole.status = f.status();
    if (!f.isOpen())
        return whole;
    whole.version = f.version();
    std::optional<QByteArray> bytes = f.read(0);
    whole.status = f.status();
    if (bytes)
        whole.bytes = std::move(*bytes);
    return whole;
}

std::optional<QByteArray> readBytes(const QString& path)
{
    WholeFile whole = readWholeFile(resolvePath(path), TextFileMaxBytes);
    if (whole.status != ReadStatus::Read)
        return std::nullopt;
    return std::move(whole.bytes);
}

std::optional<QStringList> readLines(const QString& path)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return gbkLines(*bytes);
}

std::optional<TextLines> readTextLines(const QString& path)
{
    std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return TextLines(std::move(*bytes));
}

namespace {

// Reads the open file whole into `bytes` and indexes its lines; the index is kept for the
// file's version when the file did not change while it was read. Nothing when the read fails.
std::optional<LineIndex> indexAfresh(ReadPass& f, const QString& real, const std::optional<FileVersion>& version, QByteArray& bytes)
{
    // The bytes are read, never mapped: a file cut short while it is read is a short read.
    std::optional<QByteArray> read = f.read(0);
    if (!read)
        return std::nullopt;
    bytes = std::move(*read);
    LineIndex index{version.value_or(FileVersion{}), lineStarts(bytes.constData(), bytes.size()), bytes.size()};
    if (version && f.currentVersion() == version) {
        auto& indexes = lineIndexes();
        if (indexes.size() >= 16)
            indexes.clear();
        indexes.insert(real, index);
    }
    return index;
}

const LineIndex* keptIndex(const QString& real, const std::optional<FileVersion>& version)
{
    if (!version)
        return nullptr;
    const auto& indexes = lineIndexes();
    const auto it = indexes.constFind(real);
    return it != indexes.cend() && it->version == *version ? &*it : nullptr;
}

} // namespace

std::optional<QString> readLineAt(const QString& path, int n)
{
    const QString real = path.isEmpty() ? QString() : resolvePath(path);
    ReadPass f(real, TextFileMaxBytes);
    if (!f.isOpen())
        return std::nullopt;
    const auto wanted = [n](std::size_t count) {
        return n < 1 || static_cast<std::size_t>(n) > count ? count - 1 : static_cast<std::size_t>(n) - 1;
    };
    const std::optional<FileVersion> version = f.version();
    if (const LineIndex* kept = keptIndex(real, version)) {
        if (kept->starts.empty())
            return std::nullopt;
        if (auto line = indexedLine(f, *kept, wanted(kept->starts.size())))
            return line;
    }
    QByteArray bytes;
    const std::optional<LineIndex> index = indexAfresh(f, real, version, bytes);
    if (!index || index->starts.empty())
        return std::nullopt;
    return decodedLine(bytes.constData(), index->starts, wanted(index->starts.size()), bytes.size());
}

std::optional<int> lineCount(const QString& path)
{
    const QString real = path.isEmpty() ? QString() : resolvePath(path);
    ReadPass f(real, TextFileMaxBytes);
    if (!f.isOpen())
        return std::nullopt;
    const std::optional<FileVersion> version = f.version();
    if (const LineIndex* kept = keptIndex(real, version)) {
        // Counting a kept index reads nothing; the hook still fails it as it would a read.
        if (!f.read(0, 0))
            return std::nullopt;
        return static_cast<int>(kept->starts.size());
    }
    QByteArray bytes;
    const std::optional<LineIndex> index = indexAfresh(f, real, version, bytes);
    if (!index)
        return std::nullopt;
    return static_cast<int>(index->starts.size());
}

namespace {

std::function<bool(const QString&)>& commitHook()
{
    static std::function<bool(const QString&)> hook;
    return hook;
}

std::function<void(const QString&)>& groupRenameHook()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

// The marks of the names made beside a target; each is followed by an id of IdLength characters.
constexpr char NewMark[] = ".talvesk-new-";
constexpr char OldMark[] = ".talvesk-old-";
constexpr char GroupMark[] = ".talvesk-group-";
constexpr qsizetype IdLength = 8;

bool isIdChar(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); }

QByteArray newId()
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray id(IdLength, '0');
    for (char& c : id)
        c = digits[QRandomGenerator::global()->bounded(36)];
    return id;
}

// The target a name made beside it by `mark` belongs to, and its id; nothing when `name` is not
// such a name.
std::optional<std::pair<QByteArray, QByteArray>> splitMarked(const QByteArray& name, const char* mark)
{
    const qsizetype markLength = static_cast<qsizetype>(std::strlen(mark));
    const qsizetype at = name.size() - IdLength - markLength;
    if (at < 1 || name.mid(at, markLength) != mark)
        return std::nullopt;
    const QByteArray id = name.right(IdLength);
    if (!std::all_of(id.begin(), id.end(), isIdChar))
        return std::nullopt;
    return std::pair{name.left(at), id};
}

// Creates an empty file under a free name `target` + `mark` + id, with the mode of a plain create
// (what the umask leaves of read and write for all). -1 when none can be made.
int createBeside(const QByteArray& target, const char* mark, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + mark + newId();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const char* d, qsizetype left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, d, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        d += n;
        left -= n;
    }
    return true;
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// Names made, renamed or removed in a folder reach the disk with the folder's own sync.
bool syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

void setSaveCommitHook(std::function<bool(const QString& path)> hook) { commitHook() = std::move(hook); }

void setGroupRenameHook(std::function<void(const QString& path)> hook) { groupRenameHook() = std::move(hook); }

bool appendText(const QString& path, const QString& text)
{
    if (path.isEmpty() || pathHoldsNul(path))
        return false;
    // The folder is found whatever the case of its name, like every file of the installation.
    // Only a regular file takes the text: the open of a pipe would wait for a reader (it is made
    // not to wait), and a device reached through a link swallows it.
    const QByteArray native = QFile::encodeName(resolvePathForWrite(path));
    const int fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat st {};
    const QByteArray bytes = toGbk(text);
    const bool written = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && writeAll(fd, bytes.constData(), bytes.size());
    // Some file systems report a failed write only when the file is closed.
    return ::close(fd) == 0 && written;
}

// The target's own name is kept: a symbolic link there is replaced by the rename, not followed.
FileRewrite::FileRewrite(const QString& target)
{
    if (!target.isEmpty() && !pathHoldsNul(target))
        target_ = QFile::encodeName(target);
}

FileRewrite::~FileRewrite() { cancelWriting(); }

bool FileRewrite::open()
{
    if (target_.isEmpty() || fd_ >= 0 || !temp_.isEmpty())
        return false;
    // A read-only file is the candidate's (or the installer's) choice: it is kept, whoever runs
    // the program; a rename alone would replace it.
    struct stat st {};
    if (::lstat(target_.constData(), &st) == 0 && S_ISREG(st.st_mode) && ((st.st_mode & 0222) == 0 || ::access(target_.constData(), W_OK) != 0))
        return false;
    fd_ = createBeside(target_, NewMark, temp_);
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
    failed_ = false;
    return true;
}

qint64 FileRewrite::write(QByteArrayView bytes)
{
    if (fd_ < 0 || failed_)
        return -1;
    if (!writeAll(fd_, bytes.data(), bytes.size())) {
        failed_ = true;
        return -1;
    }
    return bytes.size();
}

void FileRewrite::cancelWriting()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.isEmpty())
        ::unlink(temp_.constData());
    temp_.clear();
}

bool FileRewrite::complete()
{
    if (fd_ < 0 || failed_)
        return false;
    struct stat old {}, now {};
    const bool keepMode = ::lstat(target_.constData(), &old) == 0 && S_ISREG(old.st_mode) && ::fstat(fd_, &now) == 0 &&
                          (old.st_mode & 07777) != (now.st_mode & 07777);
    if ((keepMode && ::fchmod(fd_, old.st_mode & 07777) != 0) || ::fsync(fd_) != 0) {
        failed_ = true;
        return false;
    }
    // Some file systems report a failed write only when the file is closed.
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        failed_ = true;
        return false;
    }
    if (const auto& hook = commitHook(); hook && !hook(QFile::decodeName(target_)))
        return false;
    return true;
}

bool FileRewrite::replaceTarget()
{
    if (temp_.isEmpty() || ::rename(temp_.constData(), target_.constData()) != 0)
        return false;
    temp_.clear();
    return true;
}

bool FileRewrite::commit()
{
    const bool done = complete() && replaceTarget();
    cancelWriting();
    return done;
}

bool saveText(const QString& path, const QString& text) { return saveBytes(path, toGbk(text)); }

bool saveBytes(const QString& path, const QByteArray& bytes) { return saveFiles({{path, bytes}}); }

bool saveFiles(const QList<std::pair<QString, QByteArray>>& files)
{
    std::vector<GroupFile> group;
    for (const auto& [path, bytes] : files)
        group.push_back({path, bytes});
    return saveGroup(group) == GroupSave::Saved;
}

QString temporaryBeside(const QString& target)
{
    QByteArray name;
    const int fd = target.isEmpty() || pathHoldsNul(target) ? -1 : createBeside(QFile::encodeName(target), NewMark, name);
    if (fd < 0)
        return {};
    ::close(fd);
    return QFile::decodeName(name);
}

namespace {

// One file of a group as its journal names it: its name in the group's folder, whether its old
// file is kept beside it, and the id of its temporary (none: the group removes the file). The
// other names follow from these, so that a journal can name nothing outside its folder.
struct JournalEntry {
    QByteArray name;
    bool kept = false;
    QByteArray newId;
};

constexpr char JournalHead[] = "talvesk file group";
constexpr char JournalEnd[] = "end";

QByteArray journalText(const std::vector<JournalEntry>& entries)
{
    QByteArray text = QByteArray(JournalHead) + '\n';
    for (const JournalEntry& e : entries)
        text += e.name.toPercentEncoding() + ' ' + (e.kept ? "old" : "none") + ' ' + (e.newId.isEmpty() ? QByteArray("remove") : e.newId) + '\n';
    return text + JournalEnd + '\n';
}

// The entries of a whole journal; nothing when it is cut short or is not one.
std::optional<std::vector<JournalEntry>> parseJournal(const QByteArray& text)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3 || lines.first() != JournalHead || lines.at(lines.size() - 2) != JournalEnd || !lines.last().isEmpty())
        return std::nullopt;
    std::vector<JournalEntry> entries;
    for (qsizetype i = 1; i + 2 < lines.size(); ++i) {
        const QList<QByteArray> f = lines.at(i).split(' ');
        if (f.size() != 3)
            return std::nullopt;
        JournalEntry e{QByteArray::fromPercentEncoding(f[0]), f[1] == "old", f[2] == "remove" ? QByteArray() : f[2]};
        const bool plainName = !e.name.isEmpty() && e.name != "." && e.name != ".." && !e.name.contains('/') && !e.name.contains('\0');
        const bool id = e.newId.isEmpty() || (e.newId.size() == IdLength && std::all_of(e.newId.begin(), e.newId.end(), isIdChar));
        if (!plainName || !id || (f[1] != "old" && f[1] != "none"))
            return std::nullopt;
        entries.push_back(std::move(e));
    }
    return entries;
}

// A journal is small: more than this is none of ours.
constexpr qint64 MaxJournalBytes = 1 << 20;

// Puts the files of a group back as they were before it, the last first: each kept old file
// takes its name again, a file the group made is removed, and the temporaries go. The names of
// the files that could not be put back.
QList<QByteArray> rollBack(const QByteArray& folder, const QByteArray& id, const std::vector<JournalEntry>& entries)
{
    QList<QByteArray> failed;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const QByteArray target = folder + '/' + it->name;
        if (!it->newId.isEmpty())
            ::unlink(QByteArray(target + NewMark + it->newId).constData());
        bool back = true;
        if (it->kept) {
            const QByteArray kept = target + OldMark + id;
            if (exists(kept)) {
                // A second name of the file still in place: the rename leaves both names.
                back = ::rename(kept.constData(), target.constData()) == 0 && (!exists(kept) || ::unlink(kept.constData()) == 0);
            } else {
                // Not yet moved aside where the file system has no second names: still in place.
                back = exists(target);
            }
        } else if (::unlink(target.constData()) != 0 && errno != ENOENT) {
            back = false;
        }
        if (!back)
            failed << target;
    }
    return failed;
}

} // namespace

// The save of one group: its members' new files, their old files kept, its journal.
class FileGroup {
public:
    explicit FileGroup(const std::vector<GroupFile>& files)
    {
        for (const GroupFile& f : files) {
            Member m;
            // An empty target fails the save before anything is touched.
            if (!f.path.isEmpty() && !pathHoldsNul(f.path))
                m.target = QFile::encodeName(QFileInfo(f.path).absoluteFilePath());
            m.bytes = f.bytes;
            members_.push_back(std::move(m));
        }
    }

    ~FileGroup()
    {
        if (journalFd_ >= 0)
            ::close(journalFd_);
    }

    GroupSave save()
    {
        if (members_.empty())
            return GroupSave::Saved;
        for (Member& m : members_) {
            // A folder (or another kind of file) in a target's place is neither replaced nor kept.
            struct stat st {};
            if (m.target.isEmpty() || (::lstat(m.target.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)))
                return GroupSave::NotSaved;
            if (!m.bytes)
                continue;
            m.rewrite = std::make_unique<FileRewrite>(QFile::decodeName(m.target));
            if (!m.rewrite->open() || m.rewrite->write(*m.bytes) != m.bytes->size() || !m.rewrite->complete())
                return GroupSave::NotSaved;
        }
        if (members_.size() == 1)
            return replace(members_.front()) ? GroupSave::Saved : GroupSave::NotSaved;
        // The journal names the group's files by their names in its folder: a group's files lie
        // in one folder.
        folder_ = folderOf(members_.front().target);
        for (const Member& m : members_)
            if (folderOf(m.target) != folder_)
                return GroupSave::NotSaved;
        if (!begin())
            return GroupSave::NotSaved;
        for (Member& m : members_) {
            if (const auto& hook = groupRenameHook())
                hook(QFile::decodeName(m.target));
            if ((m.movedAside && ::rename(m.target.constData(), keptName(m).constData()) != 0) || !replace(m))
                return undo();
        }
        // The group is whole once its journal is gone; its old files go after it.
        syncFolder(folder_);
        ::unlink(journal_.constData());
        syncFolder(folder_);
        for (const Member& m : members_)
            if (m.kept)
                ::unlink(keptName(m).constData());
        return GroupSave::Saved;
    }

private:
    struct Member {
        QByteArray target;
        std::optional<QByteArray> bytes;
        std::unique_ptr<FileRewrite> rewrite;
        bool kept = false;
        bool movedAside = false; // kept by a rename just before the file's own (no second names)
    };

    QByteArray keptName(const Member& m) const { return m.target + OldMark + id_; }

    bool replace(Member& m)
    {
        if (m.rewrite)
            return m.rewrite->replaceTarget();
        return ::unlink(m.target.constData()) == 0 || errno == ENOENT;
    }

    // Keeps each old file under a second name and writes the journal that names them, synced to
    // disk with the names, before any file is replaced.
    bool begin()
    {
        journalFd_ = createBeside(members_.front().target, GroupMark, journal_);
        if (journalFd_ < 0)
            return false;
        id_ = journal_.right(IdLength);
        std::vector<JournalEntry> entries;
        for (Member& m : members_) {
            if (exists(m.target)) {
                if (::link(m.target.constData(), keptName(m).constData()) != 0) {
                    if (errno == EEXIST)
                        return abandon();
                    m.movedAside = true;
                }
                m.kept = true;
            }
            entries.push_back({m.target.mid(folder_.size() + 1), m.kept, m.rewrite ? m.rewrite->temp_.right(IdLength) : QByteArray()});
        }
        const QByteArray text = journalText(entries);
        const bool written = writeAll(journalFd_, text.constData(), text.size()) && ::fsync(journalFd_) == 0;
        const int fd = journalFd_;
        journalFd_ = -1;
        if (::close(fd) != 0 || !written || !syncFolder(folder_))
            return abandon();
        entries_ = std::move(entries);
        return true;
    }

    // Before any rename: the kept names and the journal go, the files are as they were.
    bool abandon()
    {
        for (const Member& m : members_)
            if (m.kept && !m.movedAside)
                ::unlink(keptName(m).constData());
        ::unlink(journal_.constData());
        return false;
    }

    GroupSave undo()
    {
        if (!rollBack(folder_, id_, entries_).isEmpty())
            return GroupSave::Unfinished;
        syncFolder(folder_);
        ::unlink(journal_.constData());
        return GroupSave::NotSaved;
    }

    std::vector<Member> members_;
    QByteArray folder_;
    QByteArray journal_;
    QByteArray id_;
    int journalFd_ = -1;
    std::vector<JournalEntry> entries_;
};

GroupSave saveGroup(const std::vector<GroupFile>& files) { return FileGroup(files).save(); }

QStringList recoverSaves(const QStringList& folders)
{
    QStringList notRestored;
    // The journals that could not be finished, and their ids, which their old copies carry.
    QSet<QByteArray> held;
    QSet<QByteArray> heldIds;
    const auto names = [](const QByteArray& folder) {
        QList<QByteArray> out;
        if (DIR* d = ::opendir(folder.constData())) {
            while (const dirent* e = ::readdir(d))
                out << QByteArray(e->d_name);
            ::closedir(d);
        }
        return out;
    };
    for (const QString& f : folders) {
        if (f.isEmpty())
            continue;
        const QByteArray folder = QFile::encodeName(QDir::cleanPath(QFileInfo(f).absoluteFilePath()));
        for (const QByteArray& name : names(folder)) {
            const auto group = splitMarked(name, GroupMark);
            if (!group)
                continue;
            const QByteArray journal = folder + '/' + name;
            const WholeFile text = readWholeFile(QFile::decodeName(journal), MaxJournalBytes);
            // A journal that cannot be read now (a disk error, no permission) may name a group cut
            // off between its renames: it stays with its old copies, and is told, for the next start.
            if ((text.status == ReadStatus::NotOpened && exists(journal)) || text.status == ReadStatus::Failed) {
                notRestored << QFile::decodeName(journal);
                held.insert(journal);
                heldIds.insert(group->second);
                continue;
            }
            // A journal cut short was being written: no file of its group had been replaced.
            const auto entries = text.status == ReadStatus::Read ? parseJournal(text.bytes) : std::nullopt;
            const QList<QByteArray> failed = entries ? rollBack(folder, group->second, *entries) : QList<QByteArray>();
            if (failed.isEmpty()) {
                syncFolder(folder);
                ::unlink(journal.constData());
                continue;
            }
            for (const QByteArray& target : failed)
                notRestored << QFile::decodeName(target);
            held.insert(journal);
            heldIds.insert(group->second);
        }
        for (const QByteArray& name : names(folder)) {
            if (!splitMarked(name, NewMark) && !splitMarked(name, OldMark) && !splitMarked(name, GroupMark))
                continue;
            const QByteArray path = folder + '/' + name;
            const auto old = splitMarked(name, OldMark);
            struct stat st {};
            if (!held.contains(path) && !(old && heldIds.contains(old->second)) && ::lstat(path.constData(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
                ::unlink(path.constData());
        }
    }
    return notRestored;
}

} // namespace platform
