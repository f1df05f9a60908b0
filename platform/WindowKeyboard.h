// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex::platform {

enum class KeyboardError {
    None,
    NoSuchWindow, // no window has the title, or it never took the focus
    FocusLost,    // the target window lost the input focus while keys were being typed
    BadKeys,      // the keystroke string is malformed or holds a character that cannot be typed
    Unavailable,  // no display or no keystroke synthesizer
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
    /// with `wait`, returns only once it has the focus.
    [[nodiscard]] virtual KeyboardError activate(const QString& title, bool wait) = 0;
    /// Types a keystroke string into the activated window; with `wait`, returns once the keys have been processed.
    [[nodiscard]] virtual KeyboardError sendKeys(const QString& keystrokes, bool wait) = 0;
};

} // namespace quorvex::platform
