// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11Keymap.h"
#include "X11KeyboardDescription.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <memory>

namespace quorvex::platform::x11 {
std::optional<X11Keymap> X11Keymap::read(Display* display)
{
    const KeyboardDescription xkb =
        readKeyboardDescription(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask);
    if (!xkb || xkb->map == nullptr || xkb->map->modmap == nullptr) {
        return std::nullopt;
    }

    X11Keymap keymap;
    for (int code = xkb->min_key_code; code <= xkb->max_key_code; ++code) {
        const auto keycode = static_cast<KeyCode>(code);
        const unsigned char modifiers = xkb->map->modmap[keycode];
        if (XkbKeyNumSyms(xkb.get(), keycode) == 0) {
            if (modifiers == 0) {
                keymap.m_spare.push_back(keycode);
            }
            continue;
        }
        if (modifiers != 0) {
            const KeySym first = XkbKeySymEntry(xkb.get(), keycode, 0, 0);
            if ((modifiers & ShiftMask) != 0 && (first == XK_Shift_L || first == XK_Shift_R) && !keymap.m_shift) {
                keymap.m_shift = keycode;
            }
            continue;
        }
        // The key types decide which modifiers reach which level (a keypad key's second level wants NumLock,
        // not Shift), so each level is found by translating as the target will, not by the column it sits in.
        for (const bool shift : {false, true}) {
            unsigned int consumed = 0;
            KeySym keysym = NoSymbol;
            if (!XkbTranslateKeyCode(xkb.get(), keycode, shift ? ShiftMask : 0, &consumed, &keysym) ||
                keysym == NoSymbol) {
                continue;
            }
            const auto [it, added] = keymap.m_keys.try_emplace(canonicalKeysym(keysym), KeyChoice{keycode, shift});
            if (!added && it->second.shift && !shift) {
                it->second = KeyChoice{keycode, false};
            }
        }
    }
    if (!keymap.m_shift) {
        std::erase_if(keymap.m_keys, [](const auto& entry) { return entry.second.shift; });
    }
    // Lent from the top down, away from keycode 8, which evdev-based keymaps reserve (KEY_RESERVED).
    std::reverse(keymap.m_spare.begin(), keymap.m_spare.end());
    return keymap;
}

std::optional<KeyChoice> X11Keymap::find(Keysym keysym) const
{
    const auto it = m_keys.find(canonicalKeysym(keysym));
    if (it == m_keys.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace quorvex::platform::x11
