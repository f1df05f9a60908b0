// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

namespace quorvex::platform::x11 {

// Keeps the keyboard plain while a text is typed, so that what the host still holds or has locked cannot change
// what arrives: held modifier keys (Shift, Ctrl, Alt from the click that started the action) are released, latched
// modifiers cleared, locked ones (Caps Lock) unlocked and the first group locked. When it goes it puts the locks
// and the group back; held keys stay released, since pressing them again could leave a key stuck down that the
// host has let go of meanwhile.
class X11PlainKeyboardGuard final
{
public:
    explicit X11PlainKeyboardGuard(Display* display);
    ~X11PlainKeyboardGuard();
    X11PlainKeyboardGuard(const X11PlainKeyboardGuard&) = delete;
    X11PlainKeyboardGuard& operator=(const X11PlainKeyboardGuard&) = delete;

private:
    Display* m_display;
    unsigned int m_lockedModifiers = 0;
    int m_lockedGroup = 0;
};

} // namespace quorvex::platform::x11
