#include "startup/face_picture.h"

#include "session_state/session_state.h"

QString facePath(const QString& name) { return S().DataDir + name + QStringLiteral(".mxy"); }
