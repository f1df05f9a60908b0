// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

#include "X11Display.h"

#include <memory>

namespace quorvex::platform::x11 {

// Finds a top-level window by its title, activates it and types into it with XTest key events, as a person at the
// keyboard would (clients such as xterm ignore keys sent with XSendEvent). Characters the keyboard map lacks are
// lent to spare keycodes for the time of the text. The focus is checked before every key, and keys or locks the
// host still holds do not change what is typed.
//
// Written on Xlib directly rather than on libxdo, which measured unfit here: it reads titles as regular
// expressions, crashes when a window vanishes during its search, types "\n" as Linefeed rather than Return, drops
// characters the map lacks at full speed and types "Å" as "å".
class X11WindowKeyboard final : public WindowKeyboard
{
public:
    /// Works on the program's display connection, which must outlive it; without a display (or without XTest or
    /// XKB) every call fails with Unavailable. Repairs at once what a killed console left borrowed or held.
    explicit X11WindowKeyboard(const X11Display& display);
    ~X11WindowKeyboard() override;

    KeyboardError activate(const QString& title, bool wait) override;
    TypingResult type(std::span<const Keystroke> keys, bool wait) override;
    /// Gives the borrowed keys back now, whatever a lagging room still has to read: the program
    /// is ending. Called from the handling of a termination signal.
    void restoreKeyboard();

private:
    class ServerKeySink;
    std::unique_ptr<ServerKeySink> m_sink;
};

} // namespace quorvex::platform::x11
