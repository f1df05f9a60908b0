// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11ErrorTrap.h"

namespace quorvex::platform::x11 {

X11ErrorTrap* X11ErrorTrap::s_innermost = nullptr;

X11ErrorTrap::X11ErrorTrap(Display* display) : m_display(display), m_previousHandler(nullptr), m_outer(s_innermost)
{
    // Errors of requests sent before the trap belong to whoever sent them.
    XSync(m_display, False);
    m_previousHandler = XSetErrorHandler(&X11ErrorTrap::handle);
    s_innermost = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    // Errors arrive asynchronously: every request made under the trap has to be answered before it goes.
    XSync(m_display, False);
    s_innermost = m_outer;
    XSetErrorHandler(m_previousHandler);
}

int X11ErrorTrap::handle(Display* display, XErrorEvent* error)
{
    for (X11ErrorTrap* trap = s_innermost; trap != nullptr; trap = trap->m_outer) {
        if (trap->m_display == display) {
            ++trap->m_errors;
            return 0;
        }
    }
    // The handler in place before the outermost trap, since each trap saved the one before it.
    X11ErrorTrap* outermost = s_innermost;
    if (outermost == nullptr) {
        return 0;
    }
    while (outermost->m_outer != nullptr) {
        outermost = outermost->m_outer;
    }
    return outermost->m_previousHandler != nullptr ? outermost->m_previousHandler(display, error) : 0;
}

} // namespace quorvex::platform::x11
