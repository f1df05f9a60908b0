// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"
#include "XlibHeaders.h"

#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quorvex::platform::x11 {

// How one keysym is typed with the keyboard as it is mapped: a key in a group, alone or with Shift and/or the
// third-level shift (AltGr).
struct KeyChoice
{
    KeyCode keycode = 0;
    bool shift = false;
    bool level3 = false;
    unsigned int group = 0;
};

// The keyboard map at one moment, every group and level of it: which key types which keysym, and which keys type
// nothing and may be lent out for a character the map lacks.
class X11Keymap final
{
public:
    /// Reads the map afresh from the server; nothing when the server's XKB does not give it.
    static std::optional<X11Keymap> read(Display* display);
    /// A map made of its parts, as a test describes a keyboard: for a keysym listed twice the first way counts.
    static X11Keymap fromParts(std::span<const std::pair<Keysym, KeyChoice>> keys, std::vector<KeyCode> spare,
                               std::optional<KeyCode> shift, std::optional<KeyCode> level3);

    /// The key that types `keysym` (in either of its forms, a legacy keysym and its Unicode twin alike), in the first
    /// group and without modifiers where the map allows.
    std::optional<KeyChoice> find(Keysym keysym) const;
    /// Keys with no keysym and no modifier, highest keycode first.
    const std::vector<KeyCode>& spareKeycodes() const { return m_spare; }
    /// A key that holds Shift; without one, the map offers no shifted key.
    std::optional<KeyCode> shiftKeycode() const { return m_shift; }
    /// A key that holds the third-level shift (ISO_Level3_Shift, AltGr); without one, no third-level key is used.
    std::optional<KeyCode> level3Keycode() const { return m_level3; }

private:
    X11Keymap() = default;

    struct Ranked
    {
        KeyChoice choice;
        int rank = 0; // lower is plainer: first group before others, fewer modifiers before more
    };
    std::unordered_map<Keysym, Ranked> m_keys;
    std::vector<KeyCode> m_spare;
    std::optional<KeyCode> m_shift;
    std::optional<KeyCode> m_level3;
};

} // namespace quorvex::platform::x11
