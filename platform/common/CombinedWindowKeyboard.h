// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

namespace quorvex::platform {

// Looks for the room with a first keyboard and, when that one finds no window of that title or cannot work on
// this desktop, with a second; the keys then go to the keyboard that found the room. A room that was found but
// would not take the focus is reported at once: the second keyboard would only find the same window again.
class CombinedWindowKeyboard final : public WindowKeyboard
{
public:
    CombinedWindowKeyboard(WindowKeyboard& first, WindowKeyboard& second);

    KeyboardError activate(const QString& title, bool wait) override;
    TypingResult type(std::span<const Keystroke> keys, bool wait) override;

private:
    WindowKeyboard& m_first;
    WindowKeyboard& m_second;
    WindowKeyboard* m_active = nullptr;
};

} // namespace quorvex::platform
