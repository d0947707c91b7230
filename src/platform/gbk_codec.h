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

// Decodes pieces of GB18030 text, each on its own (nothing carries over from one piece to the
// next). Opening the converter costs more than decoding a line: keep one for many lines. Not to
// be shared between threads.
class GbkDecoder {
public:
    GbkDecoder();
    ~GbkDecoder();
    GbkDecoder(GbkDecoder&& other) noexcept;
    GbkDecoder& operator=(GbkDecoder&& other) noexcept;

    QString decode(QByteArrayView bytes);

private:
    void* cd_; // the C library's converter, or (void*)-1 when it could not be opened
};

// Encodes text as GB18030, each piece on its own. Not to be shared between threads.
class GbkEncoder {
public:
    GbkEncoder();
    ~GbkEncoder();
    GbkEncoder(GbkEncoder&& other) noexcept;
    GbkEncoder& operator=(GbkEncoder&& other) noexcept;

    QByteArray encode(QStringView text);

private:
    void* cd_; // the C library's converter, or (void*)-1 when it could not be opened
};

} // namespace platform
