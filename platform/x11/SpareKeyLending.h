// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"
#include "X11Keymap.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace quorvex::platform::x11 {

// Which spare keys carry which borrowed characters now, and when each key was last lent: the bookkeeping of
// borrowing, apart from the server it is written to.
class SpareKeyLending final
{
public:
    /// Lends the least recently lent of `spare` to `keysyms`, two to a key; returns the keys and their levels to
    /// bind, or nothing when the keys are too few.
    struct Loan
    {
        std::vector<KeyCode> keycodes;
        std::vector<KeyLevels> levels;
    };
    std::optional<Loan> lend(std::span<const KeyCode> spare, std::span<const Keysym> keysyms);
    /// How to type `keysym` with the keys lent now, if it is lent.
    std::optional<KeyChoice> choiceFor(Keysym keysym) const;
    /// Forgets the current loan, once its keys have been given back.
    void clear();

private:
    std::vector<KeyCode> m_keycodes;
    std::vector<Keysym> m_keysyms;
    std::map<KeyCode, std::uint64_t> m_lastUse;
    std::uint64_t m_uses = 0;
};

} // namespace quorvex::platform::x11
