// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

#include <QString>

#include <sys/types.h>

#include <optional>
#include <vector>

namespace quorvex::platform::x11 {

// A top-level window of some program as the host sees it on the screen, with its title: _NET_WM_NAME (UTF-8),
// else WM_NAME.
struct X11ClientWindow
{
    Window window = kNone;
    QString title;
    std::optional<long> pid; // _NET_WM_PID, when the window tells it
};

/// The client windows of the screen in stacking order, bottom-most first, as the server lists the root's children:
/// each window that the window manager tags with WM_STATE, found under the root's children (through the manager's
/// frames), or a root child itself that is shown and not override-redirect when no manager tags it. Call it under
/// an X11ErrorTrap: windows may vanish during the walk.
std::vector<X11ClientWindow> listClientWindows(Display* display);

/// The title of a client window as it is now: _NET_WM_NAME (UTF-8), else WM_NAME; empty when it has none or is gone.
QString clientWindowTitle(Display* display, Window window);

} // namespace quorvex::platform::x11
