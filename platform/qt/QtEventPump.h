// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"

namespace quorvex::platform::qt {

// One pass of the Qt event loop that leaves the host's input waiting.
class QtEventPump final : public EventPump
{
public:
    QtEventPump() = default;

    void processPendingEvents() override;
};

} // namespace quorvex::platform::qt
