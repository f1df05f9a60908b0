// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::platform {

// The window event loop, entered once to let pending paint and window events run.
class EventPump
{
public:
    EventPump() = default;
    EventPump(const EventPump&) = delete;
    EventPump& operator=(const EventPump&) = delete;
    virtual ~EventPump() = default;

    /// Handles the paint and window events that are waiting, once; the host's clicks and keys wait for later.
    virtual void processPendingEvents() = 0;
};

} // namespace quorvex::platform
