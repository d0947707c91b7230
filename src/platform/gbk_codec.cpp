#include "platform/gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <iterator>
#include <utility>

namespace platform {

namespace {

constexpr char16_t Replacement = 0xFFFD;
// What the toolkit's converter writes for a character it cannot encode (a lone surrogate).
constexpr char Substitute = 0x1A;

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* Utf16 = "UTF-16LE";
#else
constexpr const char* Utf16 = "UTF-16BE";
#endif

// The codes the C library maps otherwise than the toolkit's converter did: its GB18030 follows
// the later edition of the standard, where ten vertical forms and fourteen ideographs moved from
// the private-use area to their own code points. The files were written and read with the
// earlier mapping, so it holds both ways here. `gb` is the code's bytes, big-endian.
struct Mapping {
    quint32 gb;
    char32_t cp;
};
constexpr Mapping EarlierMapping[] = {
    {0x82359037, 0x9FB4}, {0x82359038, 0x9FB5}, {0x82359039, 0x9FB6}, {0x82359130, 0x9FB7},
    {0x82359131, 0x9FB8}, {0x82359132, 0x9FB9}, {0x82359133, 0x9FBA}, {0x82359134, 0x9FBB},
    {0x84318236, 0xFE10}, {0x84318237, 0xFE11}, {0x84318238, 0xFE12}, {0x84318239, 0xFE13},
    {0x84318330, 0xFE14}, {0x84318331, 0xFE15}, {0x84318332, 0xFE16}, {0x84318333, 0xFE17},
    {0x84318334, 0xFE18}, {0x84318335, 0xFE19},
    {0x95329031, 0x20087}, {0x95329033, 0x20089}, {0x95329730, 0x200CC}, {0x9536B937, 0x215D7},
    {0x9630BA35, 0x2298F}, {0x9635B630, 0x241FE},
    {0xA6D9, 0xE78D}, {0xA6DA, 0xE78E}, {0xA6DB, 0xE78F}, {0xA6DC, 0xE790}, {0xA6DD, 0xE791},
    {0xA6DE, 0xE792}, {0xA6DF, 0xE793}, {0xA6EC, 0xE794}, {0xA6ED, 0xE795}, {0xA6F3, 0xE796},
    {0xFE51, 0xE816}, {0xFE52, 0xE817}, {0xFE53, 0xE818}, {0xFE59, 0xE81E}, {0xFE61, 0xE826},
    {0xFE66, 0xE82B}, {0xFE67, 0xE82C}, {0xFE6C, 0xE831}, {0xFE6D, 0xE832}, {0xFE76, 0xE83B},
    {0xFE7E, 0xE843}, {0xFE90, 0xE854}, {0xFE91, 0xE855}, {0xFEA0, 0xE864},
};

bool hasEarlierMappingLead(uchar lead)
{
    return lead == 0x82 || lead == 0x84 || lead == 0x95 || lead == 0x96 || lead == 0xA6 || lead == 0xFE;
}

const Mapping* earlierByGb(quint32 gb)
{
    const auto* it = std::find_if(std::begin(EarlierMapping), std::end(EarlierMapping),
                                  [gb](const Mapping& m) { return m.gb == gb; });
    return it == std::end(EarlierMapping) ? nullptr : it;
}

const Mapping* earlierByCp(char32_t cp)
{
    if (!((cp >= 0x9FB4 && cp <= 0x9FBB) || (cp >= 0xE78D && cp <= 0xE864) || (cp >= 0xFE10 && cp <= 0xFE19)
          || (cp >= 0x20087 && cp <= 0x241FE)))
        return nullptr;
    const auto* it = std::find_if(std::begin(EarlierMapping), std::end(EarlierMapping),
                                  [cp](const Mapping& m) { return m.cp == cp; });
    return it == std::end(EarlierMapping) ? nullptr : it;
}

bool isLead(uchar b) { return b >= 0x81 && b <= 0xFE; }
bool isDigit(uchar b) { return b >= 0x30 && b <= 0x39; }
bool isTwoByteTrail(uchar b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

void* const Closed = reinterpret_cast<void*>(-1);

void* open(const char* to, const char* from) { return iconv_open(to, from); }
bool isOpen(void* cd) { return cd != Closed; }
void close(void* cd)
{
    if (isOpen(cd))
        iconv_close(reinterpret_cast<iconv_t>(cd));
}

// Converts whole characters with the C library; a character it has no mapping for becomes what
// `unmapped` writes, and the conversion goes on after it. `length` gives the size of the
// character at a position.
template <typename Out, typename Unmapped, typename Length>
Out* convert(void* handle, const char* in, std::size_t inBytes, Out* out, Out* outEnd, Unmapped unmapped, Length length)
{
    auto cd = reinterpret_cast<iconv_t>(handle);
    char* src = const_cast<char*>(in);
    while (inBytes > 0) {
        char* dst = reinterpret_cast<char*>(out);
        std::size_t room = static_cast<std::size_t>(outEnd - out) * sizeof(Out);
        const std::size_t r = iconv(cd, &src, &inBytes, &dst, &room);
        out = reinterpret_cast<Out*>(dst);
        if (r != static_cast<std::size_t>(-1))
            break;
        if (errno != EILSEQ) // never for whole characters; nothing else to do with the rest
            break;
        const std::size_t n = std::min(length(src), inBytes);
        out = unmapped(out);
        src += n;
        inBytes -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace

GbkDecoder::GbkDecoder() : cd_(open(Utf16, "GB18030")) {}

GbkDecoder::~GbkDecoder()
{
    close(cd_);
}

GbkDecoder::GbkDecoder(GbkDecoder&& other) noexcept : cd_(std::exchange(other.cd_, Closed)) {}

GbkDecoder& GbkDecoder::operator=(GbkDecoder&& other) noexcept
{
    if (this != &other) {
        close(cd_);
        cd_ = std::exchange(other.cd_, Closed);
    }
    return *this;
}

QString GbkDecoder::decode(QByteArrayView bytes)
{
    if (!isOpen(cd_)) // a C library without the GB18030 module: the toolkit's converter then
        return QStringDecoder("GB18030").decode(bytes);
    const auto* d = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    // Every input byte gives at most one output unit.
    QString text(n, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const outEnd = out + n;
    iconv(reinterpret_cast<iconv_t>(cd_), nullptr, nullptr, nullptr, nullptr);

    // Runs of well-formed characters go to the C library whole; the rest is handled here.
    qsizetype run = 0;
    auto flush = [&](qsizetype end) {
        out = convert(
            cd_, bytes.data() + run, static_cast<std::size_t>(end - run), out, outEnd,
            [](char16_t* o) {
                *o = Replacement;
                return o + 1;
            },
            [](const char* at) -> std::size_t {
                const auto b = static_cast<uchar>(at[1]);
                return isDigit(b) ? 4 : 2;
            });
    };
    qsizetype i = 0;
    while (i < n) {
        const uchar b = d[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        // A lead byte and the bytes of its character that are there; 0 bytes when cut short.
        qsizetype length = 0;
        qsizetype invalid = 1; // the bytes an invalid sequence consumes
        if (isLead(b)) {
            if (i + 1 >= n) {
                length = -1;
            } else if (isTwoByteTrail(d[i + 1])) {
                length = 2;
            } else if (isDigit(d[i + 1])) {
                if (i + 2 >= n)
                    length = -1;
                else if (!isLead(d[i + 2]))
                    length = 0;
                else if (i + 3 >= n)
                    length = -1;
                else
                    length = isDigit(d[i + 3]) ? 4 : 0;
            } else if (d[i + 1] == 0xFF) {
                invalid = 2; // a byte that is nothing on its own goes with the invalid lead
            }
        }
        if (length > 0 && !hasEarlierMappingLead(b)) {
            i += length;
            continue;
        }
        const Mapping* earlier = nullptr;
        if (length > 0) {
            quint32 gb = 0;
            for (qsizetype k = 0; k < length; ++k)
                gb = gb << 8 | d[i + k];
            earlier = earlierByGb(gb);
            if (!earlier) {
                i += length;
                continue;
            }
        }
        flush(i);
        if (length < 0) { // a character cut short at the end: dropped, as the toolkit did
            run = i = n;
            break;
        }
        if (earlier) {
            const char32_t cp = earlier->cp;
            if (QChar::requiresSurrogates(cp)) {
                *out++ = QChar::highSurrogate(cp);
                *out++ = QChar::lowSurrogate(cp);
            } else {
                *out++ = static_cast<char16_t>(cp);
            }
            i += length;
        } else {
            *out++ = Replacement;
            i += invalid;
        }
        run = i;
    }
    flush(i);
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text;
}

GbkEncoder::GbkEncoder() : cd_(open("GB18030", Utf16)) {}

GbkEncoder::~GbkEncoder()
{
    close(cd_);
}

GbkEncoder::GbkEncoder(GbkEncoder&& other) noexcept : cd_(std::exchange(other.cd_, Closed)) {}

GbkEncoder& GbkEncoder::operator=(GbkEncoder&& other) noexcept
{
    if (this != &other) {
        close(cd_);
        cd_ = std::exchange(other.cd_, Closed);
    }
    return *this;
}

QByteArray GbkEncoder::encode(QStringView text)
{
    if (!isOpen(cd_))
        return QStringEncoder("GB18030").encode(text);
    const auto* u = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    // Every UTF-16 unit gives at most four bytes.
    QByteArray bytes(n * 4, Qt::Uninitialized);
    char* out = bytes.data();
    char* const outEnd = out + n * 4;
    iconv(reinterpret_cast<iconv_t>(cd_), nullptr, nullptr, nullptr, nullptr);

    qsizetype run = 0;
    auto flush = [&](qsizetype end) {
        out = convert(
            cd_, reinterpret_cast<const char*>(u + run), static_cast<std::size_t>(end - run) * 2, out, outEnd,
            [](char* o) {
                *o = Substitute;
                return o + 1;
            },
            [](const char* at) -> std::size_t {
                char16_t c;
                std::memcpy(&c, at, sizeof c);
                return QChar::isHighSurrogate(c) ? 4 : 2;
            });
    };
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = u[i];
        qsizetype length = 1;
        char32_t cp = c;
        bool lone = false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= n) { // cut short at the end: dropped, as the toolkit did
                flush(i);
                run = i = n;
                break;
            }
            if (QChar::isLowSurrogate(u[i + 1])) {
                cp = QChar::surrogateToUcs4(c, u[i + 1]);
                length = 2;
            } else {
                lone = true;
            }
        } else if (QChar::isLowSurrogate(c)) {
            lone = true;
        }
        const Mapping* earlier = lone ? nullptr : earlierByCp(cp);
        if (!lone && !earlier) {
            i += length;
            continue;
        }
        flush(i);
        if (earlier) {
            const quint32 gb = earlier->gb;
            for (int shift = gb > 0xFFFF ? 24 : 8; shift >= 0; shift -= 8)
                *out++ = static_cast<char>(gb >> shift);
        } else {
            *out++ = Substitute;
        }
        i += length;
        run = i;
    }
    flush(i);
    bytes.truncate(out - bytes.constData());
    return bytes;
}

} // namespace platform
