// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeepAbove.h"

namespace quorvex::platform::x11 {

// Asks the window manager for the _NET_WM_STATE_ABOVE state, so the window is neither hidden nor moved.
class X11KeepAbove final : public KeepAbove
{
public:
    X11KeepAbove() = default;

    void setKeepAbove(QWidget& window, bool above) override;
};

} // namespace quorvex::platform::x11
