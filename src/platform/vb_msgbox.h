#pragma once
// Message boxes with the old button and icon codes and answer codes.

#include "platform/vb_constants.h"

#include <QString>
#include <functional>

namespace vb {

// Shows a modal message box; `buttons` is a button set (vbOKOnly...) plus an icon (vbCritical...)
// plus a default button (vbDefaultButton2...). Returns the answer (vbOK, vbCancel, vbYes...).
// An empty title uses the default title.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = {});
void setDefaultMsgBoxTitle(const QString& title);
QString defaultMsgBoxTitle();

// Tests: when set, MsgBox shows nothing and returns the responder's answer.
void setMsgBoxResponder(std::function<int(const QString& prompt, int buttons, const QString& title)> responder);

} // namespace vb
