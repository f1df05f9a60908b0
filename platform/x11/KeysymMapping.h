// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Keystroke.h"

#include <array>

namespace quorvex::platform::x11 {

/// An X keysym: the same type as Xlib's KeySym, which this header keeps out of its includers.
using Keysym = unsigned long;
inline constexpr Keysym kNoSymbol = 0;

/// The two levels a borrowed key types: plain and with Shift. A key that carries one character has it on both, so
/// that no case rule of a one-symbol key can turn "Å" into "å".
using KeyLevels = std::array<Keysym, 2>;

/// The keysym that types `key`: Return for Enter, Tab for a tab, a Latin-1 character's own code point, any other
/// character the Unicode keysym 0x01000000 + code point.
Keysym keysymFor(const Keystroke& key);

/// A keysym in the form keysymFor gives for its character: a legacy keysym and its Unicode twin (EuroSign and
/// U+20AC, Cyrillic_zhe and U+0436) come out alike, so a keymap that holds either form is found by the character.
Keysym canonicalKeysym(Keysym keysym);

} // namespace quorvex::platform::x11
