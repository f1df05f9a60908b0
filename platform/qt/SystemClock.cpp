// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

namespace quorvex::platform::qt {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace quorvex::platform::qt
