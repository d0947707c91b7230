#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <QHash>

#include <cerrno>
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
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
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
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const auto [found, whole] = matchParts(path);
    return whole ? found : path;
}

QString resolvePathForWrite(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
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

std::optional<FileVersion> versionOfOpenFile(const QFile& f)
{
    struct stat st {};
    if (::fstat(f.handle(), &st) != 0)
        return std::nullopt;
    return versionOf(st);
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

std::function<ReadFailure(const QString&)>& readFailureHook()
{
    static std::function<ReadFailure(const QString&)> hook;
    return hook;
}

// One read pass over a file: its open and its reads. A read counts only when the device
// reported no error (and the test hook failed nothing), so a disk error part-way is a failed
// read, never a shorter file.
class ReadPass {
public:
    explicit ReadPass(const QString& real) : f_(real)
    {
        if (const auto& hook = readFailureHook())
            failure_ = hook(real);
        open_ = !real.isEmpty() && failure_ != ReadFailure::AtOpen && f_.open(QIODevice::ReadOnly);
    }
    bool isOpen() const { return open_; }
    const QFile& file() const { return f_; }
    // `n` bytes from `from`, or to the end when n is negative; nothing when the read fails.
    std::optional<QByteArray> read(qint64 from, qint64 n = -1)
    {
        if (!f_.seek(from))
            return std::nullopt;
        QByteArray bytes = n < 0 ? f_.readAll() : f_.read(n);
        if (f_.error() != QFileDevice::NoError || failure_ == ReadFailure::PartWay)
            return std::nullopt;
        return bytes;
    }

private:
    QFile f_;
    ReadFailure failure_ = ReadFailure::None;
    bool open_ = false;
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
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return versionOf(st);
}

void setReadFailureHook(std::function<ReadFailure(const QString& path)> hook) { readFailureHook() = std::move(hook); }

std::optional<QByteArray> readBytes(const QString& path)
{
    ReadPass f(path.isEmpty() ? QString() : resolvePath(path));
    if (!f.isOpen())
        return std::nullopt;
    return f.read(0);
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
    if (version && versionOfOpenFile(f.file()) == version) {
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
    ReadPass f(real);
    if (!f.isOpen())
        return std::nullopt;
    const auto wanted = [n](std::size_t count) {
        return n < 1 || static_cast<std::size_t>(n) > count ? count - 1 : static_cast<std::size_t>(n) - 1;
    };
    const std::optional<FileVersion> version = versionOfOpenFile(f.file());
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
    ReadPass f(real);
    if (!f.isOpen())
        return std::nullopt;
    const std::optional<FileVersion> version = versionOfOpenFile(f.file());
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

bool appendText(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return false;
    // The folder is found whatever the case of its name, like every file of the installation.
    QFile f(resolvePathForWrite(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = toGbk(text);
    // The bytes reach the file only when the buffer is flushed: that is where a full disk tells.
    return f.write(bytes) == bytes.size() && f.flush();
}

namespace {

std::function<bool(const QString&)>& commitHook()
{
    static std::function<bool(const QString&)> hook;
    return hook;
}

// A name beside `target` that no file has yet, created as an empty file: the mode of a plain
// create (what the umask leaves of read and write for all). -1 when none can be made.
int createBeside(const QByteArray& target, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate() % 0x1000000u, 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

void setSaveCommitHook(std::function<bool(const QString& path)> hook) { commitHook() = std::move(hook); }

FileRewrite::FileRewrite(const QString& target)
{
    const QFileInfo info(target);
    target_ = target.isEmpty() ? QByteArray() : QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : target);
}

FileRewrite::~FileRewrite() { cancelWriting(); }

bool FileRewrite::open()
{
    if (target_.isEmpty() || fd_ >= 0 || !temp_.isEmpty())
        return false;
    // A read-only file is the candidate's (or the installer's) choice: it is kept, whoever runs
    // the program; a rename alone would replace it.
    struct stat st {};
    if (::stat(target_.constData(), &st) == 0 && ((st.st_mode & 0222) == 0 || ::access(target_.constData(), W_OK) != 0))
        return false;
    fd_ = createBeside(target_, temp_);
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
    const char* d = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, d, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_ = true;
            return -1;
        }
        d += n;
        left -= n;
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
    const bool keepMode = ::stat(target_.constData(), &old) == 0 && ::fstat(fd_, &now) == 0 && (old.st_mode & 07777) != (now.st_mode & 07777);
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

namespace {

// An old file kept beside its target while the other files of a save are renamed: a second name
// of the same file (or the file itself moved aside where the file system has no second names).
// It goes back in place when a later rename fails, and is removed once it is not needed.
struct KeptFile {
    QByteArray target;
    QByteArray kept;      // empty when the target was no file to keep
    bool inPlace = false; // the target's place holds the new file, or nothing (moved aside)

    bool putBack() const
    {
        if (!inPlace)
            return true;
        return kept.isEmpty() ? ::unlink(target.constData()) == 0 : ::rename(kept.constData(), target.constData()) == 0;
    }
};

// Puts the old files back, the last replaced first. An old file that cannot go back stays under
// its kept name, so that it is not lost.
void putBack(const std::vector<KeptFile>& kept)
{
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
        if (it->putBack() && !it->kept.isEmpty())
            ::unlink(it->kept.constData());
}

} // namespace

bool saveFiles(const QList<std::pair<QString, QByteArray>>& files)
{
    std::vector<std::unique_ptr<FileRewrite>> rewrites;
    for (const auto& [path, bytes] : files) {
        auto r = std::make_unique<FileRewrite>(path);
        if (!r->open() || r->write(bytes) != bytes.size() || !r->complete())
            return false;
        rewrites.push_back(std::move(r));
    }
    std::vector<KeptFile> kept;
    for (std::size_t i = 0; i < rewrites.size(); ++i) {
        FileRewrite& r = *rewrites[i];
        KeptFile k{r.target_, {}, false};
        // The last file needs no keeping: once it is renamed, nothing more can fail.
        struct stat st {};
        if (i + 1 < rewrites.size() && ::lstat(k.target.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            k.kept = r.temp_ + ".old";
            if (::link(k.target.constData(), k.kept.constData()) != 0) {
                if (::rename(k.target.constData(), k.kept.constData()) != 0) {
                    putBack(kept);
                    return false;
                }
                k.inPlace = true;
            }
        }
        const bool renamed = r.replaceTarget();
        k.inPlace = k.inPlace || renamed;
        kept.push_back(k);
        if (!renamed) {
            putBack(kept);
            return false;
        }
    }
    for (const KeptFile& k : kept)
        if (!k.kept.isEmpty())
            ::unlink(k.kept.constData());
    return true;
}

} // namespace platform
