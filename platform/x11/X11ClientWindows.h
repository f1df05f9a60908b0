// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <X11/Xlib.h>

#include <sys/types.h>

#include <vector>

namespace quorvex::platform::x11 {

// A top-level window of some program as the host sees it on the screen, with its title: _NET_WM_NAME (UTF-8),
// else WM_NAME.
struct X11ClientWindow
{
    Window window = None;
    QString title;
};

/// The client windows of the screen, topmost first: each window that the window manager tags with WM_STATE, found
/// under the root's children (through the manager's frames), or a root child itself that is shown and not
/// override-redirect when no manager tags it. The windows of the process `excludedPid` are left out. Call it
/// under an X11ErrorTrap: windows may vanish during the walk.
std::vector<X11ClientWindow> listClientWindows(Display* display, pid_t excludedPid);

/// The title of a client window as it is now: _NET_WM_NAME (UTF-8), else WM_NAME; empty when it has none or is gone.
QString clientWindowTitle(Display* display, Window window);

} // namespace quorvex::platform::x11
