// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11SpareKeyBindings.h"

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

bool X11SpareKeyBindings::bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels)
{
    release();
    m_keycodes.assign(keycodes.begin(), keycodes.end());
    m_keysTyped = 0;
    m_deliveredAt.reset();
    m_record.noteBorrowed(m_keycodes);
    if (!bindKeySymbols(m_display, m_keycodes, levels)) {
        return false;
    }
    if (!m_keycodes.empty()) {
        // The room learns of the change from a notice the server sends once it has made it; the keys come after.
        XSync(m_display, False);
        std::this_thread::sleep_for(kBindingReadTime);
    }
    return true;
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
