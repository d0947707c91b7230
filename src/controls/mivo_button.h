#pragma once
// The program's own picture button. It shows one frame of a four-frame picture strip (normal,
// hover, pressed, disabled; each frame as wide as the button), an optional caption centred on it,
// and raises one event, Click, when any mouse button is released after a press on it (also when
// the pointer has left the button meanwhile: the press captured the mouse). A 100 ms timer ends
// the hover and pressed looks once the pointer is elsewhere.
//
// The dialogs use it in place of the toolkit's command button, single or as a control array:
//     vb::ControlArray<mivoButton> LblClick;
//     LblClick.create(1, this);
//     LblClick.Click = [this](int i) { LblClick_Click(i); };

#include "platform/clock.h"
#include "platform/vb_control.h"
#include "platform/vb_controls.h"

#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <optional>

class mivoButton : public vb::ContainerControl {
    Q_OBJECT
public:
    explicit mivoButton(vb::Container* container);
    ~mivoButton() override;

    // The button's properties. Colours and fonts act on the caption, the picture on the strip.
    QColor ForeColor() const;
    void setForeColor(const QColor& color);
    bool Enabled() const { return Control::Enabled(); }
    // Shows frame 0 when enabled, frame 3 when not; a disabled button takes no mouse.
    void setEnabled(bool enabled);
    QFont Font() const;
    void setFont(const QFont& font);
    QString Caption() const;
    void setCaption(const QString& caption);
    bool FontBold() const;
    void setFontBold(bool on);
    QString FontName() const;
    void setFontName(const QString& name);
    double FontSize() const;
    void setFontSize(double points);
    bool FontUnderline() const;
    void setFontUnderline(bool on);
    const std::optional<QCursor>& MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::optional<QCursor> icon);
    // MousePointer and setMousePointer are the control's own (the strip and caption inherit it).
    const std::optional<QPixmap>& Picture() const;
    void setPicture(std::optional<QPixmap> picture);
    void setPicture(const vb::PictureFile& file);

    // The frame the strip's left edge shows: 0 normal, 1 hover, 2 pressed, 3 disabled.
    int shownFrame() const;
    // True when the widget under the pointer is this button or one of its parts.
    bool IsMouseOver() const;
    // Tests: where the pointer is, in global pixels (nothing: the real pointer).
    static void setPointerOverride(std::optional<QPoint> globalPx);

    // The parts: the strip, the caption and the timer that ends the hover.
    vb::Image* ImgBack = nullptr;
    vb::Label* LblCaption = nullptr;
    platform::Timer* Timer1 = nullptr;

    Control* clone() const override;

protected:
    void applyGeometry() override;
    bool clicksOnRelease() const override { return false; }
    bool raiseMouse(vb::detail::MouseKind kind, int button, int shift, double x, double y) override;

private:
    void ImgBack_MouseDown();
    void ImgBack_MouseMove();
    void ImgBack_MouseUp();
    void Timer1_Timer();
    void UserControl_Resize();

    void showFrame(int frame);
    void centreCaption();
    void pressCaption();

    std::optional<QCursor> mouseIcon_;
    int laidOutWidth_ = -1, laidOutHeight_ = -1;
};

// Where a caption of length `inner` lies on a button of length `outer` (twips, one axis): half
// the free room, rounded to whole twips with halves to even, then cut toward zero to a multiple
// of 15 twips. A caption longer than the button gets a negative offset.
int mivoCaptionOffset(int outer, int inner);
