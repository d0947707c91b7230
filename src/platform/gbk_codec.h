#pragma once
// GB18030 (the GBK of the installation's files) to text and back, on the C library's converter:
// the toolkit's own converter for it pulls in a Unicode library and its tables, a megabyte of
// resident memory for a few lines of text.
//
// The results are those the toolkit's converter gave, which the stored files were read and
// written with: the same mapping (including its private-use code points for the few codes whose
// mapping the 2005 and 2022 editions of the standard disagree on), one U+FFFD per invalid
// sequence with the same bytes consumed, a character cut short at the end of the input dropped,
// and on encoding 0x1A for a lone surrogate and nothing for a high surrogate at the very end.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

namespace detail {
// The C library's converter between two encodings, closed with its owner; it may be moved, not
// copied. Not open when the C library lacks one of the encodings.
class Converter {
public:
    Converter(const char* to, const char* from);
    ~Converter();
    Converter(Converter&& other) noexcept;
    Converter& operator=(Converter&& other) noexcept;
    bool isOpen() const;
    void* handle() const { return cd_; }

private:
    void close();
    void* cd_;
};
} // namespace detail

// Decodes chunks of GB18030 text, each on its own (nothing carries over from one chunk to the
// next). Opening the converter costs more than decoding a line: keep one for many lines. Not to
// be shared between threads.
class GbkDecoder {
public:
    GbkDecoder();
    QString decode(QByteArrayView bytes);

private:
    detail::Converter cd_;
};

// Encodes text as GB18030, each chunk on its own. Not to be shared between threads.
class GbkEncoder {
public:
    GbkEncoder();
    QByteArray encode(QStringView text);

private:
    detail::Converter cd_;
};

} // namespace platform
