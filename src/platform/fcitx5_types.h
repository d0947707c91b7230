#pragma once
// The structures of the Fcitx 5 controller's D-Bus answers that the input-method list reads:
// a group's entries a(ss) and the available methods a(ssssssb).

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

namespace platform {

// One method of an input-method group: its unique name and its keyboard layout.
struct Fcitx5GroupEntry {
    QString name;
    QString layout;
};

// One method Fcitx 5 offers.
struct Fcitx5MethodEntry {
    QString uniqueName;
    QString name;
    QString nativeName;
    QString icon;
    QString label;
    QString languageCode;
    bool configurable = false;
};

QDBusArgument& operator<<(QDBusArgument& arg, const Fcitx5GroupEntry& e);
const QDBusArgument& operator>>(const QDBusArgument& arg, Fcitx5GroupEntry& e);
QDBusArgument& operator<<(QDBusArgument& arg, const Fcitx5MethodEntry& e);
const QDBusArgument& operator>>(const QDBusArgument& arg, Fcitx5MethodEntry& e);

// Makes the structures and their lists known to Qt D-Bus (once is enough; more is harmless).
void registerFcitx5Types();

} // namespace platform

Q_DECLARE_METATYPE(platform::Fcitx5GroupEntry)
Q_DECLARE_METATYPE(platform::Fcitx5MethodEntry)
