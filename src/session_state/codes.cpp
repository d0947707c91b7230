#include "session_state/codes.h"

#include <limits>

namespace codes {

QString field(QStringView line, int col, int width)
{
    if (col < 1 || width <= 0 || col > line.size())
        return {};
    return line.mid(col - 1, width).toString();
}

std::int64_t numVal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    constexpr std::int64_t cap = std::numeric_limits<std::int64_t>::max() / 10 - 10;
    std::int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        v = v * 10 + (text[i].unicode() - u'0');
        if (v > cap)
            v = cap;
    }
    return v;
}

int num16(QStringView text)
{
    const std::int64_t v = numVal(text);
    return v > 32767 ? 32767 : static_cast<int>(v);
}

QString trimSpaces(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b).toString();
}

} // namespace codes
