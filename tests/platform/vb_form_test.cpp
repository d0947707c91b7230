// Forms: load on first touch, unloading (cancelled, from inside a handler), modal showing and
// the test responders of modal windows, message boxes and pop-up menus.

#include "support/events.h"

#include <gtest/gtest.h>

#include "platform/files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRawFont>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>

using namespace vb;

namespace {

int loads = 0;
int unloadRequests = 0;

class Counted : public Form {
public:
    int cancelUnloads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload(int& cancel) override
    {
        ++unloadRequests;
        if (cancelUnloads > 0) {
            --cancelUnloads;
            cancel = 1;
        }
    }
};

// A form whose load touches another form: the inner load runs inside the outer one.
class Outer : public Form {
public:
    bool innerLoadedDuringLoad = false;

protected:
    void Form_Load() override
    {
        Forms::get<Counted>();
        innerLoadedDuringLoad = Forms::isLoaded<Counted>();
    }
};

// A dialog with an OK button that unloads it, as the program's confirmations do.
class Dialog : public Form {
public:
    CommandButton* CmdOK = new CommandButton(this);
    Timer* Timer1 = new Timer(this, 100);
    int answer = 0;

    Dialog()
    {
        Move(0, 0, 3000, 2000);
        CmdOK->Move(600, 600, 1200, 450);
        CmdOK->Click = [this] { CmdOK_Click(); };
    }

private:
    void CmdOK_Click()
    {
        answer = 1;
        Unload(*this);
        DoEvents(); // the form must survive until this handler has returned
        answer = 2;
    }
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loads = 0;
        unloadRequests = 0;
    }
    void TearDown() override
    {
        setModalResponder({});
        setMsgBoxResponder({});
        setPopupResponder({});
        Forms::unloadAll();
        setTwipsPerPixelOverride(0, 0);
    }
};

TEST_F(FormsTest, FirstTouchLoadsAndRunsFormLoadInsideTheCall)
{
    EXPECT_FALSE(Forms::isLoaded<Outer>());
    Outer& outer = Forms::get<Outer>();
    EXPECT_TRUE(outer.innerLoadedDuringLoad);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(&Forms::get<Outer>(), &outer);
    Forms::get<Counted>();
    EXPECT_EQ(loads, 1) << "a loaded form is not loaded again";
}

TEST_F(FormsTest, UnloadCanBeCancelledAndTheNextTouchBuildsANewForm)
{
    Counted& first = Forms::get<Counted>();
    QPointer<Counted> old(&first);
    first.cancelUnloads = 1;
    Unload(first);
    EXPECT_TRUE(Forms::isLoaded<Counted>());
    Unload(first);
    EXPECT_FALSE(Forms::isLoaded<Counted>());
    EXPECT_EQ(unloadRequests, 2);
    DoEvents();
    EXPECT_TRUE(old.isNull()) << "deleted once events are processed";
    Forms::get<Counted>();
    EXPECT_EQ(loads, 2);
    Unload(Forms::get<Counted>());
    Unload(Forms::get<Counted>()); // unloading twice over is harmless
}

TEST_F(FormsTest, ModalShowAnsweredByTheResponderReturnsAndUnloadInsideItsHandlerIsSafe)
{
    Dialog* seen = nullptr;
    int answerInside = 0;
    setModalResponder([&](Form& f) {
        seen = dynamic_cast<Dialog*>(&f);
        ASSERT_NE(seen, nullptr);
        EXPECT_TRUE(f.isVisible());
        tsupport::click(*seen->CmdOK);
        answerInside = seen->answer;
    });
    Dialog& dialog = Forms::get<Dialog>();
    dialog.Timer1->setEnabled(true);
    QPointer<Dialog> guard(&dialog);
    dialog.Show(vbModal);
    EXPECT_EQ(answerInside, 2) << "the handler ran to its end";
    EXPECT_FALSE(Forms::isLoaded<Dialog>());
    int ticks = 0;
    if (guard)
        guard->Timer1->onTimer = [&] { ++ticks; };
    platform::Clock::advance(500);
    EXPECT_EQ(ticks, 0) << "an unloaded form's timer ticks no more";
    EXPECT_TRUE(guard.isNull());
}

TEST_F(FormsTest, ClosingTheWindowIsAnUnloadThatCanBeCancelled)
{
    Counted& f = Forms::get<Counted>();
    f.Show();
    f.cancelUnloads = 1;
    f.close();
    EXPECT_TRUE(f.isVisible());
    f.close();
    EXPECT_FALSE(Forms::isLoaded<Counted>());
}

// A fixed border, or a borderless form that keeps its size, keeps the size the form gives it:
// the window manager can neither drag it larger nor maximise it.
TEST_F(FormsTest, AFixedBorderKeepsItsSizeFromTheWindowManager)
{
    for (const int style : {1, 3, 0}) {
        Counted& f = Forms::get<Counted>();
        f.setBorderStyle(style);
        f.setKeepsSize(style == 0);
        f.Move(300, 300, 3000, 2000);
        f.Show();
        EXPECT_EQ(f.minimumSize(), f.size()) << style;
        EXPECT_EQ(f.maximumSize(), f.size()) << style;
        f.setWidth(4500);
        EXPECT_EQ(f.Width(), 4500) << style;
        EXPECT_EQ(f.maximumSize(), f.size()) << style;
        Unload(f);
        DoEvents();
    }
}

TEST_F(FormsTest, MsgBoxResponderAnswersWithTheOldCodes)
{
    QString prompt, title;
    int buttons = -1;
    setDefaultMsgBoxTitle("默认标题");
    setMsgBoxResponder([&](const QString& p, int b, const QString& t) {
        prompt = p;
        buttons = b;
        title = t;
        return vbNo;
    });
    EXPECT_EQ(MsgBox("确定要交卷吗？", vbYesNo + vbQuestion), vbNo);
    EXPECT_EQ(prompt, "确定要交卷吗？");
    EXPECT_EQ(buttons, 36);
    EXPECT_EQ(title, "默认标题");
    MsgBox("x", vbOKOnly, "自己的标题");
    EXPECT_EQ(title, "自己的标题");
}

// The box itself: Chinese captions, as the prompts name them ("建议你点'否'"), in the middle of
// the screen whichever window is active; the button pressed gives its old code.
TEST_F(FormsTest, MsgBoxCaptionsItsButtonsInChineseAndStandsMidScreen)
{
    Counted& f = Forms::get<Counted>();
    f.Move(0, 0, 1500, 1500);
    f.Show();
    struct Case {
        int buttons;
        QStringList captions;
        QString press;
        int answer;
    };
    const std::vector<Case> cases{
        {vbYesNo, {"否(&N)", "是(&Y)"}, "否(&N)", vbNo},
        {vbOKCancel, {"取消", "确定"}, "确定", vbOK},
        {vbYesNoCancel, {"取消", "否(&N)", "是(&Y)"}, "取消", vbCancel},
        {vbAbortRetryIgnore, {"中止(&A)", "忽略(&I)", "重试(&R)"}, "重试(&R)", vbRetry},
    };
    for (const Case& c : cases) {
        QStringList captions;
        QPoint centre;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            // Owned by no window, as the program's dialogs are, even with a window active.
            EXPECT_EQ(box->parentWidget(), nullptr);
            // And above every window, those that stay on top included: it holds them all.
            EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            centre = box->geometry().center();
            for (QAbstractButton* b : box->buttons())
                captions << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == c.press)
                    b->click();
        });
        EXPECT_EQ(MsgBox("建议你点'否'", c.buttons, "提示"), c.answer);
        captions.sort();
        EXPECT_EQ(captions, c.captions);
        EXPECT_LE((centre - QGuiApplication::primaryScreen()->availableGeometry().center()).manhattanLength(), 8);
    }
}

// A window with a top-level menu, a submenu and a menu array in each, as the simulated window has.
class WithMenu : public Form {
public:
    Menu* wm100 = new Menu(this, "wm100");
    Menu* sMivoMain1 = new Menu(wm100, "sub");
    ControlArray<Menu> sMivoSub1;
    ControlArray<Menu> sMivoInde1;
    WithMenu()
    {
        sMivoSub1.create(0, sMivoMain1);
        sMivoInde1.create(0, wm100);
    }
};

TEST_F(FormsTest, PopupMenuRunsTheChosenItemsClickBeforeReturning)
{
    auto& f = Forms::get<WithMenu>();
    f.wm100->setVisible(false);
    for (int i = 1; i <= 3; ++i) {
        f.sMivoSub1.Load(i);
        f.sMivoInde1.Load(i);
    }
    // Loaded items stand after the previous member in the same parent menu.
    ASSERT_EQ(f.wm100->Items().size(), 5u);
    EXPECT_EQ(f.wm100->Items()[0], f.sMivoMain1);
    EXPECT_EQ(f.wm100->Items()[4], &f.sMivoInde1(3));
    EXPECT_EQ(f.sMivoMain1->Items()[2], &f.sMivoSub1(2));

    std::vector<int> chosen;
    f.sMivoSub1.Click = [&](int i) { chosen.push_back(i); };
    f.sMivoInde1.Click = [&](int i) { chosen.push_back(10 + i); };
    Menu* pick = nullptr;
    setPopupResponder([&](Menu& popup) {
        EXPECT_EQ(&popup, f.wm100);
        return pick;
    });
    for (int i = 0; i <= 3; ++i) {
        f.sMivoSub1(i).setVisible(true);
        f.sMivoInde1(i).setVisible(true);
    }
    f.sMivoInde1(1).setEnabled(false);
    for (Menu* m : {&f.sMivoSub1(2), &f.sMivoInde1(1), static_cast<Menu*>(nullptr), f.sMivoMain1, &f.sMivoInde1(3)}) {
        pick = m;
        f.PopupMenu(*f.wm100);
    }
    EXPECT_EQ(chosen, (std::vector<int>{2, 13})) << "disabled items, submenus and dismissal choose nothing";
}

// What stands open for a moment goes at once when a handler must have the screen: a pop-up menu
// chooses nothing, a message box answers as a close of its window does (never its default).
TEST_F(FormsTest, OpenMenusAndMessageBoxesCloseWithoutAChoice)
{
    auto& f = Forms::get<WithMenu>();
    f.Show();
    f.sMivoInde1(0).setVisible(true);
    bool chosen = false;
    f.sMivoInde1.Click = [&](int) { chosen = true; };
    QTimer::singleShot(0, [] {
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        closeMenusAndMessageBoxes();
    });
    f.PopupMenu(*f.wm100);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    const std::vector<std::pair<int, int>> boxes{
        {vbYesNo + vbDefaultButton1, vbNo}, {vbOKOnly, vbOK}, {vbYesNoCancel, vbCancel}, {vbOKCancel, vbCancel}};
    for (const auto& [buttons, answer] : boxes) {
        QTimer::singleShot(0, [] {
            ASSERT_NE(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()), nullptr);
            closeMenusAndMessageBoxes();
        });
        EXPECT_EQ(MsgBox("时间已到", buttons), answer) << buttons;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << buttons;
    }
}

// The menu a candidate sees is made at its first showing, with what was loaded into it before
// and after.
TEST_F(FormsTest, AMenuShownLateHoldsEveryItemInItsPlace)
{
    auto& f = Forms::get<WithMenu>();
    f.sMivoSub1.Load(1);
    EXPECT_TRUE(f.findChildren<QMenu*>().isEmpty()) << "no menu widget before a menu is shown";
    const auto texts = [](QMenu* m) {
        QStringList t;
        for (QAction* a : m->actions())
            t << a->text() + (a->menu() ? QStringLiteral(">") + QString::number(a->menu()->actions().size()) : QString());
        return t;
    };
    QMenu* shown = f.wm100->menu();
    EXPECT_EQ(texts(shown), (QStringList{"sub>2", ""}));
    // Loaded after the showing: in the menu made, after the previous member.
    f.sMivoInde1.Load(1);
    f.sMivoSub1.Load(2);
    f.sMivoInde1(0).setCaption(QStringLiteral("first"));
    // An item that gains items of its own shows them as a submenu.
    auto* deeper = new Menu(&f.sMivoInde1(0), QStringLiteral("deeper"));
    EXPECT_EQ(texts(shown), (QStringList{"sub>3", "first>1", ""}));
    EXPECT_EQ(f.sMivoInde1(0).action()->menu()->actions().value(0), deeper->action());
}

TEST_F(FormsTest, WebViewShowsALocalPageInItsOwnCodePage)
{
    tsupport::TempInstall install;
    const QByteArray page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                            "</head><body><p>" + platform::toGbk("帮助页") + "</p></body></html>";
    install.writeBytes("Data/L38180.HTM", page);
    install.writeLines("Data/plain.txt", {"第一行"});
    auto& f = Forms::get<Counted>();
    auto* web = new WebView(&f);
    EXPECT_TRUE(web->Navigate(install.path("data/l38180.htm")));
    EXPECT_TRUE(web->documentText().contains("帮助页"));
    EXPECT_TRUE(web->Navigate(install.path("Data/plain.txt")));
    EXPECT_TRUE(web->documentText().contains("第一行"));
    EXPECT_FALSE(web->Navigate(install.path("Data/none.htm")));
}

TEST_F(FormsTest, GeometryInTwipsAt120Dpi)
{
    setTwipsPerPixelOverride(12, 12);
    auto& f = Forms::get<Counted>();
    f.setBorderStyle(0);
    f.Move(1200, 600, 12000, 9000);
    EXPECT_EQ(f.Width(), 12000);
    EXPECT_EQ(f.width(), 1000);
    EXPECT_EQ(f.height(), 750);
    EXPECT_EQ(f.ScaleWidth(), 12000);
    auto* image = new Image(&f);
    QPixmap pic(30, 20);
    pic.fill(Qt::blue);
    image->setPicture(pic);
    EXPECT_EQ(image->Width(), 360) << "an image takes its picture's size";
    EXPECT_EQ(image->Height(), 240);
    image->setStretch(true);
    image->Move(0, 0, 1201, 599);
    EXPECT_EQ(image->widget()->size(), QSize(100, 50));
    EXPECT_EQ(image->Width(), 1201) << "the twips given are kept";

    auto* label = new Label(&f);
    label->setAutoSize(true);
    label->setCaption("操作");
    const int shortWidth = label->Width();
    label->setCaption("操作成功！");
    EXPECT_GT(label->Width(), shortWidth) << "an auto-sized label follows its caption";
    EXPECT_EQ(label->widget()->width(), pxX(label->Width()));
    EXPECT_GT(label->Height(), 0);

    setScreenSizeOverride(800, 600);
    EXPECT_EQ(screenWidthTw(), 9600);
    EXPECT_EQ(screenHeightTw(), 7200);
    setScreenSizeOverride(0, 0);
}

// A window is mapped with its first frame drawn: the frame stands in the window's store when
// Show returns, before the event loop has run, and it is the frame the window's own paint
// draws (nested containers clipped by their parents, hidden controls left out).
TEST_F(FormsTest, ShowMapsTheWindowWithItsFirstFrameDrawn)
{
    Counted& f = Forms::get<Counted>();
    f.setBorderStyle(0);
    f.Move(0, 0, 3000, 2000);
    f.setBackColor(QColor(64, 128, 128));
    auto* outer = new PictureBox(&f);
    outer->Move(300, 300, 1800, 1200);
    outer->setBackColor(QColor(255, 255, 0));
    auto* inner = new PictureBox(outer);
    inner->Move(900, 600, 1500, 1500); // runs past its parent's edges
    inner->setBackColor(QColor(0, 0, 255));
    QPixmap picture(10, 10);
    picture.fill(Qt::red);
    auto* image = new Image(inner);
    image->setPicture(picture);
    image->Move(150, 150);
    auto* label = new Label(&f);
    label->setCaption(QStringLiteral("操作成功！"));
    label->Move(300, 1650, 2400, 300);
    auto* hidden = new PictureBox(&f);
    hidden->Move(2250, 150, 600, 600);
    hidden->setBackColor(QColor(0, 255, 0));
    hidden->setVisible(false);
    auto* box = new TextBox(&f);
    box->Move(2250, 900, 600, 300);
    box->setText(QStringLiteral("A1"));

    f.Show();
    const auto* store = dynamic_cast<const QImage*>(f.backingStore()->paintDevice());
    ASSERT_NE(store, nullptr);
    const QImage first = store->copy(); // nothing has run the event loop yet
    ASSERT_EQ(first.size(), f.size());
    const QImage painted = f.grab().toImage().convertToFormat(first.format());
    EXPECT_EQ(first, painted);
    EXPECT_EQ(first.pixelColor(pxX(2550), pxY(450)), QColor(64, 128, 128)) << "the hidden box is not drawn";
}

// The default 宋体 is drawn with a face of its metrics where one is installed: blanks and
// digits half as wide as a CJK character, so that texts laid out for it fit their places.
TEST_F(FormsTest, SongTiKeepsItsHalfWidthBlanksAndDigits)
{
    Form& f = Forms::get<Counted>();
    auto* label = new Label(&f);
    const QFont font = label->widget()->font();
    const QString family = QFontInfo(font).family();
    if (!QFont::substitutes(defaultFontName()).contains(family, Qt::CaseInsensitive))
        GTEST_SKIP() << "no face of 宋体's metrics is installed; drawn with " << family.toStdString();
    const QFontMetrics fm(font);
    EXPECT_EQ(2 * fm.horizontalAdvance(u' '), fm.horizontalAdvance(QStringLiteral("分")));
    EXPECT_EQ(2 * fm.horizontalAdvance(u'7'), fm.horizontalAdvance(QStringLiteral("分")));
    EXPECT_EQ(label->TextWidth(QStringLiteral("最好成绩：    ")), label->TextWidth(QStringLiteral("最好成绩：")) + label->TextWidth(QStringLiteral("分")) * 2);
}

// Bold 宋体 (the help panel's title, the login's fields) comes from the same Song face, made
// bold, rather than from a sans face that has a bold of its own.
TEST_F(FormsTest, BoldSongTiIsDrawnWithTheSongFace)
{
    Form& f = Forms::get<Counted>();
    const QString regular = QFontInfo(makeFont(defaultFontName(), 9)).family();
    if (!QFont::substitutes(defaultFontName()).contains(regular, Qt::CaseInsensitive))
        GTEST_SKIP() << "no face of 宋体's metrics is installed; drawn with " << regular.toStdString();
    for (const double points : {9.0, 12.0, 20.0}) {
        auto* label = new Label(&f);
        label->setFontName(QStringLiteral("宋体"));
        label->setFontSize(points);
        label->setFontBold(true);
        const QFont font = label->widget()->font();
        EXPECT_TRUE(font.bold());
        const QFontInfo info(font);
        EXPECT_EQ(info.family().toCaseFolded(), regular.toCaseFolded()) << points << " points";
        EXPECT_TRUE(info.bold()) << points << " points";
        // Every glyph, CJK, Latin and digits alike, and none from a fallback face.
        QTextLayout layout(QStringLiteral("软件介绍 Excel 2003"), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns())
            EXPECT_EQ(run.rawFont().familyName().toCaseFolded(), regular.toCaseFolded()) << points << " points";
    }
}

} // namespace
