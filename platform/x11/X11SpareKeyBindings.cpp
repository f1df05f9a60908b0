// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11SpareKeyBindings.h"

#include "SpareKeyBatches.h"
#include "X11KeyboardDescription.h"

#include <algorithm>
#include <thread>

namespace quorvex::platform::x11 {

X11SpareKeyBindings::X11SpareKeyBindings(Display* display, X11BorrowRecord& record)
    : m_display(display), m_record(record)
{
}

X11SpareKeyBindings::~X11SpareKeyBindings()
{
    release();
}

bool X11SpareKeyBindings::bind(std::span<const KeyCode> spare, std::span<const Keysym> keysyms)
{
    release();
    const std::vector<KeyLevels> levels = spareKeyLevels(keysyms);
    m_keycodes = leastRecentlyUsed(spare, m_lastUse, levels.size());
    if (m_keycodes.size() < levels.size()) {
        m_keycodes.clear();
        return false;
    }
    for (const KeyCode keycode : m_keycodes) {
        m_lastUse[keycode] = ++m_uses;
    }
    m_keysyms.assign(keysyms.begin(), keysyms.end());
    m_keysTyped = 0;
    m_deliveredAt.reset();
    m_record.noteBorrowed(m_keycodes);
    return bindKeySymbols(m_display, m_keycodes, levels);
}

std::optional<KeyChoice> X11SpareKeyBindings::choiceFor(Keysym keysym) const
{
    const std::optional<SpareSlot> slot = spareSlotOf(m_keysyms, keysym);
    if (!slot || slot->key >= m_keycodes.size()) {
        return std::nullopt;
    }
    return KeyChoice{m_keycodes[slot->key], slot->shift};
}

void X11SpareKeyBindings::noteTyped(std::size_t keys)
{
    if (!m_keycodes.empty()) {
        m_keysTyped += keys;
        m_deliveredAt.reset();
    }
}

void X11SpareKeyBindings::noteDelivered()
{
    if (!m_keycodes.empty()) {
        m_deliveredAt = std::chrono::steady_clock::now();
    }
}

void X11SpareKeyBindings::release()
{
    if (m_keycodes.empty()) {
        return;
    }
    if (!m_deliveredAt) {
        XSync(m_display, False);
        m_deliveredAt = std::chrono::steady_clock::now();
    }
    const auto keysTyped = static_cast<std::chrono::microseconds::rep>(m_keysTyped);
    std::this_thread::sleep_until(*m_deliveredAt + kReadingGrace + kReadingTimePerKey * keysTyped);

    clearKeySymbols(m_display, m_keycodes);
    m_record.noteReturned();
    XFlush(m_display);
    m_keycodes.clear();
    m_keysyms.clear();
    m_keysTyped = 0;
    m_deliveredAt.reset();
}

void X11SpareKeyBindings::releaseNow()
{
    m_deliveredAt =
        std::chrono::steady_clock::now() - kReadingGrace - kReadingTimePerKey * static_cast<long>(m_keysTyped);
    release();
}

std::chrono::steady_clock::duration X11SpareKeyBindings::timeToRelease() const
{
    if (m_keycodes.empty() || !m_deliveredAt) {
        return std::chrono::steady_clock::duration::zero();
    }
    const auto keysTyped = static_cast<std::chrono::microseconds::rep>(m_keysTyped);
    const auto due = *m_deliveredAt + kReadingGrace + kReadingTimePerKey * keysTyped;
    return std::max(due - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration::zero());
}

} // namespace quorvex::platform::x11
