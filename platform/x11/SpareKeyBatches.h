// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"

#include <cstddef>
#include <cstdint>
#include <map>
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

/// Two characters go on each spare key, plain and with Shift, so a batch holds up to twice as many characters as
/// there are spare keys.
inline constexpr std::size_t kCharactersPerSpareKey = 2;

/// Where a borrowed character sits: the index of its key among the batch's keys, and whether Shift reaches it.
struct SpareSlot
{
    std::size_t key = 0;
    bool shift = false;

    friend bool operator==(const SpareSlot&, const SpareSlot&) = default;
};

/// The levels of the keys that carry a batch's keysyms: two to a key in their order; an odd last one alone on
/// both levels of its key.
std::vector<KeyLevels> spareKeyLevels(std::span<const Keysym> keysyms);

/// The slot of `keysym` among a batch's keysyms laid out as spareKeyLevels lays them.
std::optional<SpareSlot> spareSlotOf(std::span<const Keysym> keysyms, Keysym keysym);

/// The `count` spare keys to lend next: those never lent first (in the order given), then the least recently
/// used, so that a key a lagging room may still be reading is rebound last. `lastUse` holds, per keycode, when it
/// was last lent (a growing count).
std::vector<unsigned char> leastRecentlyUsed(std::span<const unsigned char> spare,
                                             const std::map<unsigned char, std::uint64_t>& lastUse, std::size_t count);

/// Cuts a text into runs that each need at most `spareCount` spare keys, at two keysyms a key. `needs` holds, for
/// each key of the text, the keysym it needs bound, or kNoSymbol when the keyboard map already has it. Returns no
/// runs for an empty text and nothing at all when a key needs a binding but there is no spare keycode.
std::optional<std::vector<SpareKeyBatch>> planSpareKeyBatches(std::span<const Keysym> needs, std::size_t spareCount);

} // namespace quorvex::platform::x11
