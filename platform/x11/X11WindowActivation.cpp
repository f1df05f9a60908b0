// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowActivation.h"

#include "X11ClientWindows.h"
#include "X11ErrorTrap.h"
#include "X11Property.h"
#include "X11WindowTree.h"
#include "platform/TitleMatch.h"

#include <X11/Xatom.h>

#include <unistd.h>

#include <chrono>
#include <span>
#include <thread>
#include <vector>

// X.h's None is a macro that would turn KeyboardError::None into a number.
namespace {
constexpr Window kNoWindow = None;
} // namespace
#undef None

namespace quorvex::platform::x11 {
namespace {

constexpr std::chrono::milliseconds kFocusTimeout{2000};
constexpr std::chrono::milliseconds kFocusPoll{10};
// The _NET_ACTIVE_WINDOW source indication of a pager, which window managers obey as a request from the user.
constexpr long kSourcePager = 2;

} // namespace

X11WindowActivation::X11WindowActivation(Display* display)
    : m_display(display), m_root(DefaultRootWindow(display)),
      m_clockProperty(XInternAtom(display, "QUORVEX_TIME", False)),
      m_netActiveWindow(XInternAtom(display, "_NET_ACTIVE_WINDOW", False)),
      m_netSupported(XInternAtom(display, "_NET_SUPPORTED", False)),
      m_netSupportingWmCheck(XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False))
{
    const X11ErrorTrap trap(m_display);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    m_clock = XCreateWindow(m_display, m_root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask,
                            &attributes);
    XSync(m_display, False);
    if (trap.errorCount() > 0) {
        m_clock = kNoWindow;
    }
}

X11WindowActivation::~X11WindowActivation()
{
    if (m_clock != kNoWindow) {
        const X11ErrorTrap trap(m_display);
        XDestroyWindow(m_display, m_clock);
    }
}

Time X11WindowActivation::serverTime()
{
    if (m_clock == kNoWindow) {
        return CurrentTime;
    }
    static const unsigned char nothing = 0;
    XChangeProperty(m_display, m_clock, m_clockProperty, XA_STRING, 8, PropModeAppend, &nothing, 0);
    XEvent event{};
    XWindowEvent(m_display, m_clock, PropertyChangeMask, &event);
    return event.xproperty.time;
}

bool X11WindowActivation::managerSupports(Atom hint)
{
    // A manager that has gone leaves its hints on the root; only a live check window vouches for them.
    const std::optional<long> check = X11Property(m_display, m_root, m_netSupportingWmCheck, XA_WINDOW).first32();
    if (!check ||
        X11Property(m_display, static_cast<Window>(*check), m_netSupportingWmCheck, XA_WINDOW).first32() != check) {
        return false;
    }
    return X11Property(m_display, m_root, m_netSupported, XA_ATOM).holds32(static_cast<long>(hint));
}

bool X11WindowActivation::focusIsInTarget()
{
    Window focus = kNoWindow;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    if (m_target == kNoWindow || focus == kNoWindow || focus == PointerRoot) {
        return false;
    }
    if (focus != m_focusSeen) {
        if (!isInside(m_display, focus, m_target)) {
            return false;
        }
        m_focusSeen = focus;
    }
    // A chat client may turn the room's window to another conversation (a private one, say) without moving the
    // focus; the window then no longer is the room.
    const QString title = clientWindowTitle(m_display, m_target);
    return matchWindowTitle(m_title, std::span(&title, 1)).has_value();
}

KeyboardError X11WindowActivation::activate(const QString& title, bool wait)
{
    m_target = kNoWindow;
    m_focusSeen = kNoWindow;

    const std::vector<X11ClientWindow> windows = listClientWindows(m_display);
    std::vector<WindowCandidate> candidates;
    candidates.reserve(windows.size());
    for (const X11ClientWindow& window : windows) {
        candidates.push_back({window.title, window.pid});
    }
    const std::optional<std::size_t> match = pickRoomWindow(title, candidates, getpid());
    if (!match) {
        return KeyboardError::NoSuchWindow;
    }
    const Window window = windows[*match].window;
    m_title = title;

    if (managerSupports(m_netActiveWindow)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = m_netActiveWindow;
        event.xclient.format = 32;
        event.xclient.data.l[0] = kSourcePager;
        event.xclient.data.l[1] = static_cast<long>(serverTime());
        event.xclient.data.l[2] = kNoWindow;
        XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(m_display, window);
        XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    }
    XFlush(m_display);
    m_target = window;
    if (!wait) {
        return KeyboardError::None;
    }

    const auto deadline = std::chrono::steady_clock::now() + kFocusTimeout;
    while (!focusIsInTarget()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            m_target = kNoWindow;
            return KeyboardError::NotActivated;
        }
        std::this_thread::sleep_for(kFocusPoll);
    }
    return KeyboardError::None;
}

} // namespace quorvex::platform::x11
