// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt before Xlib: Xlib's macros (Bool, Status, None) break Qt's headers.
#include "platform/WindowKeyboard.h"

#include <QString>

#include <X11/Xlib.h>

namespace quorvex::platform::x11 {

// Finds the room's top-level window by its title and brings it to the front with the focus, through the window
// manager (_NET_ACTIVE_WINDOW, as a pager asks) or, without one, directly; then tells whether the focus is still
// in it and it still has the room's title.
class X11WindowActivation final
{
public:
    explicit X11WindowActivation(Display* display);
    ~X11WindowActivation();
    X11WindowActivation(const X11WindowActivation&) = delete;
    X11WindowActivation& operator=(const X11WindowActivation&) = delete;

    /// Activates the window for `title`; with `wait`, returns only once it has the focus (NotActivated when it
    /// never takes it). Call it under an X11ErrorTrap.
    KeyboardError activate(const QString& title, bool wait);
    bool hasTarget() const { return m_target != 0; }
    /// Whether the input focus is in the target and the target's title still matches the room's title.
    bool focusIsInTarget();

private:
    Time serverTime();
    bool managerSupports(Atom hint);

    Display* m_display;
    Window m_root;
    // An unmapped window of ours: a zero-length change of its property makes the server tell its time.
    Window m_clock = 0;
    Atom m_clockProperty;
    Atom m_netActiveWindow;
    Atom m_netSupported;
    Atom m_netSupportingWmCheck;
    Window m_target = 0;
    QString m_title;
    // The last focus window found to be the target or inside it, so that most checks cost one round trip.
    Window m_focusSeen = 0;
};

} // namespace quorvex::platform::x11
