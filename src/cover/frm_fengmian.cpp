#include "cover/frm_fengmian.h"

#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"
#include "startup/start_values.h"

namespace {

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

} // namespace

FrmFengmian& frmFengmian() { return vb::Forms::get<FrmFengmian>(); }

FrmFengmian::FrmFengmian()
{
    LblTitle = new vb::Label(this);
    LblTitle->setBackStyle(0);
    LblTitle->setAutoSize(true);
}

void FrmFengmian::Form_Load()
{
    setScaleFromScreen();
    setCaption(S().ApplicationTitle);
    setIcon(face(QStringLiteral("l62011")));

    // The window takes the size of its background face; without one, a plain window.
    const auto background = face(QStringLiteral("l20050"));
    const int width = background ? qRound(vb::twX(background->width())) : scaledX(9600);
    const int height = background ? qRound(vb::twY(background->height())) : scaledY(7200);
    setPicture(background);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);

    LblTitle->setFontSize(14 * S().ScaleX);
    LblTitle->setCaption(S().ApplicationTitle);
    LblTitle->Move(qRound((width - LblTitle->Width()) / 2.0), scaledY(600));
}
