#include "session/input_method_choice.h"

#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"

namespace session {

QString imeOptionPath() { return records::recordPath(S().AppPath, QStringLiteral("288890")); }

bool imeOptionOn(const QString& line) { return codes::numVal(codes::trimSpaces(line)) != 0; }

bool readImeOption() { return imeOptionOn(records::readListLine(imeOptionPath())); }

bool writeImeOption(bool on)
{
    return records::writeRecord(imeOptionPath(), on ? QStringLiteral("1") : QStringLiteral("0"));
}

ImeMenu imeMenu(const QList<platform::InputMethod>& methods)
{
    ImeMenu menu;
    menu.captions[0] = QStringLiteral("英语（美国）");
    for (int k = 1; k < ImeMenuItems; ++k)
        menu.captions[static_cast<std::size_t>(k)] = QStringLiteral("中文%1").arg(k);
    for (const platform::InputMethod& m : methods.mid(0, MaxListedMethods)) {
        if (m.description.trimmed().isEmpty()) {
            if (!menu.methods[0])
                menu.methods[0] = m.id;
            continue;
        }
        if (menu.rows < ImeMenuItems) {
            const auto k = static_cast<std::size_t>(menu.rows);
            menu.captions[k] = m.description;
            menu.methods[k] = m.id;
        }
        ++menu.rows;
    }
    // The plain keyboard and the first method's item always show; the others only when filled.
    for (int k = 0; k < ImeMenuItems; ++k)
        menu.visible[static_cast<std::size_t>(k)] = k <= 1 || k < menu.rows;
    return menu;
}

void activateChosenInputMethod()
{
    if (S().ImeHelperOn)
        platform::inputMethods().activate(S().ChosenKeyboardLayout);
}

} // namespace session
