// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowKeyboard.h"

// Qt before Xlib: Xlib's macros (Bool, Status, None) break Qt's headers.
#include "TerminationSignals.h"
#include <QTimer>

#include "KeysymMapping.h"
#include "SpareKeyLending.h"
#include "TypingLoop.h"
#include "X11BorrowRecord.h"
#include "X11ClientWindows.h"
#include "X11ErrorTrap.h"
#include "X11Keymap.h"
#include "X11PlainKeyboard.h"
#include "X11Property.h"
#include "X11SpareKeyBindings.h"
#include "platform/TitleMatch.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <span>
#include <thread>

// X.h's None is a macro that would turn KeyboardError::None into a number.
namespace {
constexpr Window kNoWindow = None;
} // namespace
#undef None

namespace quorvex::platform::x11 {
namespace {

constexpr std::chrono::milliseconds kFocusTimeout{2000};
// Time for the target to act on a key the caller waits for (an Enter may open another conversation and retitle the
// window) before the focus and title are checked again.
constexpr std::chrono::milliseconds kSettleAfterWait{50};
constexpr std::chrono::milliseconds kFocusPoll{10};
// Focus is looked for up the tree from the focus window; no real window nests deeper.
constexpr int kMaximumDepth = 32;
// The _NET_ACTIVE_WINDOW source indication of a pager, which window managers obey as a request from the user.
constexpr long kSourcePager = 2;

} // namespace

// The keyboard's own connection to the display, and what it knows between calls: the window it activated.
class X11WindowKeyboard::Connection final : private KeySink
{
public:
    explicit Connection(Display* display);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    KeyboardError activate(const QString& title, bool wait);
    TypingResult type(std::span<const Keystroke> keys, bool wait);
    /// Gives the borrowed keys back now, whatever a lagging room still has to read: the program is ending.
    void restoreKeyboard();

private:
    Time serverTime();
    bool managerSupports(Atom hint);
    /// Whether the input focus is in the target and the target's title still matches the room's title.
    bool focusIsInTarget();
    bool isInside(Window window, Window ancestor);
    void discardEvents();
    /// Types the keys run by run, each run with its characters lent to spare keys, and stops at once when the
    /// focus leaves the target.
    bool beginRun() override;
    void lockGroup(unsigned int group) override;
    void key(KeyCode keycode, bool press) override;
    void endRun(std::size_t typed) override;
    bool bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels) override;
    bool stopRequested() override;

    Display* m_display;
    Window m_root;
    // An unmapped window of ours: a zero-length change of its property makes the server tell its time.
    Window m_clock = kNoWindow;
    Atom m_clockProperty;
    Atom m_netActiveWindow;
    Atom m_netSupported;
    Atom m_netSupportingWmCheck;
    Window m_target = kNoWindow;
    QString m_title;
    // The last focus window found to be the target or inside it, so that most checks cost one round trip.
    Window m_focusSeen = kNoWindow;
    X11BorrowRecord m_record;
    X11SpareKeyBindings m_bindings;
    SpareKeyLending m_lending;
    QTimer m_releaseTimer;
    std::unique_ptr<TerminationSignals> m_signals;
};

X11WindowKeyboard::Connection::Connection(Display* display)
    : m_display(display), m_root(DefaultRootWindow(display)),
      m_clockProperty(XInternAtom(display, "QUORVEX_TIME", False)),
      m_netActiveWindow(XInternAtom(display, "_NET_ACTIVE_WINDOW", False)),
      m_netSupported(XInternAtom(display, "_NET_SUPPORTED", False)),
      m_netSupportingWmCheck(XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False)), m_record(display),
      m_bindings(display, m_record)
{
    const X11ErrorTrap trap(m_display);
    // A console killed with -9 could not give its keys back; whatever it noted is repaired before anything else.
    m_record.repairLeftovers();
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.callOnTimeout([this] {
        const X11ErrorTrap releaseTrap(m_display);
        m_bindings.release();
    });
    m_signals = std::make_unique<TerminationSignals>([this] { restoreKeyboard(); });
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    m_clock = XCreateWindow(m_display, m_root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, CWEventMask,
                            &attributes);
    XSync(m_display, False);
    if (trap.errorCount() > 0) {
        m_clock = kNoWindow;
    }
}

X11WindowKeyboard::Connection::~Connection()
{
    m_signals.reset();
    {
        const X11ErrorTrap trap(m_display);
        m_bindings.release();
        if (m_clock != kNoWindow) {
            XDestroyWindow(m_display, m_clock);
        }
    }
}

Time X11WindowKeyboard::Connection::serverTime()
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

bool X11WindowKeyboard::Connection::managerSupports(Atom hint)
{
    // A manager that has gone leaves its hints on the root; only a live check window vouches for them.
    const std::optional<long> check = X11Property(m_display, m_root, m_netSupportingWmCheck, XA_WINDOW).first32();
    if (!check ||
        X11Property(m_display, static_cast<Window>(*check), m_netSupportingWmCheck, XA_WINDOW).first32() != check) {
        return false;
    }
    return X11Property(m_display, m_root, m_netSupported, XA_ATOM).holds32(static_cast<long>(hint));
}

bool X11WindowKeyboard::Connection::isInside(Window window, Window ancestor)
{
    for (int depth = 0; depth < kMaximumDepth && window != kNoWindow && window != m_root; ++depth) {
        if (window == ancestor) {
            return true;
        }
        Window treeRoot = kNoWindow;
        Window parent = kNoWindow;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(m_display, window, &treeRoot, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        window = parent;
    }
    return false;
}

bool X11WindowKeyboard::Connection::focusIsInTarget()
{
    Window focus = kNoWindow;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    if (m_target == kNoWindow || focus == kNoWindow || focus == PointerRoot) {
        return false;
    }
    if (focus != m_focusSeen) {
        if (!isInside(focus, m_target)) {
            return false;
        }
        m_focusSeen = focus;
    }
    // A chat client may turn the room's window to another conversation (a private one, say) without moving the
    // focus; the window then no longer is the room.
    const QString title = clientWindowTitle(m_display, m_target);
    return matchWindowTitle(m_title, std::span(&title, 1)).has_value();
}

void X11WindowKeyboard::Connection::discardEvents()
{
    // Mapping notices come to every client, ours included; nothing here reads them.
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
    }
}

KeyboardError X11WindowKeyboard::Connection::activate(const QString& title, bool wait)
{
    const X11ErrorTrap trap(m_display);
    discardEvents();
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

TypingResult X11WindowKeyboard::Connection::type(std::span<const Keystroke> keys, bool wait)
{
    const X11ErrorTrap trap(m_display);
    discardEvents();
    if (m_target == kNoWindow) {
        return {KeyboardError::NoSuchWindow, 0};
    }

    // Keys still lent to the previous text type their characters like any key of the map, so a text with the same
    // characters needs nothing new. Only a text that needs more takes them back first, which waits for the room to
    // have read them.
    std::optional<X11Keymap> keymap = X11Keymap::read(m_display);
    const auto needsSpareKeys = [&keys](const X11Keymap& map) {
        return std::any_of(keys.begin(), keys.end(),
                           [&map](const Keystroke& key) { return !map.find(keysymFor(key)); });
    };
    if (keymap && !m_bindings.keycodes().empty() && needsSpareKeys(*keymap)) {
        m_bindings.release();
        m_lending.clear();
        keymap = X11Keymap::read(m_display);
    }
    if (!keymap) {
        return {KeyboardError::Unavailable, 0};
    }
    const X11PlainKeyboard plain(m_display);
    std::vector<KeyCode> modifierKeys;
    for (const std::optional<KeyCode> key : {keymap->shiftKeycode(), keymap->level3Keycode()}) {
        if (key) {
            modifierKeys.push_back(*key);
        }
    }
    m_record.noteHeld(modifierKeys);
    TypingResult result = typeKeys(*keymap, keys, m_lending, *this);
    m_record.noteReleased();
    XSync(m_display, False);
    m_bindings.noteDelivered();
    m_releaseTimer.start(std::chrono::ceil<std::chrono::milliseconds>(m_bindings.timeToRelease()));
    if (wait) {
        m_bindings.release();
        if (result.error == KeyboardError::None) {
            std::this_thread::sleep_for(kSettleAfterWait);
            if (!focusIsInTarget()) {
                result.error = KeyboardError::FocusLost;
            }
        }
    }
    return result;
}

bool X11WindowKeyboard::Connection::beginRun()
{
    // Under the grab nobody else's request is served, the window manager's focus change included: the focus seen
    // by the check is the focus every key of the run goes to.
    XGrabServer(m_display);
    return focusIsInTarget();
}

void X11WindowKeyboard::Connection::lockGroup(unsigned int group)
{
    XkbLockGroup(m_display, XkbUseCoreKbd, group);
}

void X11WindowKeyboard::Connection::key(KeyCode keycode, bool press)
{
    XTestFakeKeyEvent(m_display, keycode, press ? True : False, CurrentTime);
}

void X11WindowKeyboard::Connection::endRun(std::size_t typed)
{
    m_bindings.noteTyped(typed);
    XUngrabServer(m_display);
    // A round trip with nothing queued behind it lets the server serve the others between two runs; flushed back to
    // back, the next grab would keep them waiting till the end of the text.
    XSync(m_display, False);
}

bool X11WindowKeyboard::Connection::bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    return m_bindings.bind(keycodes, levels);
}

bool X11WindowKeyboard::Connection::stopRequested()
{
    return TerminationSignals::pending();
}

void X11WindowKeyboard::Connection::restoreKeyboard()
{
    const X11ErrorTrap trap(m_display);
    m_releaseTimer.stop();
    m_bindings.releaseNow();
    m_record.noteReleased();
}

X11WindowKeyboard::X11WindowKeyboard(const X11Display& display)
{
    if (display.canType()) {
        m_connection = std::make_unique<Connection>(display.display());
    }
}

X11WindowKeyboard::~X11WindowKeyboard() = default;

KeyboardError X11WindowKeyboard::activate(const QString& title, bool wait)
{
    if (!m_connection) {
        return KeyboardError::Unavailable;
    }
    return m_connection->activate(title, wait);
}

TypingResult X11WindowKeyboard::type(std::span<const Keystroke> keys, bool wait)
{
    if (!m_connection) {
        return {KeyboardError::Unavailable, 0};
    }
    return m_connection->type(keys, wait);
}

} // namespace quorvex::platform::x11
