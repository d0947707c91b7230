#pragma once
// The simulated spreadsheet window: a borderless window of screenshots with transparent hot
// spots, editors, hint frames and a hint label laid over them, and the step interpreter that
// lays out each step of a question and recognises the candidate's actions on its targets.
//
// The handlers read the event, ask the rules of the step (simwindow/step_rules.h) what the step
// expects and apply the answer: the next step, a jump, or a context menu.

#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_menu.h"
#include "simwindow/layout_tables.h"
#include "simwindow/step_view.h"

#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

namespace simwindow {
struct StepAction;
struct StepRecord;
struct PointerSpec;
} // namespace simwindow

// The step controls (Image1-Image6, Label1, Label4, the frames, the hint, the editors, the list
// and its edges, the tabs LblXXK and the location list) are the members of simwindow::StepMembers.
class FrmMain : public vb::Form, public simwindow::StepMembers {
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // Bar panels: each holds its highlight image (back), its hot spots and its hint frame (front).
    vb::PictureBox* PicMenu = nullptr;
    vb::Image* ImgMenu = nullptr;
    vb::Shape* ShapeMenu = nullptr;
    vb::PictureBox* PicHui = nullptr;
    vb::Image* ImgHui = nullptr;
    vb::Shape* ShapeHui = nullptr;
    vb::PictureBox* PicTool = nullptr;
    vb::Image* ImgTool = nullptr;
    vb::Shape* ShapeTool = nullptr;
    vb::PictureBox* PicElse = nullptr;
    vb::Image* ImgElse = nullptr;
    vb::Shape* ShapeElse = nullptr;
    // Hot spots by ElementNo: 1-10 on PicMenu, 11-31 on PicHui, 41-86 on PicTool, 0 and 32-40
    // on PicElse.
    vb::ControlArray<vb::Label> LblZHU;

    // First-level drop-down and cascade.
    vb::PictureBox* Pic1J = nullptr;
    vb::Image* Img1jBK = nullptr;
    vb::Image* Img1J = nullptr;
    vb::ControlArray<vb::Label> Lbl1J; // 1-44
    vb::PictureBox* Pic2J = nullptr;
    vb::Image* Img2J = nullptr;
    vb::ControlArray<vb::Label> Lbl2J; // 1-33

    // The location list's patch over its face's left edge.
    vb::Image* ImgFuGai = nullptr;

    // Success label, drag strip, logo.
    vb::Label* LblSuccess = nullptr;
    vb::Label* lblMove = nullptr;
    vb::Image* ImgLogo = nullptr;

    // Timers, all off at load.
    platform::Timer* Timer2 = nullptr;     // 100 ms: the first layout of a question
    platform::Timer* Timer3 = nullptr;     // 1000 ms: the automatic step (8888)
    platform::Timer* TimerDisFK = nullptr; // 100 ms: hint frames around bar targets
    platform::Timer* TimTool = nullptr;    // 100 ms: a pane's drop-down

    // The hidden menu shown only as the context pop-up.
    vb::Menu* wm100 = nullptr;
    vb::Menu* sMivoMain1 = nullptr;
    vb::Menu* sMivoMain2 = nullptr;
    vb::Menu* sMivoMain3 = nullptr;
    vb::Menu* sMivoMain4 = nullptr;
    vb::Menu* sMivoMain5 = nullptr;
    vb::ControlArray<vb::Menu> sMivoInde1, sMivoInde2, sMivoInde3, sMivoInde4;
    vb::ControlArray<vb::Menu> sMivoSub1, sMivoSub2, sMivoSub3, sMivoSub4, sMivoSub5;

    // Window-level state shared by the handlers.
    int zhuIndex = 0;     // the element whose drop-down is open, 0 none
    int item1JIndex = 0;  // the open drop-down item whose cascade is open, 0 none
    int ExpectedCode = 0; // the code under test; other handlers overwrite it
    int StepCode = 0;     // the step's own numeric code, written only by the layout
    int MenuContext = 0;  // the context menu 1-9 to build
    QString imgDir;       // pictures of the simulated menus and toolbars
    int DragLeft = 0;
    int DragTop = 0;
    int PointX = 0;
    int PointY = 0;
    bool MarqueeOn = false;
    QString SavedHint;
    QString ComboState;
    int Target1Width = 0;
    int Target1Height = 0;
    simwindow::FontColorTable FontColorTable;
    simwindow::TabLayoutTable TabLayoutTable;
    // Dialog-tab state, kept from a dialog step's set-up for its tab clicks.
    simwindow::TabLayout TabLayoutLine;
    int DialogImage = 0;
    int DialogLeft = 0;
    int DialogTop = 0;
    int ExpectedTab = 0;
    int TabCount = 0;
    int TabRow = 0;
    // Range drags: armed by a press with the step's Shift set; the marquee's corner.
    bool RangeArmed = false;
    int AnchorLeft = 0;
    int AnchorTop = 0;

    // Procedures.
    void DoubleXXK();
    void setData();
    void doNext();
    void systemMenu();
    void frmCsh();
    void ToolCSH();
    void ElseToolCSH();
    void Tool1JCSH();
    void Tool2JCSH();
    void GoStep(const QString& code);

    // Handlers.
    void Timer2_Timer();
    void Timer3_Timer();
    void TimerDisFK_Timer();
    void lblMove_MouseDown(int button, int shift, double x, double y);
    void lblMove_MouseUp();
    void Label1_MouseUp(int button, int shift, double x, double y);
    void Label1_DblClick();
    void Label1_MouseMove(int button, int shift, double x, double y);
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image1_MouseMove(int button, int shift, double x, double y);
    void Image2_MouseMove(int button, int shift, double x, double y);
    void Image3_MouseMove(int button, int shift, double x, double y);
    void Image4_MouseMove(int button, int shift, double x, double y);
    void ImgLiN_Click(int index);

    // Drags (frm_main_drags.cpp).
    void Label4_MouseDown(int button, int shift, double x, double y);
    void Label4_MouseMove(int button, int shift, double x, double y);
    void Label4_MouseUp(int button, int shift, double x, double y);
    void Image5_MouseMove(int button, int shift, double x, double y);
    void Image5_MouseUp(int button, int shift, double x, double y);

    // Keys (frm_main_keys.cpp).
    void KeyClick(int keyCode, int shift);

    // Typed text (frm_main_text.cpp).
    void Text1_Change();
    void Text1_KeyUp(int keyCode, int shift);
    void Text1_MouseUp(int button, int shift, double x, double y);
    void Text1_GotFocus();
    void Text2_Change();
    void Text3_Change();
    void Text3_GotFocus();
    void Text4_Change();
    void Text4_KeyUp(int keyCode, int shift);

    // Dialog tabs and lists (frm_main_tabs.cpp).
    void LblXXK_Click(int index);
    void LstLA_Click();
    void LblADD_Click(int index);
    void LblADD_MouseMove(int index, int button, int shift, double x, double y);
    void LblADDmyXZ_Click();

    // The simulated menus: bar elements, drop-down and cascade items, the pane timer and the
    // context pop-up's items.
    void LblZHU_MouseUp(int index, int button, int shift, double x, double y);
    void LblZHU_MouseMove(int index, int button, int shift, double x, double y);
    void LblZHU_Click(int index);
    void Lbl1J_MouseMove(int index, int button, int shift, double x, double y);
    void Lbl1J_Click(int index);
    void Lbl2J_MouseMove(int index, int button, int shift, double x, double y);
    void Lbl2J_Click(int index);
    void TimTool_Timer();
    void sMivoSub1_Click(int index);
    void sMivoInde1_Click(int index);
    void sMivoSub2_Click(int index);
    void sMivoInde2_Click(int index);
    void sMivoSub3_Click(int index);
    void sMivoInde3_Click(int index);
    void sMivoSub4_Click(int index);
    void sMivoSub5_Click(int index);
    void sMivoInde4_Click(int index);

    // True while a step is being laid out: nothing done by the layout's own set-up may start
    // another step.
    bool layingOut() const { return setUp_.running(); }

    // Puts the question panel's bottom-right corner on this window's (the windows that hand
    // the exam back to the candidate call it too).
    void dockPanel();

protected:
    void Form_Load() override;
    void Form_Click() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void buildControls();
    void buildBar(vb::PictureBox*& box, vb::Image*& highlight, vb::Shape*& frame,
                  std::initializer_list<std::pair<int, int>> elements);
    void buildPopup();
    void wireHandlers();
    void wireMenuHandlers();
    void wirePopupHandlers();

    // Design twips to twips on this screen.

    // The record of the current step as the handlers read it at the moment of the event.
    simwindow::StepRecord currentRecord() const;
    void act(const simwindow::StepAction& action);
    bool typedTextAccepted() const;
    void bringWindowsToFront();

    // The simulated menus.
    std::optional<QPixmap> chromePicture(const QString& code) const;
    vb::Image* highlightImage(int element) const;
    vb::PictureBox* barOf(int element) const;
    void placeDropDown(int element);
    // Shows the context pop-up `MenuContext` for the step; nothing when it could not be built
    // (the context-menu file is missing).
    void popUpContextMenu();
    void contextChoice(int position, int index);

    // The window's variables as the shared step layout takes them.
    simwindow::StepVars vars();
    // What only this window does at the end record: the question is completed.
    void layoutEndCode(const simwindow::StepRecord& rec, int q);

    // The layout of the current step, run by setData with the layout flag set.
    void layoutStep();
    // Shows the step's own page of the dialog with the expected tab in front, or asks for it.
    void showTabState(bool onExpectedTab);

    simwindow::StepControls controls_;
    // A list whose set-up already shows the expected entry passes once the set-up has finished.
    simwindow::StepSetUp setUp_;
    bool popupBuilt_ = false; // the last systemMenu found its file
    bool followDrag_ = false;
    // The window's place and size in the normal state (twips): the design size, centred on a
    // large screen, at 0, 0 on a small one where the window is maximised.
    QRect normalBounds_;
    // The question and step for which Timer3 was switched on.
    int autoQuestion_ = 0;
    int autoStep_ = 0;
};

// The simulated window of the running program (loaded on first touch).
FrmMain& frmMain();
