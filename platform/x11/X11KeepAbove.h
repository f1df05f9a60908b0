// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeepAbove.h"

#include "X11Display.h"

namespace quorvex::platform::x11 {

// Asks the window manager for the _NET_WM_STATE_ABOVE state of a shown window, so that it is neither hidden, moved
// nor redrawn; a window not mapped yet gets the toolkit's stay-on-top flag, which it hands the manager on mapping.
class X11KeepAbove final : public KeepAbove
{
public:
    /// Works on the program's display connection, which must outlive it.
    explicit X11KeepAbove(const X11Display& display);

    void setKeepAbove(QWidget& window, bool above) override;

private:
    Display* m_display;
    unsigned long m_netWmState = 0; // Atoms, which Xlib keeps out of this header as unsigned long
    unsigned long m_netWmStateAbove = 0;
};

} // namespace quorvex::platform::x11
