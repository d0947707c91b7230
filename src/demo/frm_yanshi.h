#pragma once
// The demonstration window: its own copy of the simulated window on which every step of the
// current question is laid out again (pictures, targets, editors, tabs, lists, bars, panes)
// and on which a drawn pointer presses menu titles, opens drop-downs and cascades. Nobody
// clicks in it; the player (demo_player.h) moves the pointer and ends each step.

#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "simwindow/layout_tables.h"
#include "simwindow/step_view.h"

#include <QString>
#include <memory>

class DemoPlayer;

// The window's variables. They outlive the window: a demonstration starts from what the last
// one left, except what the load and the step set-up give a starting value.
struct YanShiState {
    int StepNo = 1;
    int ZhuNo = 0;
    int Item1J = 0;
    int Item2J = 0;
    QString JumpCode = QStringLiteral("0");
    int RightKeyCode = 0;
    int MenuContext = 0;
    int TickCount = 0;
    int TypePos = 0;
    QString TypeText;
    bool RangeDragLeg = false;
    int PointX = 0;
    int PointY = 0;
    int Target1Width = 0;
    int Target1Height = 0;
    QString HintText;
    simwindow::TabLayout TabLayoutRow;
    int TabCount = 0;
    int ExpectedTab = 0;
    int DialogImageNo = 0;
    int DialogLeft = 0;
    int DialogTop = 0;
    int FrontTabRow = 0;
    int PtX = 0;
    int PtY = 0;
    int TargetX = 0;
    int TargetY = 0;
    double PtSpeed = 0;
    int StepX = 0;
    int StepY = 0;
    QString imgDir;
    simwindow::FontColorTable FontColorTable;
    simwindow::TabLayoutTable TabLayoutTable;
};
YanShiState& yanShiState();

// The point the pointer aims at on a control: its centre, each half twip rounded to even.
QPoint centreOf(const vb::Control& c);

// The step controls (Image1-Image6, Label1, Label4, the frames Shape1, Shape2, Shape4 and the
// range marquee Shape6, the hint, the editors, the list and its edges, the tabs LblXXK and the
// location list) are the members of simwindow::StepMembers.
class FrmYanShi : public vb::Form, public simwindow::StepMembers {
    Q_OBJECT
public:
    FrmYanShi();
    ~FrmYanShi() override;

    YanShiState& st;

    // A clear layer over every control of the window, the editors, lists and the location list
    // included, that neither takes the mouse nor the keyboard: the viewer follows the drawn
    // pointer and its ring on it (window coordinates, as it lies at the window's corner).
    vb::PictureBox* PointerLayer = nullptr;
    vb::Shape* Shape5 = nullptr;  // the click ring, on the pointer layer
    vb::Label* ImgLogo = nullptr; // the question's note

    // Bars and panes: plain pictures; every hot spot lies on the window.
    vb::Image* PicMenu = nullptr;
    vb::Image* PicTool = nullptr;
    vb::Image* PicHui = nullptr;
    vb::Image* PicElse = nullptr;
    vb::Image* ImgMenu = nullptr;
    vb::Image* ImgHui = nullptr;
    vb::Image* ImgTool = nullptr;
    vb::Image* ImgElse = nullptr;
    vb::ControlArray<vb::Label> LblZHU; // 0-86
    vb::Image* Pic1J = nullptr;
    vb::Image* Pic2J = nullptr;
    vb::Image* Img1J = nullptr;
    vb::ControlArray<vb::Label> Lbl1J; // 0-44
    vb::ControlArray<vb::Label> Lbl2J; // 1-33

    // The drawn context menu and submenu (the player draws them; hidden here).
    vb::Label* LRightMMenu = nullptr;
    vb::Shape* ShapeRMain = nullptr;
    vb::ControlArray<vb::Label> LRM2, LRM4, LRM6, LRM9; // 0-9
    vb::ControlArray<vb::Label> LRMJL;                  // 1, 3, 5, 7, 8
    vb::ControlArray<vb::Image> ImgJLSanjiao;           // 1, 3, 5, 7, 8
    vb::ControlArray<vb::Line> LRFGX;                   // 0-9
    vb::Label* LRightSub = nullptr;
    vb::Shape* ShapeRSUB = nullptr;
    vb::ControlArray<vb::Label> LRS;    // 0-9
    vb::ControlArray<vb::Line> LRSFgx;  // 0-5

    // Timers, all off at load.
    platform::Timer* Timer1 = nullptr; // 500 ms typing
    platform::Timer* Timer2 = nullptr; // 100 ms travel to the step's target
    platform::Timer* Timer3 = nullptr; // 1000 ms picture drag
    platform::Timer* Timer4 = nullptr; // 200 ms pause
    platform::Timer* Timer5 = nullptr; // 100 ms click-ring blink
    platform::Timer* Timer6 = nullptr; // 100 ms travel to a drop-down item
    platform::Timer* Timer7 = nullptr; // 200 ms travel to a cascade item
    platform::Timer* TimerRM = nullptr;
    platform::Timer* TimerRS = nullptr;
    platform::Timer* TimEnd = nullptr; // 100 ms end of the demonstration
    platform::Timer* TimTool = nullptr;

    // The player; the stand-in until the animated one replaces it.
    DemoPlayer& player() { return *player_; }
    void setPlayer(std::unique_ptr<DemoPlayer> player);

    // Set-up (frm_yanshi_setup.cpp).
    void setData();
    void CSH();
    void ToolCSH();
    void ElseToolCSH();
    void DoubleXXK();
    void ImgLiN_Click(int index);
    // Menus (frm_yanshi_menus.cpp).
    void DemoZhuClick(int n);
    void Tool1JCSH();
    void Tool2JCSH();
    void Demo1JClick(int item);
    void Demo2JClick(int item);
    // The player's services as the window's own procedures.
    void doNext();
    void GoStep(const QString& code);
    void MuBiaoWei();

    const simwindow::StepControls& stepControls() const { return controls_; }

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_DblClick() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyUp(int& keyCode, int shift) override;

private:
    void buildControls();
    // The pressed pictures, the drop-downs and their highlight, the hot spots.
    void buildMenuPictures(vb::Container* self);
    void buildNoteAndContextMenu(vb::Container* self);
    simwindow::StepVars vars();
    void layoutStep();
    // The end of a step whose press, item or cascade item was its last action.
    void endMenuStep();
    std::optional<QPixmap> chromePicture(const QString& name) const;
    void TimEnd_Timer();

    simwindow::StepControls controls_;
    std::unique_ptr<DemoPlayer> player_;
    simwindow::StepSetUp setUp_;
};
