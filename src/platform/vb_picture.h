#pragma once
// Pictures and pointer files.
//
// Pictures are read from disk at every call: the program relies on a file changed between two
// uses showing its new content. The ".mxy" extension of the installation's pictures names no
// format; a picture is recognised by its content (PNG, BMP, GIF, JPEG).

#include "platform/files.h"
#include "platform/vb_constants.h"

#include <QCursor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace vb {

// The picture in a file, looked up without regard to case. A missing file gives error 53, a file
// that holds no picture error 481, and so does what is no regular file (a folder, a pipe, a
// device) or is larger than any picture the decoder takes: it is refused at once, unread. An
// empty path gives no picture and no error (the old LoadPicture("") that clears a picture).
std::optional<QPixmap> LoadPicture(const QString& path, Error* err = nullptr);

// A picture file checked without keeping its pixels: it exists and holds a picture of this size.
// A control holding one decodes it when it is first drawn, so that a control never shown, or one
// that others cover, costs no memory for its pixels. A file changed since its check is checked
// again then: the control takes the new picture's size, and `failed` (when set) hears of a file
// that no longer loads.
struct PictureFile {
    QString path;
    QSize size;
    std::optional<platform::FileVersion> version; // the file's as checked
    std::function<void(const Error&)> failed;
};

// Checks the picture at `path` as LoadPicture would load it, with the same size or the same error
// (53 for a missing file, 481 for one that holds no picture), without keeping its pixels: the
// picture decoded ahead for the file as it stands answers, waiting for a decode under way; else
// the header where it tells the size for sure and the file's make shows it whole (a PNG's
// chunks); else the file is decoded. A file whose body is spoilt in a way only its decoding
// shows, and which was not decoded ahead, passes, and shows nothing when drawn.
std::optional<PictureFile> CheckPicture(const QString& path, Error* err = nullptr);

// What a picture control holds: a decoded picture, or a checked file that is decoded at its
// first use (a file gone or spoilt since its check gives no picture then).
class HeldPicture {
public:
    HeldPicture() = default;
    void set(std::optional<QPixmap> picture);
    void set(PictureFile file);
    bool has() const { return picture_ || file_; }
    bool isDecoded() const { return !file_; }
    QSize size() const;
    // The picture, decoded now if it is not yet.
    const std::optional<QPixmap>& get() const;
    // Whether the picture decoded last came out of another size than its file's check gave (the
    // file changed since): true once, for the holder to take the new size.
    bool takeResized() const { return std::exchange(resized_, false); }

private:
    mutable std::optional<QPixmap> picture_;
    mutable QString decodedFrom_;
    mutable std::optional<PictureFile> file_;
    mutable bool resized_ = false;
};

// Pictures and windows live among other things in the allocator's heap, which keeps the pages
// they leave between the things still in use: this gives those pages back to the system, now or
// once the program has been idle for a moment.
void giveFreedMemoryBack();
void giveFreedMemoryBackSoon();

// How many pictures have been decoded from their files since the start; a picture served from
// the pictures kept for unchanged files, or decoded ahead, does not count again. Shows whether
// pictures decoded ahead of their use were the ones used.
quint64 picturesDecoded();

// Decodes the pictures at these paths on a thread of their own, ahead of their use: a
// LoadPicture of one of the same paths takes the picture decoded for the file's present
// version (waiting for a decode under way) instead of reading the file again. A file that
// cannot be read or decoded ahead is reported by the LoadPicture that asks for it, as ever.
void decodeAhead(const QStringList& paths);

// Forgets the pictures decoded ahead that nobody took, and those still to come.
void dropDecodedAhead();

// Waits until every picture asked for ahead has been decoded (for tests).
void waitForDecodeAhead();

// A Windows pointer file (".CUR": an icon directory of type 2 whose entry holds the hot spot;
// the image a DIB with an AND mask in 1, 4, 8, 24 or 32 bits, or a PNG) as a cursor with its
// hot spot. Errors as LoadPicture.
std::optional<QCursor> LoadCursor(const QString& path, Error* err = nullptr);

// The same from the bytes of a pointer file (nothing when they are not one).
std::optional<QCursor> cursorFromCurData(const QByteArray& data);

// The standard pointers 0 (vbDefault) to 15 (vbSizeAll); other numbers give the arrow.
QCursor standardCursor(int mousePointer);

// Gives a widget the pointer of a MousePointer value (vbCustom: the icon, when there is one).
void applyMousePointer(QWidget* w, int mousePointer, const std::optional<QCursor>& icon);

} // namespace vb
