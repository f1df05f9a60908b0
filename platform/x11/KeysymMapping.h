// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Keystroke.h"

namespace quorvex::platform::x11 {

/// An X keysym: the same type as Xlib's KeySym, which this header keeps out of its includers.
using Keysym = unsigned long;
inline constexpr Keysym kNoSymbol = 0;

/// The keysym that types `key`: Return for Enter, Tab for a tab, a Latin-1 character's own code point, any other
/// character the Unicode keysym 0x01000000 + code point.
Keysym keysymFor(const Keystroke& key);

/// A keysym in the form keysymFor gives: the Unicode keysym of a Latin-1 character becomes its Latin-1 keysym,
/// so a keymap that holds either form of a character is found by the character.
Keysym canonicalKeysym(Keysym keysym);

} // namespace quorvex::platform::x11
