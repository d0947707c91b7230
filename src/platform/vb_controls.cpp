#include "platform/vb_controls.h"

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/vb_hosted.h"
#include "platform/vb_units.h"
#include "platform/web_page.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextEdit>
#include <QUrl>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace vb {

using detail::Canvas;
using detail::Hosted;
using detail::HostedArea;

namespace {

// The old captions end lines with CR LF or CR alone; Qt draws line feeds.
QString drawable(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

Qt::Alignment horizontal(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

Qt::PenStyle penStyle(int borderStyle)
{
    switch (borderStyle) {
    case 0: return Qt::NoPen;
    case 2: return Qt::DashLine;
    case 3: return Qt::DotLine;
    case 4: return Qt::DashDotLine;
    case 5: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

int twW(int px) { return qRound(twX(px)); }
int twH(int px) { return qRound(twY(px)); }

} // namespace

// ---------------------------------------------------------------------------------------------
// The kinds' shared bases

void DrawnControl::attachCanvas()
{
    auto* w = new Canvas(Container()->containerWidget());
    w->setFocusPolicy(Qt::NoFocus);
    attach(w, w);
}

void ButtonControl::attachButton(QAbstractButton* button, detail::HostLink* link)
{
    button->setFocusPolicy(Qt::StrongFocus);
    button_ = button;
    attach(button, link);
}

QString ButtonControl::Caption() const { return button_->text(); }
void ButtonControl::setCaption(const QString& caption) { button_->setText(caption); }

void LineArt::setBorderColor(const QColor& c)
{
    borderColor_ = c;
    widget()->update();
}

void LineArt::setBorderWidth(int px)
{
    borderWidth_ = std::max(0, px);
    applyGeometry(); // a line's widget grows with its width
    widget()->update();
}

void LineArt::setBorderStyle(int style)
{
    borderStyle_ = style;
    widget()->update();
}

void LineArt::copyBorderFrom(const LineArt& o)
{
    borderWidth_ = o.borderWidth_;
    borderStyle_ = o.borderStyle_;
    borderColor_ = o.borderColor_;
}

std::optional<QPen> LineArt::borderPen() const
{
    if (borderStyle_ == 0 || borderWidth_ == 0)
        return std::nullopt;
    return QPen(borderColor_, borderWidth_, penStyle(borderStyle_));
}

// ---------------------------------------------------------------------------------------------
// Label

Label::Label(vb::Container* container) : DrawnControl(container) { attachCanvas(); }

Control* Label::clone() const
{
    auto* c = new Label(Container());
    c->copyBaseFrom(*this);
    c->caption_ = caption_;
    c->autoSize_ = autoSize_;
    c->wordWrap_ = wordWrap_;
    c->backStyle_ = backStyle_;
    c->alignment_ = alignment_;
    c->borderStyle_ = borderStyle_;
    c->fit();
    return c;
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    fit();
    widget()->update();
}

void Label::setAutoSize(bool on)
{
    autoSize_ = on;
    fit();
}

void Label::setWordWrap(bool on)
{
    wordWrap_ = on;
    fit();
    widget()->update();
}

void Label::setBackStyle(int style)
{
    backStyle_ = style;
    widget()->update();
}

void Label::setAlignment(int alignment)
{
    alignment_ = alignment;
    widget()->update();
}

void Label::setBorderStyle(int style)
{
    borderStyle_ = style;
    fit();
    widget()->update();
}

void Label::applyFont()
{
    Control::applyFont();
    fit();
}

void Label::fit()
{
    if (!autoSize_ || !widget())
        return;
    const QFontMetrics fm(widget()->font());
    const QString text = drawable(caption_);
    const int border = borderStyle_ == 1 ? 2 : 0;
    const int flags = Qt::TextShowMnemonic | int(horizontal(alignment_));
    if (wordWrap_) {
        const int width = std::max(1, pxX(Width()) - 2 * border);
        const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), flags | Qt::TextWordWrap, text);
        setSizeTw(Width(), twH(std::max(r.height(), fm.height()) + 2 * border));
    } else {
        const QRect r = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), flags, text);
        setSizeTw(twW(r.width() + 2 * border), twH(std::max(r.height(), fm.height()) + 2 * border));
    }
}

int Label::TextWidth(const QString& text) const
{
    return widget() ? twW(QFontMetrics(widget()->font()).horizontalAdvance(text)) : 0;
}

void Label::paint(QPainter& p)
{
    const QRect r = widget()->rect();
    if (backStyle_ == 1)
        p.fillRect(r, BackColor());
    QRect textRect = r;
    if (borderStyle_ == 1) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        textRect = r.adjusted(2, 2, -2, -2);
    }
    p.setFont(widget()->font());
    p.setPen(Enabled() ? ForeColor() : QColor(128, 128, 128));
    p.drawText(textRect, int(horizontal(alignment_)) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, drawable(caption_));
}

// ---------------------------------------------------------------------------------------------
// Image

Image::Image(vb::Container* container) : DrawnControl(container) { attachCanvas(); }

Control* Image::clone() const
{
    auto* c = new Image(Container());
    c->copyBaseFrom(*this);
    c->picture_ = picture_;
    c->stretch_ = stretch_;
    c->fit();
    return c;
}

void Image::setPicture(std::optional<QPixmap> picture)
{
    picture_.set(std::move(picture));
    pictureChanged();
}

void Image::setPicture(const PictureFile& file)
{
    picture_.set(file);
    pictureChanged();
}

void Image::setStretch(bool on)
{
    stretch_ = on;
    pictureChanged();
}

void Image::pictureChanged()
{
    fit();
    applyGeometry();
    widget()->update();
}

void Image::fit()
{
    if (!stretch_ && picture_.has())
        setSizeTw(twW(picture_.size().width()), twH(picture_.size().height()));
}

void Image::applyGeometry()
{
    DrawnControl::applyGeometry();
    // An opaque picture that fills the control hides what lies beneath it, which is then not
    // drawn (nor a picture there decoded).
    if (QWidget* w = widget()) {
        const bool opaque = picture_.isDecoded() && picture_.get() && !picture_.get()->hasAlphaChannel()
            && (stretch_ || picture_.size() == w->size());
        w->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    }
}

void Image::paint(QPainter& p)
{
    const std::optional<QPixmap>& picture = picture_.get();
    if (picture_.takeResized()) // the file changed since its check: its new size, once drawn
        QMetaObject::invokeMethod(widget(), [this] { pictureChanged(); }, Qt::QueuedConnection);
    if (!picture)
        return;
    if (stretch_)
        p.drawPixmap(widget()->rect(), *picture);
    else
        p.drawPixmap(0, 0, *picture);
}

// ---------------------------------------------------------------------------------------------
// PictureBox

PictureBox::PictureBox(vb::Container* container) : ContainerControl(container)
{
    auto* w = new Canvas(container->containerWidget());
    w->setFocusPolicy(Qt::StrongFocus);
    attach(w, w);
}

Control* PictureBox::clone() const
{
    auto* c = new PictureBox(Control::Container());
    c->copyBaseFrom(*this);
    c->picture_ = picture_;
    c->autoSize_ = autoSize_;
    c->borderStyle_ = borderStyle_;
    c->fit();
    return c;
}

QPoint PictureBox::clientOffset() const { return borderStyle_ == 1 ? QPoint(2, 2) : QPoint(); }

void PictureBox::setPicture(std::optional<QPixmap> picture)
{
    picture_.set(std::move(picture));
    pictureChanged();
}

void PictureBox::setPicture(const PictureFile& file)
{
    picture_.set(file);
    pictureChanged();
}

void PictureBox::pictureChanged()
{
    fit();
    widget()->update();
}

void PictureBox::setAutoSize(bool on)
{
    autoSize_ = on;
    fit();
}

void PictureBox::setBorderStyle(int style)
{
    borderStyle_ = style;
    // The children keep their twips relative to the client area, which moved.
    for (Control* c : Controls())
        c->Move(c->Left(), c->Top());
    fit();
    widget()->update();
}

int PictureBox::ScaleWidth() const { return std::max(0, Width() - twW(2 * clientOffset().x())); }
int PictureBox::ScaleHeight() const { return std::max(0, Height() - twH(2 * clientOffset().y())); }

void PictureBox::fit()
{
    if (autoSize_ && picture_.has()) {
        const QPoint o = clientOffset();
        const QSize size = picture_.size();
        setSizeTw(twW(size.width() + 2 * o.x()), twH(size.height() + 2 * o.y()));
    }
}

void PictureBox::paint(QPainter& p)
{
    const QRect r = widget()->rect();
    p.fillRect(r, BackColor());
    const QPoint o = clientOffset();
    const std::optional<QPixmap>& picture = picture_.get();
    if (picture_.takeResized()) // the file changed since its check: its new size, once drawn
        QMetaObject::invokeMethod(widget(), [this] { pictureChanged(); }, Qt::QueuedConnection);
    if (picture)
        p.drawPixmap(o, *picture);
    if (borderStyle_ == 1) {
        // The old sunken single border: dark outside, darker inside on the top-left edges.
        p.setPen(QColor(160, 160, 160));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(255, 255, 255));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(QColor(105, 105, 105));
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    }
}

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(vb::Container* container) : Control(container)
{
    setBackColor(QColor(255, 255, 255));
    build();
}

void TextBox::build()
{
    QWidget* parent = Control::Container()->containerWidget();
    QWidget* w = nullptr;
    detail::HostLink* link = nullptr;
    QString text;
    if (line_)
        text = line_->text();
    else if (multi_)
        text = multi_->toPlainText();
    if (multiLine_) {
        auto* e = new HostedArea<QPlainTextEdit>(parent);
        e->setPlainText(text);
        connect(e, &QPlainTextEdit::textChanged, this, [this] { raise(Change); });
        multi_ = e;
        line_ = nullptr;
        w = e;
        link = e;
    } else {
        auto* e = new Hosted<QLineEdit>(parent);
        e->setText(text);
        connect(e, &QLineEdit::textChanged, this, [this] { raise(Change); });
        line_ = e;
        multi_ = nullptr;
        w = e;
        link = e;
    }
    w->setFocusPolicy(Qt::StrongFocus);
    if (widget())
        replaceWidget(w, link);
    else
        attach(w, link);
    applyOptions();
}

Control* TextBox::clone() const
{
    auto* c = new TextBox(Container());
    c->copyBaseFrom(*this);
    c->alignment_ = alignment_;
    c->borderStyle_ = borderStyle_;
    c->scrollBars_ = scrollBars_;
    c->locked_ = locked_;
    c->maxLength_ = maxLength_;
    if (multiLine_)
        c->setMultiLine(true);
    c->applyOptions();
    c->setText(Text());
    return c;
}

void TextBox::applyOptions()
{
    if (line_) {
        line_->setReadOnly(locked_);
        line_->setAlignment(horizontal(alignment_) | Qt::AlignVCenter);
        line_->setFrame(borderStyle_ != 0);
        line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    } else if (multi_) {
        multi_->setReadOnly(locked_);
        multi_->setFrameShape(borderStyle_ != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        multi_->setVerticalScrollBarPolicy(scrollBars_ & 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        multi_->setHorizontalScrollBarPolicy(scrollBars_ & 1 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        multi_->setLineWrapMode(scrollBars_ & 1 ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }
}

QString TextBox::Text() const
{
    if (line_)
        return line_->text();
    QString t = multi_->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

void TextBox::setText(const QString& text)
{
    if (Text() == text)
        return;
    if (line_) {
        line_->setText(text);
    } else {
        multi_->setPlainText(drawable(text));
    }
}

int TextBox::SelStart() const
{
    if (line_)
        return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return multi_->textCursor().selectionStart();
}

void TextBox::setSelStart(int start)
{
    if (line_) {
        line_->setCursorPosition(std::clamp(start, 0, int(line_->text().size())));
    } else {
        QTextCursor c = multi_->textCursor();
        c.setPosition(std::clamp(start, 0, int(multi_->toPlainText().size())));
        multi_->setTextCursor(c);
    }
}

int TextBox::SelLength() const
{
    if (line_)
        return int(line_->selectedText().size());
    const QTextCursor c = multi_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    if (line_) {
        const int n = std::clamp(length, 0, int(line_->text().size()) - start);
        line_->setSelection(start, n);
    } else {
        QTextCursor c = multi_->textCursor();
        const int n = std::clamp(length, 0, int(multi_->toPlainText().size()) - start);
        c.setPosition(start);
        c.setPosition(start + n, QTextCursor::KeepAnchor);
        multi_->setTextCursor(c);
    }
}

QString TextBox::SelText() const
{
    if (line_)
        return line_->selectedText();
    return multi_->textCursor().selectedText();
}

void TextBox::setSelText(const QString& text)
{
    if (line_)
        line_->insert(text);
    else
        multi_->textCursor().insertText(drawable(text));
}

void TextBox::setAlignment(int alignment)
{
    alignment_ = alignment;
    applyOptions();
}

void TextBox::setMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    applyOptions();
}

void TextBox::setMultiLine(bool on)
{
    if (on == multiLine_)
        return;
    multiLine_ = on;
    build();
}

void TextBox::setLocked(bool on)
{
    locked_ = on;
    applyOptions();
}

void TextBox::setBorderStyle(int style)
{
    borderStyle_ = style;
    applyOptions();
}

void TextBox::setScrollBars(int bars)
{
    scrollBars_ = bars;
    applyOptions();
}

// ---------------------------------------------------------------------------------------------
// Frame

Frame::Frame(vb::Container* container) : ContainerControl(container)
{
    auto* w = new Hosted<QGroupBox>(container->containerWidget());
    w->setFocusPolicy(Qt::NoFocus);
    box_ = w;
    attach(w, w);
}

Control* Frame::clone() const
{
    auto* c = new Frame(Control::Container());
    c->copyBaseFrom(*this);
    c->setCaption(Caption());
    c->setBorderStyle(borderStyle_);
    return c;
}

QString Frame::Caption() const { return box_->title(); }
void Frame::setCaption(const QString& caption) { box_->setTitle(caption); }

void Frame::setBorderStyle(int style)
{
    borderStyle_ = style;
    box_->setFlat(style == 0);
}

// ---------------------------------------------------------------------------------------------
// CommandButton

CommandButton::CommandButton(vb::Container* container) : ButtonControl(container)
{
    auto* w = new Hosted<QPushButton>(container->containerWidget());
    connect(w, &QPushButton::clicked, this, [this] { raise(Click); });
    attachButton(w, w);
}

Control* CommandButton::clone() const
{
    auto* c = new CommandButton(Container());
    c->copyBaseFrom(*this);
    c->setCaption(Caption());
    return c;
}

// ---------------------------------------------------------------------------------------------
// CheckBox

CheckBox::CheckBox(vb::Container* container) : ButtonControl(container)
{
    auto* w = new Hosted<QCheckBox>(container->containerWidget());
    box_ = w;
    connect(w, &QCheckBox::stateChanged, this, [this] { raise(Click); });
    attachButton(w, w);
}

Control* CheckBox::clone() const
{
    auto* c = new CheckBox(Container());
    c->copyBaseFrom(*this);
    c->setCaption(Caption());
    const QSignalBlocker block(c->box_);
    c->box_->setCheckState(box_->checkState());
    return c;
}

int CheckBox::Value() const
{
    switch (box_->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void CheckBox::setValue(int value)
{
    if (value == 2) {
        box_->setTristate(true);
        box_->setCheckState(Qt::PartiallyChecked);
    } else {
        box_->setCheckState(value ? Qt::Checked : Qt::Unchecked);
    }
}

// ---------------------------------------------------------------------------------------------
// ListBox

ListBox::ListBox(vb::Container* container) : Control(container)
{
    setBackColor(QColor(255, 255, 255));
    auto* w = new HostedArea<QListWidget>(container->containerWidget());
    w->setFocusPolicy(Qt::StrongFocus);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    list_ = w;
    connect(w, &QListWidget::currentRowChanged, this, [this] {
        if (!quiet_)
            raise(Click);
    });
    attach(w, w);
}

Control* ListBox::clone() const
{
    auto* c = new ListBox(Container());
    c->copyBaseFrom(*this);
    for (int i = 0; i < ListCount(); ++i)
        c->AddItem(List(i));
    return c;
}

void ListBox::AddItem(const QString& item, int index)
{
    quiet_ = true;
    if (index >= 0 && index <= list_->count())
        list_->insertItem(index, item);
    else
        list_->addItem(item);
    quiet_ = false;
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= list_->count())
        return;
    quiet_ = true;
    delete list_->takeItem(index);
    quiet_ = false;
}

void ListBox::Clear()
{
    quiet_ = true;
    list_->clear();
    quiet_ = false;
}

QString ListBox::List(int index) const
{
    const QListWidgetItem* it = list_->item(index);
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& item)
{
    if (QListWidgetItem* it = list_->item(index))
        it->setText(item);
}

int ListBox::ListCount() const { return list_->count(); }
int ListBox::ListIndex() const { return list_->currentRow(); }

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= list_->count())
        return;
    list_->setCurrentRow(index);
    if (index == -1)
        list_->clearSelection();
}

QString ListBox::Text() const { return List(ListIndex()); }

// ---------------------------------------------------------------------------------------------
// Shape

Shape::Shape(vb::Container* container) : LineArt(container) { attachCanvas(); }

Control* Shape::clone() const
{
    auto* c = new Shape(Container());
    c->copyBaseFrom(*this);
    c->copyBorderFrom(*this);
    c->shape_ = shape_;
    c->fillStyle_ = fillStyle_;
    c->backStyle_ = backStyle_;
    c->fillColor_ = fillColor_;
    return c;
}

void Shape::setShape(int shape)
{
    shape_ = shape;
    widget()->update();
}

void Shape::setFillStyle(int style)
{
    fillStyle_ = style;
    widget()->update();
}

void Shape::setFillColor(const QColor& c)
{
    fillColor_ = c;
    widget()->update();
}

void Shape::setBackStyle(int style)
{
    backStyle_ = style;
    widget()->update();
}

void Shape::paint(QPainter& p)
{
    QRectF r = widget()->rect();
    if (shape_ == 1 || shape_ == 3 || shape_ == 5) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    if (backStyle_ == 1 || fillStyle_ == 0) {
        const QBrush brush(fillStyle_ == 0 ? fillColor_ : BackColor());
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        if (shape_ == 2 || shape_ == 3)
            p.drawEllipse(r);
        else
            p.drawRect(r);
    }
    std::optional<QPen> pen = borderPen();
    if (!pen)
        return;
    // The border lies inside the shape's rectangle, as the old shapes drew it.
    const double inset = BorderWidth() / 2.0;
    r.adjust(inset, inset, -inset, -inset);
    pen->setJoinStyle(Qt::MiterJoin);
    p.setPen(*pen);
    p.setBrush(Qt::NoBrush);
    switch (shape_) {
    case 2:
    case 3: p.drawEllipse(r); break;
    case 4:
    case 5: p.drawRoundedRect(r, r.width() / 10, r.height() / 10); break;
    default: p.drawRect(r); break;
    }
}

// ---------------------------------------------------------------------------------------------
// Line

Line::Line(vb::Container* container) : LineArt(container) { attachCanvas(); }

Control* Line::clone() const
{
    auto* c = new Line(Container());
    c->copyBaseFrom(*this);
    c->x1_ = x1_;
    c->y1_ = y1_;
    c->x2_ = x2_;
    c->y2_ = y2_;
    c->copyBorderFrom(*this);
    c->applyGeometry();
    return c;
}

void Line::applyGeometry()
{
    if (!widget())
        return;
    const QPoint o = Container() ? Container()->clientOrigin() : QPoint();
    const int pad = BorderWidth() + 1;
    const int l = std::min(pxX(x1_), pxX(x2_)), r = std::max(pxX(x1_), pxX(x2_));
    const int t = std::min(pxY(y1_), pxY(y2_)), b = std::max(pxY(y1_), pxY(y2_));
    widget()->setGeometry(o.x() + l - pad, o.y() + t - pad, r - l + 2 * pad + 1, b - t + 2 * pad + 1);
}

void Line::setX1(int tw)
{
    x1_ = tw;
    applyGeometry();
}

void Line::setY1(int tw)
{
    y1_ = tw;
    applyGeometry();
}

void Line::setX2(int tw)
{
    x2_ = tw;
    applyGeometry();
}

void Line::setY2(int tw)
{
    y2_ = tw;
    applyGeometry();
}

void Line::paint(QPainter& p)
{
    const std::optional<QPen> pen = borderPen();
    if (!pen)
        return;
    const QPoint origin = widget()->pos() - (Container() ? Container()->clientOrigin() : QPoint());
    p.setPen(*pen);
    p.drawLine(QPoint(pxX(x1_), pxY(y1_)) - origin, QPoint(pxX(x2_), pxY(y2_)) - origin);
}

// ---------------------------------------------------------------------------------------------
// RichTextBox

RichTextBox::RichTextBox(vb::Container* container) : Control(container)
{
    setBackColor(QColor(255, 255, 255));
    auto* w = new HostedArea<QTextEdit>(container->containerWidget());
    w->setReadOnly(true);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    edit_ = w;
    connect(w, &QTextEdit::textChanged, this, [this] { raise(Change); });
    attach(w, w);
}

Control* RichTextBox::clone() const
{
    auto* c = new RichTextBox(Container());
    c->copyBaseFrom(*this);
    c->setText(Text());
    return c;
}

QString RichTextBox::Text() const
{
    QString t = edit_->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

void RichTextBox::setText(const QString& text) { edit_->setPlainText(drawable(text)); }

// ---------------------------------------------------------------------------------------------
// WebView

namespace detail {

// Qt's browser, with the pictures and style sheets of a page taken from the browser's reach
// alone and within the page's budget.
class PageBrowser : public HostedArea<QTextBrowser> {
public:
    using HostedArea::HostedArea;

    // Shows a page of `folder` (markup of this size, or plain text), with its budget afresh: the
    // window and the process that lays the page out beforehand show it the same way.
    void showPage(const QString& folder, const QString& root, platform::MarkupSize size, const QString& text, bool rich)
    {
        folder_ = folder;
        root_ = root;
        size_ = std::move(size);
        bytesLeft_ = platform::webPageLimits.resourceBytes;
        pixelsLeft_ = platform::webPageLimits.resourcePixels;
        styleSheets_.clear();
        // The engine asks for a picture by its address resolved against the page's folder.
        const QUrl base = QUrl::fromLocalFile(folder + QLatin1Char('/'));
        pictureUses_.clear();
        for (auto it = size_.pictures.cbegin(); it != size_.pictures.cend(); ++it) {
            platform::PictureUse& use = pictureUses_[base.resolved(QUrl(it.key()))];
            use.sized = (use.uses == 0 || use.sized) && it->sized;
            use.uses += it->uses;
            use.width = std::max(use.width, it->width);
            use.height = std::max(use.height, it->height);
        }
        document()->setBaseUrl(base);
        if (rich)
            setHtml(text);
        else
            setPlainText(text);
    }

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        // A refusal is an empty value: with a null one the document would load the name itself,
        // and so would the engine with a null picture.
        const bool picture = type == QTextDocument::ImageResource;
        const QVariant refused = picture ? QVariant(blank()) : QVariant(QString());
        if (!picture && type != QTextDocument::StyleSheetResource)
            return refused;
        const auto path = platform::fileInside(name, folder_, root_);
        // A style sheet is read once, however many times and by whatever spelling it is imported.
        if (!path || (!picture && (styleSheets_.contains(*path) || styleSheets_.size() >= platform::webPageStyleSheets)))
            return refused;
        const platform::WholeFile file = platform::readWholeFile(*path, bytesLeft_);
        if (file.status != platform::ReadStatus::Read)
            return refused;
        const QByteArray& bytes = file.bytes;
        bytesLeft_ -= bytes.size();
        if (!picture) {
            styleSheets_.insert(*path);
            const QString css = QString::fromUtf8(bytes);
            const qint64 rules = size_.rules + platform::styleRules(css);
            if (rules * std::max<qint64>(size_.elements, 1) > platform::webPageLimits.styleWork)
                return refused;
            size_.rules = rules;
            return css;
        }
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (size.isEmpty())
            return refused;
        // The engine draws a picture at every use: it is given once, as the pixmap it draws, no
        // larger than the page ever shows it, and the budget pays for every use.
        const platform::PictureUse use = pictureUses_.value(name, platform::PictureUse{1, false, 0, 0});
        QSize drawn = size;
        if (use.sized) {
            const qreal ratio = devicePixelRatioF();
            drawn = size.boundedTo(QSize(std::max(1, int(std::ceil(use.width * ratio))), std::max(1, int(std::ceil(use.height * ratio)))));
        }
        const qint64 pixels = std::max(qint64(size.width()) * size.height(), qint64(drawn.width()) * drawn.height() * std::max<qint64>(use.uses, 1));
        if (pixels > pixelsLeft_)
            return refused;
        pixelsLeft_ -= pixels;
        if (drawn != size)
            reader.setScaledSize(drawn);
        const QImage image = reader.read();
        if (image.isNull())
            return refused;
        return QPixmap::fromImage(image);
    }

private:
    // What stands for a picture refused: nothing to see.
    static QPixmap blank()
    {
        QPixmap nothing(1, 1);
        nothing.fill(Qt::transparent);
        return nothing;
    }

    QString folder_, root_;
    platform::MarkupSize size_;
    QHash<QUrl, platform::PictureUse> pictureUses_;
    QSet<QString> styleSheets_;
    qsizetype bytesLeft_ = 0;
    qint64 pixelsLeft_ = 0;
};

} // namespace detail

namespace {

// The time a page may take to be laid out and drawn off the window, once the process laying it
// out has said it is ready for it, before the window gives up on it: the window then lays it out
// again itself, so a page shown holds it about twice this long at most.
constexpr int layoutDeadlineMs = 250;
// The time the process may take to start and get ready. It has not read the page by then, so
// what keeps it from getting ready (a loaded machine, a program that cannot be started again)
// says nothing of the page: the page is then shown on its measure alone.
constexpr int layoutStartMs = 500;
// The processor time a layout process may take at all, its start included, should nobody end
// it. The window ends it long before; this bound is for a process left behind, and is wide
// enough for a build whose every step is slower (a sanitizer's).
constexpr rlim_t layoutCpuSeconds = 10;
constexpr char layoutArgument[] = "--lay-out-page";
constexpr char layoutReady[] = "ready\n";
constexpr char laidOut[] = "laid out\n";

struct LayoutHooks {
    QStringList command;
    std::function<void()> whileWaiting;
};

LayoutHooks& layoutHooks()
{
    static LayoutHooks hooks;
    return hooks;
}

} // namespace

void WebView::setLayoutProcessHooks(QStringList command, std::function<void()> whileWaiting)
{
    layoutHooks() = {std::move(command), std::move(whileWaiting)};
}

std::optional<int> WebView::runLayoutProcess(int argc, char** argv)
{
    if (argc != 8 || qstrcmp(argv[1], layoutArgument) != 0)
        return std::nullopt;
    const rlimit cpu{layoutCpuSeconds, layoutCpuSeconds};
    setrlimit(RLIMIT_CPU, &cpu);
    // Ends with the window that started it, however that ends.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int args = 1;
    QApplication app(args, argv);
    // As in the window: no plugins from the installation folder, which the updater writes.
    QCoreApplication::removeLibraryPath(QCoreApplication::applicationDirPath());
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString root = QString::fromLocal8Bit(argv[3]);
    const bool rich = qstrcmp(argv[7], "html") == 0;
    detail::PageBrowser browser(nullptr);
    QFont font;
    font.fromString(QString::fromUtf8(argv[6]));
    browser.setFont(font);
    browser.resize(QString::fromLatin1(argv[4]).toInt(), QString::fromLatin1(argv[5]).toInt());
    std::fputs(layoutReady, stdout);
    std::fflush(stdout);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(in.readAll());
    const auto size = rich ? platform::measureMarkup(text, platform::webPageLimits) : std::optional<platform::MarkupSize>();
    if (rich && !size)
        return 1;
    browser.showPage(folder, root, size.value_or(platform::MarkupSize()), text, rich);
    // The whole page, not only its first screen, then the first screen drawn.
    browser.document()->documentLayout()->documentSize();
    browser.grab();
    std::fputs(laidOut, stdout);
    std::fflush(stdout);
    // Nothing of the process is needed any more: no time goes on taking it down.
    ::_exit(0);
}

WebView::LayoutRun WebView::layOutApart(const QString& text, bool rich, const QString& folder) const
{
    const LayoutHooks& hooks = layoutHooks();
    // The running program itself, whatever its first argument said and even once an update has
    // replaced its file.
    QStringList command = hooks.command.isEmpty() ? QStringList{QStringLiteral("/proc/self/exe")} : hooks.command;
    command << QString::fromLatin1(layoutArgument) << folder << root_ << QString::number(browser_->width())
            << QString::number(browser_->height()) << browser_->font().toString() << QString::fromLatin1(rich ? "html" : "text");
    // A program that could not be started is not tried again: each failed start leaves a pipe
    // open in the toolkit.
    static QString unstartable;
    const QString program = command.takeFirst();
    if (program == unstartable)
        return LayoutRun::NotRun;
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(program, command);
    bool ready = false;
    QByteArray said;
    std::int64_t deadline = platform::Clock::nowMs() + layoutStartMs;
    while (true) {
        said += child.readAllStandardOutput();
        if (!ready && said.startsWith(layoutReady)) {
            ready = true;
            deadline = platform::Clock::nowMs() + layoutDeadlineMs;
            // Should the process end without reading it all, the write fails rather than ending
            // the program: the toolkit ignores SIGPIPE once it writes to a process.
            child.write(text.toUtf8());
            child.closeWriteChannel();
        }
        if (child.state() == QProcess::NotRunning)
            break;
        const std::int64_t left = deadline - platform::Clock::nowMs();
        // More than the two lines it says is no layout process of this program's.
        if (left <= 0 || said.size() > qsizetype(sizeof layoutReady - 1 + sizeof laidOut - 1)) {
            child.kill();
            child.waitForFinished(-1);
            return ready ? LayoutRun::PastItsTime : LayoutRun::NotRun;
        }
        // Waits for the process to get ready, then to finish. On the manual clock it takes the
        // real time it needs, unless a test moves the clock meanwhile.
        const auto wait = [&](int ms) { return ready ? child.waitForFinished(ms) : child.waitForReadyRead(ms); };
        if (!platform::Clock::isManual())
            wait(int(left));
        else if (!wait(5) && hooks.whileWaiting)
            hooks.whileWaiting();
    }
    if (!ready) {
        if (child.error() == QProcess::FailedToStart)
            unstartable = program;
        return LayoutRun::NotRun;
    }
    const bool done = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && said == QByteArray(layoutReady) + laidOut;
    return done ? LayoutRun::InTime : LayoutRun::PastItsTime;
}

WebView::WebView(vb::Container* container) : Control(container)
{
    setBackColor(QColor(255, 255, 255));
    auto* w = new detail::PageBrowser(container->containerWidget());
    w->setFocusPolicy(Qt::StrongFocus);
    w->setOpenLinks(false);
    connect(w, &QTextBrowser::anchorClicked, this, &WebView::follow);
    browser_ = w;
    attach(w, w);
}

Control* WebView::clone() const
{
    auto* c = new WebView(Container());
    c->copyBaseFrom(*this);
    c->setNotices(unreadableNotice_, pastLimitsNotice_);
    c->root_ = root_;
    if (!location_.isEmpty())
        c->show(location_);
    return c;
}

void WebView::setNotices(const QString& unreadable, const QString& pastLimits)
{
    unreadableNotice_ = unreadable;
    pastLimitsNotice_ = pastLimits;
}

bool WebView::Navigate(const QString& path)
{
    const QString real = platform::resolvePath(path);
    root_ = QFileInfo(real).absolutePath();
    return show(real);
}

bool WebView::show(const QString& path)
{
    location_ = path;
    const platform::PageLimits& limits = platform::webPageLimits;
    // New text takes the format at the cursor, which a click on a link has left on the link.
    browser_->setCurrentCharFormat(QTextCharFormat());
    const auto refuse = [this](const QString& notice) {
        browser_->setPlainText(notice);
        return false;
    };
    const platform::WholeFile file = platform::readWholeFile(path, limits.bytes);
    if (file.status == platform::ReadStatus::TooLarge)
        return refuse(pastLimitsNotice_);
    if (file.status != platform::ReadStatus::Read)
        return refuse(unreadableNotice_);
    const QByteArray& bytes = file.bytes;
    // Pages name their code page in a meta tag; without one they are UTF-8 when they decode
    // cleanly and GBK otherwise, as the installations' text files are.
    QString text;
    QStringDecoder html = QStringDecoder::decoderForHtml(bytes);
    if (html.isValid() && bytes.contains("charset")) {
        text = html.decode(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError())
            text = platform::fromGbk(bytes);
    }
    const bool rich = Qt::mightBeRichText(text);
    const auto size = rich ? platform::measureMarkup(text, limits) : std::optional<platform::MarkupSize>();
    if (rich ? !size : !platform::textWithinLimits(text, limits))
        return refuse(pastLimitsNotice_);
    const QString folder = QFileInfo(path).absolutePath();
    // The limits keep out the pages known to be slow; a page slow in some way they do not know
    // is kept out by laying it out once in a process of its own, which is ended when it runs
    // past its time.
    if (!text.isEmpty() && layOutApart(text, rich, folder) == LayoutRun::PastItsTime)
        return refuse(pastLimitsNotice_);
    browser_->showPage(folder, root_, size.value_or(platform::MarkupSize()), text, rich);
    return true;
}

void WebView::follow(const QUrl& link)
{
    if (platform::isWebOrMailAddress(link)) {
        platform::openAddress(link.toString(QUrl::FullyEncoded));
        return;
    }
    if (link.scheme().isEmpty() && link.path().isEmpty()) { // a place in the page itself
        browser_->scrollToAnchor(link.fragment());
        return;
    }
    const auto target = platform::fileInside(link, QFileInfo(location_).absolutePath(), root_);
    if (!target)
        return;
    if (show(*target))
        browser_->scrollToAnchor(link.fragment());
    raise(LinkFollowed);
}

QString WebView::documentText() const { return browser_->toPlainText(); }

} // namespace vb
