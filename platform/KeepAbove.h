// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorvex::platform {

// The window manager's keep-above switch of a top-level window.
class KeepAbove
{
public:
    KeepAbove() = default;
    KeepAbove(const KeepAbove&) = delete;
    KeepAbove& operator=(const KeepAbove&) = delete;
    virtual ~KeepAbove() = default;

    /// Makes the window stay in front of all others, or stop doing so, without hiding or moving it.
    virtual void setKeepAbove(QWidget& window, bool above) = 0;
};

} // namespace quorvex::platform
