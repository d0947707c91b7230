#include "support/fcitx_standin.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSemaphore>

namespace tsupport {

// The object the stand-in puts at /controller; its slots are the controller's methods.
class FcitxController : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")
public:
    explicit FcitxController(FcitxStandIn& owner) : owner_(owner) {}

public Q_SLOTS:
    QString CurrentInputMethodGroup() { return QStringLiteral("Default"); }
    QString InputMethodGroupInfo(const QString& name, QList<platform::Fcitx5GroupEntry>& items)
    {
        if (name == QLatin1String("Default"))
            items = owner_.group_;
        return QStringLiteral("us");
    }
    QList<platform::Fcitx5MethodEntry> AvailableInputMethods() { return owner_.available_; }
    void SetCurrentIM(const QString& im)
    {
        QMutexLocker lock(&owner_.mutex_);
        owner_.activated_.append(im);
    }

private:
    FcitxStandIn& owner_;
};

namespace {
const QString ConnectionName = QStringLiteral("fcitx-standin");
}

FcitxStandIn::FcitxStandIn(QList<platform::Fcitx5GroupEntry> group, QList<platform::Fcitx5MethodEntry> available)
    : group_(std::move(group)), available_(std::move(available))
{
    platform::registerFcitx5Types();
    start();
    tried_.acquire(); // run() has owned the name, or failed to
}

FcitxStandIn::~FcitxStandIn()
{
    quit();
    wait();
}

void FcitxStandIn::run()
{
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
        FcitxController controller(*this);
        if (bus.isConnected() && bus.registerObject(QStringLiteral("/controller"), &controller, QDBusConnection::ExportAllSlots)
            && bus.registerService(QStringLiteral("org.fcitx.Fcitx5")))
            serving_ = true;
        tried_.release();
        if (serving_)
            exec();
        bus.unregisterService(QStringLiteral("org.fcitx.Fcitx5"));
        bus.unregisterObject(QStringLiteral("/controller"));
    }
    QDBusConnection::disconnectFromBus(ConnectionName);
}

QStringList FcitxStandIn::activated() const
{
    QMutexLocker lock(&mutex_);
    return activated_;
}

QList<platform::Fcitx5GroupEntry> FcitxStandIn::groupOf(const QStringList& names)
{
    QList<platform::Fcitx5GroupEntry> out;
    for (const QString& n : names)
        out.append({n, QString()});
    return out;
}

QList<platform::Fcitx5MethodEntry> FcitxStandIn::availableOf(const QStringList& names)
{
    QList<platform::Fcitx5MethodEntry> out;
    for (const QString& n : names) {
        platform::Fcitx5MethodEntry e;
        e.uniqueName = n;
        e.name = n.startsWith(QLatin1String("keyboard-")) ? QStringLiteral("English (US)") : n + QStringLiteral(" 输入法");
        out.append(e);
    }
    return out;
}

bool FcitxStandIn::busAvailable()
{
    return !qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty() && QDBusConnection::sessionBus().isConnected();
}

} // namespace tsupport

#include "fcitx_standin.moc"
