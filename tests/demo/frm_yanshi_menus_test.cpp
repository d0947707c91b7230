#include "demo_fixture.h"

namespace {

using MenusTest = DemoTest;


class PressTest : public MenusTest {
public:
    FrmYanShi& open(const QString& code, const QString& pane = QString())
    {
        Step first = menuStep(code);
        if (!pane.isEmpty())
            first.at(86, pane).at(96, QStringLiteral("01200 3000"));
        std::vector<QString> steps{first};
        for (int i = 0; i < 3; ++i)
            steps.push_back(Step(QStringLiteral("0001")).target1(300 + 300 * i, 300, 300, 300));
        steps.push_back(Step(QStringLiteral("9999")));
        session({steps});
        FrmYanShi& w = demo();
        arrive();
        return w;
    }
};

TEST_F(PressTest, MenuTitleShowsItsPressedPictureAndDropDownBelow)
{
    chrome(QStringLiteral("030099"), {58, 18});
    chrome(QStringLiteral("030077"), {120, 200});
    FrmYanShi& w = open(QStringLiteral("H030500000"));
    const vb::Label& title = w.LblZHU(3);
    EXPECT_EQ(QPoint(w.ImgMenu->Left(), w.ImgMenu->Top()), QPoint(title.Left(), title.Top()));
    EXPECT_EQ(w.ImgMenu->Width(), 58 * 15);
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(w.Pic1J->Width(), 120 * 15);
    EXPECT_EQ(QPoint(w.Pic1J->Left(), w.Pic1J->Top()), QPoint(title.Left(), title.Top() + title.Height()));
    EXPECT_TRUE(w.Timer6->Enabled());
    EXPECT_EQ(st().StepNo, 1);
}

TEST_F(PressTest, WhereEachBarOpensItsDropDown)
{
    chrome(QStringLiteral("570099"), {34, 24});
    chrome(QStringLiteral("570077"), {100, 100});
    chrome(QStringLiteral("240077"), {150, 120});
    chrome(QStringLiteral("320000"), {180, 20});
    chrome(QStringLiteral("320077"), {120, 50});
    {
        FrmYanShi& w = open(QStringLiteral("H570100000"));
        EXPECT_EQ(w.Pic1J->Left(), w.LblZHU(57).Left());
        EXPECT_EQ(w.Pic1J->Top(), w.LblZHU(57).Top() + 24 * 15);
        EXPECT_EQ(QPoint(w.ImgTool->Left(), w.ImgTool->Top()), QPoint(6600, 765));
        vb::Forms::unloadAll();
    }
    {
        FrmYanShi& w = open(QStringLiteral("H240100000"));
        EXPECT_EQ(w.Pic1J->Top() + w.Pic1J->Height(), w.PicHui->Top());
        EXPECT_EQ(w.Pic1J->Left(), w.LblZHU(24).Left());
        vb::Forms::unloadAll();
    }
    {
        FrmYanShi& w = open(QStringLiteral("H320100000"), QStringLiteral("H32"));
        EXPECT_EQ(w.Pic1J->Left(), w.PicElse->Left() + 750);
        EXPECT_EQ(w.Pic1J->Top(), w.PicElse->Top() + w.PicElse->Height());
        EXPECT_TRUE(w.Pic1J->Visible());
    }
}

TEST_F(PressTest, APressWithoutItemEndsTheStep)
{
    struct Case {
        QString code;
        int stepAfter;
    };
    for (const Case& c : std::vector<Case>{{QStringLiteral("H030000000"), 2},
                                           {QStringLiteral("H03000000B"), 3},
                                           // Elements with nothing to open end the step too.
                                           {QStringLiteral("H410500000"), 2},
                                           {QStringLiteral("H350500000"), 2},
                                           {QStringLiteral("H120300000"), 2},
                                           {QStringLiteral("H33050000A"), 2}}) {
        SCOPED_TRACE(c.code.toStdString());
        FrmYanShi& w = open(c.code);
        EXPECT_EQ(st().StepNo, c.stepAfter);
        EXPECT_FALSE(w.Timer6->Enabled());
        for (vb::Image* img : {w.ImgMenu, w.ImgHui, w.ImgTool, w.ImgElse})
            EXPECT_FALSE(img->Picture().has_value());
        vb::Forms::unloadAll();
    }
}

TEST_F(PressTest, ASubItemAloneOpensTheDropDown)
{
    chrome(QStringLiteral("040077"), {100, 100});
    FrmYanShi& w = open(QStringLiteral("H040003000"));
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_TRUE(w.Timer6->Enabled());
    EXPECT_EQ(st().StepNo, 1);
}

} // namespace
