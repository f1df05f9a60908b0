// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11Keymap.h"
#include "X11KeyboardDescription.h"
#include "XlibHeaders.h"

#include <algorithm>
#include <array>
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
    unsigned int level3Mask = 0;
    for (int code = xkb->min_key_code; code <= xkb->max_key_code; ++code) {
        const auto keycode = static_cast<KeyCode>(code);
        const unsigned char modifiers = xkb->map->modmap[keycode];
        if (modifiers == 0 || XkbKeyNumSyms(xkb.get(), keycode) == 0) {
            continue;
        }
        const KeySym first = XkbKeySymEntry(xkb.get(), keycode, 0, 0);
        if ((modifiers & ShiftMask) != 0 && (first == XK_Shift_L || first == XK_Shift_R) && !keymap.m_shift) {
            keymap.m_shift = keycode;
        }
        if (first == XK_ISO_Level3_Shift && !keymap.m_level3) {
            keymap.m_level3 = keycode;
            level3Mask = modifiers;
        }
    }

    // Tried in this order, so that a character is typed the plainest way the map offers it.
    struct Way
    {
        bool shift;
        bool level3;
    };
    constexpr std::array<Way, 4> kWays{{{false, false}, {true, false}, {false, true}, {true, true}}};
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
            continue;
        }
        // The key types decide which modifiers reach which level (a keypad key's second level wants NumLock,
        // not Shift), so each level is found by translating as the target will, not by the column it sits in.
        const int groups = XkbKeyNumGroups(xkb.get(), keycode);
        for (int group = 0; group < groups; ++group) {
            for (std::size_t way = 0; way < kWays.size(); ++way) {
                const Way w = kWays[way];
                if ((w.shift && !keymap.m_shift) || (w.level3 && !keymap.m_level3)) {
                    continue;
                }
                const unsigned int mods = (w.shift ? ShiftMask : 0) | (w.level3 ? level3Mask : 0);
                unsigned int consumed = 0;
                KeySym keysym = NoSymbol;
                if (!XkbTranslateKeyCode(xkb.get(), keycode, XkbBuildCoreState(mods, group), &consumed, &keysym) ||
                    keysym == NoSymbol) {
                    continue;
                }
                const KeyChoice choice{keycode, w.shift, w.level3, static_cast<unsigned int>(group)};
                const auto rank = static_cast<int>(way) + static_cast<int>(kWays.size()) * group;
                const auto [it, added] = keymap.m_keys.try_emplace(canonicalKeysym(keysym), Ranked{choice, rank});
                if (!added && rank < it->second.rank) {
                    it->second = Ranked{choice, rank};
                }
            }
        }
    }
    // Lent from the top down, away from keycode 8, which evdev-based keymaps reserve (KEY_RESERVED).
    std::reverse(keymap.m_spare.begin(), keymap.m_spare.end());
    return keymap;
}

X11Keymap X11Keymap::fromParts(std::span<const std::pair<Keysym, KeyChoice>> keys, std::vector<KeyCode> spare,
                               std::optional<KeyCode> shift, std::optional<KeyCode> level3)
{
    X11Keymap keymap;
    for (const auto& [keysym, choice] : keys) {
        keymap.m_keys.try_emplace(canonicalKeysym(keysym), Ranked{choice, 0});
    }
    keymap.m_spare = std::move(spare);
    keymap.m_shift = shift;
    keymap.m_level3 = level3;
    return keymap;
}

std::optional<KeyChoice> X11Keymap::find(Keysym keysym) const
{
    const auto it = m_keys.find(canonicalKeysym(keysym));
    if (it == m_keys.end()) {
        return std::nullopt;
    }
    return it->second.choice;
}

} // namespace quorvex::platform::x11
