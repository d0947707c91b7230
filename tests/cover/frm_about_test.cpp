// The about box: its texts from the configuration, the program folder that a click opens, its
// layout at another screen scale, and the strip that only the left button drags.

#include "cover/frm_about.h"

#include "cover/frm_fengmian.h"
#include "platform/desktop.h"
#include "support/dialog_fixture.h"

#include <QDir>

using namespace vb;

namespace {

class FrmAboutTest : public tsupport::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        S().sysInfo[9] = QStringLiteral("vidavozedudevavuzivuv");
        S().sysInfo[7] = QStringLiteral("供应商：示例");
        S().ModuleTitle = QStringLiteral("Excel 2003");
        platform::setOpenAddressObserver([this](const QString& a) { opened.append(a); });
    }
    void TearDown() override
    {
        platform::setOpenAddressObserver({});
        DialogTest::TearDown();
    }
    FrmAbout& open()
    {
        FrmAbout& about = frmAbout();
        about.Show();
        return about;
    }

    QStringList opened;
};

} // namespace

TEST_F(FrmAboutTest, ShowsTheNamesFromTheConfigurationAndTheCoversVersionLine)
{
    install.writeLines(QStringLiteral("data/288895.mxy"), {QStringLiteral("202612101200")});
    frmFengmian();
    FrmAbout& about = open();
    EXPECT_EQ(about.Label1(0).Caption(), QStringLiteral("题库版本：V202612101200"));
    EXPECT_EQ(about.Caption(), QStringLiteral("Talveskvidavozedudevavuzivuv——电子表格模块"));
    EXPECT_EQ(about.Label1(1).Caption(), QStringLiteral("Talveskvidavozedudevavuzivuv"));
    EXPECT_EQ(about.Label1(2).Caption(), about.Label1(1).Caption());
    EXPECT_EQ(about.Label1(4).Caption(), QStringLiteral("── Excel 2003"));
    EXPECT_EQ(about.Label1(3).Caption(), QStringLiteral("系统工作目录: ") + QDir::cleanPath(install.root()));
    EXPECT_EQ(about.Label1(6).Caption(), QStringLiteral("供应商：示例"));
    EXPECT_TRUE(about.Topmost());
}

TEST_F(FrmAboutTest, OnlyTheFolderLineOpensSomething)
{
    FrmAbout& about = open();
    for (int i : {0, 1, 4, 6})
        tsupport::click(about.Label1(i));
    EXPECT_TRUE(opened.isEmpty());
    tsupport::click(about.Label1(3));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QDir::cleanPath(install.root()));
    EXPECT_TRUE(about.isLoaded()) << "the box stays open";
}

TEST_F(FrmAboutTest, EitherButtonCloses)
{
    for (int i : {0, 1}) {
        FrmAbout& about = open();
        tsupport::click(about.LblClick(i));
        DoEvents();
        EXPECT_FALSE(Forms::isLoaded<FrmAbout>()) << i;
    }
}

TEST_F(FrmAboutTest, KeepsItsPixelSizeAtAnotherScale)
{
    setTwipsPerPixelOverride(12, 12);
    S().ScaleX = S().ScaleY = 0.8;
    FrmAbout& about = open();
    EXPECT_EQ(about.Width(), 5040);
    EXPECT_EQ(about.Height(), 3360);
    EXPECT_EQ(about.maximumSize(), about.size()) << "the window manager cannot maximise it";
    EXPECT_EQ(about.Width() - about.LblClick(0).Left(), 336);
}

TEST_F(FrmAboutTest, OnlyTheLeftButtonDragsTheStrip)
{
    EXPECT_EQ(dragsByButton(*open().lblMove), std::make_pair(0, 1));
}
