// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

#include <memory>

namespace quorvex::platform::x11 {

// Finds a top-level window by its title and types into it with XTest key events.
class X11WindowKeyboard final : public WindowKeyboard
{
public:
    X11WindowKeyboard();
    ~X11WindowKeyboard() override;

    KeyboardError activate(const QString& title, bool wait) override;
    KeyboardError sendKeys(const QString& keystrokes, bool wait) override;

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace quorvex::platform::x11
