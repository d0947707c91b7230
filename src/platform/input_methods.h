#pragma once
// The input methods of the desktop: their list and the switch to one of them, so that a
// candidate who types Chinese answers can pick a method once and have it come back whenever an
// editor of the simulated window takes the focus.
//
// One service is chosen on first use: Fcitx 5 when its controller answers on the session bus,
// IBus when its command answers, otherwise a single plain keyboard whose activation does nothing.
// Typing itself never depends on this: Qt's input context feeds the editors in any case.

#include <QList>
#include <QString>
#include <memory>

class QDBusConnection;

namespace platform {

// One entry of the system's list. A plain keyboard layout has no description.
struct InputMethod {
    QString id;
    QString description;
    bool operator==(const InputMethod&) const = default;
};

class InputMethodService {
public:
    virtual ~InputMethodService() = default;
    // The methods in the system's order.
    virtual QList<InputMethod> list() = 0;
    // Switches the desktop to the method; false when that did not work.
    virtual bool activate(const QString& id) = 0;
    // False for the plain keyboard that stands in when no framework answers.
    virtual bool hasFramework() const = 0;
};

// Fcitx 5 over `bus`: the methods of its current group in order, "keyboard-..." ones plain;
// nothing when its controller does not answer there.
std::unique_ptr<InputMethodService> fcitx5InputMethods(const QDBusConnection& bus);

// IBus through its command line (`program`, looked up on PATH): the preloaded engines, "xkb:..."
// ones plain; nothing when the command does not answer.
std::unique_ptr<InputMethodService> ibusInputMethods(const QString& program = QStringLiteral("ibus"));

// One plain keyboard; activation does nothing.
std::unique_ptr<InputMethodService> plainKeyboard();

// The service of this run, chosen on first use.
InputMethodService& inputMethods();
// Tests: puts a service in place; nullptr chooses again on the next use.
void setInputMethods(std::unique_ptr<InputMethodService> service);

// The preloaded engines in the output of `ibus read-config` (the "preload-engines:" line).
QList<QString> ibusPreloadEngines(const QString& readConfigOutput);

} // namespace platform
