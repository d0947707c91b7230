#pragma once
// The form toolkit: the old event-driven window toolkit's model on Qt Widgets.

#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_constants.h"
#include "platform/vb_control.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_keys.h"
#include "platform/vb_menu.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"

namespace vb {
// Timers are the clock's: Interval, Enabled, one tick handler (onTimer).
using Timer = platform::Timer;
} // namespace vb
