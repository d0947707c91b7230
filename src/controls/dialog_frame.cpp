#include "controls/dialog_frame.h"

#include "controls/mivo_button.h"
#include "platform/vb_form.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"

namespace {
std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }
} // namespace

QString standardWindowTitle()
{
    const SessionState& s = S();
    return s.sysInfo[0] + s.sysInfo[9] + QStringLiteral("——") + s.ModuleName + QStringLiteral("模块");
}

void layOutDialogFrame(vb::Form& form, vb::Image& logo, vb::Label& dragStrip, mivoButton& close)
{
    form.setIcon(face(QStringLiteral("l62011")));
    form.setCaption(standardWindowTitle());
    const int width = scaledX(6300);
    const int height = scaledY(4200);
    // Nothing beyond its design to show: the window manager's maximise would only stretch the
    // empty background.
    form.setKeepsSize(true);
    form.Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    form.setPicture(face(QStringLiteral("l20070")));
    logo.Move(scaledX(120), scaledY(90));
    logo.setPicture(face(QStringLiteral("l20067")));
    dragStrip.Move(0, 0, scaledX(5580), scaledY(540));
    close.Move(form.Width() - scaledX(420), scaledY(90), scaledX(330), scaledY(330));
    close.setPicture(face(QStringLiteral("l20003")));
}
