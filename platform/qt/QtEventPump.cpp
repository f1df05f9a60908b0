// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace quorvex::platform::qt {

void QtEventPump::processPendingEvents()
{
    // Paint and window events keep the console drawn, but a click waiting now must not run inside the action that
    // is saying its text: it would finish first, and the room would hear the reports out of order. Qt keeps the
    // user's input queued and hands it over, in order, once the running action has ended.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace quorvex::platform::qt
