// The old toolkit's input semantics that the program's handlers rely on.

#include "support/events.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <memory>
#include <vector>

using namespace vb;

namespace {

using Log = std::vector<QString>;

// Logs every event of a control as "name.Event".
void record(Control& c, const QString& name, Log& log)
{
    c.MouseDown = [&log, name](int b, int, double, double) { log.push_back(name + ".MouseDown" + QString::number(b)); };
    c.MouseUp = [&log, name](int b, int, double, double) { log.push_back(name + ".MouseUp" + QString::number(b)); };
    c.Click = [&log, name] { log.push_back(name + ".Click"); };
    c.DblClick = [&log, name] { log.push_back(name + ".DblClick"); };
}

class Surface : public Form {
public:
    Surface()
    {
        setBorderStyle(0);
        Move(0, 0, 6000, 4500);
    }
    Log* log = nullptr;

protected:
    void Form_MouseDown(int b, int, double, double) override
    {
        if (log)
            log->push_back("Form.MouseDown" + QString::number(b));
    }
    void Form_Click() override
    {
        if (log)
            log->push_back("Form.Click");
    }
};

class Events : public ::testing::Test {
protected:
    void SetUp() override
    {
        setTwipsPerPixelOverride(15, 15);
        form = &Forms::get<Surface>();
        form->log = &log;
        form->Show();
    }
    void TearDown() override
    {
        Forms::unloadAll();
        setTwipsPerPixelOverride(0, 0);
    }
    Surface* form = nullptr;
    Log log;
};

TEST_F(Events, DoubleClickGivesTheOldOrder)
{
    auto* label = new Label(form);
    label->Move(300, 300, 1500, 600);
    record(*label, "L", log);
    tsupport::dblClick(*label);
    EXPECT_EQ(log, (Log{"L.MouseDown1", "L.MouseUp1", "L.Click", "L.DblClick", "L.MouseUp1"}));
}

TEST_F(Events, ReleaseAfterDraggingOffReachesThePressedControlWithoutClick)
{
    auto* label = new Label(form);
    label->Move(300, 300, 1500, 600);
    auto* other = new Label(form);
    other->Move(3000, 300, 1500, 600);
    record(*label, "L", log);
    record(*other, "O", log);
    std::vector<std::pair<double, double>> moves;
    label->MouseMove = [&](int b, int, double x, double y) {
        if (b == vbLeftButton)
            moves.emplace_back(x, y);
    };

    tsupport::press(*label);
    tsupport::move(*form, vbLeftButton, 0, 3600, 600); // over the other label
    tsupport::release(*form, vbLeftButton, 0, 3600, 600);
    EXPECT_EQ(log, (Log{"L.MouseDown1", "L.MouseUp1"}));
    ASSERT_EQ(moves.size(), 1u);
    // Relative to the pressed control, in twips.
    EXPECT_DOUBLE_EQ(moves[0].first, 3300);
    EXPECT_DOUBLE_EQ(moves[0].second, 300);

    log.clear();
    tsupport::click(*label, vbRightButton);
    EXPECT_EQ(log, (Log{"L.MouseDown2", "L.MouseUp2"})) << "no Click for the right button";
}

TEST_F(Events, MouseArgumentsCarryButtonShiftAndTwips)
{
    setTwipsPerPixelOverride(12, 12);
    auto* label = new Label(form);
    label->Move(1200, 1200, 2400, 1200);
    int button = 0, shift = 0;
    double x = 0, y = 0;
    label->MouseDown = [&](int b, int s, double px, double py) {
        button = b;
        shift = s;
        x = px;
        y = py;
    };
    tsupport::press(*label, vbRightButton, vbShiftMask | vbCtrlMask, 600, 240);
    tsupport::release(*label, vbRightButton, 0, 600, 240);
    EXPECT_EQ(button, vbRightButton);
    EXPECT_EQ(shift, vbShiftMask | vbCtrlMask);
    EXPECT_DOUBLE_EQ(x, 600);
    EXPECT_DOUBLE_EQ(y, 240);
}

TEST_F(Events, TransparentLabelTakesTheMouseAndShapeNever)
{
    auto* pic = new PictureBox(form);
    pic->setBorderStyle(0);
    pic->Move(0, 0, 6000, 4500);
    record(*pic, "P", log);
    auto* label = new Label(pic);
    label->setBackStyle(0);
    label->Move(300, 300, 1500, 900);
    record(*label, "L", log);
    auto* shape = new Shape(pic); // created later: above the label, yet transparent to the mouse
    shape->Move(0, 0, 6000, 4500);
    record(*shape, "S", log);

    tsupport::click(*label, vbLeftButton, 0, 30, 30); // a corner: nothing drawn there
    tsupport::click(*pic, vbLeftButton, 0, 4500, 3000);
    EXPECT_EQ(log, (Log{"L.MouseDown1", "L.MouseUp1", "L.Click", "P.MouseDown1", "P.MouseUp1", "P.Click"}));
}

TEST_F(Events, HiddenDisabledOrOneTwipControlsCannotBeHit)
{
    struct Case {
        const char* what;
        std::function<void(Label&)> make;
    };
    const std::vector<Case> cases{
        {"hidden", [](Label& l) { l.setVisible(false); }},
        {"disabled", [](Label& l) { l.setEnabled(false); }},
        {"1 x 1 twip", [](Label& l) { l.Move(300, 300, 1, 1); }},
    };
    for (const auto& c : cases) {
        auto* label = new Label(form);
        label->Move(300, 300, 1500, 900);
        c.make(*label);
        log.clear();
        record(*label, "L", log);
        tsupport::click(*form, vbLeftButton, 0, 300, 300);
        EXPECT_EQ(log, (Log{"Form.MouseDown1", "Form.Click"})) << c.what;
        delete label;
    }
    auto* tiny = new Label(form);
    tiny->Move(300, 300, 1, 1);
    EXPECT_EQ(tiny->Width(), 1);
    EXPECT_EQ(tiny->Height(), 1);
    EXPECT_EQ(tiny->widget()->width(), 0);
}

TEST_F(Events, WindowedControlsLieAboveLabelsAndZOrderWorksWithinALayer)
{
    auto* pic = new PictureBox(form);
    pic->Move(0, 0, 1500, 1500);
    record(*pic, "P", log);
    auto* label = new Label(form); // created later, still beneath the picture box
    label->Move(0, 0, 3000, 3000);
    record(*label, "L", log);
    tsupport::press(*form, vbLeftButton, 0, 750, 750);
    EXPECT_EQ(log, (Log{"P.MouseDown1"}));

    auto* label2 = new Label(form); // the later label lies above the earlier one
    label2->Move(0, 0, 3000, 3000);
    record(*label2, "L2", log);
    log.clear();
    tsupport::press(*form, vbLeftButton, 0, 2250, 2250);
    label->ZOrder(0);
    tsupport::press(*form, vbLeftButton, 0, 2250, 2250);
    label->ZOrder(1);
    tsupport::press(*form, vbLeftButton, 0, 2250, 2250);
    pic->ZOrder(1); // to the back of the windowed layer: still above every label
    tsupport::press(*form, vbLeftButton, 0, 750, 750);
    EXPECT_EQ(log, (Log{"L2.MouseDown1", "L.MouseDown1", "L2.MouseDown1", "P.MouseDown1"}));
}

TEST_F(Events, KeysGoThroughTheFormFirstWithKeyPreview)
{
    class Keyed : public Form {
    public:
        Log* log = nullptr;
        bool swallow = false;

    protected:
        void Form_KeyDown(int& k, int s) override
        {
            log->push_back(QString("Form.KeyDown%1/%2").arg(k).arg(s));
            if (swallow)
                k = 0;
        }
        void Form_KeyPress(int& a) override { log->push_back(QString("Form.KeyPress%1").arg(a)); }
        void Form_KeyUp(int& k, int) override { log->push_back(QString("Form.KeyUp%1").arg(k)); }
    };
    auto& f = Forms::get<Keyed>();
    f.log = &log;
    f.Show();
    auto* text = new TextBox(&f);
    text->Move(0, 0, 3000, 400);
    text->KeyDown = [&](int& k, int) { log.push_back(QString("T.KeyDown%1").arg(k)); };
    text->KeyPress = [&](int& a) {
        log.push_back(QString("T.KeyPress%1").arg(a));
        if (a == 'a')
            a = 'b'; // a handler may change the character typed
    };
    text->KeyUp = [&](int& k, int) { log.push_back(QString("T.KeyUp%1").arg(k)); };

    tsupport::key(*text, vbKeyA);
    EXPECT_EQ(log, (Log{"T.KeyDown65", "T.KeyPress97", "T.KeyUp65"}));
    EXPECT_EQ(text->Text(), "b");

    log.clear();
    f.setKeyPreview(true);
    tsupport::key(*text, vbKeyReturn, vbShiftMask);
    EXPECT_EQ(log, (Log{"Form.KeyDown13/1", "T.KeyDown13", "Form.KeyPress13", "T.KeyPress13", "Form.KeyUp13", "T.KeyUp13"}));

    log.clear();
    f.swallow = true;
    tsupport::key(*text, vbKeyC);
    EXPECT_EQ(log, (Log{"Form.KeyDown67/0", "Form.KeyUp67", "T.KeyUp67"}));
    EXPECT_EQ(text->Text(), "b") << "a swallowed key types nothing";

    log.clear();
    tsupport::key(f, vbKeyF1); // no control in the way: the form itself, once
    EXPECT_EQ(log, (Log{"Form.KeyDown112/0", "Form.KeyUp112"}));
}

TEST_F(Events, AHiddenControlGivesTheKeyboardToItsForm)
{
    auto* box = new PictureBox(form);
    box->Move(0, 0, 3000, 1500);
    auto* text = new TextBox(box);
    text->Move(0, 0, 2000, 400);
    auto* other = new TextBox(form);
    other->Move(0, 2000, 2000, 400);
    form->activateWindow();
    QApplication::processEvents();
    // The focused control itself, and a container holding it.
    text->SetFocus();
    ASSERT_TRUE(text->HasFocus());
    text->setVisible(false);
    EXPECT_EQ(QApplication::focusWidget(), form);
    text->setVisible(true);
    text->SetFocus();
    box->setVisible(false);
    EXPECT_EQ(QApplication::focusWidget(), form);
    // Hiding a control without the focus leaves the focus where it is.
    other->SetFocus();
    text->setVisible(false);
    EXPECT_TRUE(other->HasFocus());
}

TEST_F(Events, ChangeFiresForTypedAndProgrammaticText)
{
    auto* text = new TextBox(form);
    text->Move(0, 0, 3000, 400);
    Log changes;
    text->Change = [&] { changes.push_back(text->Text()); };
    text->setText("12");
    tsupport::typeText(*text, "3中");
    text->setText("12");
    text->setText("12"); // unchanged: no event
    EXPECT_EQ(changes, (Log{"12", "123", "123中", "12"}));
    text->setSelStart(1);
    text->setSelLength(5);
    EXPECT_EQ(text->SelLength(), 1);
    EXPECT_EQ(text->SelText(), "2");
}

TEST_F(Events, ButtonCheckBoxAndListRaiseClickTheOldWay)
{
    auto* button = new CommandButton(form);
    button->Move(0, 0, 1500, 450);
    record(*button, "B", log);
    tsupport::click(*button);
    tsupport::key(*button, vbKeySpace);
    EXPECT_EQ(log, (Log{"B.MouseDown1", "B.MouseUp1", "B.Click", "B.Click"}));

    auto* list = new ListBox(form);
    list->Move(0, 600, 1500, 1500);
    for (const char* item : {"a", "b", "c"})
        list->AddItem(item);
    log.clear();
    record(*list, "List", log);
    list->setListIndex(2);
    EXPECT_EQ(log, (Log{"List.Click"}));
    list->setListIndex(7); // out of range: ignored
    list->Clear();
    EXPECT_EQ(log, (Log{"List.Click"}));
    EXPECT_EQ(list->List(9), "");

    auto* check = new CheckBox(form);
    log.clear();
    record(*check, "C", log);
    check->setValue(1);
    EXPECT_EQ(log, (Log{"C.Click"}));
    EXPECT_EQ(check->Value(), 1);
}

TEST_F(Events, HandlerMayUnloadTheArrayMemberItRunsFor)
{
    ControlArray<Label> labels;
    labels.create(0, static_cast<Container*>(form))->Move(0, 0, 1500, 450);
    Label* added = labels.Load(3);
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(added->Visible()) << "a loaded member starts hidden";
    EXPECT_EQ(added->Width(), 1500);
    added->Move(0, 600);
    added->setVisible(true);
    Log clicks;
    labels.MouseUp = [&](int i, int, int, double, double) {
        clicks.push_back(QString("up%1").arg(i));
        labels.Unload(i);
        DoEvents(); // even processing events here must not delete it under our feet
    };
    labels.Click = [&](int i) { clicks.push_back(QString("click%1").arg(i)); };
    tsupport::click(*added);
    EXPECT_EQ(clicks, (Log{"up3"})) << "an unloaded member raises nothing more";
    EXPECT_FALSE(labels.exists(3));
    EXPECT_EQ(labels.ubound(), 0);
    DoEvents();
    labels(3).setCaption("missing member: a harmless stand-in");
    EXPECT_EQ(labels.count(), 1);
}

} // namespace
