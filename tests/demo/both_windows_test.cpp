// The simulated window and the demonstration window lay out the same records alike, but for the
// demonstration's own differences.

#include "demo_fixture.h"

#include <functional>

namespace {

using BothWindowsTest = DemoTest;

struct Look {
    bool visible;
    QRect rect;
    QString caption;
    bool operator==(const Look&) const = default;
};

Look lookOf(const vb::Control& c, const QString& caption = QString()) { return {c.Visible(), rectOf(c), caption}; }

// What a candidate sees of the controls that a record lays out.
std::vector<std::pair<std::string, Look>> looks(const simwindow::StepControls& c)
{
    std::vector<std::pair<std::string, Look>> l;
    for (int k = 1; k <= 5; ++k)
        l.push_back({"Image" + std::to_string(k), lookOf(*c.image(k))});
    l.push_back({"Label1", lookOf(*c.Label1)});
    l.push_back({"Label1 pointer", {c.Label1->MousePointer() != 0, {}, QString::number(c.Label1->MousePointer())}});
    l.push_back({"Label4", lookOf(*c.Label4)});
    l.push_back({"Shape1", lookOf(*c.Shape1)});
    l.push_back({"Shape2", {c.Shape2->Visible(), {}, {}}});
    l.push_back({"Shape4", lookOf(*c.Shape4)});
    l.push_back({"LHelp", lookOf(*c.LHelp, c.LHelp->Caption())});
    for (vb::TextBox* t : {c.Text1, c.Text2, c.Text3, c.Text4}) {
        const QString format = t->Text() + QStringLiteral("|%1|%2|%3|%4")
                                               .arg(t->FontSize())
                                               .arg(t->Alignment())
                                               .arg(t->ForeColor().name(), t->BackColor().name());
        l.push_back({"Text", lookOf(*t, format)});
    }
    l.push_back({"LstLA", lookOf(*c.LstLA, c.LstLA->Text())});
    l.push_back({"PicBottom", lookOf(*c.PicBottom)});
    for (int i = 0; i <= 13; ++i)
        l.push_back({"LblXXK" + std::to_string(i), lookOf((*c.LblXXK)(i), (*c.LblXXK)(i).Caption())});
    l.push_back({"PicList", lookOf(*c.PicList)});
    // The chosen entry's place; its face is each window's own picture.
    l.push_back({"ImgSelAD", {c.ImgSelAD->Visible(), QRect(c.ImgSelAD->Left(), c.ImgSelAD->Top(), 0, 0), {}}});
    for (vb::Control* zone : {c.PicMenu, c.PicTool, c.PicHui})
        l.push_back({"zone", {zone->Visible(), {}, {}}});
    return l;
}

TEST_F(BothWindowsTest, SameRecordsSameLayout)
{
    std::vector<QString> fonts(30);
    fonts[2] = QStringLiteral("#SimHei");
    fonts[13] = QStringLiteral("#000000255");
    fonts[24] = QStringLiteral("#255255000");
    inst.writeLines(QStringLiteral("data/288905.mxy"), QStringList(fonts.begin(), fonts.end()));
    QString tabs = QStringLiteral("x30100240");
    for (int i = 1; i <= 3; ++i)
        tabs += QStringLiteral("p0000%1").arg(i) + Step::num(10 + 800 * (i - 1), 4);
    tabs = tabs.leftJustified(139, u' ') + QStringLiteral("050006000700");
    QString many = QStringLiteral("xD0100240");
    for (int i = 1; i <= 13; ++i)
        many += QStringLiteral("p000%1").arg(i, 2, 10, QChar(u'0')) + Step::num(10 + 500 * (i - 1), 4);
    inst.writeLines(QStringLiteral("data/288906.mxy"), {tabs, many});
    picture(QStringLiteral("dialog"), {100, 100}, Qt::blue);
    picture(QStringLiteral("p00001"), {30, 30}, Qt::yellow);
    inst.writeLines(QStringLiteral("ico07.CUR"), {QStringLiteral("not a pointer")});
    textTable({QStringLiteral("甲|乙"), QStringLiteral("a|b|c"), QStringLiteral("初始")});

    const std::vector<QString> steps{
        Step(QStringLiteral("0001")).target1(300, 300, 600, 11).image(1, 150, 150, QStringLiteral("dialog")),
        Step(QStringLiteral("0001")).target1(300, 300, 600, 10),
        Step(QStringLiteral("8001")).target1(300, 300, 600, 300).target2(900, 900, 300, 300),
        Step(QStringLiteral("0001")).zones(QStringLiteral("B4"), QStringLiteral("A3")),
        Step(QStringLiteral("0001")).zones(QStringLiteral("a7")),
        Step(QStringLiteral("0001")).target1(300, 300, 600, 300).at(101, QStringLiteral("M  07")),
        Step(QStringLiteral("0001")).target1(300, 300, 600, 300).at(101, QStringLiteral("S  11")),
        Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).texts(3, 1).at(125, QStringLiteral(" 120M 2344")),
        Step(QStringLiteral("0020")).editor(1500, 2000, 1200, 300).hint(100, 100, 1),
        Step(QStringLiteral("0021")).editor(1500, 2000, 1200, 300).texts(3, 1),
        Step(QStringLiteral("0027")).editor(1500, 2000, 1200, 300).texts(3, 1),
        Step(QStringLiteral("0028")).editor(1500, 2000, 1200, 300).hint(100, 100, 1),
        Step(QStringLiteral("0001")).image(1, 1000, 2000, QStringLiteral("dialog")).target1(1500, 3000, 600, 300)
            .hint(100, 100, 3).at(130, QStringLiteral("XA121")),
        Step(QStringLiteral("0001")).image(1, 1000, 2000, QStringLiteral("dialog")).target1(1500, 3000, 600, 300)
            .at(130, QStringLiteral("XA111")),
        Step(QStringLiteral("0001")).image(1, 0, 0, QStringLiteral("dialog")).at(130, QStringLiteral("XBD31")),
        Step(QStringLiteral("L002")).editor(1500, 2000, 1200, 900).texts(1, 3),
        Step(QStringLiteral("K303")).editor(1500, 2000, 1200, 300),
        Step(QStringLiteral("0001")).at(125, QStringLiteral("Q0003")).at(167, QStringLiteral("0120000340")),
        Step(QStringLiteral("9999")),
    };
    session({steps});
    SessionState& s = S();
    s.DisplayMode = 1;
    FrmMain& main = show();
    FrmYanShi& w = demo();
    const simwindow::StepControls mainControls = simwindow::stepControlsOf(main);

    for (int k = 1; k <= static_cast<int>(steps.size()) - 1; ++k) {
        SCOPED_TRACE("step " + std::to_string(k));
        s.CurrentStep = k;
        main.setData();
        st().StepNo = k;
        w.setData();
        const auto a = looks(mainControls);
        const auto b = looks(w.stepControls());
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(a[i].second, b[i].second) << a[i].first;
    }

    // A few of the looks, to be sure the comparison compares something.
    const auto at = [&](int k) {
        st().StepNo = k;
        w.setData();
    };
    at(1);
    EXPECT_TRUE(w.Shape1->Visible());
    at(2);
    EXPECT_FALSE(w.Shape1->Visible());
    at(3);
    EXPECT_EQ(rectOf(*w.Label4), QRect(900, 900, 1, 1));
    EXPECT_EQ(rectOf(*w.Shape4), QRect(900, 900, 300, 300));
    at(4);
    EXPECT_TRUE(w.PicMenu->Visible() && w.PicTool->Visible() && w.PicHui->Visible());
    at(7);
    EXPECT_EQ(w.Label1->MousePointer(), 11);
    at(9);
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("输入 甲或  乙"));
    at(12);
    EXPECT_EQ(QPoint(w.Text4->Left(), w.Text4->Top()), QPoint(2880, 1560));
    at(13);
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("请选择第2个选项卡"));
    EXPECT_EQ(rectOf(*w.Shape1), rectOf(w.LblXXK(2)));
    at(15);
    EXPECT_EQ(st().TabCount, 13);
    at(16);
    EXPECT_EQ(w.LstLA->Text(), QStringLiteral("b"));
    EXPECT_EQ(w.LblXXK(0).Caption(), QStringLiteral("b"));
    // A location list whose first entry is the expected one moves on within the set-up.
    at(17);
    EXPECT_EQ(st().StepNo, 18);
}

} // namespace
