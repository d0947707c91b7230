#include "cursor.h"

#include <array>
#include <cstdint>

namespace samplegen {

namespace {

constexpr int Size = 32;
constexpr int HotX = 15;
constexpr int HotY = 15;

void le16(QByteArray& out, std::uint16_t v)
{
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

void le32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xff));
}

enum Pixel : char { Clear = 0, Black, White };

// The I-beam: a two-pixel stem with serifs at both ends, drawn black with a white edge so
// that it shows on any cell colour.
std::array<std::array<Pixel, Size>, Size> shape()
{
    std::array<std::array<Pixel, Size>, Size> px{};
    auto black = [&](int x, int y) { px[y][x] = Black; };
    for (int y = 6; y <= 24; ++y) {
        black(15, y);
        black(16, y);
    }
    for (int x = 11; x <= 20; ++x) {
        if (x == 15 || x == 16)
            continue;
        black(x, 5);
        black(x, 25);
    }
    black(15, 5);
    black(16, 5);
    black(15, 25);
    black(16, 25);
    // The white edge: every clear pixel next to a black one.
    auto edge = px;
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            if (px[y][x] != Clear)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < Size && ny < Size && px[ny][nx] == Black)
                        edge[y][x] = White;
                }
        }
    return edge;
}

} // namespace

QByteArray iBeamCursor()
{
    const auto px = shape();
    constexpr int RowBytes = Size / 8; // one bit a pixel, rows already a multiple of four bytes
    constexpr int MaskBytes = RowBytes * Size;
    constexpr std::uint32_t HeaderBytes = 40;
    constexpr std::uint32_t PaletteBytes = 2 * 4;
    constexpr std::uint32_t ImageBytes = HeaderBytes + PaletteBytes + 2 * MaskBytes;
    constexpr std::uint32_t ImageOffset = 6 + 16;

    QByteArray out;
    // The file header: reserved, type 2 (cursor), one image.
    le16(out, 0);
    le16(out, 2);
    le16(out, 1);
    // The directory entry; for a cursor the planes and bit-count words hold the hot spot.
    out.append(static_cast<char>(Size));
    out.append(static_cast<char>(Size));
    out.append(char(0)); // colours in the palette: 0 means none to count here
    out.append(char(0));
    le16(out, HotX);
    le16(out, HotY);
    le32(out, ImageBytes);
    le32(out, ImageOffset);
    // The bitmap header: the height counts both masks.
    le32(out, HeaderBytes);
    le32(out, Size);
    le32(out, 2 * Size);
    le16(out, 1);
    le16(out, 1);
    le32(out, 0);
    le32(out, 2 * MaskBytes);
    le32(out, 0);
    le32(out, 0);
    le32(out, 2);
    le32(out, 0);
    // Palette: black, white.
    le32(out, 0x00000000);
    le32(out, 0x00ffffff);
    // The colour mask and then the transparency mask, both bottom-up, most significant bit
    // first. A clear pixel is mask 1 with colour 0; black is 0/0, white is 0/1.
    QByteArray colour(MaskBytes, '\0');
    QByteArray mask(MaskBytes, '\0');
    for (int y = 0; y < Size; ++y) {
        const int row = Size - 1 - y;
        for (int x = 0; x < Size; ++x) {
            const int index = row * RowBytes + x / 8;
            const char bit = static_cast<char>(0x80 >> (x % 8));
            if (px[y][x] == Clear)
                mask[index] = static_cast<char>(mask[index] | bit);
            else if (px[y][x] == White)
                colour[index] = static_cast<char>(colour[index] | bit);
        }
    }
    out += colour;
    out += mask;
    return out;
}

} // namespace samplegen
