#include "simwindow/step_view.h"

#include "platform/vb_form.h"
#include "platform/vb_picture.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/data_path.h"
#include "simwindow/input_rules.h"
#include "simwindow/layout_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "simwindow/text_table.h"

#include <QRect>
#include <initializer_list>
#include <utility>

using codes::field;

namespace simwindow {

void makeTransparent(vb::Label& l)
{
    l.setBackStyle(0);
    l.setCaption(QString());
}

void makeFrame(vb::Shape& s, const QColor& colour, int widthPx)
{
    s.setBorderColor(colour);
    s.setBorderWidth(widthPx);
    s.setFillStyle(1);
    s.setVisible(false);
}

QPixmap entryHighlight(int widthPx)
{
    // A band of the selection's blue that lets the entry's text on the list's face show
    // through.
    QPixmap p(widthPx, 16);
    p.fill(QColor(49, 106, 197, 110));
    return p;
}

bool StepSetUp::run(const std::function<void()>& layout)
{
    if (running_)
        return false;
    complete_ = false;
    running_ = true;
    {
        // The flag falls again however the set-up ends.
        struct Lower {
            bool& flag;
            ~Lower() { flag = false; }
        } lower{running_};
        layout();
    }
    return std::exchange(complete_, false);
}

namespace {

using vb::bounds;
using vb::setBounds;

void shrink(vb::Control& c)
{
    c.setWidth(1);
    c.setHeight(1);
}

// A text of the step's text table named by a text-line field; without a table it is empty.
QString tableTextOrEmpty(QStringView field) { return fieldText(S().TextTablePath, field).value_or(QString()); }

} // namespace

vb::Image* StepParts::image(int k) const
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

void makeStepControls(vb::Form& form, StepMembers& m, const OwnControls& own)
{
    vb::Container* self = &form;
    const auto hook = [](const std::function<void()>& f) {
        if (f)
            f();
    };

    // Lightweight controls, from the back: the step pictures, the tabs, the targets, the frames,
    // the hint.
    for (vb::Image** img : {&m.Image1, &m.Image2, &m.Image3, &m.Image4, &m.Image5})
        *img = new vb::Image(self);
    hook(own.afterPictures);
    for (int i = 0; i <= 13; ++i)
        makeTransparent(*m.LblXXK.create(i, self));
    m.Label4 = new vb::Label(self);
    makeTransparent(*m.Label4);
    m.Label1 = new vb::Label(self);
    makeTransparent(*m.Label1);
    m.Shape6 = new vb::Shape(self);
    makeFrame(*m.Shape6, Qt::black, 1);
    m.Shape6->setBorderStyle(3);
    m.Shape1 = new vb::Shape(self);
    makeFrame(*m.Shape1, Red, 2);
    m.Shape2 = new vb::Shape(self);
    makeFrame(*m.Shape2, QColor(255, 255, 0), 2);
    m.Shape4 = new vb::Shape(self);
    makeFrame(*m.Shape4, QColor(0, 255, 0), 2);
    m.LHelp = new vb::Label(self);
    m.LHelp->setBackStyle(1);
    m.LHelp->setBackColor(QColor(255, 255, 192));
    m.LHelp->setForeColor(Red);
    m.LHelp->setFontName(SongTi);
    m.LHelp->setFontBold(true);
    m.LHelp->setAutoSize(true);
    m.LHelp->setVisible(false);
    hook(own.afterHint);

    // Windowed controls, from the back: the sixth step picture, the editors, the list and its
    // edges, the location list.
    m.Image6 = new vb::PictureBox(self);
    m.Image6->setAutoSize(true);
    m.Image6->setBorderStyle(0);
    m.Text1 = new vb::TextBox(self);
    m.Text1->setFontName(SongTi);
    m.Text2 = new vb::TextBox(self);
    m.Text3 = new vb::TextBox(self);
    m.Text4 = new vb::TextBox(self);
    m.LstLA = new vb::ListBox(self);
    for (vb::Control* c : std::initializer_list<vb::Control*>{m.Text1, m.Text2, m.Text3, m.Text4, m.LstLA})
        c->setVisible(false);
    for (vb::PictureBox** edge : {&m.PicLeft, &m.PicRight, &m.PicTop, &m.PicBottom}) {
        *edge = new vb::PictureBox(self);
        (*edge)->setBorderStyle(0);
        (*edge)->setBackColor(ListEdge);
        (*edge)->setVisible(false);
    }
    hook(own.afterEditors);

    m.PicList = new vb::PictureBox(self);
    m.PicList->setAutoSize(true);
    m.PicList->setBorderStyle(0);
    m.PicList->setBackColor(Qt::white);
    m.PicList->setVisible(false);
    auto* list = static_cast<vb::Container*>(m.PicList);
    m.ImgSelAD = new vb::Image(list);
    hook(own.afterChosenEntry);
    m.LblADDmyXZ = new vb::Label(list);
    makeTransparent(*m.LblADDmyXZ);
    for (int i = 0; i <= 13; ++i)
        makeTransparent(*m.LblADD.create(i, list));
    for (int i = 0; i <= 13; ++i)
        m.ImgLiN.create(i, list);
}

void loadStepControls(StepMembers& m)
{
    const SessionState& s = S();
    m.LHelp->setFontSize(11 * s.ScaleX);
    m.LstLA->setFontSize(9 * s.ScaleX);
    m.LblXXK(0).setFontSize(9 * s.ScaleX);

    // The location list closed, its rows 240 twips high under the 330-twip face.
    for (int i = 0; i <= 13; ++i) {
        m.LblADD(i).Move(0, scaledY(345 + 240 * i), scaledX(3900), scaledY(240));
        m.LblADD(i).setCaption(QString());
        m.ImgLiN(i).setVisible(false);
        m.ImgLiN(i).Move(0, m.LblADD(i).Top());
    }
    m.ImgSelAD->Move(scaledX(-120), scaledY(45));
    m.LblADDmyXZ->Move(0, 0, scaledX(3900), scaledY(330));
    m.PicList->setHeight(scaledY(330));
    m.PicList->setVisible(false);
}

std::optional<QPixmap> stepPicture(const QString& code)
{
    const std::optional<QString> path = dataFilePath(S().DataDir, code);
    if (!path)
        return std::nullopt;
    return vb::LoadPicture(*path);
}

std::optional<vb::PictureFile> stepPictureFile(const QString& code)
{
    const std::optional<QString> path = dataFilePath(S().DataDir, code);
    if (!path)
        return std::nullopt;
    return vb::CheckPicture(*path);
}

void resetTabs(const StepControls& c)
{
    for (int i = 0; i <= 13; ++i) {
        vb::Label& tab = (*c.LblXXK)(i);
        tab.Move(-scaledX(1), -scaledY(1), 1, 1);
        tab.setCaption(QString());
    }
}

void layoutPictures(const StepControls& c, vb::Form& window, const StepRecord& rec, bool firstStep,
                    std::array<QString, 7>* shownCodes)
{
    const QString keep = QStringLiteral("888888");
    const auto record = [shownCodes](int k, const QString& code) {
        if (shownCodes)
            (*shownCodes)[static_cast<std::size_t>(k)] = code;
    };

    // The background has no hide code; "888888" keeps it, except on a question's first step.
    QString back = rec.BackPicture;
    if (back == keep && firstStep)
        back = QStringLiteral("310010");
    if (back != keep) {
        if (auto picture = stepPicture(back))
            window.setPicture(picture);
        record(0, back);
    }

    for (int k = 1; k <= 5; ++k) {
        const Overlay o = rec.overlay(k);
        vb::Image& img = *c.image(k);
        if (o.picture == u"000000") {
            img.setVisible(false);
            continue;
        }
        img.Move(scaledX(o.left), scaledY(o.top));
        if (o.picture != keep) {
            if (auto picture = stepPicture(o.picture))
                img.setPicture(picture);
            record(k, o.picture);
        }
        img.setVisible(true);
    }

    const Overlay six = rec.overlay(6);
    if (codes::num16(six.picture) == 0) {
        c.Image6->setVisible(false);
    } else {
        c.Image6->Move(scaledX(six.left), scaledY(six.top));
        if (six.picture != keep) {
            if (auto picture = stepPicture(six.picture))
                c.Image6->setPicture(picture);
            record(6, six.picture);
        }
        c.Image6->setVisible(true);
    }
}

namespace {

void layoutEditor(const StepControls& c, const StepRecord& rec, const FontColorTable& table)
{
    vb::TextBox& t = *c.Text1;
    if (!rec.hasEditor()) {
        t.setVisible(false);
        c.Text2->setVisible(false);
        return;
    }
    const double scale = S().ScaleX;
    t.setVisible(true);
    t.Move(scaledX(rec.EditorLeft), scaledY(rec.EditorTop), scaledX(rec.EditorWidth), scaledY(rec.EditorHeight));
    t.setText(tableTextOrEmpty(rec.EditorTextField));
    t.SetFocus();
    t.setSelStart(static_cast<int>(t.Text().size()));

    const EditorFormatSpec f = editorFormat(rec);
    t.setFontSize(9 * scale);
    t.setAlignment(f.align == EditorAlign::Right ? 1 : f.align == EditorAlign::Centre ? 2 : 0);
    t.setFontSize(f.pointSize * scale);
    if (f.style) {
        t.setFontBold((*f.style & 1) != 0);
        t.setFontItalic((*f.style & 2) != 0);
        t.setFontUnderline((*f.style & 4) != 0);
    }
    // Without a font-and-colour table at all the editor keeps a readable look: the toolkit's
    // font, black on white. In a table an empty or short colour entry reads 0 for every missing
    // number, and an empty font name keeps the font the editor has.
    if (!table.present) {
        t.setForeColor(Qt::black);
        t.setBackColor(Qt::white);
        return;
    }
    const QString font = table.fontName(f.fontDigit);
    if (!font.isEmpty())
        t.setFontName(font);
    t.setForeColor(table.foreColor(f.foreDigit));
    t.setBackColor(table.backColor(f.backDigit));
}

void layoutHint(const StepControls& c, const StepRecord& rec, StepVars v)
{
    if (rec.hintUnchanged())
        return;
    c.LHelp->Move(scaledX(rec.HintLeft), scaledY(rec.HintTop));
    const QString text = tableTextOrEmpty(rec.HintField);
    if (rec.HintField != u"000" || !v.keepHintTextForNoLine)
        v.hintText = text;
    c.LHelp->setCaption(text);
}

// The hint and the three frames shown only with hints on.
void showHintFrames(const StepControls& c, bool hintsOn)
{
    for (vb::Control* ctl : std::initializer_list<vb::Control*>{c.LHelp, c.Shape1, c.Shape2, c.Shape4})
        ctl->setVisible(hintsOn);
}

void layoutTarget1(const StepControls& c, const StepRecord& rec, StepVars v)
{
    vb::Label& l = *c.Label1;
    shrink(l);
    if (!rec.hasTarget1()) {
        l.setVisible(false);
        c.Shape1->setVisible(false);
    } else {
        l.setVisible(true);
        l.Move(scaledX(rec.Target1Left), scaledY(rec.Target1Top));
        v.target1Width = rec.Target1Width;
        v.target1Height = rec.Target1Height;
        l.setWidth(scaledX(v.target1Width));
        if (v.target1Height != 0) {
            l.setAutoSize(false);
            l.setHeight(scaledY(v.target1Height));
        } else {
            l.setAutoSize(true);
        }
        if (v.target1Height == 0) {
            shrink(l);
            c.Shape1->setVisible(false);
        }
    }
    setBounds(*c.Shape1, bounds(l));
}

// Target 1's frame, or for a dialog-tab step the tabs and the frame on the tab to choose.
void layoutTabsOrFrame(const StepControls& c, const StepRecord& rec, StepVars v, const TabLayoutTable& table)
{
    if (!rec.isDialogTab()) {
        setBounds(*c.Shape1, bounds(*c.Label1));
        return;
    }
    c.Shape4->setVisible(false);
    const int shown = tabNumber(field(rec.TabSpec, 3, 1));
    v.expectedTab = tabNumber(field(rec.TabSpec, 4, 1));
    v.dialogImage = codes::num16(field(rec.TabSpec, 5, 1));
    c.LHelp->setCaption(tabHint(v.expectedTab));
    // A letter outside A-U keeps the layout of the previous dialog step.
    if (auto layout = table.forLetter(field(rec.TabSpec, 2, 1)))
        v.tabLayout = *layout;
    if (vb::Image* dialog = c.image(v.dialogImage)) {
        v.dialogLeft = dialog->Left();
        v.dialogTop = dialog->Top();
        if (shown != v.expectedTab)
            if (auto picture = stepPicture(v.tabLayout.pagePicture(shown)))
                dialog->setPicture(picture);
    }

    auto& tabs = *c.LblXXK;
    v.tabCount = v.tabLayout.tabCount();
    for (int i = 0; i <= v.tabCount; ++i) {
        tabs(i).Move(-scaledX(1), scaledY(v.tabLayout.headerTop()) + v.dialogTop, 1,
                     scaledY(v.tabLayout.headerHeight()));
        tabs(i).setCaption(QString());
    }
    for (int i = 1; i <= v.tabCount; ++i) {
        tabs(i).setLeft(scaledX(v.tabLayout.headerLeft(i)) + v.dialogLeft);
        tabs(i).setWidth(scaledX(v.tabLayout.headerWidth(i)));
    }
    if (v.tabCount > 9) {
        tabs(13).setWidth(scaledX(1485));
        tabs(7).setWidth(scaledX(1050));
        v.tabRow = tabRow(shown);
        DoubleXXK(c, v);
    }
    const TabLayout& t = v.tabLayout;
    tabs(0).Move(scaledX(t.backLeft()) + v.dialogLeft, scaledY(t.backTop()) + v.dialogTop, scaledX(t.backWidth()),
                 scaledY(t.backHeight()));

    showTabState(c, v, shown == v.expectedTab);
}

// A combo step's field lies at the record's point.
void layoutCombo(const StepControls& c, const StepRecord& rec)
{
    if (!rec.isCombo())
        return;
    vb::Label& field0 = (*c.LblXXK)(0);
    field0.Move(scaledX(rec.PointX), scaledY(rec.PointY), scaledX(1095), scaledY(285));
    field0.setCaption(QString());
}

void layoutTarget2(const StepControls& c, const StepRecord& rec)
{
    vb::Label& l = *c.Label4;
    if (rec.hasTarget2()) {
        l.setVisible(true);
        l.Move(scaledX(rec.Target2Left), scaledY(rec.Target2Top), scaledX(rec.Target2Width),
               scaledY(rec.Target2Height));
    } else {
        l.Move(-1, l.Top(), 1, 1);
    }
    setBounds(*c.Shape4, bounds(l));
}

} // namespace

void layoutTargets(const StepControls& c, const StepRecord& rec, StepVars v, const FontColorTable& fonts,
                   const TabLayoutTable& tabs)
{
    layoutEditor(c, rec, fonts);
    layoutHint(c, rec, v);
    showHintFrames(c, S().DisplayMode == 1);
    layoutTarget1(c, rec, v);
    layoutTabsOrFrame(c, rec, v, tabs);
    layoutCombo(c, rec);
    layoutTarget2(c, rec);
}

void showTabState(const StepControls& c, StepVars v, bool onExpectedTab)
{
    if (onExpectedTab) {
        c.Label1->setHeight(scaledY(v.target1Height));
        c.Label1->setWidth(scaledX(v.target1Width));
        c.LHelp->setCaption(v.hintText);
        setBounds(*c.Shape1, bounds(*c.Label1));
    } else {
        c.LHelp->setCaption(tabHint(v.expectedTab));
        shrink(*c.Label1);
        if (c.LblXXK->exists(v.expectedTab))
            setBounds(*c.Shape1, bounds((*c.LblXXK)(v.expectedTab)));
    }
}

void DoubleXXK(const StepControls& c, StepVars v)
{
    const int top = scaledY(v.tabLayout.headerTop()) + v.dialogTop;
    const int lower = scaledY(v.tabLayout.headerTop() + 300) + v.dialogTop;
    // The row that holds the chosen tab lies next to the page.
    for (int i = 1; i <= v.tabCount; ++i) {
        const bool inChosenRow = v.tabRow == 2 ? i >= 8 : i <= 7;
        (*c.LblXXK)(i).setTop(inChosenRow ? lower : top);
    }
}

void shrinkTargetsForPictureDrag(const StepControls& c, const StepRecord& rec)
{
    if (!rec.OperationCode.startsWith(u"80"))
        return;
    shrink(*c.Label1);
    shrink(*c.Label4);
}

void layoutEditorVariants(const StepControls& c, const StepRecord& rec)
{
    vb::TextBox& t1 = *c.Text1;
    if (rec.OperationCode == u"0021") {
        c.Text2->setText(t1.Text());
        setBounds(*c.Text2, bounds(t1));
        c.Text2->setVisible(true);
        t1.setVisible(false);
    } else {
        c.Text2->setVisible(false);
    }
    if (rec.OperationCode == u"0027") {
        c.Shape1->setVisible(false);
        c.Text3->setText(t1.Text());
        setBounds(*c.Text3, bounds(t1));
        c.Text3->setFontSize(t1.FontSize());
        c.Text3->setForeColor(t1.ForeColor());
        c.Text3->setBackColor(t1.BackColor());
        c.Text3->setVisible(true);
        t1.setVisible(false);
    } else {
        c.Text3->setVisible(false);
    }
}

void layoutTyping(const StepControls& c, const StepRecord& rec)
{
    const TypingHint hint = typingHint(rec.OperationCode, c.LHelp->Caption());
    if (rec.OperationCode.startsWith(u"002")) {
        c.LHelp->setCaption(hint.caption);
        if (hint.frame == FrameRule::Hidden)
            c.Shape1->setVisible(false);
        else if (hint.frame == FrameRule::FollowsHint)
            c.Shape1->setVisible(c.LHelp->Visible());
        if (hint.clearSelection)
            c.Text1->setSelLength(0);
    }
    if (hint.showEditBar) {
        c.Text4->Move(scaledX(2880), scaledY(1560), scaledX(8865), scaledY(225));
        c.Text4->setFontSize(11 * S().ScaleX);
        c.Text4->setVisible(true);
    } else {
        c.Text4->setVisible(false);
    }
}

bool layoutList(const StepControls& c, const StepRecord& rec)
{
    const std::initializer_list<vb::Control*> parts{c.LstLA, c.PicLeft, c.PicRight, c.PicTop, c.PicBottom};
    vb::Label& field0 = (*c.LblXXK)(0);
    if (!rec.OperationCode.startsWith(u"L")) {
        for (vb::Control* ctl : parts)
            ctl->setVisible(false);
        field0.setCaption(QString());
        return false;
    }
    for (vb::Control* ctl : parts)
        ctl->setVisible(true);
    const QRect r = bounds(*c.Text1);
    vb::ListBox& list = *c.LstLA;
    setBounds(list, r);
    c.Text1->setVisible(false);
    const int ex = scaledX(15);
    const int ey = scaledY(15);
    c.PicLeft->Move(r.x(), r.y(), ex, r.height());
    c.PicRight->Move(r.x() + r.width() - ex, r.y(), ex, r.height());
    c.PicTop->Move(r.x(), r.y(), r.width(), ey);
    c.PicBottom->Move(r.x(), r.y() + r.height() - ey, r.width(), ey);

    list.Clear();
    // Without a text table the list stays empty: nothing can be chosen, nothing passes.
    if (const std::optional<QString> text = fieldText(S().TextTablePath, QStringView(rec.OperationCode).mid(1, 3)))
        for (const QString& item : listItems(*text))
            list.AddItem(item);
    bool passes = false;
    if (rec.EditorTextLine >= 0 && rec.EditorTextLine < list.ListCount()) {
        list.setListIndex(rec.EditorTextLine);
        passes = listChoicePasses(rec, rec.EditorTextLine);
    }
    field0.setCaption(list.Text());
    field0.setWidth(list.Width());
    return passes;
}

std::optional<int> layoutLocationList(const StepControls& c, const StepRecord& rec)
{
    if (!rec.OperationCode.startsWith(u"K")) {
        c.PicList->setVisible(false);
        return std::nullopt;
    }
    c.PicList->Move(c.Text1->Left(), c.Text1->Top());
    c.PicList->setVisible(true);
    return locationStartEntry(rec);
}

void selectLocationEntry(const StepControls& c, int index)
{
    if (const std::optional<int> left = locationFaceLeft(index)) {
        c.ImgSelAD->setLeft(scaledX(*left));
        c.ImgSelAD->setPicture((*c.ImgLiN)(index).Picture());
    }
    c.PicList->setHeight(scaledY(330));
}

void hideSmallFrame(const StepControls& c)
{
    if (c.Label1->Height() <= 10 || !c.Label1->Visible())
        c.Shape1->setVisible(false);
}

void applyPointer(vb::Control& target, const PointerSpec& spec)
{
    using Kind = PointerSpec::Kind;
    if (spec.kind == Kind::Standard) {
        target.setMousePointer(spec.shape);
        return;
    }
    if (spec.kind == Kind::File) {
        // A pointer file that cannot be read leaves the default pointer.
        if (std::optional<QCursor> cursor = vb::LoadCursor(spec.file)) {
            target.setMouseIcon(cursor);
            target.setMousePointer(vb::vbCustom);
            return;
        }
    }
    target.setMousePointer(vb::vbDefault);
}

void layoutZones(const StepControls& c, const StepRecord& rec)
{
    const ZonePanels z = zonePanels(rec);
    if (z.menu)
        c.PicMenu->setVisible(true);
    if (z.tool)
        c.PicTool->setVisible(true);
    if (z.hui)
        c.PicHui->setVisible(true);
    if (z.pane)
        c.PicElse->setVisible(true);
}

void breakHintLines(const StepControls& c)
{
    c.LHelp->setCaption(c.LHelp->Caption().replace(u'|', QStringLiteral("\r\n")));
}

} // namespace simwindow
