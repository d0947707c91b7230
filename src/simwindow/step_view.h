#pragma once
// The step controls and the layout of one step record on them. The simulated window and the
// demonstration window make the same step controls under the same names and lay out the same
// records on them; each window hands its controls and its step variables to these blocks and runs
// them in its own order, adding what only it does (the simulated window's records of progress,
// the demonstration's pointer).

#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "simwindow/layout_tables.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace simwindow {

struct StepRecord;
struct PointerSpec;

// The colours and the font both windows build their step controls with.
inline const QColor WindowFace(195, 217, 249);
inline const QColor ListEdge(127, 157, 185);
inline const QColor Red(255, 0, 0);
inline const QString SongTi = QStringLiteral("宋体");

// A label that shows nothing but still takes the mouse over its whole rectangle.
void makeTransparent(vb::Label& l);
// A frame of the given colour and width in pixels, hidden until a step shows it.
void makeFrame(vb::Shape& s, const QColor& colour, int widthPx);
// A highlighted entry of a drop-down list, 16 pixels high.
QPixmap entryHighlight(int widthPx);

// The set-up of a step as both windows run it. Nothing that the set-up itself does (texts, list
// entries, the location list's first entry) may start another set-up; a step that the set-up
// finds answered from the start is completed once the set-up stands, by the window.
class StepSetUp {
public:
    // True while a set-up runs.
    bool running() const { return running_; }
    // Asks, from inside the set-up, that the step be completed once the set-up stands.
    void completeAfter() { complete_ = true; }
    // Runs `layout` unless a set-up runs already; true when it asked for the step's completion.
    bool run(const std::function<void()>& layout);

private:
    bool running_ = false;
    bool complete_ = false;
};

// The single step controls, under the names both windows give them.
struct StepParts {
    vb::Image* Image1 = nullptr;
    vb::Image* Image2 = nullptr;
    vb::Image* Image3 = nullptr;
    vb::Image* Image4 = nullptr;
    vb::Image* Image5 = nullptr;
    vb::PictureBox* Image6 = nullptr;
    vb::Label* Label1 = nullptr;
    vb::Label* Label4 = nullptr;
    vb::Shape* Shape1 = nullptr;
    vb::Shape* Shape2 = nullptr;
    vb::Shape* Shape4 = nullptr;
    vb::Shape* Shape6 = nullptr; // the range marquee
    vb::Label* LHelp = nullptr;
    vb::TextBox* Text1 = nullptr;
    vb::TextBox* Text2 = nullptr;
    vb::TextBox* Text3 = nullptr;
    vb::TextBox* Text4 = nullptr;
    vb::ListBox* LstLA = nullptr;
    vb::PictureBox* PicLeft = nullptr;
    vb::PictureBox* PicRight = nullptr;
    vb::PictureBox* PicTop = nullptr;
    vb::PictureBox* PicBottom = nullptr;
    vb::PictureBox* PicList = nullptr;
    vb::Image* ImgSelAD = nullptr;
    vb::Label* LblADDmyXZ = nullptr;

    // Step picture k (1-5), nothing for any other k.
    vb::Image* image(int k) const;
};

// The step controls as a window holds them: its own members under these names (the window
// derives from this), made by makeStepControls.
struct StepMembers : StepParts {
    vb::ControlArray<vb::Label> LblXXK; // 0-13
    vb::ControlArray<vb::Label> LblADD; // 0-13
    vb::ControlArray<vb::Image> ImgLiN; // 0-13
};

// Where a window makes its own controls among the step controls. The step controls are made in
// one order for both windows, and within each layer (see vb::Container) a later control lies
// above an earlier one: each hook, when given, runs at its place in that order (a window names
// only the hooks it needs).
struct OwnControls {
    std::function<void()> afterPictures = {};    // after Image1-Image5
    std::function<void()> afterHint = {};        // after LHelp
    std::function<void()> afterEditors = {};     // after Image6, the editors, LstLA and its edges
    std::function<void()> afterChosenEntry = {}; // inside PicList, after ImgSelAD
};

// Makes the step controls on `form` with the look both windows give them: transparent targets
// and tabs, the frames (hidden), the hint (hidden), the editors and the list (hidden) with the
// list's edges, and the location list (hidden) with its entries. What only one window gives
// them (sizes, pictures) that window sets after the call.
void makeStepControls(vb::Form& form, StepMembers& m, const OwnControls& own);

// The location list's rows and the step controls' font sizes, as both windows' load sets them.
void loadStepControls(StepMembers& m);

// The controls that a step record lays out, as one window has them.
struct StepControls : StepParts {
    vb::ControlArray<vb::Label>* LblXXK = nullptr; // 0-13
    vb::ControlArray<vb::Image>* ImgLiN = nullptr; // 0-13
    // Zone pictures: pictures in one window, containers in the other.
    vb::Control* PicMenu = nullptr;
    vb::Control* PicTool = nullptr;
    vb::Control* PicHui = nullptr;
    vb::Control* PicElse = nullptr;
};

// The step controls of a window that names them as both windows do.
template <class Window>
StepControls stepControlsOf(Window& w)
{
    StepControls c;
    static_cast<StepParts&>(c) = static_cast<const StepParts&>(w);
    c.LblXXK = &w.LblXXK;
    c.ImgLiN = &w.ImgLiN;
    c.PicMenu = w.PicMenu;
    c.PicTool = w.PicTool;
    c.PicHui = w.PicHui;
    c.PicElse = w.PicElse;
    return c;
}

// The window's variables that the blocks read and write, under the window's own names.
struct StepVars {
    int& target1Width;
    int& target1Height;
    QString& hintText;       // the hint read from the text table, kept for the tab steps
    TabLayout& tabLayout;    // the dialog layout of the last tab step
    int& dialogImage;        // 1-5: the step picture that shows the dialog
    int& dialogLeft;
    int& dialogTop;
    int& expectedTab;
    int& tabCount;
    int& tabRow;             // 1 or 2: the row of tabs in front
    // The demonstration keeps the last hint text for a step whose hint line names no text (the
    // caption still empties); the simulated window forgets it.
    bool keepHintTextForNoLine = false;
};

// A picture of the data folder named by a code; nothing when it cannot be read (or the code
// could name a file outside the folder), so that the control keeps what it shows.
std::optional<QPixmap> stepPicture(const QString& code);
// The same checked now and decoded when it first shows: for the bars a step may never show.
std::optional<vb::PictureFile> stepPictureFile(const QString& code);

// Every tab label 1 × 1 twip just outside the corner, without caption.
void resetTabs(const StepControls& c);

// The background and Image1-Image6. "888888" keeps a picture (on the first step of a question
// the background becomes "310010"); `shownCodes`, when given, records every code shown
// (background, Image1-6).
void layoutPictures(const StepControls& c, vb::Form& window, const StepRecord& rec, bool firstStep,
                    std::array<QString, 7>* shownCodes);
// The editor, the hint and its frames, target 1 with its frame or the dialog's tabs, the combo
// field at the record's point and target 2, in this order.
void layoutTargets(const StepControls& c, const StepRecord& rec, StepVars v, const FontColorTable& fonts,
                   const TabLayoutTable& tabs);
// The tabs of two rows: the row that holds the chosen tab lies next to the page.
void DoubleXXK(const StepControls& c, StepVars v);
// The step's own page with the expected tab in front and the frame on target 1, or the hint and
// the frame that ask for the expected tab.
void showTabState(const StepControls& c, StepVars v, bool onExpectedTab);
// A picture-drag step ("80") has no click targets: Label1 and Label4 shrink to 1 × 1 twip where
// they stand, their frames keep their rectangles.
void shrinkTargetsForPictureDrag(const StepControls& c, const StepRecord& rec);
// 0021 and 0027: the editor's text moves into Text2 or Text3.
void layoutEditorVariants(const StepControls& c, const StepRecord& rec);
// The hint wording and the frame of typing steps, and the edit bar Text4.
void layoutTyping(const StepControls& c, const StepRecord& rec);
// A list step fills and shows LstLA; true when the entry selected at the start is the answer.
bool layoutList(const StepControls& c, const StepRecord& rec);
// A location-list step shows PicList at the editor's place; gives the entry chosen at the start.
std::optional<int> layoutLocationList(const StepControls& c, const StepRecord& rec);
// The chosen location entry into the closed list's face.
void selectLocationEntry(const StepControls& c, int index);
// No frame around a target 10 twips high or less, or hidden.
void hideSmallFrame(const StepControls& c);
void applyPointer(vb::Control& target, const PointerSpec& spec);
void layoutZones(const StepControls& c, const StepRecord& rec);
// "|" in the hint breaks the line.
void breakHintLines(const StepControls& c);

} // namespace simwindow
