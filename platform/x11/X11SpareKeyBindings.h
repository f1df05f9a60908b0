// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"
#include "X11BorrowRecord.h"

#include "XlibHeaders.h"

#include <chrono>
#include <optional>
#include <span>
#include <vector>

namespace quorvex::platform::x11 {

// Characters lent to spare keycodes while a text is typed, and given back once the target has read the keys.
//
// A client does not translate a key when the server sends it but when it takes the key from its queue, and it
// fetches the map again after a mapping notice, from the server as it is by then. Were a binding gone before the
// target reached the keys typed with it, the target would translate them with a map that no longer has them and
// lose them. So the bindings stay until every key has been delivered (a round trip) and the target has had time
// to read them: a grace, plus an allowance per key for a target that reads slower than keys are typed. The grace
// covers a room stalled for up to a second (a busy chat client, a paused process): it reads the keys with the map
// as it is when it wakes, which must still hold them. Unless the caller waits for the keys to be processed, the
// release is left to a timer of the owner (or the next text, or the end of the program), which then waits only
// for what is left of that time. Every borrowing is noted on the root window first, for a later start to repair.
class X11SpareKeyBindings final
{
public:
    /// The time a target gets after the server delivered the last key, however few keys it has to read.
    static constexpr std::chrono::milliseconds kReadingGrace{1000};
    /// Reading time allowed per key typed, as for a target that reads no more than 10,000 keys a second (an xterm
    /// reads them as fast as they come, 10,000 to 30,000 a second).
    static constexpr std::chrono::microseconds kReadingTimePerKey{100};
    /// The time a target gets to fetch the map after a binding, before the first key that needs it. Chromium
    /// fetches it late when a key came shortly before and took the first freshly bound key with the old map (lost
    /// it up to a 5 ms gap, never at 10 ms).
    static constexpr std::chrono::milliseconds kBindingReadTime{20};

    X11SpareKeyBindings(Display* display, X11BorrowRecord& record);
    ~X11SpareKeyBindings();
    X11SpareKeyBindings(const X11SpareKeyBindings&) = delete;
    X11SpareKeyBindings& operator=(const X11SpareKeyBindings&) = delete;

    /// Binds levels[i] to keycodes[i]; bindings still held are released first, once the room has had its time to
    /// read them. Returns once the room has had its time to read the new ones. False when the server did not take
    /// every binding.
    [[nodiscard]] bool bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels);
    /// Counts keys sent while the bindings hold, which the target has to read before they may go.
    void noteTyped(std::size_t keys);
    /// Notes that the server has just delivered every key sent so far.
    void noteDelivered();
    /// Gives the keycodes back to the map once the target has had its time to read the keys since the delivery.
    void release();
    /// Gives the keycodes back at once, without the reading time.
    void releaseNow();
    /// How long the release still has to wait; zero when nothing is bound or the time is up.
    std::chrono::steady_clock::duration timeToRelease() const;
    /// The keycodes lent out now.
    const std::vector<KeyCode>& keycodes() const { return m_keycodes; }

private:
    Display* m_display;
    X11BorrowRecord& m_record;
    std::vector<KeyCode> m_keycodes;
    std::size_t m_keysTyped = 0;
    std::optional<std::chrono::steady_clock::time_point> m_deliveredAt;
};

} // namespace quorvex::platform::x11
