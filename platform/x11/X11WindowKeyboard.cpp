// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowKeyboard.h"

#include "KeysymMapping.h"
#include "SpareKeyLending.h"
#include "TypingLoop.h"
#include "X11BorrowRecord.h"
#include "X11ErrorTrap.h"
#include "X11Keymap.h"
#include "X11PlainKeyboardGuard.h"
#include "X11SpareKeyBindings.h"
#include "X11WindowActivation.h"
#include "XlibHeaders.h"
#include "platform/unix/TerminationSignals.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <span>

namespace quorvex::platform::x11 {
// Sends the typing loop's keys to the X server on the program's display connection, and keeps what the keyboard
// knows between calls: the window it activated and the keys it has lent out.
class X11WindowKeyboard::ServerKeySink final : private KeySink
{
public:
    explicit ServerKeySink(Display* display);
    ~ServerKeySink();
    ServerKeySink(const ServerKeySink&) = delete;
    ServerKeySink& operator=(const ServerKeySink&) = delete;

    KeyboardError activate(const QString& title, bool wait);
    TypingResult type(std::span<const Keystroke> keys, bool wait);
    /// Gives the borrowed keys back now, whatever a lagging room still has to read: the program is ending.
    void restoreKeyboard();

private:
    void discardEvents();
    FocusPlace beginRun() override;
    bool bringRoomBack() override;
    void lockGroup(unsigned int group) override;
    void key(KeyCode keycode, bool press) override;
    void endRun(std::size_t typed) override;
    bool bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels) override;
    bool stopRequested() override;

    Display* m_display;
    X11WindowActivation m_activation;
    X11BorrowRecord m_record;
    X11SpareKeyBindings m_bindings;
    SpareKeyLending m_lending;
    QTimer m_releaseTimer;
};

X11WindowKeyboard::ServerKeySink::ServerKeySink(Display* display)
    : m_display(display), m_activation(display), m_record(display), m_bindings(display, m_record)
{
    const X11ErrorTrap trap(m_display);
    // A console killed with -9 could not give its keys back; whatever it noted is repaired before anything else.
    m_record.repairLeftovers();
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.callOnTimeout([this] {
        const X11ErrorTrap releaseTrap(m_display);
        m_bindings.release();
    });
}

X11WindowKeyboard::ServerKeySink::~ServerKeySink()
{
    const X11ErrorTrap trap(m_display);
    m_bindings.release();
}

KeyboardError X11WindowKeyboard::ServerKeySink::activate(const QString& title, bool wait)
{
    const X11ErrorTrap trap(m_display);
    discardEvents();
    return m_activation.activate(title, wait);
}

void X11WindowKeyboard::ServerKeySink::discardEvents()
{
    // Mapping notices come to every client, ours included; nothing here reads them.
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
    }
}

TypingResult X11WindowKeyboard::ServerKeySink::type(std::span<const Keystroke> keys, bool wait)
{
    const X11ErrorTrap trap(m_display);
    discardEvents();
    if (!m_activation.hasTarget()) {
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
    const X11PlainKeyboardGuard plainKeyboard(m_display);
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
    // Keys still lent to an earlier text are no part of these keys: they go back on their timer, and the host's
    // next text does not wait for them.
    if (wait && result.error == KeyboardError::None) {
        // A key the caller waits for may make the room act (an Enter may open another conversation and retitle the
        // window): the focus and title are checked once the room has read it.
        m_activation.awaitReading();
        const FocusPlace place = m_activation.focusPlace();
        if (place == FocusPlace::OtherProgram || (place == FocusPlace::Console && !m_activation.bringBack())) {
            result.error = KeyboardError::FocusLost;
        }
    }
    return result;
}

FocusPlace X11WindowKeyboard::ServerKeySink::beginRun()
{
    // Under the grab nobody else's request is served, the window manager's focus change included: the focus seen
    // by the check is the focus every key of the run goes to.
    XGrabServer(m_display);
    return m_activation.focusPlace();
}

bool X11WindowKeyboard::ServerKeySink::bringRoomBack()
{
    return m_activation.bringBack();
}

void X11WindowKeyboard::ServerKeySink::lockGroup(unsigned int group)
{
    XkbLockGroup(m_display, XkbUseCoreKbd, group);
}

void X11WindowKeyboard::ServerKeySink::key(KeyCode keycode, bool press)
{
    XTestFakeKeyEvent(m_display, keycode, press ? True : False, CurrentTime);
}

void X11WindowKeyboard::ServerKeySink::endRun(std::size_t typed)
{
    m_bindings.noteTyped(typed);
    XUngrabServer(m_display);
    // A round trip with nothing queued behind it lets the server serve the others between two runs; flushed back to
    // back, the next grab would keep them waiting till the end of the text.
    XSync(m_display, False);
}

bool X11WindowKeyboard::ServerKeySink::bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    return m_bindings.bind(keycodes, levels);
}

bool X11WindowKeyboard::ServerKeySink::stopRequested()
{
    return posix::TerminationSignals::pending();
}

void X11WindowKeyboard::ServerKeySink::restoreKeyboard()
{
    const X11ErrorTrap trap(m_display);
    m_releaseTimer.stop();
    m_bindings.releaseNow();
    m_record.noteReleased();
}

X11WindowKeyboard::X11WindowKeyboard(const X11Display& display)
{
    if (display.canType()) {
        m_sink = std::make_unique<ServerKeySink>(display.display());
    }
}

X11WindowKeyboard::~X11WindowKeyboard() = default;

KeyboardError X11WindowKeyboard::activate(const QString& title, bool wait)
{
    if (!m_sink) {
        return KeyboardError::Unavailable;
    }
    return m_sink->activate(title, wait);
}

TypingResult X11WindowKeyboard::type(std::span<const Keystroke> keys, bool wait)
{
    if (!m_sink) {
        return {KeyboardError::Unavailable, 0};
    }
    return m_sink->type(keys, wait);
}

void X11WindowKeyboard::restoreKeyboard()
{
    if (m_sink) {
        m_sink->restoreKeyboard();
    }
}

} // namespace quorvex::platform::x11
