#pragma once
// The context menus that the demonstration draws itself at the pointer: which menu of the
// definition file a right-click step names, how its fifteen lines are read and cut into entries,
// and where the drawn menu, its submenu, their rows and separators, the target row and its frame
// lie. All figures are window twips.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace demo {

// The four digits S M G I of a context-menu step's code: the set of the file (S 3, 4, 5 give
// 1, 2, 3), the menu in the set, the position in the menu and the entry in that position. A
// character that is not a digit reads 0.
struct ContextCode {
    int set = 0;
    int menu = 0;
    int position = 0;
    int entry = 0;
};
ContextCode contextCode(QStringView operationCode);

// Positions 1, 3, 5, 7 and 8 open a submenu; 2, 4, 6 and 9 are plain groups.
bool isSubmenuPosition(int g);
bool isGroupPosition(int g);

// The fifteen lines of one menu of the definition file; lines the file does not supply are empty.
struct MenuBlock {
    std::array<QString, 15> lines;
    // Block line k (1-15); "" outside.
    QString line(int k) const;
};
// Number of the file line after which menu `menu` of set `set` begins.
int blockStartLine(int set, int menu);
MenuBlock menuBlockFrom(const QStringList& fileLines, int set, int menu);
// Read anew from the file each time: a missing or short file gives empty lines.
MenuBlock readMenuBlock(const QString& path, int set, int menu);

// The entries of an entries line, split at "|": at most ten, the tenth ending at the tenth "|".
QStringList menuEntries(QStringView line);

// The size in twips of an entry label sized to its caption.
using LabelSize = std::function<QSize(const QString& caption)>;

// A line between two points.
struct Rule {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Rule&) const = default;
};

// One entry of a group or submenu, separators included, in the order of its entries line. A
// separator has no label; its row (135 twips high, across the entry column) still counts as a
// place the step's code can name.
struct MenuEntry {
    QString caption;
    bool separator = false;
    QRect rect;
};

struct DrawnMenu {
    QRect body;
    // Captions of the submenus, by position (1, 3, 5, 7, 8); empty where the position is absent.
    std::array<std::optional<QRect>, 10> captions;
    std::array<QString, 10> captionTexts;
    std::array<std::optional<QPoint>, 10> triangles;
    // Entries of the plain groups, by position (2, 4, 6, 9).
    std::array<std::vector<MenuEntry>, 10> groups;
    // The drawn separator lines, at most ten, numbered across the whole menu.
    std::vector<Rule> separators;
    QPoint target;
    QRect frame;
};

// The drawn context menu at `pointer`, kept inside a window of `window` outer size. `previous` is
// the target the pointer had before; a code naming no row keeps it.
DrawnMenu drawContextMenu(const MenuBlock& block, const ContextCode& code, QPoint pointer, QSize window,
                          double scaleY, const LabelSize& labelSize, QPoint previous);

struct DrawnSubmenu {
    QRect body;
    std::vector<MenuEntry> entries;
    // The drawn separator lines, at most six.
    std::vector<Rule> separators;
    QPoint target;
    QRect frame;
};

// The submenu of position code.position, beside the drawn menu `menuBody`, level with its caption
// at `captionTop`.
DrawnSubmenu drawContextSubmenu(const MenuBlock& block, const ContextCode& code, const QRect& menuBody,
                                int captionTop, const LabelSize& labelSize);

} // namespace demo
