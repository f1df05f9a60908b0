// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11Display.h"

#include "XlibHeaders.h"

namespace quorvex::platform::x11 {

X11Display::X11Display() : m_display(XOpenDisplay(nullptr))
{
    if (m_display == nullptr) {
        return;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    int xkbOpcode = 0;
    int xkbMajor = XkbMajorVersion;
    int xkbMinor = XkbMinorVersion;
    m_canType = XTestQueryExtension(m_display, &event, &error, &major, &minor) &&
                XkbQueryExtension(m_display, &xkbOpcode, &event, &error, &xkbMajor, &xkbMinor);
}

X11Display::~X11Display()
{
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

} // namespace quorvex::platform::x11
