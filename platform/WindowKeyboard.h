// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Keystroke.h"

#include <QString>

#include <cstddef>
#include <span>

namespace quorvex::platform {

enum class KeyboardError {
    None,
    NoSuchWindow, // no window has the title
    NotActivated, // a window has the title but never took the focus
    FocusLost,    // the focus, or the target's title, changed while keys were being typed
    BadKeys,      // a key holds a character that this keyboard cannot type
    Unavailable,  // no display or no keystroke synthesizer
};

struct TypingResult
{
    KeyboardError error = KeyboardError::None;
    std::size_t typed = 0; // keystrokes delivered to the target before the typing ended
};

// Types into another program's top-level window, the way a person at the keyboard would.
class WindowKeyboard
{
public:
    WindowKeyboard() = default;
    WindowKeyboard(const WindowKeyboard&) = delete;
    WindowKeyboard& operator=(const WindowKeyboard&) = delete;
    virtual ~WindowKeyboard() = default;

    /// Brings the window whose title equals `title` (else begins with it) to the front and gives it the focus;
    /// with `wait`, returns only once it has the focus. The window stays the target of `type` until the next call.
    [[nodiscard]] virtual KeyboardError activate(const QString& title, bool wait) = 0;
    /// Types `keys` into the activated window and stops at once when the target loses the focus or its title;
    /// with `wait`, returns once the keys have been processed. Tells how many keys reached the target.
    [[nodiscard]] virtual TypingResult type(std::span<const Keystroke> keys, bool wait) = 0;
};

} // namespace quorvex::platform
