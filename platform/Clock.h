// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>

namespace quorvex::platform {

// The machine's local calendar and time of day.
class Clock
{
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    /// Today's local date.
    virtual QDate today() const = 0;
    /// The local date and time, to the millisecond.
    virtual QDateTime now() const = 0;
};

} // namespace quorvex::platform
