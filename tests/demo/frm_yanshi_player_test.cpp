#include "demo_fixture.h"

#include "demo/frm_yanshi_pointer.h"
#include "demo/player_rules.h"
#include "platform/vb_keys.h"
#include "platform/vb_units.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>
#include <string_view>

namespace {

using platform::Clock;

class PlayerTest : public DemoTest {
protected:
    static YanShiPointer& pointer() { return static_cast<YanShiPointer&>(vb::Forms::get<FrmYanShi>().player()); }
    static QString code() { return QStringView(S().StepRecord).mid(7, 4).toString(); }
    // A click target whose centre lies at (x, y), 300 × 300 twips.
    static Step clickAt(const QString& code, int x, int y) { return Step(code).target1(x - 150, y - 150, 300, 300); }
};

TEST_F(PlayerTest, AClickTravelsFourteenTicksAndAdvancesInTheArrivalTick)
{
    session({{clickAt(QStringLiteral("0001"), 7680 + 1500, 5760), Step(QStringLiteral("8888")),
              Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_EQ(st().StepX, 100);
    Clock::advance(1300);
    EXPECT_EQ(st().StepNo, 1);
    EXPECT_EQ(st().PtX, 7680 + 1300);
    Clock::advance(100);
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_EQ(rectOf(*w.Shape5).topLeft(), QPoint(8900, 5580));
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_FALSE(w.Timer5->Enabled()); // the plain click's ring stays unseen
    // The arrow stands at the pointer.
    YanShiPointer& p = pointer();
    EXPECT_EQ(p.LPoint(0).X1(), 7680 + 1400 + 60);
    EXPECT_EQ(p.LPoint(0).Y1(), 5760);
    // "8888": no travel, one advance exactly one second after its set-up.
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_TRUE(w.Timer4->Enabled());
    Clock::advance(999);
    EXPECT_EQ(st().StepNo, 2);
    Clock::advance(1);
    EXPECT_EQ(st().StepNo, 3);
    EXPECT_TRUE(w.TimEnd->Enabled());
    EXPECT_FALSE(w.Timer3->Enabled());
}

TEST_F(PlayerTest, RingColourByCodeAndAnUnnamedCodeAdvances)
{
    // A code of no family goes to the previous target again and, arrived, on to the next step.
    session({{clickAt(QStringLiteral("0001"), 7680, 5760), Step(QStringLiteral("0099")),
              clickAt(QStringLiteral("0002"), 7680 + 1500, 5760), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100);
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_EQ(w.Shape5->BorderColor(), QColor(255, 0, 0));
    Clock::advance(100);
    EXPECT_EQ(st().StepNo, 3);
    EXPECT_FALSE(w.TimEnd->Enabled());
    Clock::advance(100); // green while the double click's pointer travels
    EXPECT_EQ(w.Shape5->BorderColor(), QColor(0, 255, 0));
    EXPECT_EQ(st().StepNo, 3);
}

TEST_F(PlayerTest, JumpsWithinTheQuestionAndBeyondItEnds)
{
    std::vector<QString> steps;
    for (int i = 1; i <= 7; ++i)
        steps.push_back(clickAt(QStringLiteral("0001"), 1000 * i, 1000));
    steps.push_back(Step(QStringLiteral("9999")));
    session({steps});
    FrmYanShi& w = demo();
    const struct {
        const char* code;
        int step;
        bool ends;
    } cases[] = {{"0", 5, false}, {"3", 2, false}, {"C", 8, false}, {"a", 5, false}, {"D", 9, true}, {"5", 0, true}};
    for (const auto& c : cases) {
        w.TimEnd->setEnabled(false);
        st().StepNo = 5;
        w.setData();
        const QString before = S().StepRecord;
        w.GoStep(QString::fromLatin1(c.code));
        EXPECT_EQ(st().StepNo, c.step) << c.code;
        if (c.code == std::string_view("0")) {
            EXPECT_EQ(S().StepRecord, before);
        }
        EXPECT_EQ(w.TimEnd->Enabled(), c.ends || c.step == 8) << c.code;
    }
}

TEST_F(PlayerTest, AQuestionWithoutItsEndStopsAfterItsLastStep)
{
    session({{clickAt(QStringLiteral("0001"), 7680, 5760)}, {clickAt(QStringLiteral("0001"), 1000, 1000)}});
    FrmYanShi& w = demo();
    Clock::advance(100);
    EXPECT_TRUE(w.TimEnd->Enabled());
    Clock::advance(400);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
}

TEST_F(PlayerTest, KeysAndDoubleClicksEndTheDemonstration)
{
    session({{clickAt(QStringLiteral("0001"), 1000, 1000), Step(QStringLiteral("9999"))}});
    const struct {
        int key;
        bool ends;
    } keys[] = {{13, true}, {32, true}, {27, true}, {65, false}, {112, false}};
    for (const auto& k : keys) {
        FrmYanShi& w = demo();
        w.show();
        tsupport::key(w, k.key);
        EXPECT_EQ(w.TimEnd->Enabled(), k.ends) << k.key;
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

// A key pressed and released where the keyboard is, as the window system delivers it.
void keyWhereTheFocusIs(int keyCode)
{
    const vb::QtKey k = vb::qtKeyFromKeyCode(keyCode, 0);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return;
        QKeyEvent e(type, k.key, k.modifiers, k.text);
        QApplication::sendEvent(focus, &e);
    }
}

TEST_F(PlayerTest, KeysEndATypingStepWithoutTypingIntoItsEditor)
{
    textTable({QStringLiteral("abc")});
    const auto typing = [](const char* code) {
        return Step(QString::fromLatin1(code)).editor(7680 - 300, 5760 - 150, 2000, 300).texts(0, 1);
    };
    const struct {
        const char* code;
        int key;
        bool ends;
    } cases[] = {{"0020", 13, true}, {"0020", 32, true}, {"0020", 27, true}, {"0021", 32, true},
                 {"0027", 27, true}, {"0020", 112, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " key " + std::to_string(c.key));
        // The typing step comes second, on the window the candidate already sees.
        session({{clickAt(QStringLiteral("0001"), 7680, 5760), typing(c.code), Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        w.show();
        w.activateWindow();
        arrive();
        ASSERT_EQ(st().StepNo, 2);
        Clock::advance(100 + 500); // the first character is typed
        vb::TextBox* editor = c.code == std::string_view("0021")   ? w.Text2
                              : c.code == std::string_view("0027") ? w.Text3
                                                                   : w.Text1;
        ASSERT_EQ(editor->Text(), QStringLiteral("a"));
        ASSERT_TRUE(QApplication::focusWidget());
        keyWhereTheFocusIs(c.key);
        EXPECT_EQ(w.TimEnd->Enabled(), c.ends);
        EXPECT_EQ(editor->Text(), QStringLiteral("a"));
        if (c.ends) {
            Clock::advance(400);
            EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
        }
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

TEST_F(PlayerTest, DoubleClicksOnTheWindowAndItsStepPicturesEndTheDemonstration)
{
    picture(QStringLiteral("100001"), {20, 20});
    session({{clickAt(QStringLiteral("0001"), 1000, 1000)
                  .image(1, 3000, 3000, QStringLiteral("100001"))
                  .image6(6000, 3000, QStringLiteral("100001")),
              Step(QStringLiteral("9999"))}});
    const std::function<void(FrmYanShi&)> cases[] = {
        [](FrmYanShi& w) { tsupport::dblClick(w, 1, 0, 9000, 8000); },
        [](FrmYanShi& w) { tsupport::dblClick(*w.Image1); },
        [](FrmYanShi& w) { tsupport::dblClick(*w.Image6); },
        [](FrmYanShi& w) { tsupport::dblClick(*w.Label1); },
    };
    const bool ends[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) {
        FrmYanShi& w = demo();
        w.show();
        cases[i](w);
        EXPECT_EQ(w.TimEnd->Enabled(), ends[i]) << i;
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

TEST_F(PlayerTest, AnInterruptionAmidATravelClosesFourHundredMillisecondsLater)
{
    session({{clickAt(QStringLiteral("0001"), 1000, 1000), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(300);
    w.TimEnd->setEnabled(true);
    Clock::advance(300);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_NE(st().PtX, 7680); // the pointer goes on meanwhile
    Clock::advance(100);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_EQ(st().StepNo, 1);
}

TEST_F(PlayerTest, TypingShowsOneCharacterEveryHalfSecond)
{
    textTable({QStringLiteral("abc|xyz"), QStringLiteral("ab")});
    const auto typing = [](const char* code) {
        return Step(QString::fromLatin1(code)).editor(7680 - 300, 5760 - 150, 2000, 300).texts(0, 1);
    };
    session({{typing("0020"), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100); // arrives at once: the editor's target lies on the pointer
    EXPECT_TRUE(w.Timer1->Enabled());
    EXPECT_FALSE(w.Timer2->Enabled());
    Clock::advance(50);
    EXPECT_FALSE(w.Shape5->Visible());
    Clock::advance(100);
    EXPECT_TRUE(w.Shape5->Visible()); // 150 ms after the arrival
    Clock::advance(100);
    EXPECT_FALSE(w.Shape5->Visible()); // 250 ms
    Clock::advance(250);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("a"));
    Clock::advance(500);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("ab"));
    EXPECT_EQ(st().StepNo, 1);
    Clock::advance(500);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("abc"));
    EXPECT_EQ(st().StepNo, 2);
}

TEST_F(PlayerTest, ThePointerAndItsRingAreSeenOverTheEditorsAndLists)
{
    textTable({QStringLiteral("abc"), QStringLiteral("a|b|c")});
    // The pointer starts inside a wide editor (at its typing target) and a wide list (on its
    // way to the list's centre), and reaches the location list's face, which opens under it.
    session({{Step(QStringLiteral("0020")).editor(7680 - 300, 5760 - 450, 2000, 900).texts(0, 1),
              Step(QStringLiteral("9999"))},
             {Step(QStringLiteral("L001")).editor(7680 - 300, 5760 - 450, 3000, 900).texts(0, 2),
              Step(QStringLiteral("9999"))},
             {Step(QStringLiteral("K105")).editor(1500, 2000, 1200, 300), Step(QStringLiteral("9999"))}});
    picture(QStringLiteral("9lX010"), {260, 22}, Qt::white); // the location list's face
    for (const int q : {1, 2, 3}) {
        SCOPED_TRACE(q);
        FrmYanShi& w = demo(q);
        if (q == 3)
            pointer().arrive();
        else
            Clock::advance(100);
        const vb::Control& under = q == 1   ? static_cast<vb::Control&>(*w.Text1)
                                   : q == 2 ? static_cast<vb::Control&>(*w.LstLA)
                                            : *w.PicList;
        const QRect arrow(st().PtX + 60, st().PtY, 180, 300);
        ASSERT_TRUE(under.Visible());
        ASSERT_TRUE(rectOf(under).contains(arrow));
        // The arrow's outline, black on the white control.
        EXPECT_GT(pixelsOf(w, arrow, isInk), 0) << "the arrow is hidden";
        if (q == 1) {
            Clock::advance(150); // the ring shows
            ASSERT_TRUE(w.Shape5->Visible());
            EXPECT_GT(pixelsOf(w, rectOf(*w.Shape5), isRed), 0) << "the ring is hidden";
        }
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

TEST_F(PlayerTest, TypingGoesOnAfterWhatTheEditorShows)
{
    textTable({QStringLiteral("abc"), QStringLiteral("ab"), QStringLiteral("xx")});
    for (const int shown : {2, 3}) {
        session({{Step(QStringLiteral("0020")).editor(7680 - 300, 5760 - 150, 2000, 300).texts(shown, 1),
                  Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        Clock::advance(100 + 500);
        EXPECT_EQ(w.Text1->Text(), shown == 2 ? QStringLiteral("abc") : QStringLiteral("a")) << shown;
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

TEST_F(PlayerTest, TheAnswerFieldNamesTheTypedLine)
{
    textTable({QStringLiteral("abc"), QStringLiteral("xy|z")});
    // Only "000" names no text; any other field that reads 0 runs to the table's last line.
    const struct {
        const char* field;
        const char* typed;
    } cases[] = {{"001", "abc"}, {"002", "xy"}, {"009", "xy"}, {"00x", "xy"}, {"   ", "xy"}, {"000", ""}};
    for (const auto& c : cases) {
        session({{Step(QStringLiteral("0020")).editor(7680 - 300, 5760 - 150, 2000, 300).texts(0, 1).at(
                      109, QString::fromLatin1(c.field)),
                  Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        for (int t = 0; t < 2000 && st().StepNo == 1; t += 100)
            Clock::advance(100);
        EXPECT_EQ(st().StepNo, 2) << c.field;
        EXPECT_EQ(w.Text1->Text(), QString::fromLatin1(c.typed)) << c.field;
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
    }
}

TEST_F(PlayerTest, TypingStepsWriteIntoTheirEditors)
{
    textTable({QStringLiteral("abc"), QString(301, u'x')});
    const auto typing = [](const char* code, int answer) {
        return Step(QString::fromLatin1(code)).editor(7680 - 300, 5760 - 150, 2000, 300).texts(0, answer);
    };
    session({{typing("0021", 1), typing("0027", 1), typing("0023", 2), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100 + 1500);
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("abc"));
    EXPECT_EQ(st().StepNo, 2);
    Clock::advance(100 + 1500);
    EXPECT_EQ(w.Text3->Text(), QStringLiteral("abc"));
    EXPECT_EQ(st().StepNo, 3);
    // A selection ends at its first typing tick, however long its text.
    Clock::advance(100 + 499);
    EXPECT_EQ(st().StepNo, 3);
    Clock::advance(1);
    EXPECT_EQ(st().StepNo, 4);
}

TEST_F(PlayerTest, TypingThenOnToTheFrame)
{
    textTable({QStringLiteral("ab")});
    session({{Step(QStringLiteral("0026")).editor(7680 - 300, 5760 - 150, 2000, 300).texts(0, 1).target1(
                  7680 + 1350, 5760 - 150, 300, 300),
              Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100 + 1000);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("ab"));
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_EQ(w.Shape4->Left(), -100);
    EXPECT_EQ(st().TargetX, 7680 + 1500);
    Clock::advance(1400);
    EXPECT_EQ(st().StepNo, 2);
}

TEST_F(PlayerTest, KeyStepsPauseOneSecondWithoutTravel)
{
    session({{Step(QStringLiteral("6013")), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_FALSE(w.Timer3->Enabled());
    Clock::advance(999);
    EXPECT_EQ(st().StepNo, 1);
    EXPECT_EQ(st().PtX, 7680);
    Clock::advance(1);
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), QPoint(7680, 5760));
}

TEST_F(PlayerTest, APictureDragCarriesThePictureWithThePointerToWhereTheDragLeavesIt)
{
    // The picture is 600 × 300 twips; the simulated window's passed drag puts its corner on the
    // step's point along the axes its code drags.
    const struct {
        const char* code;
        QPoint corner;
        QPoint point;
        QPoint dropped;
    } cases[] = {
        {"8002", {3000, 3000}, {6000, 0}, {6000, 3000}},    // right
        {"8001", {6000, 3000}, {3000, 0}, {3000, 3000}},    // left
        {"8004", {3000, 2000}, {0, 5000}, {3000, 5000}},    // down
        {"8007", {3000, 2000}, {6000, 5000}, {6000, 5000}}, // down and right
    };
    picture(QStringLiteral("500005"), {40, 20});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        S().DemoRunning = -1;
        yanShiState() = YanShiState();
        session({{Step(QString::fromLatin1(c.code))
                      .image(5, c.corner.x(), c.corner.y(), QStringLiteral("500005"))
                      .at(167, Step::num(c.point.x(), 5) + Step::num(c.point.y(), 5)),
                  Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        // The pointer travels from its start to the picture, arriving near its centre.
        for (int t = 0; t < 20 && !w.Timer3->Enabled(); ++t)
            Clock::advance(100);
        ASSERT_TRUE(w.Timer3->Enabled());
        EXPECT_FALSE(w.Timer2->Enabled());
        const QPoint ring = rectOf(*w.Shape5).topLeft();
        // It takes the picture at its centre, wherever the travel ended.
        const QPoint hold = QPoint(st().PtX, st().PtY) - rectOf(*w.Image5).topLeft();
        EXPECT_EQ(hold, QPoint(300, 150));
        EXPECT_EQ(rectOf(*w.Image5).topLeft(), c.corner);
        // Each second the pointer moves on and the picture with it, held where it was taken.
        QPoint last = c.corner;
        int ticks = 0;
        while (st().StepNo == 1 && ticks < 20) {
            Clock::advance(1000);
            ++ticks;
            const QPoint at = rectOf(*w.Image5).topLeft();
            EXPECT_EQ(QPoint(st().PtX, st().PtY) - at, hold) << ticks;
            const QPoint way = c.dropped - c.corner;
            const QPoint moved = at - last;
            // Every tick goes towards the drop, along the dragged axes only.
            EXPECT_TRUE(moved.x() * way.x() > 0 || (way.x() == 0 && moved.x() == 0)) << ticks;
            EXPECT_TRUE(moved.y() * way.y() > 0 || (way.y() == 0 && moved.y() == 0)) << ticks;
            last = at;
        }
        EXPECT_GE(ticks, 10);
        // Dropped: the picture stands where the candidate's drag leaves it, the pointer on it.
        EXPECT_EQ(st().StepNo, 2);
        EXPECT_EQ(rectOf(*w.Image5).topLeft(), c.dropped);
        EXPECT_EQ(QPoint(st().PtX, st().PtY), c.dropped + hold);
        EXPECT_EQ(rectOf(*w.Shape5).topLeft(), ring); // no ring at the drop
        Clock::advance(1000);
        ASSERT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    }
}

TEST_F(PlayerTest, ADialogTabStepGoesToTheTabThenToItsTargetAndEndsThere)
{
    QString tabs = QStringLiteral("x30100240");
    for (int i = 1; i <= 3; ++i)
        tabs += QStringLiteral("p0000%1").arg(i) + Step::num(10 + 800 * (i - 1), 4);
    inst.writeLines(QStringLiteral("data/288906.mxy"), {tabs});
    picture(QStringLiteral("dialog"), {100, 100}, Qt::blue);
    textTable({QStringLiteral("abc")});
    session({{Step(QStringLiteral("0020")).image(1, 1000, 2000, QStringLiteral("dialog"))
                  .target1(1500, 3000, 600, 300).editor(1500, 2000, 1200, 300).texts(0, 1)
                  .at(130, QStringLiteral("XA121")),
              Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), demo::centreOf(rectOf(w.LblXXK(2))));
    pointer().arrive();
    EXPECT_EQ(rectOf(*w.Label1), QRect(1500, 3000, 600, 300));
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), QPoint(1800, 3150));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(*w.Label1));
    EXPECT_EQ(w.Shape4->Left(), -100);
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_EQ(st().StepNo, 1);
    pointer().arrive();
    EXPECT_EQ(st().StepNo, 2); // ends at the target although its code would type
    EXPECT_FALSE(w.Timer1->Enabled());
}

TEST_F(PlayerTest, RangeDragsShowTheCursorAndTheMarquee)
{
    // The step's cursor file, read by content.
    inst.writePicture(QStringLiteral("ico07.CUR"), {20, 20}, Qt::black);
    for (const char* code : {"0041", "0051"}) {
        const bool marquee = code == std::string_view("0041");
        session({{Step(QString::fromLatin1(code)).target2(7530, 5610, 300, 300).target1(7680 + 1350, 5610, 300, 300)
                      .at(101, QStringLiteral("M  07")),
                  Step(QStringLiteral("9999"))}});
        FrmYanShi& w = demo();
        YanShiPointer& p = pointer();
        EXPECT_EQ(QPoint(st().TargetX, st().TargetY), QPoint(7680, 5760)) << code;
        Clock::advance(100); // the first leg arrives at once, and the second begins in the same tick
        EXPECT_EQ(w.Shape4->Left(), -100) << code;
        EXPECT_EQ(st().PtX, 7780) << code;
        EXPECT_TRUE(p.ImgICO->Visible()) << code;
        EXPECT_EQ(p.ImgICO->Width(), 20 * 15) << code;
        EXPECT_EQ(QPoint(p.ImgICO->Left(), p.ImgICO->Top()), QPoint(7780, 5760)) << code;
        EXPECT_EQ(p.LPoint(0).X1(), -100) << code;
        EXPECT_EQ(w.Shape6->Visible(), marquee) << code;
        if (marquee) {
            EXPECT_EQ(rectOf(*w.Shape6), QRect(7530, 5610, 7780 - 7530 + 120, 5760 - 5610 + 120));
        }
        Clock::advance(1300);
        EXPECT_EQ(st().StepNo, 2) << code;
        vb::Forms::unloadAll();
        Clock::advance(1);
        S().DemoRunning = -1;
        yanShiState() = YanShiState();
    }
}

TEST_F(PlayerTest, TheFirstLegOfARangeDragWithoutMarqueeShowsTheArrow)
{
    session({{Step(QStringLiteral("0051")).target2(7680 + 1350, 5610, 300, 300).target1(100, 100, 300, 300),
              Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100);
    EXPECT_FALSE(pointer().ImgICO->Visible());
    EXPECT_EQ(pointer().LPoint(0).X1(), 7780 + 60);
    EXPECT_EQ(w.Shape4->Left(), 7680 + 1350);
}

TEST_F(PlayerTest, ALocationListOpensAndThePointerGoesToTheEntry)
{
    session({{Step(QStringLiteral("K105")).editor(1500, 2000, 1200, 300), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    const QRect list = rectOf(*w.PicList);
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), demo::centreOf(QRect(list.x(), list.y(), list.width(), 330)));
    EXPECT_EQ(st().TargetY, list.y() + 165);
    pointer().arrive();
    EXPECT_EQ(w.PicList->Height(), 3720);
    EXPECT_EQ(st().TargetY, list.y() + 1530);
    EXPECT_TRUE(w.ImgLiN(5).Visible());
    EXPECT_EQ(st().StepNo, 1);
    pointer().arrive();
    EXPECT_EQ(st().StepNo, 2);
}

TEST_F(PlayerTest, AContextMenuIsDrawnAtThePointerAndItsRowChosen)
{
    QStringList menu(405, QStringLiteral("0"));
    menu[1] = QStringLiteral("子菜单");        // set 1 menu 1, position 1
    menu[2] = QStringLiteral("X|-|Y");
    menu[3] = QStringLiteral("A|-|B");         // position 2
    inst.writeLines(QStringLiteral("sMenu.sys"), menu);
    session({{Step(QStringLiteral("3122")).target1(7530, 5610, 300, 300),
              Step(QStringLiteral("3112")).target1(7530, 5610, 300, 300), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100);
    EXPECT_EQ(w.Shape5->BorderColor(), QColor(255, 255, 0));
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_TRUE(w.TimerRM->Enabled());
    EXPECT_TRUE(w.LRightMMenu->Visible());
    EXPECT_EQ(QPoint(w.LRightMMenu->Left(), w.LRightMMenu->Top()), QPoint(7680, 5760));
    EXPECT_EQ(w.LRM2(0).Caption(), QStringLiteral("A"));
    EXPECT_FALSE(w.LRM2(1).Visible());
    EXPECT_TRUE(w.LRFGX(0).Visible());
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), demo::centreOf(rectOf(w.LRM2(2))));
    EXPECT_EQ(st().MenuContext, 1);
    EXPECT_TRUE(w.Shape1->Visible());
    EXPECT_GT(pixelsOf(w, rectOf(*w.Shape1), isRed), vb::pxX(w.Shape1->Width())) << "the frame is hidden";
    pointer().arrive();
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_FALSE(w.LRightMMenu->Visible()); // the next step's set-up clears it

    st().PtX = 7680;
    st().PtY = 5760;
    w.setData();
    Clock::advance(100);
    EXPECT_TRUE(w.TimerRM->Enabled());
    pointer().arrive();
    EXPECT_FALSE(w.TimerRM->Enabled());
    EXPECT_TRUE(w.TimerRS->Enabled());
    EXPECT_TRUE(w.LRightSub->Visible());
    EXPECT_EQ(w.LRightSub->Left(), w.LRightMMenu->Left() + w.LRightMMenu->Width() - 60);
    EXPECT_EQ(w.LRightSub->Top(), w.LRMJL(1).Top());
    EXPECT_EQ(w.LRS(2).Caption(), QStringLiteral("Y"));
    // The submenu's entries are drawn over its white body, not under it.
    EXPECT_GT(pixelsOf(w, rectOf(w.LRS(2)), isInk), 0) << "the entry's caption is hidden";
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), demo::centreOf(rectOf(w.LRS(2))));
    EXPECT_EQ(w.Shape1->Top(), w.LRS(2).Top() - 60);
    // The red frame marks the chosen row over the submenu's body, as it did over the menu's.
    EXPECT_GT(pixelsOf(w, rectOf(*w.Shape1), isRed), vb::pxX(w.Shape1->Width())) << "the frame is hidden";
    pointer().arrive();
    EXPECT_EQ(st().StepNo, 3);
}

TEST_F(PlayerTest, AContextMenuWithoutItsFileShowsAnEmptyEntryAndStillEnds)
{
    session({{Step(QStringLiteral("4913")).target1(7530, 5610, 300, 300), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    Clock::advance(100);
    EXPECT_TRUE(w.TimerRM->Enabled());
    pointer().arrive();
    EXPECT_TRUE(w.TimerRS->Enabled());
    pointer().arrive();
    EXPECT_EQ(st().StepNo, 2);
}

// Ticks of a travel from the pointer to its target, by the rules alone.
int ticksTo(QPoint from, QPoint to)
{
    const demo::Aim a = demo::aimAt(from, to);
    int n = 0;
    do {
        from += QPoint(a.stepX, a.stepY);
        ++n;
    } while (!demo::hasArrived(from, to, a.speed, 1.0) && n < 100);
    return n;
}

TEST_F(PlayerTest, AMenuStepTravelsThroughItsDropDownAndCascade)
{
    chrome(QStringLiteral("040099"), {40, 18});
    chrome(QStringLiteral("040077"), {150, 300});
    chrome(QStringLiteral("041077"), {120, 120});
    chrome(QStringLiteral("041000"), {140, 22}, Qt::green);
    session({{menuStep(QStringLiteral("H041003000")).zones(QStringLiteral("A1")), Step(QStringLiteral("9999"))}});
    FrmYanShi& w = demo();
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), demo::centreOf(rectOf(w.LblZHU(4))));
    pointer().arrive(); // on the menu title: pressed, its drop-down open
    EXPECT_FALSE(w.Timer2->Enabled());
    EXPECT_TRUE(w.Pic1J->Visible());
    ASSERT_TRUE(w.Timer6->Enabled());

    // The drop-down item, 100 ms a tick; a tick while the demonstration stops changes nothing.
    const QPoint item = demo::centreOf(rectOf(w.Lbl1J(10)));
    EXPECT_EQ(QPoint(st().TargetX, st().TargetY), item);
    const int ticks6 = ticksTo({st().PtX, st().PtY}, item);
    S().DemoRunning = 0;
    const QPoint before(st().PtX, st().PtY);
    Clock::advance(100);
    EXPECT_EQ(QPoint(st().PtX, st().PtY), before);
    EXPECT_TRUE(w.Timer6->Enabled());
    S().DemoRunning = -1;
    for (int t = 1; t < ticks6; ++t)
        Clock::advance(100);
    EXPECT_TRUE(w.Timer6->Enabled());
    Clock::advance(100);
    EXPECT_FALSE(w.Timer6->Enabled());
    EXPECT_TRUE(w.Pic2J->Visible());
    EXPECT_TRUE(w.Timer5->Enabled()); // the ring blinks at the item whose cascade opens
    EXPECT_EQ(rectOf(*w.Shape5).topLeft(), QPoint(st().PtX - 180, st().PtY - 180));
    ASSERT_TRUE(w.Timer7->Enabled());

    // The cascade item, 200 ms a tick; the step ends on arrival, the ring where the pointer stopped.
    const QPoint cascade = demo::centreOf(rectOf(w.Lbl2J(3)));
    const int ticks7 = ticksTo({st().PtX, st().PtY}, cascade);
    for (int t = 1; t < ticks7; ++t)
        Clock::advance(200);
    EXPECT_EQ(st().StepNo, 1);
    Clock::advance(199);
    EXPECT_EQ(st().StepNo, 1);
    Clock::advance(1);
    EXPECT_EQ(st().StepNo, 2);
    EXPECT_EQ(rectOf(*w.Shape5).topLeft(), QPoint(st().PtX - 180, st().PtY - 180));
}

// The pointer of the window, with a note of every step it aims at.
class AimRecorder : public DemoPlayer {
public:
    // The notes outlive the window, which takes its player with it when it unloads.
    AimRecorder(FrmYanShi& w, std::shared_ptr<std::vector<int>> steps) : steps_(std::move(steps)), inner_(w), w_(w) {}
    void doNext() override { inner_.doNext(); }
    void GoStep(const QString& code) override { inner_.GoStep(code); }
    void MuBiaoWei() override
    {
        steps_->push_back(w_.st.StepNo);
        inner_.MuBiaoWei();
    }
    void aim(int x, int y, platform::Timer& travel) override { inner_.aim(x, y, travel); }
    void arrive() override { inner_.arrive(); }

private:
    std::shared_ptr<std::vector<int>> steps_;
    YanShiPointer inner_;
    FrmYanShi& w_;
};

class WholeQuestionTest : public PlayerTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WholeQuestionTest, EveryFamilyPlaysToTheEndOnceInOrder)
{
    const bool tables = GetParam();
    if (tables) {
        QStringList menu(405, QStringLiteral("0"));
        menu[1] = QStringLiteral("子菜单");
        menu[2] = QStringLiteral("X|-|Y");
        inst.writeLines(QStringLiteral("sMenu.sys"), menu);
        QString tabs = QStringLiteral("x30100240");
        for (int i = 1; i <= 3; ++i)
            tabs += QStringLiteral("p0000%1").arg(i) + Step::num(10 + 800 * (i - 1), 4);
        inst.writeLines(QStringLiteral("data/288906.mxy"), {tabs});
        inst.writeLines(QStringLiteral("data/288905.mxy"), {QStringLiteral("#SimSun")});
    }
    chrome(QStringLiteral("040099"), {40, 18});
    chrome(QStringLiteral("040077"), {150, 300});
    chrome(QStringLiteral("041077"), {120, 120});
    chrome(QStringLiteral("041000"), {140, 22}, Qt::green);
    picture(QStringLiteral("dialog"), {100, 100}, Qt::blue);
    picture(QStringLiteral("500005"), {20, 20});
    textTable({QStringLiteral("abc")});
    session({{clickAt(QStringLiteral("0001"), 3000, 3000), clickAt(QStringLiteral("0002"), 4000, 3000),
              Step(QStringLiteral("0020")).editor(2000, 4000, 1200, 300).texts(0, 1),
              menuStep(QStringLiteral("H041003000")).zones(QStringLiteral("A1")),
              clickAt(QStringLiteral("3112"), 5000, 5000), Step(QStringLiteral("6013")), Step(QStringLiteral("8888")),
              Step(QStringLiteral("8001")).image(5, 6000, 6000, QStringLiteral("500005")).at(167, Step::num(6500, 5)),
              Step(QStringLiteral("0041")).target2(3000, 3000, 300, 300).target1(4000, 4000, 300, 300),
              Step(QStringLiteral("0001")).image(1, 1000, 2000, QStringLiteral("dialog")).target1(1500, 3000, 600, 300)
                  .at(130, QStringLiteral("XA121")),
              Step(QStringLiteral("9999"))}});
    QElapsedTimer real;
    real.start();
    FrmYanShi& w = demo();
    const auto steps = std::make_shared<std::vector<int>>();
    w.setPlayer(std::make_unique<AimRecorder>(w, steps));
    for (int t = 0; t < 600 && vb::Forms::isLoaded<FrmYanShi>(); ++t)
        Clock::advance(100);
    EXPECT_LT(real.elapsed(), 1000);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_EQ(*steps, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTables, WholeQuestionTest, ::testing::Bool());

TEST_F(PlayerTest, TheLoadReadsItsTablesUpToTheirSizeAndNoFurther)
{
    QStringList fonts, tabs;
    for (int i = 1; i <= 60; ++i)
        fonts << QStringLiteral("#font%1").arg(i);
    for (int i = 1; i <= 30; ++i)
        tabs << QStringLiteral("x%1").arg(i);
    inst.writeLines(QStringLiteral("data/288905.mxy"), fonts);
    inst.writeLines(QStringLiteral("data/288906.mxy"), tabs);
    session({{Step(QStringLiteral("9999"))}});
    demo();
    EXPECT_EQ(st().FontColorTable.entries.back(), QStringLiteral("#font41"));
    EXPECT_EQ(st().TabLayoutTable.entries.back(), QStringLiteral("x21"));
}

} // namespace
