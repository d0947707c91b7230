#include "startup/six_digit_text.h"

#include "platform/files.h"
#include "session_state/codes.h"

#include <QByteArray>
#include <cstdint>

namespace {

constexpr int GroupWidth = 6;

// One GBK code (a single byte, or lead * 256 + trail) as text. Each character is decoded on its
// own, so a stray lead byte becomes one replacement character instead of swallowing the next.
QString gbkCharacter(int code)
{
    QByteArray bytes;
    if (code > 0xFF)
        bytes.append(static_cast<char>(code >> 8));
    bytes.append(static_cast<char>(code & 0xFF));
    return platform::fromGbk(bytes);
}

} // namespace

SixDigitText SixDigitText::decode(QStringView line)
{
    SixDigitText out;
    for (qsizetype i = 0; i < line.size(); i += GroupWidth) {
        const QStringView group = line.mid(i, GroupWidth);
        const std::int64_t value = codes::numVal(group);
        if (value == 0)
            continue;
        const std::int64_t code = value > 500000 ? value - 500000 : value - 200000;
        if (code < 0 || code > 0xFFFF) {
            out.invalidGroups << group.toString();
            continue;
        }
        out.text += gbkCharacter(static_cast<int>(code));
    }
    return out;
}
