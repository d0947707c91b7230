#include "session/input_method_choice.h"

#include "session_state/session_state.h"
#include "support/events.h"
#include "support/fake_input_methods.h"
#include "support/fcitx_standin.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

using platform::InputMethod;

namespace {

QList<InputMethod> methods(const QStringList& ids)
{
    QList<InputMethod> out;
    for (const QString& id : ids)
        out.append({id, id.startsWith(QLatin1String("kb")) ? QString() : id + QStringLiteral("输入法")});
    return out;
}

// The visible items of a menu, by caption.
QStringList shown(const session::ImeMenu& m)
{
    QStringList out;
    for (int k = 0; k < session::ImeMenuItems; ++k)
        if (m.visible[static_cast<std::size_t>(k)])
            out.append(m.captions[static_cast<std::size_t>(k)]);
    return out;
}

} // namespace

TEST(ImeOption, OneReadingOfTheStoredLine)
{
    struct Case {
        const char* line;
        bool on;
    } cases[] = {{"1", true}, {" 1", true}, {"1 ", true}, {"2", true}, {"0", false}, {"", false}, {"x1", false}, {" 0 ", false}};
    for (const Case& c : cases)
        EXPECT_EQ(session::imeOptionOn(QString::fromLatin1(c.line)), c.on) << '"' << c.line << '"';
}

TEST(ImeMenu, ItemsNameTheMethodsTheyActivate)
{
    struct Case {
        QStringList ids;
        QStringList shown;
        int rows;
        QStringList itemMethods; // the method behind mEng, mCn1, mCn2 ... ("-" none)
    } cases[] = {
        {{"kb-us"}, {"英语（美国）", "中文1"}, 1, {"kb-us", "-", "-"}},
        {{"kb-us", "a", "b", "c"}, {"英语（美国）", "a输入法", "b输入法", "c输入法"}, 4, {"kb-us", "a", "b", "c", "-"}},
        // A plain keyboard between methods does not shift the pairing.
        {{"a", "kb-us", "b", "kb-de", "c"}, {"英语（美国）", "a输入法", "b输入法", "c输入法"}, 4, {"kb-us", "a", "b", "c"}},
        {{"a"}, {"英语（美国）", "a输入法"}, 2, {"-", "a", "-"}},
        {{}, {"英语（美国）", "中文1"}, 1, {"-", "-"}},
    };
    for (const Case& c : cases) {
        const session::ImeMenu m = session::imeMenu(methods(c.ids));
        SCOPED_TRACE(qPrintable(c.ids.join(u',')));
        EXPECT_EQ(shown(m), c.shown);
        EXPECT_EQ(m.rows, c.rows);
        for (int k = 0; k < c.itemMethods.size(); ++k)
            EXPECT_EQ(m.methods[static_cast<std::size_t>(k)].value_or(QStringLiteral("-")), c.itemMethods[k]) << k;
    }
}

TEST(ImeMenu, TenItemsAtMostAndSixteenMethodsLooked)
{
    QStringList ids{"kb-us"};
    for (int i = 1; i <= 12; ++i)
        ids.append(QStringLiteral("m%1").arg(i));
    session::ImeMenu m = session::imeMenu(methods(ids));
    EXPECT_EQ(shown(m).size(), 11);
    EXPECT_EQ(m.captions[10], QStringLiteral("m10输入法"));
    EXPECT_EQ(m.rows, 13);

    for (int i = 13; i <= 20; ++i)
        ids.append(QStringLiteral("m%1").arg(i));
    EXPECT_EQ(session::imeMenu(methods(ids)).rows, 16);
}

TEST(ImeMenu, TheFcitxBackEndGivesTheSameMenus)
{
    if (!tsupport::FcitxStandIn::busAvailable())
        GTEST_SKIP() << "needs a session bus (run under dbus-run-session)";
    struct Case {
        QStringList names;
        QStringList shown;
        int rows;
    } cases[] = {
        {{"keyboard-us"}, {"英语（美国）", "中文1"}, 1},
        {{"keyboard-us", "pinyin", "keyboard-de", "rime", "wubi"}, {"英语（美国）", "pinyin 输入法", "rime 输入法", "wubi 输入法"}, 4},
    };
    for (const Case& c : cases) {
        tsupport::FcitxStandIn fcitx(tsupport::FcitxStandIn::groupOf(c.names), tsupport::FcitxStandIn::availableOf(c.names));
        auto service = platform::fcitx5InputMethods(QDBusConnection::sessionBus());
        ASSERT_TRUE(service);
        const session::ImeMenu m = session::imeMenu(service->list());
        EXPECT_EQ(shown(m), c.shown);
        EXPECT_EQ(m.rows, c.rows);
        EXPECT_EQ(m.methods[0], QStringLiteral("keyboard-us"));
    }
}

TEST(ImeOption, TheFocusSwitchesOnlyWhileTheHelperIsOn)
{
    resetSession();
    auto fake = std::make_unique<tsupport::FakeInputMethods>(methods({"kb-us", "a"}));
    const auto activated = fake->activated;
    platform::setInputMethods(std::move(fake));
    S().ChosenKeyboardLayout = QStringLiteral("a");
    session::activateChosenInputMethod();
    S().ImeHelperOn = -1;
    session::activateChosenInputMethod();
    EXPECT_EQ(*activated, QStringList{"a"});
    platform::setInputMethods(platform::plainKeyboard());
    resetSession();
}

TEST(ImeOption, WrittenAsOneLineAndReadBack)
{
    tsupport::TempInstall install;
    resetSession();
    S().AppPath = install.root();
    install.mkdir(QStringLiteral("ksdata"));
    EXPECT_FALSE(session::readImeOption());
    ASSERT_TRUE(session::writeImeOption(true));
    EXPECT_TRUE(session::readImeOption());
    QFile f(session::imeOptionPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1\r\n"));
    f.close();
    ASSERT_TRUE(session::writeImeOption(false));
    EXPECT_FALSE(session::readImeOption());
    resetSession();
}
