// The panel's input-method helper: its menu of the desktop's methods, the choice that the cell
// editor's focus switches to, and the option dialog between minimised and full panel.

#include "session/panel_fixture.h"

#include "session/frm_ime.h"
#include "session/input_method_choice.h"
#include "support/fake_input_methods.h"
#include "support/fcitx_standin.h"

#include <QDBusConnection>

using platform::InputMethod;

namespace {

class PanelImeTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        session({{Step(QStringLiteral("0020")).editor(1000, 1000, 1500, 300).texts(0, 1), Step(QStringLiteral("9999"))}});
        inst.writeLines(QStringLiteral("data/288869.mxy"), {QStringLiteral("000002打开文件")});
        vb::setPopupResponder([this](vb::Menu& menu) -> vb::Menu* {
            ++popups;
            if (choose < 0)
                return nullptr;
            return choose == 0 ? frmTm().mEng : frmTm().mCn[static_cast<std::size_t>(choose - 1)];
            Q_UNUSED(menu);
        });
    }
    void TearDown() override
    {
        platform::setInputMethods(platform::plainKeyboard());
        PanelTest::TearDown();
    }
    // The desktop's methods: "kb..." plain keyboards, anything else a method of that name.
    std::shared_ptr<QStringList> methods(const QStringList& ids)
    {
        QList<InputMethod> list;
        for (const QString& id : ids)
            list.append({id, id.startsWith(QLatin1String("kb")) ? QString() : id});
        auto fake = std::make_unique<tsupport::FakeInputMethods>(list);
        auto activated = fake->activated;
        platform::setInputMethods(std::move(fake));
        return activated;
    }
    QStringList shownItems(FrmTm& p) const
    {
        QStringList out;
        for (vb::Menu* m : p.mIme->Items())
            if (m->Visible())
                out << m->Caption();
        return out;
    }

    int popups = 0;
    int choose = -1;
};

} // namespace

TEST_F(PanelImeTest, TheMenuListsTheDesktopsMethods)
{
    struct Case {
        QStringList ids;
        QStringList shown;
        int rows;
    } cases[] = {
        {{"kb-us"}, {"英语（美国）", "中文1"}, 1},
        {{"kb-us", "拼音", "五笔", "双拼"}, {"英语（美国）", "拼音", "五笔", "双拼"}, 4},
        {{"kb-us", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10", "m11", "m12"},
         {"英语（美国）", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10"}, 13},
    };
    for (const Case& c : cases) {
        methods(c.ids);
        FrmTm& p = panel();
        EXPECT_EQ(shownItems(p), c.shown);
        EXPECT_EQ(p.ImeMenuRows, c.rows);
        EXPECT_EQ(p.imeMenuAt(), QPointF(p.LblIME->Left(), p.LblIME->Top() + p.FrmZhuYa->Top() - 300 * c.rows));
        vb::Forms::unloadAll();
    }
}

TEST_F(PanelImeTest, WithTheHelperOffTheLabelIsInertAndTheFocusSwitchesNothing)
{
    const auto activated = methods({"kb-us", "拼音"});
    S().ChosenKeyboardLayout = QStringLiteral("拼音");
    FrmTm& p = panel();
    tsupport::click(*p.LblIME);
    EXPECT_EQ(popups, 0);
    frmMain().Text1->SetFocus();
    frmMain().PicMenu->SetFocus();
    frmMain().Text1->SetFocus();
    EXPECT_TRUE(activated->isEmpty());
}

TEST_F(PanelImeTest, ChoosingAMethodRestoresTheWindowAndTheEditorSwitchesToIt)
{
    // A plain keyboard between the methods does not shift the choice.
    const auto activated = methods({"拼音", "kb-us", "五笔", "kb-de"});
    S().ImeHelperOn = -1;
    FrmTm& p = panel();
    FrmMain& w = frmMain();
    w.setWindowState(vb::vbMinimized);
    activated->clear();
    choose = 2;
    tsupport::click(*p.LblIME);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(S().ChosenKeyboardLayout, QStringLiteral("五笔"));
    EXPECT_EQ(w.WindowState(), vb::vbNormal);
    vb::DoEvents(); // the window system activates the restored window
    EXPECT_TRUE(w.Text1->HasFocus());
    EXPECT_EQ(*activated, QStringList{"五笔"});

    choose = 0;
    w.Text4->setVisible(true);
    w.Text4->SetFocus();
    p.LblIME_Click();
    EXPECT_EQ(S().ChosenKeyboardLayout, QStringLiteral("kb-us"));
    EXPECT_EQ(activated->last(), QStringLiteral("kb-us"));
}

TEST_F(PanelImeTest, AnItemWithNoMethodBehindItGivesTheNotice)
{
    platform::setInputMethods(platform::plainKeyboard());
    S().ImeHelperOn = -1;
    FrmTm& p = panel();
    choose = 1;
    p.LblIME_Click();
    EXPECT_EQ(boxes, QStringList{session::NoInputMethodNotice});
    EXPECT_TRUE(S().ChosenKeyboardLayout.isEmpty());
    choose = 0;
    p.LblIME_Click();
    EXPECT_EQ(boxes.size(), 1) << "the plain keyboard stands behind its item";
}

TEST_F(PanelImeTest, TheFcitxBackEndSwitchesTheSameWay)
{
    if (!tsupport::FcitxStandIn::busAvailable())
        GTEST_SKIP() << "needs a session bus (run under dbus-run-session)";
    const QStringList names{"keyboard-us", "pinyin", "keyboard-de", "wubi"};
    tsupport::FcitxStandIn fcitx(tsupport::FcitxStandIn::groupOf(names), tsupport::FcitxStandIn::availableOf(names));
    platform::setInputMethods(platform::fcitx5InputMethods(QDBusConnection::sessionBus()));
    S().ImeHelperOn = -1;
    FrmTm& p = panel();
    EXPECT_EQ(shownItems(p), (QStringList{"英语（美国）", "pinyin 输入法", "wubi 输入法"}));
    EXPECT_EQ(p.ImeMenuRows, 3);
    choose = 2;
    p.LblIME_Click();
    vb::DoEvents();
    choose = 0;
    frmMain().Text4->setVisible(true);
    frmMain().Text4->SetFocus();
    p.LblIME_Click();
    vb::DoEvents();
    EXPECT_EQ(fcitx.activated(), (QStringList{"wubi", "keyboard-us"}));
}

TEST_F(PanelImeTest, TheOptionButtonOpensTheDialogOverTheStripAndItsCloseBringsThePanelBack)
{
    methods({"kb-us"});
    FrmTm& p = panel();
    const FrmMain& w = frmMain();
    bool stripWhileOpen = false;
    vb::setModalResponder([&](vb::Form& f) {
        if (auto* dlg = dynamic_cast<FrmIME*>(&f)) {
            stripWhileOpen = p.FrmMinStrip->Visible() && p.Width() == p.FrmMinStrip->Width();
            tsupport::click(dlg->LblClick(1));
        }
    });
    EXPECT_EQ(p.CmdEn->Left() + p.CmdEn->Width(), p.LblIME->Left() + p.LblIME->Width());
    tsupport::click(*p.CmdEn);
    EXPECT_TRUE(stripWhileOpen);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmIME>());
    EXPECT_FALSE(p.FrmMinStrip->Visible());
    EXPECT_EQ(p.Width(), 4980);
    EXPECT_EQ(p.Left() + p.Width(), w.Left() + w.Width());
    EXPECT_EQ(p.Top() + p.Height(), w.Top() + w.Height());
}
