#include "bank.h"

#include "bars.h"
#include "draw.h"
#include "panels.h"

#include <QCryptographicHash>

#include <algorithm>
#include <stdexcept>

namespace samplegen::bank {

namespace {

TwipsRect tw(const QRect& px) { return {twips(px.left()), twips(px.top()), twips(px.width()), twips(px.height())}; }

// Standard pointer 2 is the cross of the sheet; cursor file 01 the I-beam of the editors.
constexpr int ArrowPointer = 1;
constexpr int CrossPointer = 2;
constexpr int IBeamFile = 1;

const QPoint FormatDialogAt(panels::DialogLeft, panels::DialogTop);
// Where the hint of a step without a target of its own stands (pixels of the window).
const QPoint AsideHint(430, 400);

// Pictures are shared by what they show: two states that draw alike give one picture.
QString imageKey(const QString& kind, const QImage& image)
{
    const QByteArray bits(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return kind + QString::fromLatin1(QCryptographicHash::hash(bits, QCryptographicHash::Sha1).toHex());
}

} // namespace

QString shownHint(QStringView code, const QString& hint)
{
    if (!code.startsWith(u"002"))
        return hint;
    QString c = hint;
    c.replace(u'|', QStringLiteral("或  "));
    if (code == u"0020" || code == u"0021")
        return QStringLiteral("输入 ") + c;
    if (code == u"0022")
        return QStringLiteral("输入 ") + c + QStringLiteral(" 并按回车键或点红色方框处");
    if (code == u"0024")
        return QStringLiteral("输入 ") + c + QStringLiteral(" 并按回车键");
    if (code == u"0023")
        return QStringLiteral("请选中 ") + c;
    if (code == u"0026")
        return QStringLiteral("输入 ") + c + QStringLiteral(" 并点击红色方框处");
    if (code == u"0028")
        return QStringLiteral("在单元格或编辑栏中输入 ") + c + QStringLiteral(" 并按回车键或点编辑区或点“√”");
    return c;
}

QSize hintSize(const QString& shown)
{
    int width = 0;
    const QStringList lines = shown.split(u'|');
    for (const QString& line : lines) {
        int w = 0;
        for (const QChar c : line)
            w += c.unicode() < 0x80 ? 8 : 16;
        width = std::max(width, w);
    }
    return {width, 18 * static_cast<int>(lines.size())};
}

namespace {

// The hint label lies under the bar panels, which are windows of their own: hints stand between
// the toolbars and the drawing toolbar.
constexpr int HintsTop = bars::ToolBarsTop + bars::ToolBarsHeight + 2;
constexpr int HintsBottom = bars::DrawingBarTop - 3;

// The question panel at the window's bottom right, where it docks on a screen of 1024 x 768;
// on a smaller screen the window fills it and the panel docks further right.
const QRect QuestionPanel(468, 358, 332, 242);

} // namespace

QRect cell(QStringView address)
{
    const auto r = sheet::cellRect(address);
    if (!r)
        throw std::invalid_argument("a task names a cell outside the drawn sheet");
    return *r;
}

QRect range(QStringView from, QStringView to) { return cell(from).united(cell(to)); }

Builder::Builder(int firstTextLine) : firstTextLine_(firstTextLine) {}

void Builder::unit() { units_.emplace_back(); }

void Builder::question(const QString& text)
{
    if (units_.empty())
        unit();
    units_.back().push_back({text, {}, {}});
    stepNo_ = 0;
    state_ = model::State{};
}

QString Builder::picture(const QString& key, const QImage& image)
{
    const auto it = pictureCodes_.find(key);
    if (it != pictureCodes_.end())
        return it->second;
    // The units' pictures are numbered from 320001 on, apart from the hand-drawn session's.
    const QString code = QStringLiteral("32%1").arg(pictureCodes_.size() + 1, 4, 10, QChar(u'0'));
    pictureCodes_.emplace(key, code);
    pictures_.emplace_back(code, image);
    return code;
}

void Builder::after(const std::vector<model::Change>& changes)
{
    if (units_.empty() || units_.back().empty() || units_.back().back().trace.empty())
        throw std::logic_error("a change before any action");
    auto& last = units_.back().back().trace.back().changes;
    last.insert(last.end(), changes.begin(), changes.end());
}

void Builder::noDialog()
{
    after(model::closeDialog(state_));
    auto& last = units_.back().back().trace.back().changes;
    std::erase_if(last, [](const model::Change& c) { return c.kind == model::Change::Kind::FieldText; });
}

QString Builder::dialogPictureCode(const Dialog& d)
{
    const QImage image = dialogPicture(d.title, d.size, d.fields, d.buttons, d.values, d.lists);
    return picture(imageKey(QStringLiteral("dialog:"), image), image);
}

int Builder::text(const QString& t)
{
    const qsizetype at = texts_.indexOf(t);
    if (at >= 0)
        return firstTextLine_ + static_cast<int>(at);
    texts_ << t;
    if (firstTextLine_ + texts_.size() - 1 > 999)
        throw std::invalid_argument("the text table holds at most 999 lines");
    return firstTextLine_ + static_cast<int>(texts_.size()) - 1;
}

StepLine Builder::next(QStringView code, const model::State* drawFrom)
{
    drawnFrom_ = drawFrom ? *drawFrom : state_;
    const QImage back = sheet::window(drawnFrom_.view);
    const int panels = sheet::barPanels(drawnFrom_.view);
    StepLine s;
    s.stepNumber(++stepNo_).zones(QStringLiteral("A%1").arg(panels)).code(code).background(picture(imageKey(QStringLiteral("view:"), back), back));
    if (drawnFrom_.dialog)
        s.overlay(2, twips(drawnFrom_.dialog->pos.x()), twips(drawnFrom_.dialog->pos.y()), dialogPictureCode(*drawnFrom_.dialog));
    return s;
}

void Builder::hintAt(StepLine& s, QPoint px, const QString& hint)
{
    // The question panel stands at the window's bottom right; the hint ends before it, and
    // inside the window.
    const QSize size = hintSize(shownHint(s.text().mid(7, 4), hint));
    const int width = size.width();
    if (QRect(px, size).intersects(QuestionPanel))
        px.setX(std::max(4, QuestionPanel.left() - width - 6));
    px.setX(std::max(4, std::min(px.x(), sheet::Width - 4 - width)));
    s.hint(text(hint), twips(px.x()), twips(px.y()));
}

void Builder::hintBeside(StepLine& s, const QRect& px, const QString& hint, const std::vector<QRect>& clear)
{
    // The hint stands beside what the step is done on and never over it: neither over the
    // target, its red frame and the editor, nor over the other places the step names (the
    // button that ends a typing step, where a drag starts, a list that opens).
    QRect all = px;
    for (const QRect& r : clear)
        all = all.united(r);
    const QSize size = hintSize(shownHint(s.text().mid(7, 4), hint));
    const auto fits = [&](const QRect& h, bool besidePanel) {
        if (h.left() < 4 || h.right() > sheet::Width - 4 || h.top() < HintsTop || h.bottom() > HintsBottom)
            return false;
        if (besidePanel && h.intersects(QuestionPanel))
            return false;
        if (h.intersects(px.adjusted(-3, -3, 3, 3)))
            return false;
        return std::none_of(clear.begin(), clear.end(), [&](const QRect& r) { return h.intersects(r.adjusted(-3, -3, 3, 3)); });
    };
    // Right of it, left of it, under it, over it; on a line of its own the hint moves along to
    // stay inside the window and clear of the question panel.
    const int top = std::clamp(px.top(), HintsTop, HintsBottom - size.height());
    const std::vector<int> lefts = {px.left(), sheet::Width - 4 - size.width(), QuestionPanel.left() - 6 - size.width(), 4};
    std::vector<QPoint> places = {{all.right() + 10, top}, {all.left() - 10 - size.width(), top}};
    for (const int y : {all.bottom() + 6, all.top() - 6 - size.height()})
        for (const int x : lefts)
            places.emplace_back(x, y);
    for (const bool besidePanel : {true, false})
        for (const QPoint& at : places)
            if (fits(QRect(at, size), besidePanel)) {
                s.hint(text(hint), twips(at.x()), twips(at.y()));
                return;
            }
    throw std::logic_error("no place beside its target for the hint " + hint.toStdString());
}

void Builder::push(StepLine s)
{
    if (units_.empty() || units_.back().empty())
        throw std::logic_error("a step outside a question");
    Question& q = units_.back().back();
    // A forward jump letter on target 1 moves past the following steps.
    const QChar jump = s.text().at(70);
    const int advance = jump >= u'A' && jump <= u'Z' ? jump.unicode() - u'A' + 1 : 1;
    q.trace.push_back({s.text().mid(7, 4), advance, drawnFrom_, {}});
    q.steps.push_back(std::move(s));
}

void Builder::pointed(QStringView code, const QRect& px, const QString& hint, QChar jump, QChar pointerKind,
                      int pointerNumber)
{
    StepLine s = next(code);
    s.target1(tw(px), jump).pointer(pointerKind, pointerNumber);
    hintBeside(s, px, hint);
    push(s);
}

void Builder::click(const QRect& px, const QString& hint, QChar jump)
{
    pointed(u"0001", px, hint, jump, u'S', CrossPointer);
    if (const auto c = model::cellAt(px))
        after(model::activate(state_, *c));
    for (char16_t column = u'A'; column <= u'L'; ++column)
        if (px == sheet::columnHeaderRect(QChar(column)))
            after(model::selectColumn(state_, QChar(column)));
}

void Builder::doubleClick(const QRect& px, const QString& hint)
{
    pointed(u"0002", px, hint, u'0', u'M', IBeamFile);
    if (const auto c = model::cellAt(px))
        after(model::edit(state_, *c));
}

void Builder::rightClick(const QRect& px, const QString& hint) { pointed(u"0003", px, hint, u'0', u'S', CrossPointer); }

void Builder::hover(const QRect& px, const QString& hint) { pointed(u"0030", px, hint, u'0', u'S', CrossPointer); }

void Builder::clickWith(int shift, int button, const QRect& px, const QString& hint)
{
    pointed(QStringLiteral("9%1%2").arg(shift).arg(button, 2, 10, QChar(u'0')), px, hint, u'0', u'S', CrossPointer);
    const auto c = model::cellAt(px);
    if (!c)
        return;
    // Shift extends the selection from the active cell; Ctrl adds the cell to it.
    if (shift & 1)
        after(model::select(state_, state_.view.active, *c));
    else if (shift & 2)
        after(model::select(state_, *c, *c, true));
}

void Builder::rangeDrag(const QRect& from, const QRect& to, int shift, const QString& hint)
{
    StepLine s = next(QStringLiteral("004%1").arg(shift));
    // "EE": a plain press on the start cell must not pass the step.
    s.zones(u"A7", u"EE").target2(tw(from)).target1(tw(to)).pointer(u'S', CrossPointer);
    hintBeside(s, to, hint, {from.united(to)});
    push(s);
    const auto a = model::cellAt(from);
    const auto b = model::cellAt(to);
    if (a && b)
        after(model::select(state_, *a, *b, (shift & 2) != 0));
}

StepLine Builder::aside(QStringView code, const QString& hint)
{
    StepLine s = next(code);
    hintAt(s, AsideHint, hint);
    return s;
}

void Builder::key(int code, const QString& hint, const QList<int>& alternatives)
{
    StepLine s = aside(QString::number(code), hint);
    if (!alternatives.isEmpty())
        s.altKeys(alternatives);
    push(s);
}

void Builder::menu(const QString& target, const QString& hint)
{
    StepLine s = aside(u"7000", hint);
    s.menuTarget(125, target);
    // A button of the toolbars needs their panel, with its hot spots, even where the state's
    // boxes read otherwise than its picture.
    const int element = target.mid(1, 2).toInt();
    if (element >= 41 && element <= 86 && state_.view.formatBar)
        s.zones(QStringLiteral("A%1").arg(sheet::barPanels(state_.view) | 2));
    push(s);
}

void Builder::paneChoice(QPoint px, const QString& target, const QString& hint)
{
    StepLine s = next(u"7000");
    s.zones(u"B7").pane(target, twips(px.x()), twips(px.y()));
    hintAt(s, QPoint(430, 440), hint);
    push(s);
}

void Builder::context(const QRect& px, int code, const QString& hint)
{
    pointed(QString::number(code), px, hint, u'0', u'S', CrossPointer);
}

void Builder::toolbarContext(int code, const QString& hint)
{
    pointed(QString::number(code), bars::toolBarsDock(state_.view.formatBar), hint, u'0', u'S', ArrowPointer);
}

void Builder::routedContext(const QRect& px, int code, const QString& hint)
{
    StepLine s = next(u"0003");
    s.target1(tw(px)).route(code);
    hintBeside(s, px, hint);
    push(s);
}

void Builder::type(const QString& code, const QRect& px, const QString& answer, const QString& initial,
                   const QRect& target)
{
    if (const auto c = model::cellAt(px); c && initial.isEmpty())
        model::startTyping(state_, *c);
    StepLine s = next(code);
    const int answerLine = text(answer);
    // The editor grows past a narrow cell to hold the longest answer whole at its 9 points of
    // 宋体 (12 pixels a CJK character, 6 a Latin one) with room for the caret, as the real
    // program's cell editor grows while one types.
    QRect editor = px;
    for (const QString& alternative : answer.split(u'|')) {
        int width = 8;
        for (const QChar c : alternative)
            width += c.unicode() < 0x80 ? 6 : 12;
        editor.setWidth(std::max(editor.width(), width));
    }
    s.editor(tw(editor)).texts(initial.isEmpty() ? 0 : text(initial), answerLine);
    if (!target.isNull())
        s.target1(tw(target));
    std::vector<QRect> clear{editor};
    if (!target.isNull())
        clear.push_back(target);
    hintBeside(s, px, answer, clear);
    push(s);
    // The first answer is what the candidate is shown typing.
    const QString typed = answer.section(u'|', 0, 0);
    if (const auto c = model::cellAt(px)) {
        after(model::setText(state_, *c, typed));
        // Text typed without Enter stays in the cell's editor.
        if (code == u"0020" || code == u"0025") {
            state_.view.active = *c;
            state_.view.editing = true;
        }
    } else if (state_.dialog && state_.dialog->fieldAt(px) >= 0) {
        after(model::typeIntoField(state_, state_.dialog->fieldAt(px), typed));
    } else if (px == sheet::nameBoxRect()) {
        after(model::activate(state_, typed));
    }
    if (const auto c = model::cellAt(target))
        after(model::activate(state_, *c));
}

void Builder::noteEditor()
{
    // Background 5 is entry 25 of the font-and-colour table, light yellow (255, 255, 153).
    if (units_.empty() || units_.back().empty() || units_.back().back().steps.empty())
        throw std::logic_error("a note editor before any step");
    units_.back().back().steps.back().editorLook(90, 0, 0, 5);
}

void Builder::selectText(const QRect& px, const QString& initial, const QString& part)
{
    StepLine s = next(u"0023");
    s.editor(tw(px)).texts(text(initial), 0);
    hintBeside(s, px, part);
    push(s);
    after(model::selectText(state_, state_.view.active, part));
}

void Builder::dialogTab(int shown, int expected, const QRect& inDialog, const QString& hint)
{
    StepLine s = next(u"0001");
    const QRect target = inDialog.translated(FormatDialogAt);
    // The layout of the dialog as it stands: its merge box ticked or not, its 示例 the active
    // cell's value.
    const bool ticked = state_.mergeTicked;
    const auto sample = panels::sampleOf(sheet::shownText(state_.view.cells, state_.view.active));
    if (!sample)
        throw std::invalid_argument("the format dialog has no layout with the active cell's value as its 示例");
    s.overlay(2, twips(FormatDialogAt.x()), twips(FormatDialogAt.y()), panels::dialogPageCode(expected, ticked, *sample))
        .target1(tw(target))
        .dialogTabs(panels::layoutLetter(ticked, *sample), shown, expected, 2);
    hintAt(s, QPoint(FormatDialogAt.x() + panels::DialogWidth + 8, HintsTop), hint);
    push(s);
    if (inDialog == panels::dialogOkButton()) {
        const bool merging = state_.mergeTicked;
        after(model::closeDialog(state_));
        if (merging)
            after(model::merge(state_));
    } else if (inDialog == panels::mergeBox()) {
        after(model::tickMerge(state_));
    }
}

void Builder::list(const QRect& px, const QStringList& items, int first, int answer, const QString& hint)
{
    StepLine s = next(QStringLiteral("L%1").arg(text(items.join(u'|')), 3, 10, QChar(u'0')));
    s.editor(tw(px)).texts(first, answer);
    hintBeside(s, px, hint);
    push(s);
}

void Builder::location(const QRect& px, int shown, int entry, const QString& hint)
{
    StepLine s = next(QStringLiteral("K%1%2").arg(shown).arg(entry, 2, 10, QChar(u'0')));
    s.editor(tw(px));
    // The list opens under its box, and the entry to choose lies in it.
    hintBeside(s, QRect(px.left(), px.top(), panels::LocationListWidth, px.height()), hint,
               {QRect(px.left(), px.top(), panels::LocationListWidth, px.height() + panels::LocationListHeight)});
    push(s);
    if (state_.dialog)
        after(model::typeIntoField(state_, state_.dialog->fieldAt(px), panels::locationEntry(entry)));
}

void Builder::automatic(const QString& hint, const QString& picture, QPoint px)
{
    StepLine s = next(u"8888");
    if (!picture.isEmpty())
        s.overlay(1, twips(px.x()), twips(px.y()), picture);
    hintAt(s, AsideHint, hint);
    push(s);
    stays(QStringLiteral("moves on by itself"));
}

void Builder::pictureDrag(int code, const QString& picture, QPoint from, int past, const QString& hint)
{
    // The picture is the step's own (Image5): the background shows the sheet without it.
    model::State without = state_;
    without.view.chart.reset();
    StepLine s = next(QString::number(code), &without);
    // Only the axis that the code tests carries the point: the other stays 0, so that the
    // demonstration keeps the picture's centre on it.
    const bool across = code == 8001 || code == 8002;
    s.dragPicture(twips(from.x()), twips(from.y()), picture).dragPoint(across ? twips(past) : 0, across ? 0 : twips(past));
    hintAt(s, AsideHint, hint);
    push(s);
    // A drag that passes snaps the picture's edge to the point.
    after(model::moveChart(state_, across ? QPoint(past, from.y()) : QPoint(from.x(), past)));
}

void Builder::end() { push(next(u"9999")); }

QImage dialogPicture(const QString& title, QSize size, const std::vector<std::pair<QString, QRect>>& fields,
                     const std::vector<std::pair<QString, QRect>>& buttons, const std::map<int, QString>& values,
                     const std::vector<int>& lists)
{
    QImage image = canvas(size.width(), size.height(), colours::DialogFace);
    QPainter p(&image);
    fillVertical(p, QRect(0, 0, size.width(), 25), colours::TitleLight, colours::TitleDark);
    drawText(p, QRect(8, 0, size.width() - 40, 25), Qt::AlignVCenter | Qt::AlignLeft, title, Qt::white, uiFont(13, true));
    const QRect close(size.width() - 24, 3, 19, 19);
    fillVertical(p, close, QColor(230, 120, 90), QColor(200, 60, 30));
    outline(p, close, Qt::white);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(close.left() + 5, close.top() + 5, close.right() - 5, close.bottom() - 5);
    p.drawLine(close.right() - 5, close.top() + 5, close.left() + 5, close.bottom() - 5);
    outline(p, QRect(0, 0, size.width(), size.height()), colours::TitleDark);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& [label, r] = fields[i];
        drawText(p, QRect(12, r.top(), r.left() - 16, r.height()), Qt::AlignVCenter | Qt::AlignLeft, label,
                 colours::Text, uiFont(12));
        const auto value = values.find(static_cast<int>(i));
        const bool list = std::find(lists.begin(), lists.end(), static_cast<int>(i)) != lists.end();
        field(p, r, value == values.end() ? QString() : value->second, list);
    }
    bool first = true;
    for (const auto& [caption, r] : buttons) {
        dialogButton(p, r, caption, first);
        first = false;
    }
    return image;
}

} // namespace samplegen::bank
