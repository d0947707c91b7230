#include "cursor.h"

#include <array>
#include <cstdint>

namespace samplegen {

namespace {

constexpr int Size = 32;

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
using Pixels = std::array<std::array<Pixel, Size>, Size>;

// Black pixels get a white edge so that the pointer shows on any colour.
Pixels withEdge(const Pixels& px)
{
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

// The I-beam: a two-pixel stem with serifs at both ends.
Pixels iBeam()
{
    Pixels px{};
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
    return withEdge(px);
}

// A pointing hand: the outline of a raised index finger over a fist, filled white.
Pixels hand()
{
    Pixels px{};
    auto row = [&](int y, int x0, int x1, Pixel p) {
        for (int x = x0; x <= x1; ++x)
            px[y][x] = p;
    };
    for (int y = 1; y <= 12; ++y) {
        row(y, 7, 11, White);
        px[y][7] = px[y][11] = Black;
    }
    row(1, 8, 10, Black);
    for (int y = 12; y <= 24; ++y) {
        row(y, 4, 20, White);
        px[y][4] = px[y][20] = Black;
    }
    row(12, 4, 7, Black);
    row(12, 11, 20, Black);
    row(24, 4, 20, Black);
    for (int x : {14, 17})
        for (int y = 13; y <= 16; ++y)
            px[y][x] = Black;
    return withEdge(px);
}

QByteArray cursorFile(const Pixels& px, int hotX, int hotY)
{
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
    le16(out, static_cast<std::uint16_t>(hotX));
    le16(out, static_cast<std::uint16_t>(hotY));
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

} // namespace

QByteArray iBeamCursor() { return cursorFile(iBeam(), 15, 15); }

QByteArray handCursor() { return cursorFile(hand(), 9, 1); }

} // namespace samplegen
