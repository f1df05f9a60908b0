// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtEventPump.h"

#include <QCoreApplication>

namespace quorvex::platform::qt {

void QtEventPump::processPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace quorvex::platform::qt
