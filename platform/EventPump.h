// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::platform {

// The window event loop, entered once to let pending events run.
class EventPump
{
public:
    EventPump() = default;
    EventPump(const EventPump&) = delete;
    EventPump& operator=(const EventPump&) = delete;
    virtual ~EventPump() = default;

    /// Handles the window events that are waiting, once, and returns.
    virtual void processPendingEvents() = 0;
};

} // namespace quorvex::platform
