// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"

#include <X11/Xlib.h>

#include <optional>
#include <unordered_map>
#include <vector>

namespace quorvex::platform::x11 {

// How one keysym is typed with the keyboard as it is mapped: a key, alone or with Shift.
struct KeyChoice
{
    KeyCode keycode = 0;
    bool shift = false;
};

// The keyboard map of the first group at one moment: which key types which keysym, and which keys type nothing
// and may be lent out for a character the map lacks.
class X11Keymap final
{
public:
    /// Reads the map afresh from the server; nothing when the server's XKB does not give it.
    static std::optional<X11Keymap> read(Display* display);

    /// The key that types `keysym` (in either of its forms), without Shift where the map allows.
    std::optional<KeyChoice> find(Keysym keysym) const;
    /// Keys with no keysym and no modifier, highest keycode first.
    const std::vector<KeyCode>& spareKeycodes() const { return m_spare; }
    /// A key that holds Shift; without one, the map offers no shifted key.
    std::optional<KeyCode> shiftKeycode() const { return m_shift; }

private:
    X11Keymap() = default;

    std::unordered_map<Keysym, KeyChoice> m_keys;
    std::vector<KeyCode> m_spare;
    std::optional<KeyCode> m_shift;
};

} // namespace quorvex::platform::x11
