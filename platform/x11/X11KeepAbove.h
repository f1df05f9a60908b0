// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeepAbove.h"

#include <memory>

namespace quorvex::platform::x11 {

// Asks the window manager for the _NET_WM_STATE_ABOVE state of a shown window, so that it is neither hidden, moved
// nor redrawn; a window not mapped yet gets the toolkit's stay-on-top flag, which it hands the manager on mapping.
class X11KeepAbove final : public KeepAbove
{
public:
    X11KeepAbove();
    ~X11KeepAbove() override;

    void setKeepAbove(QWidget& window, bool above) override;

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace quorvex::platform::x11
