// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

namespace quorvex::platform::qt {

// The local date and time of the machine.
class SystemClock final : public Clock
{
public:
    SystemClock() = default;

    QDate today() const override;
    QDateTime now() const override;
};

} // namespace quorvex::platform::qt
