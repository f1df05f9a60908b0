// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11KeepAbove.h"

#include "X11ErrorTrap.h"
#include "XlibHeaders.h"

#include <QGuiApplication>
#include <QWidget>

namespace quorvex::platform::x11 {
namespace {

// The _NET_WM_STATE actions and the source indication of an ordinary application.
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kSourceApplication = 1;

} // namespace

X11KeepAbove::X11KeepAbove(const X11Display& display) : m_display(display.display())
{
    if (m_display != nullptr) {
        m_netWmState = XInternAtom(m_display, "_NET_WM_STATE", False);
        m_netWmStateAbove = XInternAtom(m_display, "_NET_WM_STATE_ABOVE", False);
    }
}

void X11KeepAbove::setKeepAbove(QWidget& window, bool above)
{
    QWidget& topLevel = *window.window();
    // The manager takes state changes of a managed window by message only; before it is mapped (and so managed)
    // the state is read from the window's own property, which the toolkit writes from its flag.
    const bool onX11 = QGuiApplication::platformName() == QStringLiteral("xcb");
    if (m_display == nullptr || !onX11 || !topLevel.testAttribute(Qt::WA_Mapped)) {
        const bool shown = topLevel.isVisible();
        topLevel.setWindowFlag(Qt::WindowStaysOnTopHint, above);
        // Changing a window's flags hides it; one that was meant to be shown is shown again before it ever mapped.
        if (shown) {
            topLevel.show();
        }
        return;
    }

    Display* display = m_display;
    const X11ErrorTrap trap(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(topLevel.winId());
    event.xclient.message_type = m_netWmState;
    event.xclient.format = 32;
    event.xclient.data.l[0] = above ? kStateAdd : kStateRemove;
    event.xclient.data.l[1] = static_cast<long>(m_netWmStateAbove);
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = kSourceApplication;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

} // namespace quorvex::platform::x11
