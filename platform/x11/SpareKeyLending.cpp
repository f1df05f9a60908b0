// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpareKeyLending.h"

#include "SpareKeyBatches.h"

namespace quorvex::platform::x11 {

std::optional<SpareKeyLending::Loan> SpareKeyLending::lend(std::span<const KeyCode> spare,
                                                           std::span<const Keysym> keysyms)
{
    Loan loan;
    loan.levels = spareKeyLevels(keysyms);
    loan.keycodes = leastRecentlyUsed(spare, m_lastUse, loan.levels.size());
    if (loan.keycodes.size() < loan.levels.size()) {
        return std::nullopt;
    }
    for (const KeyCode keycode : loan.keycodes) {
        m_lastUse[keycode] = ++m_uses;
    }
    m_keycodes = loan.keycodes;
    m_keysyms.assign(keysyms.begin(), keysyms.end());
    return loan;
}

std::optional<KeyChoice> SpareKeyLending::choiceFor(Keysym keysym) const
{
    const std::optional<SpareSlot> slot = spareSlotOf(m_keysyms, keysym);
    if (!slot || slot->key >= m_keycodes.size()) {
        return std::nullopt;
    }
    return KeyChoice{m_keycodes[slot->key], slot->shift};
}

void SpareKeyLending::clear()
{
    m_keycodes.clear();
    m_keysyms.clear();
}

} // namespace quorvex::platform::x11
