// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

namespace quorvex::platform::x11 {

// Swallows the X errors of one display while it lives, so that a window vanishing under a request is an ordinary
// failed request and not the end of the program (Xlib's default handler exits). Errors of other displays, such as
// the toolkit's, still go to the handler that was there before.
class X11ErrorTrap final
{
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    /// How many errors the display reported since the trap was set, counting those of requests not yet answered
    /// only after a round trip.
    int errorCount() const { return m_errors; }

private:
    static int handle(Display* display, XErrorEvent* error);

    // Xlib's handler takes no user data, so the innermost trap is found through this one pointer.
    static X11ErrorTrap* s_innermost;

    Display* m_display;
    XErrorHandler m_previousHandler;
    X11ErrorTrap* m_outer;
    int m_errors = 0;
};

} // namespace quorvex::platform::x11
