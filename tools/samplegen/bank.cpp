#include "bank.h"

#include "draw.h"
#include "panels.h"

#include <stdexcept>

namespace samplegen::bank {

namespace {

TwipsRect tw(const QRect& px) { return {twips(px.left()), twips(px.top()), twips(px.width()), twips(px.height())}; }

// Standard pointer 2 is the cross of the sheet; cursor file 01 the I-beam of the editors.
constexpr int CrossPointer = 2;
constexpr int IBeamFile = 1;

const QPoint FormatDialogAt(panels::DialogLeft, panels::DialogTop);
// Where the hint of a step without a target of its own stands (pixels of the window).
const QPoint AsideHint(430, 400);

QString viewKey(const sheet::View& v)
{
    QStringList parts{v.active, v.alsoSelected.join(u','), v.editing ? QStringLiteral("e") : QString(),
                      v.wholeColumns.join(QString())};
    for (const int r : v.wholeRows)
        parts << QString::number(r);
    for (const auto& [a, t] : v.entries)
        parts << a + u'=' + t;
    return QStringLiteral("view:") + parts.join(u'/');
}

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
    units_.back().push_back({text, {}});
    stepNo_ = 0;
    dialog_.reset();
    view(sheet::View{});
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

void Builder::view(const sheet::View& v) { back_ = picture(viewKey(v), sheet::window(v)); }

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

StepLine Builder::next(QStringView code)
{
    StepLine s;
    s.stepNumber(++stepNo_).zones(u"A7").code(code).background(back_);
    if (dialog_)
        s.overlay(2, twips(dialog_->pos.x()), twips(dialog_->pos.y()), dialog_->picture);
    return s;
}

void Builder::hintAt(StepLine& s, QPoint px, const QString& hint)
{
    // The hint label: bold 宋体 of 11 points, about 15 pixels a CJK character and 8 a Latin one,
    // 17 a line. The question panel stands at the window's bottom right.
    const QRect panel(468, 358, 332, 242);
    int width = 0;
    for (const QChar c : hint)
        width += c.unicode() < 0x80 ? 8 : 15;
    if (QRect(px, QSize(width, 17)).intersects(panel))
        px.setX(std::max(4, panel.left() - width - 6));
    s.hint(text(hint), twips(px.x()), twips(px.y()));
}

void Builder::hintBeside(StepLine& s, const QRect& px, const QString& hint)
{
    int left = px.right() + 10;
    if (left > 600)
        left = std::max(4, px.left() - 190);
    hintAt(s, QPoint(left, std::clamp(px.top(), 60, 520)), hint);
}

void Builder::push(StepLine s)
{
    if (units_.empty() || units_.back().empty())
        throw std::logic_error("a step outside a question");
    units_.back().back().steps.push_back(std::move(s));
}

void Builder::pointed(QStringView code, const QRect& px, const QString& hint, QChar jump, QChar pointerKind,
                      int pointerNumber)
{
    StepLine s = next(code);
    s.target1(tw(px), jump).pointer(pointerKind, pointerNumber);
    hintBeside(s, px, hint);
    push(s);
}

void Builder::click(const QRect& px, const QString& hint, QChar jump) { pointed(u"0001", px, hint, jump, u'S', CrossPointer); }

void Builder::doubleClick(const QRect& px, const QString& hint) { pointed(u"0002", px, hint, u'0', u'M', IBeamFile); }

void Builder::rightClick(const QRect& px, const QString& hint) { pointed(u"0003", px, hint, u'0', u'S', CrossPointer); }

void Builder::hover(const QRect& px, const QString& hint) { pointed(u"0030", px, hint, u'0', u'S', CrossPointer); }

void Builder::clickWith(int shift, int button, const QRect& px, const QString& hint)
{
    pointed(QStringLiteral("9%1%2").arg(shift).arg(button, 2, 10, QChar(u'0')), px, hint, u'0', u'S', CrossPointer);
}

void Builder::rangeDrag(const QRect& from, const QRect& to, int shift, const QString& hint)
{
    StepLine s = next(QStringLiteral("004%1").arg(shift));
    // "EE": a plain press on the start cell must not pass the step.
    s.zones(u"A7", u"EE").target2(tw(from)).target1(tw(to)).pointer(u'S', CrossPointer);
    hintBeside(s, to, hint);
    push(s);
}

StepLine Builder::aside(QStringView code, const QString& hint)
{
    StepLine s = next(code);
    hintAt(s, AsideHint, hint);
    return s;
}

void Builder::key(int code, const QString& hint) { push(aside(QString::number(code), hint)); }

void Builder::menu(const QString& target, const QString& hint)
{
    StepLine s = aside(u"7000", hint);
    s.menuTarget(125, target);
    push(s);
}

void Builder::paneChoice(int pane, QPoint px, const QString& target, const QString& hint)
{
    StepLine s = next(u"7000");
    s.zones(u"B7").pane(pane, twips(px.x()), twips(px.y())).menuTarget(125, target);
    hintAt(s, QPoint(430, 440), hint);
    push(s);
}

void Builder::context(const QRect& px, int code, const QString& hint)
{
    pointed(QString::number(code), px, hint, u'0', u'S', CrossPointer);
}

void Builder::toolbarContext(int code, const QString& hint) { push(aside(QString::number(code), hint)); }

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
    StepLine s = next(code);
    const int answerLine = text(answer);
    s.editor(tw(px)).texts(initial.isEmpty() ? 0 : text(initial), answerLine);
    if (!target.isNull())
        s.target1(tw(target));
    hintBeside(s, px, answer);
    push(s);
}

void Builder::selectText(const QRect& px, const QString& initial, const QString& part)
{
    StepLine s = next(u"0023");
    s.editor(tw(px)).texts(text(initial), 0);
    hintBeside(s, px, part);
    push(s);
}

void Builder::dialogTab(int shown, int expected, const QRect& inDialog, const QString& hint)
{
    StepLine s = next(u"0001");
    const QRect target = inDialog.translated(FormatDialogAt);
    s.overlay(2, twips(FormatDialogAt.x()), twips(FormatDialogAt.y()), panels::dialogPageCode(expected))
        .target1(tw(target))
        .dialogTabs(u'A', shown, expected, 2);
    hintAt(s, QPoint(FormatDialogAt.x() + panels::DialogWidth + 8, FormatDialogAt.y()), hint);
    push(s);
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
    hintBeside(s, QRect(px.left(), px.top(), panels::LocationListWidth, px.height()), hint);
    push(s);
}

void Builder::automatic(const QString& hint, const QString& picture, QPoint px)
{
    StepLine s = next(u"8888");
    if (!picture.isEmpty())
        s.overlay(1, twips(px.x()), twips(px.y()), picture);
    hintAt(s, AsideHint, hint);
    push(s);
}

void Builder::pictureDrag(int code, const QString& picture, QPoint from, QPoint past, const QString& hint)
{
    StepLine s = next(QString::number(code));
    s.dragPicture(twips(from.x()), twips(from.y()), picture).dragPoint(twips(past.x()), twips(past.y()));
    hintAt(s, AsideHint, hint);
    push(s);
}

void Builder::end()
{
    dialog_.reset();
    push(next(u"9999"));
}

QImage dialogPicture(const QString& title, QSize size, const std::vector<std::pair<QString, QRect>>& fields,
                     const std::vector<std::pair<QString, QRect>>& buttons)
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
    for (const auto& [label, r] : fields) {
        drawText(p, QRect(12, r.top(), r.left() - 16, r.height()), Qt::AlignVCenter | Qt::AlignLeft, label,
                 colours::Text, uiFont(12));
        field(p, r);
    }
    bool first = true;
    for (const auto& [caption, r] : buttons) {
        dialogButton(p, r, caption, first);
        first = false;
    }
    return image;
}

QImage chartPicture()
{
    QImage image = canvas(200, 130, Qt::white);
    QPainter p(&image);
    outline(p, image.rect(), Qt::black);
    drawText(p, QRect(0, 4, 200, 16), Qt::AlignCenter, QStringLiteral("成绩图表"), colours::Text, uiFont(12, true));
    const QColor bars[] = {QColor(153, 153, 255), QColor(153, 51, 102), QColor(255, 255, 204)};
    const int marks[5][3] = {{86, 92, 78}, {90, 85, 88}, {78, 95, 91}, {88, 76, 84}, {95, 89, 93}};
    p.setPen(QColor(128, 128, 128));
    p.drawLine(20, 110, 190, 110);
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 3; ++k) {
            const int h = (marks[r][k] - 60) * 2;
            const QRect bar(26 + r * 33 + k * 9, 110 - h, 8, h);
            p.fillRect(bar, bars[k]);
            outline(p, bar, Qt::black);
        }
    return image;
}

} // namespace samplegen::bank
