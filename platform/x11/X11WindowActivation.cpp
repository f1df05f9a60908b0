// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowActivation.h"

#include "X11ClientWindows.h"
#include "X11ErrorTrap.h"
#include "X11Property.h"
#include "X11WindowTree.h"
#include "XlibHeaders.h"
#include "platform/common/TitleMatch.h"

#include <unistd.h>

#include <chrono>
#include <span>
#include <thread>
#include <vector>

namespace quorvex::platform::x11 {
namespace {

constexpr Window kNoWindow = kNone;

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kFocusTimeout{2000};
// How long the room gets to take the focus back from the console; the host's clicks come and go well within it.
constexpr std::chrono::milliseconds kReturnTimeout{1000};
// The focus check is a round trip of well under a millisecond; polling finer than the window manager acts costs
// nothing worth saving and every millisecond of the wait is the host's.
constexpr std::chrono::milliseconds kFocusPoll{1};
// A click on the console hands it the focus after the window manager acted on the request: asked again after this
// long, a few times at most.
constexpr std::chrono::milliseconds kAskAgainAfter{60};
constexpr int kMostAsks = 8;
// The longest wait for the room to read its keys; a client that answers no ping gets the short pause instead, as
// long as a client takes to act on a key it has at hand.
constexpr std::chrono::milliseconds kReadingBound{50};
constexpr std::chrono::milliseconds kPauseWithoutPing{10};
// The _NET_ACTIVE_WINDOW source indication of a pager, which window managers obey as a request from the user.
constexpr long kSourcePager = 2;

} // namespace

X11WindowActivation::X11WindowActivation(Display* display)
    : m_display(display), m_root(DefaultRootWindow(display)),
      m_clockProperty(XInternAtom(display, "QUORVEX_TIME", False)),
      m_netActiveWindow(XInternAtom(display, "_NET_ACTIVE_WINDOW", False)),
      m_netSupported(XInternAtom(display, "_NET_SUPPORTED", False)),
      m_netSupportingWmCheck(XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False)),
      m_netWmPid(XInternAtom(display, "_NET_WM_PID", False)),
      m_wmProtocols(XInternAtom(display, "WM_PROTOCOLS", False)),
      m_netWmPing(XInternAtom(display, "_NET_WM_PING", False))
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

bool X11WindowActivation::isOwnWindow(Window window)
{
    const long ownPid = getpid();
    for (int depth = 0; depth < kMaximumDepth && window != kNoWindow && window != m_root; ++depth) {
        if (X11Property(m_display, window, m_netWmPid, XA_CARDINAL).first32() == ownPid) {
            return true;
        }
        window = parentOf(m_display, window);
    }
    return false;
}

FocusPlace X11WindowActivation::focusPlace()
{
    Window focus = kNoWindow;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    // No window has the focus for a moment while the window manager hands it from one window to another.
    if (focus == kNoWindow || focus == PointerRoot || focus == m_root) {
        return FocusPlace::Console;
    }
    if (m_target != kNoWindow && (focus == m_focusSeen || isInside(m_display, focus, m_target))) {
        m_focusSeen = focus;
        // A chat client may turn the room's window to another conversation (a private one, say) without moving the
        // focus; the window then no longer is the room.
        const QString title = clientWindowTitle(m_display, m_target);
        return matchWindowTitle(m_title, std::span(&title, 1)) ? FocusPlace::Room : FocusPlace::OtherProgram;
    }
    return isOwnWindow(focus) ? FocusPlace::Console : FocusPlace::OtherProgram;
}

void X11WindowActivation::ask(Window window)
{
    if (m_askManager) {
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
}

bool X11WindowActivation::waitForFocus(Clock::time_point deadline, bool giveUpOnOtherProgram)
{
    // The host's click on the console is the host's own input, never a refusal: each one may take the focus back
    // after the window manager gave it to the room, so the room is asked for again, a few times.
    Clock::time_point asked = Clock::now();
    int asks = 1;
    for (;;) {
        const FocusPlace place = focusPlace();
        if (place == FocusPlace::Room) {
            return true;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline || (giveUpOnOtherProgram && place == FocusPlace::OtherProgram)) {
            return false;
        }
        if (place == FocusPlace::Console && now - asked >= kAskAgainAfter && asks < kMostAsks) {
            ask(m_target);
            asked = now;
            ++asks;
        }
        std::this_thread::sleep_for(kFocusPoll);
    }
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
    m_title = title;
    m_askManager = managerSupports(m_netActiveWindow);
    m_target = windows[*match].window;
    ask(m_target);
    if (!wait) {
        return KeyboardError::None;
    }
    // Another program may hold the focus for a moment while the window manager moves it; only time runs out.
    if (!waitForFocus(Clock::now() + kFocusTimeout, false)) {
        m_target = kNoWindow;
        return KeyboardError::NotActivated;
    }
    return KeyboardError::None;
}

bool X11WindowActivation::bringBack()
{
    if (m_target == kNoWindow) {
        return false;
    }
    ask(m_target);
    return waitForFocus(Clock::now() + kReturnTimeout, true);
}

void X11WindowActivation::awaitReading()
{
    if (m_target == kNoWindow ||
        !X11Property(m_display, m_target, m_wmProtocols, XA_ATOM).holds32(static_cast<long>(m_netWmPing))) {
        std::this_thread::sleep_for(kPauseWithoutPing);
        return;
    }
    // A client answers a ping once it has taken from its queue every event sent before it, the keys included, and
    // sends the answer to the root window, where only a listener to its structure events hears it.
    const Clock::time_point deadline = Clock::now() + kReadingBound;
    const auto stamp = static_cast<long>(serverTime());
    XSelectInput(m_display, m_root, SubstructureNotifyMask);
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = m_target;
    ping.xclient.message_type = m_wmProtocols;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = static_cast<long>(m_netWmPing);
    ping.xclient.data.l[1] = stamp;
    ping.xclient.data.l[2] = static_cast<long>(m_target);
    XSendEvent(m_display, m_target, False, NoEventMask, &ping);
    XFlush(m_display);
    bool answered = false;
    while (!answered && Clock::now() < deadline) {
        XEvent event{};
        while (!answered && XCheckTypedWindowEvent(m_display, m_root, ClientMessage, &event)) {
            answered = event.xclient.message_type == m_wmProtocols &&
                       event.xclient.data.l[0] == static_cast<long>(m_netWmPing) && event.xclient.data.l[1] == stamp &&
                       event.xclient.data.l[2] == static_cast<long>(m_target);
        }
        if (!answered) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    XSelectInput(m_display, m_root, NoEventMask);
    XFlush(m_display);
}

} // namespace quorvex::platform::x11
