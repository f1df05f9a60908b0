// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::platform::x11 {

// Where the keyboard focus is while the room is being typed into.
enum class FocusPlace {
    Room,         // in the room's window, which still has the room's title
    Console,      // in a window of this program (a click of the host on the console), or nowhere while it passes
    OtherProgram, // in another program's window, or in the room's window turned to another title
};

} // namespace quorvex::platform::x11
