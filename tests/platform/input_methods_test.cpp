#include "platform/input_methods.h"

#include "support/events.h"
#include "support/fcitx_standin.h"

#include <QDBusConnection>
#include <QFile>
#include <gtest/gtest.h>

using platform::InputMethod;

namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvGuard {
public:
    EnvGuard(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvGuard()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// An `ibus` stand-in in a folder of its own: "read-config" prints `config` and exits with
// `status`, "engine NAME" logs NAME.
QString writeIbus(const tsupport::TempInstall& dir, const QString& config, int status = 0)
{
    const QString log = dir.path(QStringLiteral("engine.log"));
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "case \"$1\" in\n"
                                          "read-config) printf '%s\\n' \"%1\"; exit %2;;\n"
                                          "engine) echo \"$2\" >> '%3';;\n"
                                          "*) exit 2;;\n"
                                          "esac\n")
                               .arg(config, QString::number(status), log);
    const QString path = dir.writeBytes(QStringLiteral("bin/ibus"), script.toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return log;
}

QStringList linesOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(InputMethods, ReadsTheIbusPreloadedEngines)
{
    struct Case {
        const char* output;
        QStringList engines;
    } cases[] = {
        {"SCHEMA: org.freedesktop.ibus.general\n  embed-preedit-text: true\n  preload-engines: ['xkb:us::eng', 'libpinyin']\n"
         "  use-system-keyboard-layout: false\n",
         {"xkb:us::eng", "libpinyin"}},
        {"  preload-engines: @as []\n", {}},
        {"  preload-engines: [\"rime\"]\n", {"rime"}},
        {"SCHEMA: org.freedesktop.ibus.general\n  engines-order: ['anthy']\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ibusPreloadEngines(QString::fromUtf8(c.output)), c.engines) << c.output;
}

TEST(InputMethods, IbusListsItsEnginesAndSwitchesThroughItsCommand)
{
    tsupport::TempInstall dir;
    const QString log = writeIbus(dir, QStringLiteral("  preload-engines: ['xkb:us::eng', 'libpinyin', 'rime']"));
    EnvGuard path("PATH", (dir.path(QStringLiteral("bin")) + QLatin1Char(':') + qEnvironmentVariable("PATH")).toLocal8Bit());

    auto ibus = platform::ibusInputMethods();
    ASSERT_TRUE(ibus);
    EXPECT_TRUE(ibus->hasFramework());
    EXPECT_EQ(ibus->list(), (QList<InputMethod>{{"xkb:us::eng", ""}, {"libpinyin", "libpinyin"}, {"rime", "rime"}}));
    EXPECT_TRUE(ibus->activate(QStringLiteral("rime")));
    EXPECT_FALSE(ibus->activate(QString()));
    EXPECT_EQ(linesOf(log), QStringList{"rime"});
}

TEST(InputMethods, AnIbusThatDoesNotAnswerIsNotUsed)
{
    tsupport::TempInstall dir;
    writeIbus(dir, QStringLiteral("error"), 1);
    EXPECT_FALSE(platform::ibusInputMethods(dir.path(QStringLiteral("bin/ibus"))));
    EXPECT_FALSE(platform::ibusInputMethods(dir.path(QStringLiteral("bin/no-such-ibus"))));
}

TEST(InputMethods, ThePlainKeyboardIsOneLayoutThatSwitchesNothing)
{
    auto plain = platform::plainKeyboard();
    EXPECT_FALSE(plain->hasFramework());
    EXPECT_EQ(plain->list(), QList<InputMethod>{InputMethod{}});
    EXPECT_TRUE(plain->activate(QString()));
}

TEST(InputMethods, Fcitx5ListsTheCurrentGroupAndSwitchesThroughItsController)
{
    if (!tsupport::FcitxStandIn::busAvailable())
        GTEST_SKIP() << "needs a session bus (run under dbus-run-session)";
    EXPECT_FALSE(platform::fcitx5InputMethods(QDBusConnection::sessionBus())) << "nothing answers yet";

    const QStringList names{"keyboard-us", "pinyin", "keyboard-de", "shuangpin"};
    tsupport::FcitxStandIn fcitx(tsupport::FcitxStandIn::groupOf(names),
                                 tsupport::FcitxStandIn::availableOf({"keyboard-us", "pinyin", "keyboard-de"}));
    ASSERT_TRUE(fcitx.isServing());
    auto service = platform::fcitx5InputMethods(QDBusConnection::sessionBus());
    ASSERT_TRUE(service);
    EXPECT_TRUE(service->hasFramework());
    // A method Fcitx does not name shows its own id.
    EXPECT_EQ(service->list(), (QList<InputMethod>{{"keyboard-us", ""}, {"pinyin", "pinyin 输入法"}, {"keyboard-de", ""},
                                                   {"shuangpin", "shuangpin"}}));
    EXPECT_TRUE(service->activate(QStringLiteral("shuangpin")));
    EXPECT_TRUE(service->activate(QStringLiteral("keyboard-us")));
    EXPECT_EQ(fcitx.activated(), (QStringList{"shuangpin", "keyboard-us"}));
}

TEST(InputMethods, TheRunChoosesFcitxThenIbusThenThePlainKeyboard)
{
    tsupport::TempInstall dir;
    dir.mkdir(QStringLiteral("bin"));
    EnvGuard path("PATH", dir.path(QStringLiteral("bin")).toLocal8Bit());
    platform::setInputMethods(nullptr);
    EXPECT_FALSE(platform::inputMethods().hasFramework());

    writeIbus(dir, QStringLiteral("  preload-engines: ['xkb:us::eng']"));
    platform::setInputMethods(nullptr);
    EXPECT_EQ(platform::inputMethods().list(), (QList<InputMethod>{{"xkb:us::eng", ""}}));

    if (tsupport::FcitxStandIn::busAvailable()) {
        tsupport::FcitxStandIn fcitx(tsupport::FcitxStandIn::groupOf({"keyboard-us", "pinyin"}), {});
        platform::setInputMethods(nullptr);
        EXPECT_EQ(platform::inputMethods().list(), (QList<InputMethod>{{"keyboard-us", ""}, {"pinyin", "pinyin"}}));
    }
    platform::setInputMethods(platform::plainKeyboard());
}
