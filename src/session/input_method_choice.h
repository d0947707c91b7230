#pragma once
// The input-method helper: the option the candidate switches in the input-method dialog, the
// question panel's menu of the desktop's input methods, and the switch to the chosen method
// whenever an editor of the simulated window takes the focus.

#include "platform/input_methods.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace session {

// The option file of the record folder ("288890.mxy").
QString imeOptionPath();
// The one reading of its first line: on when the line's number is not 0 (" 1" and "1 " are on).
bool imeOptionOn(const QString& line);
// Reads the option file: off when it is missing or empty.
bool readImeOption();
// Rewrites the option file with "1" or "0" (safely; a failure is reported); false when it could
// not be written.
bool writeImeOption(bool on);

// The notice when no framework answers, or an item has no method behind it.
inline const QString NoInputMethodNotice =
    QStringLiteral("未找到可调用的输入法（Fcitx 5 或 IBus），请用系统的输入法切换键输入汉字。");

// The menu of the panel: item 0 is the plain keyboard ("英语（美国）"), items 1 to 10 the
// methods with a description in the system's order. Each item switches to the method it names.
inline constexpr int ImeMenuItems = 11;
inline constexpr int MaxListedMethods = 16;
struct ImeMenu {
    std::array<QString, ImeMenuItems> captions;
    std::array<bool, ImeMenuItems> visible{};
    // The method behind each item; nothing where no method stands behind it.
    std::array<std::optional<QString>, ImeMenuItems> methods;
    // 1 + the number of methods with a description (also beyond the ten items).
    int rows = 1;
};
ImeMenu imeMenu(const QList<platform::InputMethod>& methods);

// What an editor's focus does: switches to the chosen method while the helper is on.
void activateChosenInputMethod();

} // namespace session
