#include "platform/input_methods.h"

#include "platform/fcitx5_types.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <optional>

namespace platform {

QDBusArgument& operator<<(QDBusArgument& arg, const Fcitx5GroupEntry& e)
{
    arg.beginStructure();
    arg << e.name << e.layout;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, Fcitx5GroupEntry& e)
{
    arg.beginStructure();
    arg >> e.name >> e.layout;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const Fcitx5MethodEntry& e)
{
    arg.beginStructure();
    arg << e.uniqueName << e.name << e.nativeName << e.icon << e.label << e.languageCode << e.configurable;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, Fcitx5MethodEntry& e)
{
    arg.beginStructure();
    arg >> e.uniqueName >> e.name >> e.nativeName >> e.icon >> e.label >> e.languageCode >> e.configurable;
    arg.endStructure();
    return arg;
}

void registerFcitx5Types()
{
    qDBusRegisterMetaType<Fcitx5GroupEntry>();
    qDBusRegisterMetaType<QList<Fcitx5GroupEntry>>();
    qDBusRegisterMetaType<Fcitx5MethodEntry>();
    qDBusRegisterMetaType<QList<Fcitx5MethodEntry>>();
}

namespace {

// A framework that does not answer within this time is taken as absent: the candidate is
// waiting for the question panel meanwhile.
constexpr int AnswerTimeoutMs = 1000;

class Fcitx5Service final : public InputMethodService {
public:
    explicit Fcitx5Service(const QDBusConnection& bus) : bus_(bus) {}

    // The controller's answer, or nothing when it gave an error or none.
    std::optional<QList<QVariant>> call(const QString& method, const QList<QVariant>& args = {}) const
    {
        QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                                                        QStringLiteral("org.fcitx.Fcitx.Controller1"), method);
        m.setArguments(args);
        const QDBusMessage reply = bus_.call(m, QDBus::Block, AnswerTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return std::nullopt;
        return reply.arguments();
    }

    QList<InputMethod> list() override
    {
        const auto group = call(QStringLiteral("CurrentInputMethodGroup"));
        if (!group || group->isEmpty())
            return {};
        const auto info = call(QStringLiteral("InputMethodGroupInfo"), {group->at(0).toString()});
        if (!info || info->size() < 2)
            return {};
        const auto entries = qdbus_cast<QList<Fcitx5GroupEntry>>(info->at(1));

        // Each method by the name Fcitx shows for it.
        QHash<QString, QString> names;
        if (const auto available = call(QStringLiteral("AvailableInputMethods")); available && !available->isEmpty())
            for (const Fcitx5MethodEntry& m : qdbus_cast<QList<Fcitx5MethodEntry>>(available->at(0)))
                names.insert(m.uniqueName, m.name);

        QList<InputMethod> out;
        for (const Fcitx5GroupEntry& e : entries) {
            if (e.name.startsWith(QLatin1String("keyboard-")))
                out.append({e.name, {}});
            else
                out.append({e.name, names.value(e.name).isEmpty() ? e.name : names.value(e.name)});
        }
        return out;
    }

    bool activate(const QString& id) override
    {
        return !id.isEmpty() && call(QStringLiteral("SetCurrentIM"), {id}).has_value();
    }

    bool hasFramework() const override { return true; }

private:
    QDBusConnection bus_;
};

// The standard output of a short command, or nothing when it did not run to a good end.
std::optional<QByteArray> runCommand(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args, QIODevice::ReadOnly);
    if (!p.waitForStarted(AnswerTimeoutMs))
        return std::nullopt;
    if (!p.waitForFinished(3 * AnswerTimeoutMs)) {
        p.kill();
        p.waitForFinished(AnswerTimeoutMs);
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return p.readAllStandardOutput();
}

class IbusService final : public InputMethodService {
public:
    explicit IbusService(QString program) : program_(std::move(program)) {}

    QList<InputMethod> list() override
    {
        const auto out = runCommand(program_, {QStringLiteral("read-config")});
        if (!out)
            return {};
        QList<InputMethod> methods;
        for (const QString& engine : ibusPreloadEngines(QString::fromUtf8(*out)))
            methods.append({engine, engine.startsWith(QLatin1String("xkb:")) ? QString() : engine});
        return methods;
    }

    bool activate(const QString& id) override
    {
        return !id.isEmpty() && runCommand(program_, {QStringLiteral("engine"), id}).has_value();
    }

    bool hasFramework() const override { return true; }

private:
    QString program_;
};

class PlainKeyboard final : public InputMethodService {
public:
    QList<InputMethod> list() override { return {InputMethod{}}; }
    bool activate(const QString&) override { return true; }
    bool hasFramework() const override { return false; }
};

std::unique_ptr<InputMethodService>& current()
{
    static std::unique_ptr<InputMethodService> service;
    return service;
}

} // namespace

std::unique_ptr<InputMethodService> fcitx5InputMethods(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return nullptr;
    registerFcitx5Types();
    auto service = std::make_unique<Fcitx5Service>(bus);
    if (!service->call(QStringLiteral("CurrentInputMethodGroup")))
        return nullptr;
    return service;
}

std::unique_ptr<InputMethodService> ibusInputMethods(const QString& program)
{
    if (!runCommand(program, {QStringLiteral("read-config")}))
        return nullptr;
    return std::make_unique<IbusService>(program);
}

std::unique_ptr<InputMethodService> plainKeyboard() { return std::make_unique<PlainKeyboard>(); }

InputMethodService& inputMethods()
{
    auto& service = current();
    if (!service)
        service = fcitx5InputMethods(QDBusConnection::sessionBus());
    if (!service)
        service = ibusInputMethods();
    if (!service)
        service = plainKeyboard();
    return *service;
}

void setInputMethods(std::unique_ptr<InputMethodService> service) { current() = std::move(service); }

QList<QString> ibusPreloadEngines(const QString& readConfigOutput)
{
    static const QRegularExpression quoted(QStringLiteral(R"re('((?:[^'\\]|\\.)*)'|"((?:[^"\\]|\\.)*)")re"));
    const QString key = QStringLiteral("preload-engines:");
    for (const QString& line : readConfigOutput.split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(key);
        if (at < 0)
            continue;
        QList<QString> engines;
        auto it = quoted.globalMatch(line.mid(at + key.size()));
        while (it.hasNext()) {
            const auto m = it.next();
            engines.append(m.captured(1).isNull() ? m.captured(2) : m.captured(1));
        }
        return engines;
    }
    return {};
}

} // namespace platform
