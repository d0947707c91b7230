// The editors switch to the input method the candidate chose, while the helper is on.

#include "sim_window_fixture.h"

#include "support/fake_input_methods.h"

namespace {

class EditorImeTest : public SimWindowTest {
protected:
    void SetUp() override
    {
        SimWindowTest::SetUp();
        auto fake = std::make_unique<tsupport::FakeInputMethods>(QList<platform::InputMethod>{{"kb", ""}, {"py", "拼音"}});
        activated = fake->activated;
        platform::setInputMethods(std::move(fake));
        S().ChosenKeyboardLayout = QStringLiteral("py");
        session({{Step(QStringLiteral("0020")).editor(1000, 1000, 1500, 300).texts(0, 1), Step(QStringLiteral("9999"))}});
    }
    void TearDown() override
    {
        platform::setInputMethods(platform::plainKeyboard());
        SimWindowTest::TearDown();
    }
    // Gives each editor the focus in turn, from the edit bar: the cell editor, the two dialog
    // editors, the edit bar again.
    void focusEach(FrmMain& w)
    {
        for (vb::TextBox* t : {w.Text4, w.Text1, w.Text2, w.Text3, w.Text4}) {
            t->setVisible(true);
            t->SetFocus();
            ASSERT_TRUE(t->HasFocus());
        }
    }

    std::shared_ptr<QStringList> activated;
};

} // namespace

TEST_F(EditorImeTest, TheCellAndDialogEditorsSwitchWhileTheHelperIsOn)
{
    S().ImeHelperOn = -1;
    FrmMain& w = show();
    activated->clear();
    focusEach(w);
    EXPECT_EQ(*activated, (QStringList{"py", "py"}));
}

TEST_F(EditorImeTest, WithTheHelperOffNoEditorSwitches)
{
    S().ImeHelperOn = 0;
    FrmMain& w = show();
    focusEach(w);
    EXPECT_TRUE(activated->isEmpty());
}
