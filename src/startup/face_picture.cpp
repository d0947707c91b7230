#include "startup/face_picture.h"

#include "platform/vb_picture.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

QString facePath(const QString& name) { return S().DataDir + name + QStringLiteral(".mxy"); }

std::optional<QPixmap> reportedFace(const QString& name, const QString& tag)
{
    vb::Error err;
    auto picture = vb::LoadPicture(facePath(name), &err);
    if (!picture)
        reportFailure(tag, err.number, err.text);
    return picture;
}
