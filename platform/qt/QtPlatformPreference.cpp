// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPlatformPreference.h"

#include <QtGlobal>

namespace quorvex::platform {

QByteArray preferredQtPlatform(const QByteArray& hostChoice, const QByteArray& display,
                               const QByteArray& waylandDisplay)
{
    // A console that is a native Wayland window asks to activate X11 rooms without a user time, and compositors
    // refuse such requests; as an X11 window under XWayland its requests are honoured like any X client's.
    if (!hostChoice.isEmpty() || display.isEmpty()) {
        return {};
    }
    // Should the X display be gone, Qt tries the next plugin rather than giving up.
    return waylandDisplay.isEmpty() ? QByteArrayLiteral("xcb") : QByteArrayLiteral("xcb;wayland");
}

void preferX11WhereAvailable()
{
    const QByteArray chosen =
        preferredQtPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"));
    if (!chosen.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", chosen);
    }
}

} // namespace quorvex::platform
