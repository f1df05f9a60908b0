// SPDX-License-Identifier: GPL-3.0-or-later
#include "CombinedWindowKeyboard.h"

namespace quorvex::platform {

CombinedWindowKeyboard::CombinedWindowKeyboard(WindowKeyboard& first, WindowKeyboard& second)
    : m_first(first), m_second(second)
{
}

KeyboardError CombinedWindowKeyboard::activate(const QString& title, bool wait)
{
    m_active = nullptr;
    const KeyboardError first = m_first.activate(title, wait);
    if (first != KeyboardError::NoSuchWindow && first != KeyboardError::Unavailable) {
        if (first == KeyboardError::None) {
            m_active = &m_first;
        }
        return first;
    }
    const KeyboardError second = m_second.activate(title, wait);
    if (second == KeyboardError::None) {
        m_active = &m_second;
    }
    // Where the second keyboard cannot work at all, the first one's answer is the one that tells the host most.
    return second == KeyboardError::Unavailable ? first : second;
}

TypingResult CombinedWindowKeyboard::type(std::span<const Keystroke> keys, bool wait)
{
    if (m_active == nullptr) {
        return {KeyboardError::NoSuchWindow, 0};
    }
    return m_active->type(keys, wait);
}

} // namespace quorvex::platform
