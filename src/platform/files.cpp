#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <QHash>
#include <QTemporaryFile>

#include <ctime>
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
    // The name in `folder` that equals `name` without regard to case; empty when there is none.
    // Of several such names, the first in plain order.
    QString find(const QString& folder, const QString& name)
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
        QHash<QString, QString> names; // folded name -> name on disk
    };

    static Listing list(const QString& folder, const FolderStamp& stamp)
    {
        Listing l{stamp, wallClockNs() - stamp.modifiedNs >= SettleNs, {}};
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            QString& kept = l.names[name.toCaseFolded()];
            if (kept.isEmpty() || name < kept)
                kept = name;
        }
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

// Matches each name part of `path` against the folder it lies in, the case ignored, as far as
// the parts exist; the first part that does not exist and the rest keep their own spelling.
// Returns the path found and whether every part exists.
std::pair<QString, bool> matchParts(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QStringList parts = clean.split(u'/');
    const bool absolute = clean.startsWith(u'/');
    QString cur = absolute ? QStringLiteral("/") : QStringLiteral(".");
    auto join = [](const QString& folder, const QString& name) { return folder == u'/' ? folder + name : folder + u'/' + name; };
    // The folders that exist as spelled need no listing: the search starts below the deepest one
    // (mostly the file's own folder, found with one look).
    int first = absolute ? 1 : 0;
    for (qsizetype k = parts.size() - 1; k > first; --k) {
        const QString folder = parts.mid(0, k).join(u'/');
        if (QFileInfo::exists(folder)) {
            cur = absolute ? folder : join(cur, folder);
            first = static_cast<int>(k);
            break;
        }
    }
    bool whole = true;
    for (int i = first; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const QString exact = join(cur, part);
        if (!whole || QFileInfo::exists(exact)) {
            cur = exact;
            continue;
        }
        const QString found = folderListings().find(cur, part);
        whole = !found.isEmpty();
        cur = join(cur, whole ? found : part);
    }
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
    return f.write(bytes) == bytes.size();
}

namespace {
std::function<bool(const QString&)>& commitHook()
{
    static std::function<bool(const QString&)> hook;
    return hook;
}
} // namespace

void setSaveCommitHook(std::function<bool(const QString& path)> hook) { commitHook() = std::move(hook); }

bool saveText(const QString& path, const QString& text) { return saveBytes(path, toGbk(text)); }

bool saveBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (const auto& hook = commitHook(); hook && !hook(path)) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

namespace {

// The mode a rewritten file keeps: the old file's, or for a new one what the umask leaves of
// read and write for all, as a plain create gives.
mode_t modeFor(const QString& target)
{
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool saveFiles(const QList<std::pair<QString, QByteArray>>& files)
{
    // Every new file is complete on disk before the first old one is replaced; the temporaries
    // of a failed save remove themselves.
    std::vector<std::unique_ptr<QTemporaryFile>> temps;
    for (const auto& [path, bytes] : files) {
        if (path.isEmpty())
            return false;
        auto t = std::make_unique<QTemporaryFile>(path + QStringLiteral(".XXXXXX"));
        if (!t->open())
            return false;
        if (t->write(bytes) != bytes.size() || !t->flush() || ::fchmod(t->handle(), modeFor(path)) != 0 || ::fsync(t->handle()) != 0)
            return false;
        if (const auto& hook = commitHook(); hook && !hook(path))
            return false;
        temps.push_back(std::move(t));
    }
    for (std::size_t i = 0; i < temps.size(); ++i) {
        if (::rename(QFile::encodeName(temps[i]->fileName()).constData(), QFile::encodeName(files[static_cast<qsizetype>(i)].first).constData()) != 0)
            return false;
        temps[i]->setAutoRemove(false);
    }
    return true;
}

} // namespace platform
