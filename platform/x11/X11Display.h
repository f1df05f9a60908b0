// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Xlib's own name for a display connection, declared here so that the program's side of the platform can hold the
// display without reading Xlib and its macros.
typedef struct _XDisplay Display; // NOLINT(modernize-use-using): the same declaration as Xlib's

namespace quorvex::platform::x11 {

// The program's one connection to the X display, shared by everything on X11: window activation, typing and
// keep-above.
class X11Display final
{
public:
    /// Opens the display named by DISPLAY; without one, display() is null and every user fails gently.
    X11Display();
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    Display* display() const { return m_display; }
    /// Whether the server offers what typing needs: XTest for the key events and XKB for the keymap.
    bool canType() const { return m_canType; }

private:
    Display* m_display = nullptr;
    bool m_canType = false;
};

} // namespace quorvex::platform::x11
