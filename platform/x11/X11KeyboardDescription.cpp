// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11KeyboardDescription.h"

#include "X11ErrorTrap.h"

#include <algorithm>
#include <vector>

namespace quorvex::platform::x11 {
namespace {

constexpr Keysym kClear = kNoSymbol;

bool inRange(const XkbDescRec& xkb, KeyCode keycode)
{
    return keycode >= xkb.min_key_code && keycode <= xkb.max_key_code;
}

// One request for all keys, the untouched ones between them sent back as they are: every change of the map makes
// every client (the window manager too) fetch the map again, and those fetches hold up the target.
bool writeWithXkb(Display* display, std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    const X11ErrorTrap trap(display);
    const KeyboardDescription xkb = readKeyboardDescription(display, XkbKeyTypesMask | XkbKeySymsMask);
    if (!xkb || xkb->map == nullptr) {
        return false;
    }
    KeyCode first = 0;
    KeyCode last = 0;
    for (std::size_t i = 0; i < keycodes.size(); ++i) {
        const KeyCode keycode = keycodes[i];
        if (!inRange(*xkb, keycode)) {
            continue;
        }
        first = first == 0 ? keycode : std::min(first, keycode);
        last = std::max(last, keycode);
        XkbChangeTypesOfKey(xkb.get(), keycode, 0, XkbGroup1Mask, nullptr, nullptr);
        if (levels[i][0] == kClear) {
            continue;
        }
        std::array<int, XkbNumKbdGroups> types{XkbTwoLevelIndex};
        if (XkbChangeTypesOfKey(xkb.get(), keycode, 1, XkbGroup1Mask, types.data(), nullptr) == Success) {
            KeySym* syms = XkbKeySymsPtr(xkb.get(), keycode);
            syms[0] = levels[i][0];
            syms[1] = levels[i][1];
        }
    }
    if (first == 0) {
        return true;
    }
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = first;
    changes.num_key_syms = static_cast<unsigned char>(last - first + 1);
    XkbChangeMap(display, xkb.get(), &changes);
    XSync(display, False);
    return trap.errorCount() == 0;
}

void writeWithCoreProtocol(Display* display, std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    const X11ErrorTrap trap(display);
    for (std::size_t i = 0; i < keycodes.size(); ++i) {
        std::array<KeySym, 2> syms{levels[i][0], levels[i][1]};
        XChangeKeyboardMapping(display, keycodes[i], 2, syms.data(), 1);
    }
}

bool holdsEverywhere(Display* display, std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    const KeyboardDescription xkb = readKeyboardDescription(display, XkbKeyTypesMask | XkbKeySymsMask);
    if (!xkb || xkb->map == nullptr) {
        return false;
    }
    for (std::size_t i = 0; i < keycodes.size(); ++i) {
        const KeyCode keycode = keycodes[i];
        if (!inRange(*xkb, keycode)) {
            return false;
        }
        if (levels[i][0] == kClear) {
            if (XkbKeyNumSyms(xkb.get(), keycode) != 0) {
                return false;
            }
            continue;
        }
        if (XkbKeyNumGroups(xkb.get(), keycode) < 1 || XkbKeyGroupWidth(xkb.get(), keycode, 0) < 2 ||
            XkbKeySymEntry(xkb.get(), keycode, 0, 0) != levels[i][0] ||
            XkbKeySymEntry(xkb.get(), keycode, 1, 0) != levels[i][1]) {
            return false;
        }
    }
    return true;
}

} // namespace

KeyboardDescription readKeyboardDescription(Display* display, unsigned int parts)
{
    return KeyboardDescription(XkbGetMap(display, parts, XkbUseCoreKbd));
}

bool bindKeySymbols(Display* display, std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    if (keycodes.empty()) {
        return true;
    }
    if (writeWithXkb(display, keycodes, levels) && holdsEverywhere(display, keycodes, levels)) {
        return true;
    }
    writeWithCoreProtocol(display, keycodes, levels);
    return holdsEverywhere(display, keycodes, levels);
}

void clearKeySymbols(Display* display, std::span<const KeyCode> keycodes)
{
    const std::vector<KeyLevels> cleared(keycodes.size(), KeyLevels{kClear, kClear});
    bindKeySymbols(display, keycodes, cleared);
}

} // namespace quorvex::platform::x11
