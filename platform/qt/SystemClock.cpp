// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

namespace quorvex::platform::qt {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

} // namespace quorvex::platform::qt
