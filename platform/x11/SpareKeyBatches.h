// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace quorvex::platform::x11 {

// A run of keys that can be typed with one set of spare-key bindings.
struct SpareKeyBatch
{
    std::size_t begin = 0;       // index of the run's first key
    std::size_t end = 0;         // one past its last key
    std::vector<Keysym> keysyms; // to bind before the run is typed, distinct, in order of first use

    friend bool operator==(const SpareKeyBatch&, const SpareKeyBatch&) = default;
};

/// Cuts a text into runs that each need at most `spareCount` keysyms bound to spare keycodes. `needs` holds, for
/// each key of the text, the keysym it needs bound, or kNoSymbol when the keyboard map already has it. Returns no
/// runs for an empty text and nothing at all when a key needs a binding but there is no spare keycode.
std::optional<std::vector<SpareKeyBatch>> planSpareKeyBatches(std::span<const Keysym> needs, std::size_t spareCount);

} // namespace quorvex::platform::x11
