#include "simwindow/layout_tables.h"

#include "platform/files.h"
#include "session_state/codes.h"
#include "simwindow/text_table.h"

#include <algorithm>

namespace simwindow {

using codes::field;
using codes::numField;

namespace {

// Line k of the file becomes entry k; lines past the table are ignored. False when the file
// cannot be read (every entry stays empty).
template <std::size_t N>
bool readEntries(const QString& path, std::array<QString, N>& entries)
{
    const auto lines = platform::readLines(path);
    if (!lines)
        return false;
    const std::size_t n = std::min<std::size_t>(N, static_cast<std::size_t>(lines->size()));
    std::copy_n(lines->cbegin(), n, entries.begin());
    return true;
}

} // namespace

FontColorTable FontColorTable::read(const QString& path)
{
    FontColorTable t;
    t.present = readEntries(path, t.entries);
    return t;
}

FontColorTable FontColorTable::fromDataDir(const QString& dataDir)
{
    return read(dataDir + QStringLiteral("288905.mxy"));
}

QString FontColorTable::entry(int i) const
{
    return i >= 0 && i < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(i)] : QString();
}

namespace {
bool isDigit(int d) { return d >= 0 && d <= 9; }
} // namespace

QString FontColorTable::fontName(int d) const { return isDigit(d) ? codes::trimSpaces(entry(d)).mid(1) : QString(); }

QColor FontColorTable::foreColor(int d) const { return entryColor(isDigit(d) ? entry(10 + d) : QString()); }

QColor FontColorTable::backColor(int d) const { return entryColor(isDigit(d) ? entry(20 + d) : QString()); }

QColor entryColor(QStringView entry)
{
    const QString e = codes::trimSpaces(entry);
    const auto part = [&e](int col) { return std::min(numField(e, col, 3), 255); };
    return QColor(part(2), part(5), part(8));
}

int TabLayout::tabCount() const
{
    const QString c = field(line, 2, 1);
    if (c.size() != 1)
        return 0;
    const char16_t ch = c[0].unicode();
    if (ch >= u'1' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'D')
        return 10 + (ch - u'A');
    return 0;
}

int TabLayout::headerTop() const { return numField(line, 3, 4); }

int TabLayout::headerHeight() const { return numField(line, 7, 3); }

QString TabLayout::pagePicture(int i) const { return i >= 1 ? field(line, 10 * i, 6) : QString(); }

int TabLayout::headerLeft(int i) const { return i >= 1 ? numField(line, 10 * i + 6, 4) : 0; }

int TabLayout::headerWidth(int i) const
{
    const int w = headerLeft(i + 1) - headerLeft(i);
    return w < 0 ? 990 : w;
}

QRect TabLayout::headerRect(int i) const { return {headerLeft(i), headerTop(), headerWidth(i), headerHeight()}; }

int TabLayout::backLeft() const { return numField(line, 140, 4); }

int TabLayout::backTop() const { return numField(line, 144, 4); }

int TabLayout::backWidth() const { return numField(line, 148, 4); }

int TabLayout::backHeight() const { return numField(line, 142, 4); }

QRect TabLayout::backArea() const { return {backLeft(), backTop(), backWidth(), backHeight()}; }

TabLayoutTable TabLayoutTable::read(const QString& path)
{
    TabLayoutTable t;
    readEntries(path, t.entries);
    return t;
}

TabLayoutTable TabLayoutTable::fromDataDir(const QString& dataDir)
{
    return read(dataDir + QStringLiteral("288906.mxy"));
}

std::optional<TabLayout> TabLayoutTable::forLetter(QStringView letter) const
{
    if (letter.size() != 1 || letter[0] < u'A' || letter[0] > u'U')
        return std::nullopt;
    return TabLayout{entries[static_cast<std::size_t>(letter[0].unicode() - u'A')]};
}

} // namespace simwindow
