#include "platform/gbk_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <iterator>
#include <utility>

namespace platform {

namespace {

constexpr char16_t Replacement = 0xFFFD;
// What the toolkit's converter writes for a character it cannot encode (a lone surrogate).
constexpr char Substitute = 0x1A;

// The codes the C library maps otherwise than the toolkit's converter did (the editions of the
// standard differ on them): it gives ten vertical forms and fourteen ideographs two-byte codes
// and code points of their own, where the toolkit's converter kept those codes in the private-use
// area and gave the characters four-byte codes. The files were written and read with the
// toolkit's mapping, so it holds here, both ways. `gb` is the code's bytes, big-endian.
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

// The C library's converter between GB18030 and its own code points (UCS-4): one step, where
// one to UTF-16 would be two. It holds no state from one call to the next: it is only ever
// handed whole characters, and it is reset after any it stops at, so that nothing of one chunk
// of text carries over into the next without a reset per chunk.
constexpr const char* CodePoints = "WCHAR_T";
// Code points converted per call, on the stack.
constexpr std::size_t Chunk = 256;

void reset(const detail::Converter& cd) { iconv(reinterpret_cast<iconv_t>(cd.handle()), nullptr, nullptr, nullptr, nullptr); }

} // namespace

namespace detail {

Converter::Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

Converter::~Converter() { close(); }

Converter::Converter(Converter&& other) noexcept : cd_(std::exchange(other.cd_, Closed)) {}

Converter& Converter::operator=(Converter&& other) noexcept
{
    if (this != &other) {
        close();
        cd_ = std::exchange(other.cd_, Closed);
    }
    return *this;
}

void Converter::close()
{
    if (isOpen())
        iconv_close(reinterpret_cast<iconv_t>(cd_));
    cd_ = Closed;
}

bool Converter::isOpen() const { return cd_ != Closed; }

} // namespace detail

GbkDecoder::GbkDecoder() : cd_(CodePoints, "GB18030") {}

QString GbkDecoder::decode(QByteArrayView bytes)
{
    if (!cd_.isOpen()) // a C library without the GB18030 module: the toolkit's converter then
        return QStringDecoder("GB18030").decode(bytes);
    const auto* d = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    // Every input byte gives at most one output unit.
    QString text(n, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());

    // Runs of well-formed characters beyond ASCII go to the C library whole; the rest is
    // handled here.
    qsizetype run = 0;
    auto flush = [&](qsizetype end) {
        char* src = const_cast<char*>(bytes.data() + run);
        std::size_t left = static_cast<std::size_t>(end - run);
        char32_t buf[Chunk];
        while (left > 0) {
            char* dst = reinterpret_cast<char*>(buf);
            std::size_t room = sizeof buf;
            const std::size_t r = iconv(reinterpret_cast<iconv_t>(cd_.handle()), &src, &left, &dst, &room);
            for (const char32_t* p = buf; p != reinterpret_cast<char32_t*>(dst); ++p) {
                if (QChar::requiresSurrogates(*p)) {
                    *out++ = QChar::highSurrogate(*p);
                    *out++ = QChar::lowSurrogate(*p);
                } else {
                    *out++ = static_cast<char16_t>(*p);
                }
            }
            if (r != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            if (errno != EILSEQ) { // never for whole characters
                reset(cd_);
                break;
            }
            // A well-formed code with no character assigned: one replacement for all of it.
            const std::size_t length = std::min<std::size_t>(isDigit(static_cast<uchar>(src[1])) ? 4 : 2, left);
            *out++ = Replacement;
            src += length;
            left -= length;
            reset(cd_);
        }
    };
    qsizetype i = 0;
    while (i < n) {
        const uchar b = d[i];
        if (b < 0x80) {
            flush(i);
            do
                *out++ = d[i++];
            while (i < n && d[i] < 0x80);
            run = i;
            continue;
        }
        // The length of the well-formed character starting here; 0 for an invalid sequence, -1
        // for a character cut short by the end of the input.
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

GbkEncoder::GbkEncoder() : cd_("GB18030", CodePoints) {}

QByteArray GbkEncoder::encode(QStringView text)
{
    if (!cd_.isOpen())
        return QStringEncoder("GB18030").encode(text);
    const auto* u = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    // ASCII gives one byte, any other UTF-16 unit at most four: mostly ASCII, the records
    // need no more room than their length.
    qsizetype size = 0;
    for (qsizetype k = 0; k < n; ++k)
        size += u[k] < 0x80 ? 1 : 4;
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    char* const outEnd = out + size;

    // Runs of characters beyond ASCII go to the C library whole; the rest is handled here.
    qsizetype run = 0;
    auto flush = [&](qsizetype end) {
        qsizetype k = run;
        char32_t buf[Chunk];
        while (k < end) {
            std::size_t m = 0;
            for (; k < end && m < Chunk; ++m) {
                // A run holds no lone surrogate.
                if (QChar::isHighSurrogate(u[k])) {
                    buf[m] = QChar::surrogateToUcs4(u[k], u[k + 1]);
                    k += 2;
                } else {
                    buf[m] = u[k++];
                }
            }
            char* src = reinterpret_cast<char*>(buf);
            std::size_t left = m * sizeof(char32_t);
            while (left > 0) {
                std::size_t room = static_cast<std::size_t>(outEnd - out);
                if (iconv(reinterpret_cast<iconv_t>(cd_.handle()), &src, &left, &out, &room) != static_cast<std::size_t>(-1))
                    break;
                if (errno != EILSEQ) { // never: every character has a code
                    reset(cd_);
                    break;
                }
                *out++ = Substitute;
                src += sizeof(char32_t);
                left -= sizeof(char32_t);
                reset(cd_);
            }
        }
    };
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = u[i];
        if (c < 0x80) {
            flush(i);
            do
                *out++ = static_cast<char>(u[i++]);
            while (i < n && u[i] < 0x80);
            run = i;
            continue;
        }
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
