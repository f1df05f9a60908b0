// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

#include "FocusPlace.h"
#include "XlibHeaders.h"

#include <QString>

#include <chrono>

namespace quorvex::platform::x11 {

// Finds the room's top-level window by its title and brings it to the front with the focus, through the window
// manager (_NET_ACTIVE_WINDOW, as a pager asks) or, without one, directly; then tells where the focus is, and
// brings the room forward again when a click of the host on the console took the focus back.
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
    /// Where the input focus is: in the target with the room's title, in this program, or in another one.
    FocusPlace focusPlace();
    /// Asks again for the target that the console took the focus from, and tells whether it has the focus back
    /// within about a second; false at once when another program takes it.
    bool bringBack();
    /// Returns once the target has read the keys sent so far, where its client answers a ping; otherwise after a
    /// short pause. Either way after no more than kReadingBound.
    void awaitReading();

private:
    Time serverTime();
    bool managerSupports(Atom hint);
    void ask(Window window);
    /// Waits for the focus to reach the target, asking again while the console holds it; false at `deadline`.
    bool waitForFocus(std::chrono::steady_clock::time_point deadline, bool giveUpOnOtherProgram);
    bool isOwnWindow(Window window);

    Display* m_display;
    Window m_root;
    // An unmapped window of ours: a zero-length change of its property makes the server tell its time.
    Window m_clock = 0;
    Atom m_clockProperty;
    Atom m_netActiveWindow;
    Atom m_netSupported;
    Atom m_netSupportingWmCheck;
    Atom m_netWmPid;
    Atom m_wmProtocols;
    Atom m_netWmPing;
    bool m_askManager = false;
    Window m_target = 0;
    QString m_title;
    // The last focus window found to be the target or inside it, so that most checks cost one round trip.
    Window m_focusSeen = 0;
};

} // namespace quorvex::platform::x11
