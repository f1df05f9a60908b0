// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Keystroke.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvex::platform::wayland {

// A keyboard made for one run of a text: each distinct character (and Enter) on a key of its own, at the first
// level, so every key types its character with no modifier held, whatever the host's own layout is.
struct TextKeymap
{
    std::string keymap;              ///< the XKB keymap in text form, as a virtual keyboard uploads it
    std::vector<std::uint32_t> keys; ///< the evdev key code to press for each keystroke of the run, in order
};

/// The most distinct keys one keymap holds: the key codes an XKB keymap can give that XWayland still reads.
inline constexpr std::size_t kMaxKeysPerKeymap = 247;

/// Splits the keystrokes into runs of at most kMaxKeysPerKeymap distinct keys and builds one keymap for each run.
/// Returns nothing when a character has no key symbol, so that nothing is typed rather than part of the text.
std::optional<std::vector<TextKeymap>> keymapsForText(std::span<const Keystroke> keys);

} // namespace quorvex::platform::wayland
