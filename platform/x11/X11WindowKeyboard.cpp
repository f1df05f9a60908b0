// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowKeyboard.h"

namespace quorvex::platform::x11 {

struct X11WindowKeyboard::Connection
{
};

X11WindowKeyboard::X11WindowKeyboard() = default;
X11WindowKeyboard::~X11WindowKeyboard() = default;

KeyboardError X11WindowKeyboard::activate(const QString&, bool)
{
    return KeyboardError::Unavailable;
}

KeyboardError X11WindowKeyboard::sendKeys(const QString&, bool)
{
    return KeyboardError::Unavailable;
}

} // namespace quorvex::platform::x11
