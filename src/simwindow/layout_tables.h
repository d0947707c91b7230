#pragma once
// The two small tables that give the simulated editor its look and the simulated tabbed
// dialogs their geometry. The window reads both once when it is built; a missing file leaves
// its entries empty (every number then reads 0) and the window still opens.

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace simwindow {

// Font names (entries 0-9), text colours (10-19) and background colours (20-29); 30-40 are
// kept but unused. Each entry is one line of "288905.mxy".
struct FontColorTable {
    std::array<QString, 41> entries;
    // False when "288905.mxy" could not be read: the editor then keeps the toolkit's look.
    bool present = false;

    static FontColorTable read(const QString& path);
    static FontColorTable fromDataDir(const QString& dataDir);

    // Entry d (a digit 0-9) trimmed, without its first character (a marker).
    QString fontName(int d) const;
    // Colours of entries 10 + d and 20 + d (d a digit 0-9).
    QColor foreColor(int d) const;
    QColor backColor(int d) const;
    QString entry(int i) const;
};

// The colour of one entry: the trimmed entry's characters 2-4, 5-7 and 8-10 as red, green and
// blue; a missing part reads 0, a part above 255 counts as 255.
QColor entryColor(QStringView entry);

// One tabbed-dialog layout. Distances are design twips relative to the dialog picture's left
// and top edges.
struct TabLayout {
    QString line;

    // "1"-"9", "A"-"D" (10-13); anything else gives no tabs.
    int tabCount() const;
    int headerTop() const;
    int headerHeight() const;
    // Tab i (1-13): the picture of the dialog with that tab in front.
    QString pagePicture(int i) const;
    // Left edge of tab i's header; i = count + 1 is the right edge of the last tab.
    int headerLeft(int i) const;
    // Distance to the next header's left; a negative distance (the next left is missing)
    // gives 990.
    int headerWidth(int i) const;
    QRect headerRect(int i) const;
    int backLeft() const;
    int backTop() const;
    int backWidth() const;
    // Characters 142-145: they overlap the back-area left and top, as the data is written.
    int backHeight() const;
    QRect backArea() const;
};

// Layouts A-U (entries 0-20), one line each of "288906.mxy".
struct TabLayoutTable {
    std::array<QString, 21> entries;

    static TabLayoutTable read(const QString& path);
    static TabLayoutTable fromDataDir(const QString& dataDir);

    // The layout of a letter "A" to "U" (upper case only); any other text names none, and the
    // caller keeps the layout it had.
    std::optional<TabLayout> forLetter(QStringView letter) const;
};

} // namespace simwindow
