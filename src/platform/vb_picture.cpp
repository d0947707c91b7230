#include "platform/vb_picture.h"

#include "platform/clock.h"
#include "platform/files.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QThreadPool>
#include <QWidget>
#include <QtEndian>

#include <array>
#include <atomic>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <condition_variable>
#include <list>
#include <mutex>

namespace vb {
namespace {

void setError(Error* err, int number)
{
    if (err)
        *err = makeError(number);
}

// A picture's file is never much larger than its pixels decoded: a file past the decoder's own
// limit on a picture's memory (and a little for its header) holds none the decoder would give.
qint64 pictureMaxBytes()
{
    const int limitMiB = QImageReader::allocationLimit();
    return (qint64(limitMiB > 0 ? limitMiB : 256) + 1) * 1024 * 1024;
}

// The picture file at `real`, read whole by the one reader of files; error 53 when it cannot be
// opened, 481 when it is no regular file (a folder, a pipe, a device) or too large for a picture,
// as for a file that holds none.
platform::WholeFile readFile(const QString& real, Error* err)
{
    platform::WholeFile file = platform::readWholeFile(real, pictureMaxBytes());
    if (file.status == platform::ReadStatus::NotOpened)
        setError(err, errFileNotFound);
    else if (file.status != platform::ReadStatus::Read)
        setError(err, errInvalidPicture);
    return file;
}

quint16 u16(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }
quint32 u32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 i32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); }

// A device-independent bitmap of an icon or pointer: the header, the palette, the colour rows
// (bottom-up) and the one-bit AND mask (bottom-up) that marks transparent pixels.
std::optional<QImage> decodeIconDib(const QByteArray& d)
{
    if (d.size() < 40)
        return std::nullopt;
    const quint32 headerSize = u32(d, 0);
    const qint32 width = i32(d, 4);
    const qint32 doubleHeight = i32(d, 8);
    const int bits = u16(d, 14);
    const quint32 compression = u32(d, 16);
    quint32 colorsUsed = u32(d, 32);
    if (headerSize < 40 || headerSize > quint32(d.size()) || width <= 0 || width > 1024
        || doubleHeight <= 0 || doubleHeight > 2048 || compression != 0)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    const int height = doubleHeight / 2;
    if (height <= 0)
        return std::nullopt;
    if (bits <= 8 && (colorsUsed == 0 || colorsUsed > (1u << bits)))
        colorsUsed = 1u << bits;
    if (bits > 8)
        colorsUsed = 0;

    qsizetype at = headerSize;
    if (at + qsizetype(colorsUsed) * 4 > d.size())
        return std::nullopt;
    std::vector<QRgb> palette(colorsUsed);
    for (quint32 i = 0; i < colorsUsed; ++i) {
        const auto* p = reinterpret_cast<const uchar*>(d.constData() + at + i * 4);
        palette[i] = qRgb(p[2], p[1], p[0]);
    }
    at += qsizetype(colorsUsed) * 4;

    const qsizetype xorStride = ((qsizetype(width) * bits + 31) / 32) * 4;
    const qsizetype andStride = ((qsizetype(width) + 31) / 32) * 4;
    const qsizetype xorAt = at;
    const qsizetype andAt = xorAt + xorStride * height;
    const bool haveMask = andAt + andStride * height <= d.size();
    if (xorAt + xorStride * height > d.size())
        return std::nullopt;

    // A file may list fewer colours than its pixels can name: a pixel past the palette is drawn
    // transparent. Palette colours are opaque, so the mask pass below tells such a pixel by its
    // alpha and leaves it clear.
    const auto fromPalette = [&palette](unsigned i) { return i < palette.size() ? palette[i] : QRgb(0); };
    QImage img(width, height, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(d.constData() + xorAt + (height - 1 - y) * xorStride);
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb c = 0;
            switch (bits) {
            case 1: c = fromPalette((row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: c = fromPalette((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); break;
            case 8: c = fromPalette(row[x]); break;
            case 24: c = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
            case 32:
                c = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
                anyAlpha = anyAlpha || row[x * 4 + 3] != 0;
                break;
            }
            out[x] = c;
        }
    }
    // A 32-bit image with an alpha channel carries its own transparency; otherwise the AND mask
    // does. A masked pixel whose colour is not black inverts the screen under the old system;
    // we draw it black, which is what it shows over the light surfaces of the windows.
    for (int y = 0; y < height; ++y) {
        const auto* mask = haveMask
            ? reinterpret_cast<const uchar*>(d.constData() + andAt + (height - 1 - y) * andStride)
            : nullptr;
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((bits == 32 && anyAlpha) || (bits <= 8 && qAlpha(out[x]) == 0))
                continue;
            const bool transparent = mask && ((mask[x / 8] >> (7 - x % 8)) & 1);
            if (!transparent)
                out[x] = qRgba(qRed(out[x]), qGreen(out[x]), qBlue(out[x]), 255);
            else if ((out[x] & 0xFFFFFF) != 0)
                out[x] = qRgba(0, 0, 0, 255);
            else
                out[x] = 0;
        }
    }
    return img;
}

// The format a picture's first bytes announce, or nothing for one they do not tell.
QByteArray signatureFormat(const QByteArray& d)
{
    if (d.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (d.startsWith("BM"))
        return "bmp";
    if (d.startsWith("GIF87a") || d.startsWith("GIF89a"))
        return "gif";
    if (d.startsWith("\xff\xd8\xff"))
        return "jpeg";
    return {};
}

QImage decodeAs(const QByteArray& bytes, const QByteArray& format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setDecideFormatFromContent(format.isEmpty());
    return reader.read();
}

// The picture's own signature names its reader: asking every image plugin whether it knows the
// bytes would load all of them at the first picture. Bytes without a known signature, or whose
// signature lies, are judged by their content as before.
QImage decodePicture(const QByteArray& bytes)
{
    const QByteArray format = signatureFormat(bytes);
    QImage img = format.isEmpty() ? QImage() : decodeAs(bytes, format);
    if (img.isNull())
        img = decodeAs(bytes, {});
    return img;
}

// CRC-32 of the PNG chunks (the polynomial of ISO 3309), over the chunk's type and data.
quint32 pngCrc(const char* data, qsizetype size)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = table[(c ^ uchar(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Whether a PNG file's chunks stand as the decoder requires them: the header first, image data,
// the end chunk, and every critical chunk whole with its checksum right (the decoder passes over
// a wrong one only in an ancillary chunk). A file cut short or overwritten after its header
// fails here as it fails to decode, without the cost of decoding it.
bool pngChunksSound(const QByteArray& d)
{
    qsizetype at = 8;
    bool first = true;
    bool data = false;
    while (at + 12 <= d.size()) {
        const quint32 length = qFromBigEndian<quint32>(d.constData() + at);
        if (length > 0x7FFFFFFFu || qsizetype(length) > d.size() - at - 12)
            return false;
        const QByteArray type = d.mid(at + 4, 4);
        const bool critical = !(type[0] & 0x20);
        if (critical && pngCrc(d.constData() + at + 4, qsizetype(length) + 4)
                            != qFromBigEndian<quint32>(d.constData() + at + 8 + length))
            return false;
        if (first != (type == "IHDR"))
            return false;
        first = false;
        data = data || type == "IDAT";
        if (type == "IEND")
            return data;
        at += qsizetype(length) + 12;
    }
    return false;
}

// The size a GIF decodes to, where its header tells it for sure. The decoder draws the first
// frame on the canvas that the header declares, but sizes a canvas it disbelieves (none, or one
// far larger than the frame) by the frame instead, while the reader's size says the canvas
// either way: only a first frame that fills the canvas exactly tells the decoded size.
QSize gifSize(const QByteArray& d)
{
    if (d.size() < 13)
        return {};
    const QSize canvas(u16(d, 6), u16(d, 8));
    const uchar flags = uchar(d[10]);
    qsizetype at = 13;
    if (flags & 0x80) // the global colour table
        at += 3 * (qsizetype(1) << ((flags & 7) + 1));
    while (at < d.size()) {
        const uchar block = uchar(d[at]);
        if (block == 0x21) { // an extension: its label, then blocks up to an empty one
            at += 2;
            while (at < d.size() && d[at] != 0)
                at += 1 + uchar(d[at]);
            ++at;
            continue;
        }
        if (block != 0x2C || at + 9 > d.size()) // no image descriptor first
            return {};
        const QRect frame(u16(d, at + 1), u16(d, at + 3), u16(d, at + 5), u16(d, at + 7));
        return frame == QRect(QPoint(0, 0), canvas) && !canvas.isEmpty() ? canvas : QSize();
    }
    return {};
}

// The size of the picture in a file as its header gives it, for the formats whose header tells
// what the decoder will give: a bitmap stored top down gives its height negative. Nothing for a
// file whose header tells nothing sure.
QSize headerSize(const QByteArray& bytes)
{
    const QByteArray format = signatureFormat(bytes);
    if (format.isEmpty())
        return {};
    if (format == "gif")
        return gifSize(bytes);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize told = reader.canRead() ? reader.size() : QSize();
    const QSize size(qAbs(told.width()), qAbs(told.height()));
    if (size.isEmpty())
        return {};
    if (format == "png" && !pngChunksSound(bytes))
        return {};
    return size;
}

} // namespace

namespace {

// The format the window system's pixmaps keep a picture in: converted to it beforehand, the
// picture becomes a pixmap without a copy.
QImage inPixmapFormat(QImage img)
{
    const QImage::Format format = img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return img.format() == format ? img : std::move(img).convertToFormat(format);
}

std::atomic<quint64> decodeCount{0};

// Memory is given back once a window-sized picture's worth went, one at a time or together.
constexpr qint64 GiveBackBytes = 1 << 20;
qint64 freedSinceGivenBack = 0; // bytes of pictures let go on the window thread

void pictureMemoryFreed(qint64 bytes)
{
    freedSinceGivenBack += bytes;
    if (freedSinceGivenBack >= GiveBackBytes)
        giveFreedMemoryBackSoon();
}

// Pictures decoded ahead of their use on a thread of their own, by the path they were asked
// for: the file's version taken before its bytes, and the picture (null when the file could not
// be read or decoded: LoadPicture then reads it itself and reports what fails).
struct AheadPicture {
    bool done = false;
    bool read = false;
    QString real;
    std::optional<platform::FileVersion> version;
    QImage image;
};

struct DecodedAhead {
    std::mutex mutex;
    std::condition_variable changed;
    QHash<QString, AheadPicture> pictures;
    int pending = 0;
};

// Never destroyed: a decode may still run while the program ends.
DecodedAhead& decodedAhead()
{
    static auto* ahead = new DecodedAhead;
    return *ahead;
}

// The decode ahead of `path`, once done (waiting for one under way, as it would take as long
// again on this thread); the end of the table when there is none.
QHash<QString, AheadPicture>::iterator finishedAhead(std::unique_lock<std::mutex>& lock, const QString& path)
{
    DecodedAhead& ahead = decodedAhead();
    auto it = ahead.pictures.find(path);
    if (it == ahead.pictures.end())
        return it;
    ahead.changed.wait(lock, [&] {
        it = ahead.pictures.find(path);
        return it == ahead.pictures.end() || it->done;
    });
    return it;
}

bool decodedFrom(const AheadPicture& p, const QString& real, const std::optional<platform::FileVersion>& version)
{
    return p.read && version && p.version == version && p.real == real;
}

// The picture decoded ahead for `path` when its file is still the version decoded.
std::optional<QImage> takeDecodedAhead(const QString& path, const QString& real, const std::optional<platform::FileVersion>& version)
{
    DecodedAhead& ahead = decodedAhead();
    std::unique_lock lock(ahead.mutex);
    const auto it = finishedAhead(lock, path);
    if (it == ahead.pictures.end())
        return std::nullopt;
    AheadPicture taken = std::move(*it);
    ahead.pictures.erase(it);
    if (taken.image.isNull() || !decodedFrom(taken, real, version))
        return std::nullopt;
    return std::move(taken.image);
}

// What the decode ahead of `path` found in the file's version `version`, left for the load that
// takes it: the picture's size, an empty size for a file that does not decode, or nothing when
// that version was not decoded ahead.
std::optional<QSize> decodedAheadSize(const QString& path, const QString& real, const std::optional<platform::FileVersion>& version)
{
    DecodedAhead& ahead = decodedAhead();
    std::unique_lock lock(ahead.mutex);
    const auto it = finishedAhead(lock, path);
    if (it == ahead.pictures.end() || !decodedFrom(*it, real, version))
        return std::nullopt;
    return it->image.size();
}

// Decoded pictures by file, each kept with the version its file had (identity, size, times):
// a file that changes, even into one of the same size and time, is decoded afresh; an
// unchanged one is not decoded twice while it is kept. A picture that a window still holds
// costs nothing to keep and is always kept: a step shown again, or a window's page built again,
// decodes nothing. Of the others only the most recently used few are kept, up to a bound below
// one window-sized screenshot: the faces a button swaps stay, while the pictures of a window
// closed give their memory back.
struct CachedPicture {
    QString real;
    platform::FileVersion version;
    QPixmap picture;
    qint64 costKiB = 0;
};

constexpr qint64 UnusedBoundKiB = 256;

struct PictureCache {
    std::list<CachedPicture> recent; // least recently used first
    QHash<QString, std::list<CachedPicture>::iterator> byPath;

    const CachedPicture* find(const QString& real, const platform::FileVersion& version)
    {
        const auto it = byPath.constFind(real);
        if (it == byPath.cend() || (*it)->version != version)
            return nullptr;
        recent.splice(recent.end(), recent, *it);
        return &recent.back();
    }

    void insert(CachedPicture picture)
    {
        if (const auto it = byPath.constFind(picture.real); it != byPath.cend())
            recent.erase(*it);
        const QString real = picture.real;
        recent.push_back(std::move(picture));
        byPath.insert(real, std::prev(recent.end()));
        trim();
    }

    // A picture whose only holder is this cache is in no window.
    void trim()
    {
        qint64 unused = 0;
        qint64 given = 0;
        for (const CachedPicture& c : recent)
            if (c.picture.isDetached())
                unused += c.costKiB;
        for (auto it = recent.begin(); it != recent.end() && unused > UnusedBoundKiB;) {
            if (!it->picture.isDetached()) {
                ++it;
                continue;
            }
            unused -= it->costKiB;
            given += it->costKiB;
            byPath.remove(it->real);
            it = recent.erase(it);
        }
        if (given > 0)
            pictureMemoryFreed(given * 1024);
    }
};

PictureCache& pictureCache()
{
    static PictureCache cache;
    return cache;
}

// The picture kept for the file at `path` as it is now, without decoding anything.
std::optional<QPixmap> keptPicture(const QString& path)
{
    const QString real = platform::resolvePath(path);
    const std::optional<platform::FileVersion> version = platform::fileVersion(real);
    const CachedPicture* hit = version ? pictureCache().find(real, *version) : nullptr;
    return hit ? std::optional<QPixmap>(hit->picture) : std::nullopt;
}

} // namespace

void giveFreedMemoryBack()
{
    freedSinceGivenBack = 0;
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void giveFreedMemoryBackSoon()
{
    // The pages given back cost a fault each when they are used again: not while the candidate
    // goes from step to step, once the program has been idle for a moment.
    static platform::Timer* const later = [] {
        auto* t = new platform::Timer(nullptr, 200); // lives as long as the program
        t->onTimer = [t] {
            t->setEnabled(false);
            giveFreedMemoryBack();
        };
        return t;
    }();
    later->setEnabled(false);
    later->setEnabled(true);
}

quint64 picturesDecoded() { return decodeCount.load(); }

void decodeAhead(const QStringList& paths)
{
    DecodedAhead& ahead = decodedAhead();
    QStringList asked;
    {
        const std::lock_guard lock(ahead.mutex);
        for (const QString& path : paths)
            if (!path.isEmpty() && !ahead.pictures.contains(path)) {
                ahead.pictures.insert(path, AheadPicture{});
                asked << path;
            }
        if (asked.isEmpty())
            return;
        ++ahead.pending;
    }
    // Reading and decoding a picture touches no window: only the pixmap is the window thread's.
    QThreadPool::globalInstance()->start([asked] {
        DecodedAhead& ahead = decodedAhead();
        for (const QString& path : asked) {
            AheadPicture picture;
            picture.done = true;
            picture.real = platform::resolvePath(path);
            const platform::WholeFile file = readFile(picture.real, nullptr);
            picture.version = file.version;
            if (file.status == platform::ReadStatus::Read) {
                picture.read = true;
                ++decodeCount;
                picture.image = inPixmapFormat(decodePicture(file.bytes));
            }
            const std::lock_guard lock(ahead.mutex);
            // Dropped meanwhile: nobody wants it any more.
            if (const auto it = ahead.pictures.find(path); it != ahead.pictures.end() && !it->done)
                *it = std::move(picture);
            ahead.changed.notify_all();
        }
        const std::lock_guard lock(ahead.mutex);
        --ahead.pending;
        ahead.changed.notify_all();
    });
}

void dropDecodedAhead()
{
    DecodedAhead& ahead = decodedAhead();
    QHash<QString, AheadPicture> dropped;
    {
        const std::lock_guard lock(ahead.mutex);
        dropped.swap(ahead.pictures);
        ahead.changed.notify_all();
    }
    qint64 bytes = 0;
    for (const AheadPicture& p : std::as_const(dropped))
        bytes += p.image.sizeInBytes();
    dropped.clear();
    // Once, at the start, off any candidate's way: at once.
    if (bytes >= GiveBackBytes)
        giveFreedMemoryBack();
}

void waitForDecodeAhead()
{
    DecodedAhead& ahead = decodedAhead();
    std::unique_lock lock(ahead.mutex);
    ahead.changed.wait(lock, [&ahead] { return ahead.pending == 0; });
}

std::optional<QPixmap> LoadPicture(const QString& path, Error* err)
{
    if (err)
        *err = Error{};
    if (path.isEmpty())
        return std::nullopt;
    const QString real = platform::resolvePath(path);
    const std::optional<platform::FileVersion> version = platform::fileVersion(real);
    if (version) {
        if (const CachedPicture* hit = pictureCache().find(real, *version))
            return hit->picture;
    }
    std::optional<platform::FileVersion> keptAs = version;
    std::optional<QImage> img = takeDecodedAhead(path, real, version);
    if (!img) {
        const platform::WholeFile file = readFile(real, err);
        if (file.status != platform::ReadStatus::Read)
            return std::nullopt;
        keptAs = file.version;
        ++decodeCount;
        img = decodePicture(file.bytes);
        if (img->isNull()) {
            setError(err, errInvalidPicture);
            return std::nullopt;
        }
    }
    const qint64 costKiB = qMax<qint64>(1, qint64(img->sizeInBytes()) / 1024);
    QPixmap picture = QPixmap::fromImage(std::move(*img));
    // The file's version as opened, before the bytes: a change while reading shows at the next use.
    if (keptAs)
        pictureCache().insert(CachedPicture{real, *keptAs, picture, costKiB});
    return picture;
}

std::optional<PictureFile> CheckPicture(const QString& path, Error* err)
{
    if (err)
        *err = Error{};
    if (path.isEmpty())
        return std::nullopt;
    // The decode ahead of this very version answers as the load will; else the header where it
    // tells the decoded size for sure, else the decoding itself.
    const QString real = platform::resolvePath(path);
    std::optional<platform::FileVersion> version = platform::fileVersion(real);
    QSize size;
    if (const auto ahead = decodedAheadSize(path, real, version)) {
        size = *ahead;
    } else {
        const platform::WholeFile file = readFile(real, err);
        if (file.status != platform::ReadStatus::Read)
            return std::nullopt;
        version = file.version;
        size = headerSize(file.bytes);
        if (size.isEmpty()) {
            ++decodeCount;
            size = decodePicture(file.bytes).size();
        }
    }
    if (!size.isEmpty())
        return PictureFile{path, size, version, {}};
    setError(err, errInvalidPicture);
    return std::nullopt;
}

void HeldPicture::set(std::optional<QPixmap> picture)
{
    picture_ = std::move(picture);
    decodedFrom_.clear();
    file_.reset();
}

void HeldPicture::set(PictureFile file)
{
    // The picture decoded from this file before stays while the file is unchanged.
    if (picture_ && decodedFrom_ == file.path) {
        if (auto kept = keptPicture(file.path)) {
            picture_ = std::move(kept);
            file_.reset();
            return;
        }
    }
    picture_.reset();
    decodedFrom_.clear();
    file_ = std::move(file);
}

QSize HeldPicture::size() const
{
    if (file_)
        return file_->size;
    return picture_ ? picture_->size() : QSize();
}

const std::optional<QPixmap>& HeldPicture::get() const
{
    if (file_) {
        const PictureFile file = *std::move(file_);
        file_.reset();
        Error err;
        picture_ = LoadPicture(file.path, &err);
        decodedFrom_ = file.path;
        resized_ = picture_ && picture_->size() != file.size;
        // The check answered for the file as it stood then: one changed since is reported now.
        if (!picture_ && file.failed && platform::fileVersion(platform::resolvePath(file.path)) != file.version)
            file.failed(err);
    }
    return picture_;
}

std::optional<QCursor> cursorFromCurData(const QByteArray& data)
{
    // Icon directory: reserved 0, type 2 (pointer), count; then 16-byte entries.
    if (data.size() < 6 + 16 || u16(data, 0) != 0 || u16(data, 2) != 2 || u16(data, 4) == 0)
        return std::nullopt;
    const int hotX = u16(data, 6 + 4);
    const int hotY = u16(data, 6 + 6);
    const quint32 size = u32(data, 6 + 8);
    const quint32 offset = u32(data, 6 + 12);
    if (offset >= quint32(data.size()) || size == 0)
        return std::nullopt;
    const QByteArray image = data.mid(offset, qMin<qsizetype>(size, data.size() - offset));
    std::optional<QImage> img;
    if (image.startsWith("\x89PNG")) {
        QImage png;
        if (png.loadFromData(image, "PNG"))
            img = png;
    } else {
        img = decodeIconDib(image);
    }
    if (!img || img->isNull())
        return std::nullopt;
    const int x = qBound(0, hotX, img->width() - 1);
    const int y = qBound(0, hotY, img->height() - 1);
    return QCursor(QPixmap::fromImage(*img), x, y);
}

std::optional<QCursor> LoadCursor(const QString& path, Error* err)
{
    if (err)
        *err = Error{};
    const platform::WholeFile file = readFile(platform::resolvePath(path), err);
    if (file.status != platform::ReadStatus::Read)
        return std::nullopt;
    auto cursor = cursorFromCurData(file.bytes);
    if (!cursor)
        setError(err, errInvalidPicture);
    return cursor;
}

QCursor standardCursor(int mousePointer)
{
    switch (mousePointer) {
    case vbCrosshair: return QCursor(Qt::CrossCursor);
    case vbIbeam: return QCursor(Qt::IBeamCursor);
    case vbSizePointer:
    case vbSizeAll: return QCursor(Qt::SizeAllCursor);
    case vbSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case vbSizeNS: return QCursor(Qt::SizeVerCursor);
    case vbSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case vbSizeWE: return QCursor(Qt::SizeHorCursor);
    case vbUpArrow: return QCursor(Qt::UpArrowCursor);
    case vbHourglass: return QCursor(Qt::WaitCursor);
    case vbNoDrop: return QCursor(Qt::ForbiddenCursor);
    case vbArrowHourglass: return QCursor(Qt::BusyCursor);
    case vbArrowQuestion: return QCursor(Qt::WhatsThisCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

void applyMousePointer(QWidget* w, int mousePointer, const std::optional<QCursor>& icon)
{
    if (!w)
        return;
    if (mousePointer == vbDefault || (mousePointer == vbCustom && !icon))
        w->unsetCursor();
    else if (mousePointer == vbCustom)
        w->setCursor(*icon);
    else
        w->setCursor(standardCursor(mousePointer));
}

} // namespace vb
