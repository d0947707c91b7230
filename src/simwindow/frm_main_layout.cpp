// The step layout: reads the record of the current step and rebuilds the window for it.

#include "simwindow/frm_main.h"

#include "platform/files.h"
#include "platform/vb_picture.h"
#include "session/frm_tm.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/input_rules.h"
#include "simwindow/jump_code.h"
#include "simwindow/layout_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "simwindow/text_table.h"

#include <QRect>

using codes::field;
using simwindow::StepRecord;

namespace {

// Sets a flag for the time of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

using vb::bounds;
using vb::setBounds;

void shrink(vb::Control& c)
{
    c.setWidth(1);
    c.setHeight(1);
}

// A text of the step's text table named by a text-line field; without a table it is empty.
QString tableTextOrEmpty(QStringView field)
{
    return simwindow::fieldText(S().TextTablePath, field).value_or(QString());
}

} // namespace

vb::Image* FrmMain::overlayImage(int k) const
{
    switch (k) {
    case 1: return Image1;
    case 2: return Image2;
    case 3: return Image3;
    case 4: return Image4;
    case 5: return Image5;
    default: return nullptr;
    }
}

void FrmMain::setData()
{
    // The layout's own set-up (texts, list entries, the location list's first entry) must never
    // start the next step before this one stands.
    if (layingOut_)
        return;
    completeAfterLayout_ = false;
    {
        const FlagScope guard(layingOut_);
        layoutStep();
    }
    // The step stands: a list that showed the expected entry from the start passes now, once.
    // On the last step of a question without an end record the advance would stay and lay this
    // step out again, passing it again without end: there it stands.
    if (completeAfterLayout_) {
        completeAfterLayout_ = false;
        const SessionState& s = S();
        if (simwindow::jumpTarget(s.CurrentStep, 1, simwindow::questionStepCount(s, s.CurrentQuestion)) != s.CurrentStep)
            doNext();
    }
}

void FrmMain::layoutStep()
{
    SessionState& s = S();

    LblSuccess->setVisible(false);
    bringWindowsToFront();

    Pic1J->Move(scaledX(30000), scaledY(30000));
    Text1->setFontSize(9 * s.ScaleX);
    Text2->setFontSize(9 * s.ScaleX);
    for (vb::PictureBox* p : {PicMenu, PicTool, PicHui, PicElse})
        p->setVisible(false);
    Shape6->Move(Shape6->Left(), Shape6->Top(), 1, 1);
    MarqueeOn = false;
    // A drag armed in an earlier step must not let a mere click pass this one.
    RangeArmed = false;
    Label4->setMousePointer(vb::vbDefault);
    zhuIndex = 0;

    const int q = s.CurrentQuestion;
    if (q < 1 || q > MaxQuestions)
        return;
    const auto qi = static_cast<std::size_t>(q);
    if (s.CurrentStep < 1)
        s.CurrentStep = 1;
    // A step file that cannot be read leaves the record of the previous layout.
    if (auto line = platform::readLineAt(s.StepFilePath, s.QuestionFirstLine[qi] + s.CurrentStep - 1))
        s.StepRecord = *line;
    const StepRecord rec = StepRecord::fromLine(s.StepRecord);

    for (int i = 0; i <= 13; ++i) {
        vb::Label& tab = LblXXK(i);
        tab.Move(-scaledX(1), -scaledY(1), 1, 1);
        tab.setCaption(QString());
    }

    if (s.CurrentStep == 1) {
        for (int k = 1; k <= 5; ++k)
            overlayImage(k)->setPicture(std::nullopt);
        Image6->setPicture(std::nullopt);
    }
    s.SavedStep[qi] = s.CurrentStep;

    layoutPictures(rec, q);
    PointX = rec.PointX;
    PointY = rec.PointY;
    layoutEditor(rec);
    layoutHint(rec);

    const bool hintMode = s.DisplayMode == 1;
    for (vb::Control* c : std::initializer_list<vb::Control*>{LHelp, Shape1, Shape2, Shape4})
        c->setVisible(hintMode);

    layoutTarget1(rec);
    setBounds(*Shape1, bounds(*Label1));
    if (rec.isDialogTab())
        layoutDialogTabs(rec);
    else
        setBounds(*Shape1, bounds(*Label1));
    layoutCombo(rec);
    layoutTarget2(rec);

    ExpectedCode = rec.expectedCode();
    StepCode = ExpectedCode;
    Timer3->setEnabled(false);
    if (StepCode == 8888) {
        autoQuestion_ = q;
        autoStep_ = s.CurrentStep;
        Timer3->setEnabled(true);
    }
    if (rec.OperationCode.startsWith(u"80")) {
        shrink(*Label1);
        shrink(*Label4);
    }
    layoutEndCode(rec, q);

    if (rec.OperationCode == u"0021") {
        Text2->setText(Text1->Text());
        setBounds(*Text2, bounds(*Text1));
        Text2->setVisible(true);
        Text1->setVisible(false);
    } else {
        Text2->setVisible(false);
    }
    if (rec.OperationCode == u"0027") {
        Shape1->setVisible(false);
        Text3->setText(Text1->Text());
        setBounds(*Text3, bounds(*Text1));
        Text3->setFontSize(Text1->FontSize());
        Text3->setForeColor(Text1->ForeColor());
        Text3->setBackColor(Text1->BackColor());
        Text3->setVisible(true);
        Text1->setVisible(false);
    } else {
        Text3->setVisible(false);
    }
    layoutTyping(rec);
    layoutList(rec);
    layoutLocationList(rec);

    if (Label1->Height() <= 10 || !Label1->Visible())
        Shape1->setVisible(false);
    Shape2->setVisible(LHelp->Visible());

    applyPointer(*Label1, simwindow::pointerSpec(rec, s.AppPath));
    layoutZones(rec);
    LHelp->setCaption(LHelp->Caption().replace(u'|', QStringLiteral("\r\n")));
    bringWindowsToFront();

    frmCsh();
    ElseToolCSH();
    TimerDisFK->setEnabled(true);
}

void FrmMain::layoutPictures(const StepRecord& rec, int q)
{
    auto& codes = S().QuestionPictures[static_cast<std::size_t>(q)];
    const QString keep = QStringLiteral("888888");

    // The background has no hide code; "888888" keeps it, except on a question's first step.
    QString back = rec.BackPicture;
    if (back == keep && S().CurrentStep == 1)
        back = QStringLiteral("310010");
    if (back != keep) {
        if (auto picture = stepPicture(back))
            setPicture(picture);
        codes[0] = back;
    }

    for (int k = 1; k <= 5; ++k) {
        const simwindow::Overlay o = rec.overlay(k);
        vb::Image& img = *overlayImage(k);
        if (o.picture == u"000000") {
            img.setVisible(false);
            continue;
        }
        img.Move(scaledX(o.left), scaledY(o.top));
        if (o.picture != keep) {
            if (auto picture = stepPicture(o.picture))
                img.setPicture(picture);
            codes[static_cast<std::size_t>(k)] = o.picture;
        }
        img.setVisible(true);
        if (k == 5) {
            DragLeft = img.Left();
            DragTop = img.Top();
        }
    }

    const simwindow::Overlay six = rec.overlay(6);
    if (codes::num16(six.picture) == 0) {
        Image6->setVisible(false);
    } else {
        Image6->Move(scaledX(six.left), scaledY(six.top));
        if (six.picture != keep) {
            if (auto picture = stepPicture(six.picture))
                Image6->setPicture(picture);
            codes[6] = six.picture;
        }
        Image6->setVisible(true);
    }
}

void FrmMain::layoutEditor(const StepRecord& rec)
{
    if (!rec.hasEditor()) {
        Text1->setVisible(false);
        Text2->setVisible(false);
        return;
    }
    const double scale = S().ScaleX;
    Text1->setVisible(true);
    Text1->Move(scaledX(rec.EditorLeft), scaledY(rec.EditorTop), scaledX(rec.EditorWidth), scaledY(rec.EditorHeight));
    Text1->setText(tableTextOrEmpty(rec.EditorTextField));
    Text1->SetFocus();
    Text1->setSelStart(static_cast<int>(Text1->Text().size()));

    const simwindow::EditorFormatSpec f = simwindow::editorFormat(rec);
    Text1->setFontSize(9 * scale);
    Text1->setAlignment(f.align == simwindow::EditorAlign::Right    ? 1
                        : f.align == simwindow::EditorAlign::Centre ? 2
                                                                    : 0);
    Text1->setFontSize(f.pointSize * scale);
    if (f.style) {
        Text1->setFontBold((*f.style & 1) != 0);
        Text1->setFontItalic((*f.style & 2) != 0);
        Text1->setFontUnderline((*f.style & 4) != 0);
    }
    // Without a font-and-colour table at all the editor keeps a readable look: the toolkit's
    // font, black on white. In a table an empty or short colour entry reads 0 for every missing
    // number, and an empty font name keeps the font the editor has.
    if (!FontColorTable.present) {
        Text1->setForeColor(Qt::black);
        Text1->setBackColor(Qt::white);
        return;
    }
    const QString font = FontColorTable.fontName(f.fontDigit);
    if (!font.isEmpty())
        Text1->setFontName(font);
    Text1->setForeColor(FontColorTable.foreColor(f.foreDigit));
    Text1->setBackColor(FontColorTable.backColor(f.backDigit));
}

void FrmMain::layoutHint(const StepRecord& rec)
{
    if (rec.hintUnchanged())
        return;
    LHelp->Move(scaledX(rec.HintLeft), scaledY(rec.HintTop));
    SavedHint = tableTextOrEmpty(rec.HintField);
    LHelp->setCaption(SavedHint);
}

void FrmMain::layoutTarget1(const StepRecord& rec)
{
    shrink(*Label1);
    if (!rec.hasTarget1()) {
        Label1->setVisible(false);
        Shape1->setVisible(false);
        return;
    }
    Label1->setVisible(true);
    Label1->Move(scaledX(rec.Target1Left), scaledY(rec.Target1Top));
    Target1Width = rec.Target1Width;
    Target1Height = rec.Target1Height;
    Label1->setWidth(scaledX(Target1Width));
    if (Target1Height != 0) {
        Label1->setAutoSize(false);
        Label1->setHeight(scaledY(Target1Height));
    } else {
        Label1->setAutoSize(true);
    }
    if (Target1Height == 0) {
        shrink(*Label1);
        Shape1->setVisible(false);
    }
}

void FrmMain::layoutDialogTabs(const StepRecord& rec)
{
    Shape4->setVisible(false);
    const int shown = simwindow::tabNumber(field(rec.TabSpec, 3, 1));
    ExpectedTab = simwindow::tabNumber(field(rec.TabSpec, 4, 1));
    DialogImage = codes::num16(field(rec.TabSpec, 5, 1));
    LHelp->setCaption(simwindow::tabHint(ExpectedTab));
    // A letter outside A-U keeps the layout of the previous dialog step.
    if (auto layout = TabLayoutTable.forLetter(field(rec.TabSpec, 2, 1)))
        TabLayoutLine = *layout;
    if (vb::Image* dialog = overlayImage(DialogImage)) {
        DialogLeft = dialog->Left();
        DialogTop = dialog->Top();
        if (shown != ExpectedTab)
            if (auto picture = stepPicture(TabLayoutLine.pagePicture(shown)))
                dialog->setPicture(picture);
    }

    TabCount = TabLayoutLine.tabCount();
    for (int i = 0; i <= TabCount; ++i) {
        vb::Label& tab = LblXXK(i);
        tab.Move(-scaledX(1), scaledY(TabLayoutLine.headerTop()) + DialogTop, 1, scaledY(TabLayoutLine.headerHeight()));
        tab.setCaption(QString());
    }
    for (int i = 1; i <= TabCount; ++i) {
        LblXXK(i).setLeft(scaledX(TabLayoutLine.headerLeft(i)) + DialogLeft);
        LblXXK(i).setWidth(scaledX(TabLayoutLine.headerWidth(i)));
    }
    if (TabCount > 9) {
        LblXXK(13).setWidth(scaledX(1485));
        LblXXK(7).setWidth(scaledX(1050));
        TabRow = simwindow::tabRow(shown);
        DoubleXXK();
    }
    LblXXK(0).Move(scaledX(TabLayoutLine.backLeft()) + DialogLeft, scaledY(TabLayoutLine.backTop()) + DialogTop,
                   scaledX(TabLayoutLine.backWidth()), scaledY(TabLayoutLine.backHeight()));

    showTabState(shown == ExpectedTab);
}

void FrmMain::showTabState(bool onExpectedTab)
{
    if (onExpectedTab) {
        Label1->setHeight(scaledY(Target1Height));
        Label1->setWidth(scaledX(Target1Width));
        LHelp->setCaption(SavedHint);
        setBounds(*Shape1, bounds(*Label1));
    } else {
        LHelp->setCaption(simwindow::tabHint(ExpectedTab));
        shrink(*Label1);
        if (LblXXK.exists(ExpectedTab))
            setBounds(*Shape1, bounds(LblXXK(ExpectedTab)));
    }
}

void FrmMain::DoubleXXK()
{
    const int top = scaledY(TabLayoutLine.headerTop()) + DialogTop;
    const int lower = scaledY(TabLayoutLine.headerTop() + 300) + DialogTop;
    // The row that holds the chosen tab lies next to the page.
    for (int i = 1; i <= TabCount; ++i) {
        const bool inChosenRow = TabRow == 2 ? i >= 8 : i <= 7;
        LblXXK(i).setTop(inChosenRow ? lower : top);
    }
}

void FrmMain::layoutCombo(const StepRecord& rec)
{
    if (!rec.isCombo()) {
        ComboState = QStringLiteral("NONO");
        return;
    }
    ComboState = rec.ComboSpec;
    vb::Label& field0 = LblXXK(0);
    field0.Move(scaledX(PointX), scaledY(PointY), scaledX(1095), scaledY(285));
    field0.setCaption(QString());
}

void FrmMain::layoutTarget2(const StepRecord& rec)
{
    if (rec.hasTarget2()) {
        Label4->setVisible(true);
        Label4->Move(scaledX(rec.Target2Left), scaledY(rec.Target2Top), scaledX(rec.Target2Width), scaledY(rec.Target2Height));
    } else {
        Label4->Move(-1, Label4->Top(), 1, 1);
    }
    setBounds(*Shape4, bounds(*Label4));
}

void FrmMain::layoutEndCode(const StepRecord& rec, int q)
{
    SessionState& s = S();
    if (rec.OperationCode != u"9999") {
        Shape1->setVisible(LHelp->Visible());
        return;
    }
    int& state = s.QuestionState[static_cast<std::size_t>(q)];
    if (state <= 3)
        state += 4;
    Shape1->setVisible(false);
    if (s.DisplayMode != 3) {
        LblSuccess->setVisible(true);
        LHelp->setVisible(false);
    }
    FrmTm& panel = vb::Forms::get<FrmTm>();
    panel.LblUnit->setCaption(simwindow::unfinishedCaption(s));
    panel.LblBiao->setCaption(simwindow::markCompleted(panel.LblBiao->Caption()));
}

void FrmMain::layoutTyping(const StepRecord& rec)
{
    const simwindow::TypingHint hint = simwindow::typingHint(rec.OperationCode, LHelp->Caption());
    if (rec.OperationCode.startsWith(u"002")) {
        LHelp->setCaption(hint.caption);
        if (hint.frame == simwindow::FrameRule::Hidden)
            Shape1->setVisible(false);
        else if (hint.frame == simwindow::FrameRule::FollowsHint)
            Shape1->setVisible(LHelp->Visible());
        if (hint.clearSelection)
            Text1->setSelLength(0);
    }
    if (hint.showEditBar) {
        Text4->Move(scaledX(2880), scaledY(1560), scaledX(8865), scaledY(225));
        Text4->setFontSize(11 * S().ScaleX);
        Text4->setVisible(true);
    } else {
        Text4->setVisible(false);
    }
}

void FrmMain::layoutList(const StepRecord& rec)
{
    const std::initializer_list<vb::Control*> parts{LstLA, PicLeft, PicRight, PicTop, PicBottom};
    if (!rec.OperationCode.startsWith(u"L")) {
        for (vb::Control* c : parts)
            c->setVisible(false);
        LblXXK(0).setCaption(QString());
        return;
    }
    for (vb::Control* c : parts)
        c->setVisible(true);
    const QRect r = bounds(*Text1);
    setBounds(*LstLA, r);
    Text1->setVisible(false);
    const int ex = scaledX(15);
    const int ey = scaledY(15);
    PicLeft->Move(r.x(), r.y(), ex, r.height());
    PicRight->Move(r.x() + r.width() - ex, r.y(), ex, r.height());
    PicTop->Move(r.x(), r.y(), r.width(), ey);
    PicBottom->Move(r.x(), r.y() + r.height() - ey, r.width(), ey);

    LstLA->Clear();
    // Without a text table the list stays empty: nothing can be chosen, nothing passes.
    if (const std::optional<QString> text = simwindow::fieldText(S().TextTablePath, QStringView(rec.OperationCode).mid(1, 3)))
        for (const QString& item : simwindow::listItems(*text))
            LstLA->AddItem(item);
    if (rec.EditorTextLine >= 0 && rec.EditorTextLine < LstLA->ListCount()) {
        LstLA->setListIndex(rec.EditorTextLine);
        if (simwindow::listChoicePasses(rec, rec.EditorTextLine))
            completeAfterLayout_ = true;
    }
    LblXXK(0).setCaption(LstLA->Text());
    LblXXK(0).setWidth(LstLA->Width());
}

void FrmMain::layoutLocationList(const StepRecord& rec)
{
    if (!rec.OperationCode.startsWith(u"K")) {
        PicList->setVisible(false);
        return;
    }
    PicList->Move(Text1->Left(), Text1->Top());
    PicList->setVisible(true);
    const int entry = simwindow::locationStartEntry(rec);
    ImgLiN_Click(entry);
    if (simwindow::locationChoicePasses(rec, entry))
        completeAfterLayout_ = true;
}

void FrmMain::ImgLiN_Click(int index)
{
    if (const std::optional<int> left = simwindow::locationFaceLeft(index)) {
        ImgSelAD->setLeft(scaledX(*left));
        ImgSelAD->setPicture(ImgLiN(index).Picture());
    }
    PicList->setHeight(scaledY(330));
    if (simwindow::locationChoicePasses(currentRecord(), index))
        doNext();
}

void FrmMain::layoutZones(const StepRecord& rec)
{
    const simwindow::ZonePanels z = simwindow::zonePanels(rec);
    if (z.menu)
        PicMenu->setVisible(true);
    if (z.tool)
        PicTool->setVisible(true);
    if (z.hui)
        PicHui->setVisible(true);
    if (z.pane)
        PicElse->setVisible(true);
}

void FrmMain::TimerDisFK_Timer()
{
    for (vb::Shape* frame : {ShapeMenu, ShapeTool, ShapeHui, ShapeElse})
        frame->setVisible(false);
    const QString& line = S().StepRecord;
    const std::array<std::pair<int, bool>, 3> places{{{96, true}, {86, true}, {125, false}}};
    for (const auto& [col, acceptD] : places) {
        const std::optional<int> element = simwindow::frameElement(field(line, col, 10), acceptD);
        if (!element || !LblZHU.exists(*element))
            continue;
        const auto frame = simwindow::hintFrame(*element, bounds(LblZHU(*element)),
                                                QSize(PicElse->Width(), PicElse->Height()), S().ScaleX, S().ScaleY);
        if (!frame)
            continue;
        vb::Shape* shape = frame->container == simmenus::Container::PicMenu   ? ShapeMenu
                           : frame->container == simmenus::Container::PicHui  ? ShapeHui
                           : frame->container == simmenus::Container::PicElse ? ShapeElse
                                                                              : ShapeTool;
        setBounds(*shape, frame->rect);
        shape->setVisible(LHelp->Visible());
    }
    TimerDisFK->setEnabled(false);
}
