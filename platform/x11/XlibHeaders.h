// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one entry to Xlib, XKB and XTest. Xlib defines common words as macros (None, Bool, Status, and names such as
// KeyPress, FocusIn and CursorShape) that break Qt's headers and enumerators of our own such as KeyboardError::None.
// They go right after Xlib's headers are read, so Qt's headers may come before or after this one. Every X11 header
// the code needs comes in here: one read after the macros are gone would miss Bool and Status.
#include <X11/X.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace quorvex::platform::x11 {

/// X.h's None: no window, no atom, no property type.
inline constexpr XID kNone = None;

} // namespace quorvex::platform::x11

#undef None
#undef Bool
#undef Status
#undef CursorShape
#undef Expose
#undef FocusIn
#undef FocusOut
#undef FontChange
#undef KeyPress
#undef KeyRelease
#undef Unsorted
