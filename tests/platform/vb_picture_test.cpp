// Pictures by content whatever their extension, the old error numbers, and pointer files.

#include "support/events.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <optional>
#include <sstream>

using namespace vb;

namespace {

TEST(Pictures, EveryFormatLoadsFromAnMxyFile)
{
    tsupport::TempInstall install;
    for (const char* format : {"PNG", "BMP", "GIF", "JPEG", "ICO"}) {
        const QString path = install.writePicture(QString("pic_%1.mxy").arg(format), {5, 3}, QColor(255, 0, 0), format);
        Error err{-1, {}};
        const auto pic = LoadPicture(path, &err);
        ASSERT_TRUE(pic.has_value()) << format;
        EXPECT_EQ(pic->size(), QSize(5, 3)) << format;
        EXPECT_EQ(err.number, 0) << format;
        const auto checked = CheckPicture(path, &err);
        ASSERT_TRUE(checked.has_value()) << format;
        EXPECT_EQ(checked->size, QSize(5, 3)) << format;
        const QColor c = pic->toImage().pixelColor(2, 1);
        EXPECT_GT(c.red(), 230) << format;
        EXPECT_LT(c.green(), 25) << format;
    }
}

TEST(Pictures, FailuresGiveTheOldErrorNumbers)
{
    tsupport::TempInstall install;
    install.writeBytes("junk.mxy", "this is no picture at all");
    install.writeBytes("empty.mxy", {});
    install.writeBytes("lying.mxy", "\x89PNG\r\n\x1a\nthe rest is no picture");
    QDir().mkpath(install.path("folder.mxy"));
    struct Case {
        const char* name;
        int number;
    } const cases[] = {{"missing.mxy", 53}, {"nodir/missing.mxy", 53}, {"folder.mxy", 481},
                       {"junk.mxy", 481},   {"empty.mxy", 481},         {"lying.mxy", 481}};
    for (const auto& c : cases) {
        Error err;
        EXPECT_FALSE(LoadPicture(install.path(c.name), &err).has_value()) << c.name;
        EXPECT_EQ(err.number, c.number) << c.name;
        EXPECT_EQ(err.text, errorText(c.number)) << c.name;
        Error checkErr;
        EXPECT_FALSE(CheckPicture(install.path(c.name), &checkErr).has_value()) << c.name;
        EXPECT_EQ(checkErr.number, c.number) << c.name;
        Error cursorErr;
        EXPECT_FALSE(LoadCursor(install.path(c.name), &cursorErr).has_value()) << c.name;
        EXPECT_EQ(cursorErr.number, c.number) << c.name;
    }
    EXPECT_EQ(errorText(53), "File not found");
    EXPECT_EQ(errorText(481), "Invalid picture");
    Error err{7, {}};
    EXPECT_FALSE(LoadPicture({}, &err).has_value());
    EXPECT_EQ(err.number, 0) << "an empty path clears a picture without an error";
}

TEST(Pictures, NamesAreFoundWithoutRegardToCaseAndReadAfresh)
{
    tsupport::TempInstall install;
    install.writePicture("Data/9LX007.MXY", {4, 4}, Qt::green, "BMP");
    const QString asked = install.path("data/9lX007.mxy");
    ASSERT_TRUE(LoadPicture(asked).has_value());
    EXPECT_EQ(LoadPicture(asked)->size(), QSize(4, 4));
    install.writePicture("Data/9LX007.MXY", {6, 2}, Qt::green, "PNG");
    EXPECT_EQ(LoadPicture(asked)->size(), QSize(6, 2)) << "a changed file shows its new content";
}

// A pointer file of one 8 x 8 image with the given bit depth: every pixel red, except the
// top-left one, which is black and which the AND mask makes transparent (the usual make of a
// pointer's transparent area). bits 0 stands for a PNG image.
template <class T>
void putLe(QByteArray& out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

// A pointer file of 8 x 8 pixels: red but for its clear top-left pixel. A palette of `colours`
// entries (0: as many as the bits can name) is listed in the header as that many.
QByteArray curFile(int bits, QPoint hot, int colours = 0)
{
    const int w = 8, h = 8;
    QByteArray image;
    const auto put32 = [&image](quint32 v) { putLe(image, v); };
    const auto put16 = [&image](quint16 v) { putLe(image, v); };
    if (bits == 0) {
        QImage img(w, h, QImage::Format_ARGB32);
        img.fill(QColor(255, 0, 0));
        img.setPixelColor(0, 0, QColor(0, 0, 0, 0));
        QBuffer buf(&image);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
    } else {
        put32(40);
        put32(w);
        put32(2 * h);
        put16(1);
        put16(quint16(bits));
        for (int i = 0; i < 6; ++i)
            put32(i == 4 ? quint32(colours) : 0u);
        if (bits <= 8) {
            for (int i = 0; i < (colours > 0 ? colours : 1 << bits); ++i)
                put32(i == 1 ? 0x00FF0000u : 0u); // entry 1 red (B, G, R, 0)
        }
        const int stride = ((w * bits + 31) / 32) * 4;
        for (int y = 0; y < h; ++y) {
            QByteArray row(stride, 0);
            for (int x = 0; x < w; ++x) {
                if (x == 0 && y == h - 1) // bottom-up: the top-left pixel
                    continue;
                switch (bits) {
                case 1: row[x / 8] = char(row[x / 8] | (1 << (7 - x % 8))); break;
                case 4: row[x / 2] = char(row[x / 2] | (x % 2 ? 0x01 : 0x10)); break;
                case 8: row[x] = 1; break;
                case 24: row[x * 3 + 2] = char(0xFF); break;
                case 32: row[x * 4 + 2] = char(0xFF); break;
                }
            }
            image.append(row);
        }
        const int maskStride = 4;
        for (int y = 0; y < h; ++y) {
            QByteArray row(maskStride, 0);
            if (y == h - 1) // bottom-up: the last row is the top one
                row[0] = char(0x80);
            image.append(row);
        }
    }
    QByteArray file;
    const auto le16 = [&file](quint16 v) { putLe(file, v); };
    const auto le32 = [&file](quint32 v) { putLe(file, v); };
    le16(0);
    le16(2);
    le16(1);
    file.append(char(w)).append(char(h)).append(char(0)).append(char(0));
    le16(quint16(hot.x()));
    le16(quint16(hot.y()));
    le32(quint32(image.size()));
    le32(6 + 16);
    return file + image;
}

TEST(Pointers, CurFilesGiveCursorsWithTheirHotSpot)
{
    tsupport::TempInstall install;
    for (const int bits : {1, 4, 8, 24, 32, 0}) {
        const QString path = install.writeBytes(QString("ICO%1.CUR").arg(bits), curFile(bits, {3, 5}));
        Error err;
        const auto cursor = LoadCursor(install.path(QString("ico%1.cur").arg(bits)), &err);
        ASSERT_TRUE(cursor.has_value()) << bits;
        EXPECT_EQ(cursor->hotSpot(), QPoint(3, 5)) << bits;
        const QImage img = cursor->pixmap().toImage();
        ASSERT_EQ(img.size(), QSize(8, 8)) << bits;
        EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0) << bits;
        EXPECT_EQ(img.pixelColor(4, 6), QColor(255, 0, 0)) << bits;
    }
    EXPECT_FALSE(cursorFromCurData(curFile(8, {3, 5}).left(30)).has_value()) << "a short file is no pointer";

    // A palette shorter than the pixels need: the pixels past it are clear, nothing is read
    // beyond the file's colour table.
    for (const int bits : {1, 4, 8}) {
        const auto cursor = cursorFromCurData(curFile(bits, {3, 5}, 1));
        ASSERT_TRUE(cursor.has_value()) << bits;
        EXPECT_EQ(cursor->pixmap().toImage().pixelColor(4, 6).alpha(), 0) << bits;
    }
    EXPECT_EQ(standardCursor(vbIbeam).shape(), Qt::IBeamCursor);
    EXPECT_EQ(standardCursor(vbHourglass).shape(), Qt::WaitCursor);
}

QByteArray encoded(const QImage& img, const char* format)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

QByteArray solidPng(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::red);
    return encoded(img, "PNG");
}

// An uncompressed bitmap of 24 or 32 bits a pixel, its rows stored bottom-up (the usual make) or
// top-down (a negative height in its header).
QByteArray bmpFile(QSize size, int bits, bool topDown)
{
    const int stride = ((size.width() * bits + 31) / 32) * 4;
    const QByteArray row = QByteArray("\x00\x00\xff\xff", bits / 8).repeated(size.width()).leftJustified(stride, '\0');
    const QByteArray pixels = row.repeated(size.height());
    QByteArray file("BM");
    putLe<quint32>(file, quint32(54 + pixels.size()));
    putLe<quint32>(file, 0);
    putLe<quint32>(file, 54);
    putLe<quint32>(file, 40);
    putLe<qint32>(file, size.width());
    putLe<qint32>(file, topDown ? -size.height() : size.height());
    putLe<quint16>(file, 1);
    putLe<quint16>(file, quint16(bits));
    for (int i = 0; i < 6; ++i)
        putLe<quint32>(file, i == 1 ? quint32(pixels.size()) : 0u);
    return file + pixels;
}

// The load and the check of a picture file agree: the same picture size, or the same error.
// Where the pictures were decoded ahead, the check learns from that decoding even what only
// decoding shows: a PNG whose chunks are whole but hold too few rows.
TEST(Pictures, TheCheckAcceptsWhatTheLoadAcceptsWithTheSameSize)
{
    tsupport::TempInstall install;
    QByteArray spoilt = solidPng({5, 3});
    const qsizetype data = spoilt.indexOf("IDAT") + 6;
    spoilt[data] = char(spoilt[data] ^ 0x55);
    QByteArray pointer = curFile(8, {3, 5});
    pointer[7] = 0; // the directory's height: 256
    QImage icon(5, 3, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QByteArray tga("\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00", 12);
    putLe<quint16>(tga, 5);
    putLe<quint16>(tga, 3);
    tga += QByteArray("\x18\x00", 2) + QByteArray(5 * 3 * 3, char(0x7f));
    QDir().mkpath(install.path("folder.mxy"));
    QFile gif(install.writePicture("gif0.mxy", {5, 3}, Qt::red, "GIF"));
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes; // nothing: no file written
        QSize size;  // accepted with this size
        int number;  // or refused with this error
    } const cases[] = {
        {"bmp24.mxy", bmpFile({5, 3}, 24, false), {5, 3}, 0},
        {"bmp24down.mxy", bmpFile({5, 3}, 24, true), {5, 3}, 0},
        {"bmp32.mxy", bmpFile({5, 3}, 32, false), {5, 3}, 0},
        {"bmp32down.mxy", bmpFile({5, 3}, 32, true), {5, 3}, 0},
        {"png.mxy", solidPng({5, 3}), {5, 3}, 0},
        {"gif.mxy", gif.readAll(), {5, 3}, 0},
        {"jpeg.mxy", encoded(icon, "JPEG"), {5, 3}, 0},
        {"ico.mxy", encoded(icon, "ICO"), {5, 3}, 0},
        {"pointer.cur", pointer, {8, 8}, 0},
        {"targa.mxy", tga, {}, 481},
        {"spoilt.mxy", spoilt, {}, 481},
        {"garbage.mxy", "\x01\x02 no picture here", {}, 481},
        {"empty.mxy", QByteArray(), {}, 481},
        {"folder.mxy", std::nullopt, {}, 481},
        {"missing.mxy", std::nullopt, {}, 53},
    };
    for (const auto& c : cases) {
        if (c.bytes)
            install.writeBytes(c.name, *c.bytes);
    }
    // Too few rows for its header: only decoding shows it.
    const QByteArray oneRow = solidPng({5, 1});
    install.writeBytes("short.mxy", solidPng({5, 3}).left(33) + oneRow.mid(33));

    const auto agree = [&install](const char* name, QSize size, int number) {
        const QString path = install.path(name);
        Error checkErr, loadErr;
        const auto checked = CheckPicture(path, &checkErr);
        const auto loaded = LoadPicture(path, &loadErr);
        EXPECT_EQ(checked.has_value(), loaded.has_value()) << name;
        EXPECT_EQ(checked ? checked->size : QSize(), size) << name;
        EXPECT_EQ(loaded ? loaded->size() : QSize(), size) << name;
        EXPECT_EQ(checkErr.number, number) << name;
        EXPECT_EQ(loadErr.number, number) << name;
    };
    for (const auto& c : cases)
        agree(c.name, c.size, c.number);

    QStringList paths;
    for (const auto& c : cases)
        paths << install.path(c.name);
    paths << install.path("short.mxy");
    decodeAhead(paths);
    for (const auto& c : cases)
        agree(c.name, c.size, c.number);
    agree("short.mxy", {}, 481);
    dropDecodedAhead();
}

// A GIF decodes to its first frame drawn on the canvas its header declares, or on one the size
// of the frame where the decoder disbelieves the canvas: whatever the header and the frame say,
// the check gives the size the load gives (or the same error), and a control laid out at the
// checked size keeps it at its first drawing.
TEST(Pictures, AGifChecksAtTheSizeItLoads)
{
    tsupport::TempInstall install;
    struct Case {
        QSize canvas;
        QRect frame;
    } const cases[] = {
        {{18178, 2}, {0, 0, 2, 2}}, {{5, 3}, {0, 0, 5, 3}},     {{5, 3}, {1, 1, 2, 2}},        {{0, 0}, {0, 0, 2, 2}},
        {{2, 2}, {0, 0, 5, 3}},     {{3, 2}, {2, 0, 2, 2}},     {{40000, 40000}, {0, 0, 2, 2}}, {{2, 40000}, {0, 0, 2, 2}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString path = install.writeBytes(QStringLiteral("gif%1.mxy").arg(n++), tsupport::solidGif(c.canvas, Qt::red, c.frame));
        std::ostringstream what;
        what << c.canvas.width() << "x" << c.canvas.height() << " with a frame " << c.frame.width() << "x" << c.frame.height() << " at "
             << c.frame.x() << "," << c.frame.y();
        Error checkErr, loadErr;
        const auto checked = CheckPicture(path, &checkErr);
        const auto loaded = LoadPicture(path, &loadErr);
        EXPECT_EQ(checked ? checked->size : QSize(), loaded ? loaded->size() : QSize()) << what.str();
        EXPECT_EQ(checkErr.number, loadErr.number) << what.str();
        if (checked) {
            HeldPicture held;
            held.set(*checked);
            EXPECT_EQ(held.size(), checked->size) << what.str();
            EXPECT_TRUE(held.get()) << what.str();
            EXPECT_FALSE(held.takeResized()) << what.str();
        }
    }
}

TEST(Keys, OldCodesMapBothWays)
{
    struct Case {
        int code;
        int shift;
    } const cases[] = {{vbKeyReturn, 0}, {vbKeyEscape, 0}, {vbKeyA, vbShiftMask}, {vbKey5, 0}, {vbKeyF1, 0},
                       {vbKeyF12, vbCtrlMask}, {vbKeyHome, 0}, {vbKeyDelete, 0}, {vbKeyNumpad0 + 7, 0},
                       {vbKeyAdd, 0}, {186, vbShiftMask}, {222, 0}, {vbKeyShift, vbShiftMask}};
    for (const auto& c : cases) {
        const QtKey k = qtKeyFromKeyCode(c.code, c.shift);
        EXPECT_EQ(keyCodeFromQt(k.key, k.modifiers), c.code) << c.code;
        EXPECT_EQ(shiftFromQt(k.modifiers), c.shift) << c.code;
    }
    EXPECT_EQ(keyCodeFromQt(Qt::Key_Exclam, Qt::ShiftModifier), vbKey1);
}

} // namespace
