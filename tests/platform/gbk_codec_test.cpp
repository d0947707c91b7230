// The GB18030 codec against the toolkit's own converter, which the stored files were written
// and read with: every result must be the same, for good text and for bad.
#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include <random>

namespace {

QString units(const QString& s)
{
    QString out;
    for (QChar c : s)
        out += QString::asprintf("%04X ", c.unicode());
    return out;
}

class GbkCodec : public ::testing::Test {
protected:
    // One decoder and one encoder for all the chunks, as the readers use them: nothing of one
    // chunk may carry over into the next.
    void expectDecodesAsToolkit(const QByteArray& bytes)
    {
        const QString expected = QStringDecoder("GB18030").decode(bytes);
        const QString got = dec_.decode(bytes);
        if (got != expected)
            ADD_FAILURE() << "bytes " << bytes.toHex(' ').constData() << ": got " << qPrintable(units(got))
                          << "expected " << qPrintable(units(expected));
    }
    void expectEncodesAsToolkit(const QString& text)
    {
        const QByteArray expected = QStringEncoder("GB18030").encode(text);
        const QByteArray got = enc_.encode(text);
        if (got != expected)
            ADD_FAILURE() << "text " << qPrintable(units(text)) << ": got " << got.toHex(' ').constData()
                          << " expected " << expected.toHex(' ').constData();
    }

    platform::GbkDecoder dec_;
    platform::GbkEncoder enc_;
};

QByteArray bytesOf(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

TEST_F(GbkCodec, EveryByteAloneAndEveryLeadWithEverySecondByte)
{
    for (int a = 0; a <= 0xFF; ++a) {
        expectDecodesAsToolkit(bytesOf({a}));
        expectDecodesAsToolkit(bytesOf({a, 'A'}));
        expectDecodesAsToolkit(bytesOf({'A', a}));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        QByteArray row;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            expectDecodesAsToolkit(bytesOf({lead, trail}));
            expectDecodesAsToolkit(bytesOf({lead, trail, 'z'}));
            if (trail >= 0x40 && trail != 0x7F && trail != 0xFF)
                row += bytesOf({lead, trail});
        }
        // The whole row at once: the codes the codec maps itself sit between the others.
        expectDecodesAsToolkit(row);
    }
}

TEST_F(GbkCodec, FourByteCodes)
{
    // The two-byte-plane extension (leads 0x81-0x84) whole, the rest of the leads (the
    // supplementary planes from 0x90, nothing assigned before it or after 0xE3 0x32 0x9A 0x35)
    // at a stride over the third byte.
    for (int a = 0x81; a <= 0xFE; ++a) {
        const int stride = a <= 0x84 ? 1 : 7;
        for (int b = 0x30; b <= 0x39; ++b) {
            QByteArray row;
            for (int c = 0x81; c <= 0xFE; c += stride)
                for (int d = 0x30; d <= 0x39; ++d) {
                    const QByteArray code = bytesOf({a, b, c, d});
                    expectDecodesAsToolkit(code);
                    row += code;
                }
            expectDecodesAsToolkit(row);
        }
    }
    for (QByteArray code : {bytesOf({0xE3, 0x32, 0x9A, 0x35}), bytesOf({0xE3, 0x32, 0x9A, 0x36}),
                            bytesOf({0x84, 0x31, 0xA4, 0x39}), bytesOf({0x84, 0x31, 0xA5, 0x30})})
        expectDecodesAsToolkit(code);
}

TEST_F(GbkCodec, InvalidAndCutSequences)
{
    struct Case {
        QByteArray bytes;
        QString expected;
    };
    const QChar r(0xFFFD);
    const Case cases[] = {
        {bytesOf({0x80}), QString(r)},
        {bytesOf({0xFF}), QString(r)},
        {bytesOf({0x81}), QString()},                               // cut short at the end: dropped
        {bytesOf({'a', 0x81, 0x30}), QStringLiteral("a")},         // a four-byte code cut after two
        {bytesOf({'a', 0x81, 0x30, 0x81}), QStringLiteral("a")},   // ... after three
        {bytesOf({0x81, 0x7F}), QString(r) + u'\x7f'},             // a byte of its own is read again
        {bytesOf({0x81, 0x20, 'b'}), QString(r) + QStringLiteral(" b")},
        {bytesOf({0x81, 0x00, 'b'}), QString(r) + QChar(0) + u'b'}, // an embedded NUL stays
        {bytesOf({0x81, 0xFF, 'b'}), QString(r) + u'b'},           // 0xFF goes with the lead
        {bytesOf({0x81, 0x30, 0xFF, 0x30}), QString(r) + u'0' + r + u'0'},
        {bytesOf({0x81, 0x30, 0x81, 0x20}), QString(r) + u'0' + r + u' '},
        {bytesOf({0x84, 0x31, 0xA5, 0x30}), QString(r)},          // unassigned: one for all four
        {bytesOf({0xE3, 0x32, 0x9A, 0x36, 'c'}), QString(r) + u'c'}, // past U+10FFFF
        {bytesOf({0x90, 0x30, 0x81, 0x30}), QStringLiteral("\U00010000")},
        {bytesOf({0x84, 0x31, 0x95, 0x33, 'd'}), QStringLiteral("\uFEFFd")}, // a BOM is text
        {bytesOf({0xA6, 0xD9, 0xFE, 0x51, 0xA8, 0xBC}), QStringLiteral("\uE78D\uE816\u1E3F")},
        {bytesOf({0x82, 0x35, 0x90, 0x37, 0x84, 0x31, 0x82, 0x36}), QStringLiteral("\u9FB4\uFE10")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(units(dec_.decode(c.bytes)), units(c.expected)) << c.bytes.toHex(' ').constData();
        expectDecodesAsToolkit(c.bytes);
    }
}

TEST_F(GbkCodec, RandomBytes)
{
    // Bytes of every kind the decoder tells apart, mixed at random.
    const int kinds[] = {0x00, 0x0D, 0x20, 0x30, 0x35, 0x39, 0x3A, 0x40, 0x7E, 0x7F, 0x80, 0x81,
                         0x82, 0x84, 0x85, 0x90, 0x95, 0xA1, 0xA6, 0xD9, 0xE3, 0xE4, 0xFE, 0xFF};
    std::mt19937 rng(20261211);
    for (int k = 0; k < 6000; ++k) {
        QByteArray bytes;
        const int n = static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i)
            bytes.append(static_cast<char>(k % 2 ? kinds[rng() % std::size(kinds)] : static_cast<int>(rng() & 0xFF)));
        expectDecodesAsToolkit(bytes);
    }
}

TEST_F(GbkCodec, EncodesEveryCodePoint)
{
    QString block;
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const QString one(QChar(static_cast<char16_t>(cp)));
        expectEncodesAsToolkit(one);
        block += one;
        if (block.size() == 256) {
            expectEncodesAsToolkit(block);
            block.clear();
        }
    }
    expectEncodesAsToolkit(block);
    block.clear();
    for (char32_t cp = 0x10000; cp <= 0x10FFFF; cp += 97)
        block += QString::fromUcs4(&cp, 1);
    for (char32_t cp : {0x20087, 0x20089, 0x200CC, 0x215D7, 0x2298F, 0x241FE, 0x10FFFF})
        block += QString::fromUcs4(&cp, 1);
    for (qsizetype i = 0; i < block.size(); i += 2)
        expectEncodesAsToolkit(block.mid(i, 2));
    expectEncodesAsToolkit(block);
}

TEST_F(GbkCodec, EncodesLoneSurrogates)
{
    struct Case {
        std::initializer_list<char16_t> text;
        QByteArray expected;
    };
    const Case cases[] = {
        {{u'A', 0xD800, u'B'}, "A\x1a" "B"},
        {{u'A', 0xDC00, u'B'}, "A\x1a" "B"},
        {{u'A', 0xD800}, "A"}, // a high surrogate at the very end: dropped
        {{0xD800, 0xD800, 0xDC00}, "\x1a\x90\x30\x81\x30"},
        {{0xDC00, 0xD800}, "\x1a"},
        {{0xD800, 0x0000, u'C'}, QByteArray("\x1a\0C", 3)},
    };
    for (const Case& c : cases) {
        QString text;
        for (char16_t u : c.text)
            text += QChar(u);
        EXPECT_EQ(enc_.encode(text).toHex(' '), c.expected.toHex(' ')) << qPrintable(units(text));
        expectEncodesAsToolkit(text);
    }
    const char16_t kinds[] = {u'a', 0x00, 0x4E2D, 0x9FB4, 0xE78D, 0xFE10, 0xD800, 0xD840, 0xDBFF, 0xDC00, 0xDC87, 0xDFFF};
    std::mt19937 rng(20261211);
    for (int k = 0; k < 3000; ++k) {
        QString text;
        const int n = static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i)
            text += QChar(kinds[rng() % std::size(kinds)]);
        expectEncodesAsToolkit(text);
    }
}

} // namespace
