// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

namespace quorvex::platform {

// The machine's local calendar.
class Clock
{
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    /// Today's local date.
    virtual QDate today() const = 0;
};

} // namespace quorvex::platform
