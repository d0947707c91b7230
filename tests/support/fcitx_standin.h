#pragma once
// A stand-in for the Fcitx 5 controller on the session bus (the private bus of
// dbus-run-session in the tests): it answers the group, the available methods and the switch,
// from its own thread and bus connection, so that the program's blocking calls get answers.

#include "platform/fcitx5_types.h"

#include <QList>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>
#include <atomic>

namespace tsupport {

class FcitxStandIn : public QThread {
    Q_OBJECT
public:
    // The current group's methods ("keyboard-..." for plain ones) and the names Fcitx shows.
    FcitxStandIn(QList<platform::Fcitx5GroupEntry> group, QList<platform::Fcitx5MethodEntry> available);
    ~FcitxStandIn() override;

    // True once the stand-in owns its name on the bus.
    bool isServing() const { return serving_; }
    // The methods switched to, in order.
    QStringList activated() const;

    // A stand-in for `names` ("keyboard-us" plain, anything else a method named "<name> 输入法").
    static QList<platform::Fcitx5GroupEntry> groupOf(const QStringList& names);
    static QList<platform::Fcitx5MethodEntry> availableOf(const QStringList& names);

    // The session bus is there (the tests run under dbus-run-session).
    static bool busAvailable();

protected:
    void run() override;

private:
    friend class FcitxController;
    QList<platform::Fcitx5GroupEntry> group_;
    QList<platform::Fcitx5MethodEntry> available_;
    mutable QMutex mutex_;
    QStringList activated_;
    std::atomic<bool> serving_ = false;
    QSemaphore tried_;
};

} // namespace tsupport
