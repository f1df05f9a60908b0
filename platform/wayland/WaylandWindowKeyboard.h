// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

#include <memory>

namespace quorvex::platform::wayland {

// Finds a native Wayland window by its title, activates it and types into it, on compositors that let a client
// list and activate other programs' windows (wlr-foreign-toplevel-management) and offer a virtual keyboard
// (virtual-keyboard-unstable-v1): sway and the other wlroots compositors; GNOME and KDE offer neither.
//
// Each run of text gets a keymap that holds exactly its characters, one to a key, so every character types as
// itself whatever the host's layout. The one virtual keyboard lives as long as this object: a keyboard made afresh
// for each text lost its first key now and then, before the compositor had taken its keymap.
class WaylandWindowKeyboard final : public WindowKeyboard
{
public:
    /// Connects to the compositor named by WAYLAND_DISPLAY, and again after the connection broke; without one, or
    /// without both protocols, every call fails with Unavailable.
    WaylandWindowKeyboard();
    ~WaylandWindowKeyboard() override;

    KeyboardError activate(const QString& title, bool wait) override;
    TypingResult type(std::span<const Keystroke> keys, bool wait) override;

private:
    /// Opens the connection if there is none or it broke; false without one.
    bool connect();

    class Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace quorvex::platform::wayland
