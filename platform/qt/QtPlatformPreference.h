// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvex::platform {

/// The Qt platform plugins to ask for, given the host's own QT_QPA_PLATFORM and the session's DISPLAY and
/// WAYLAND_DISPLAY; empty leaves the choice to Qt.
QByteArray preferredQtPlatform(const QByteArray& hostChoice, const QByteArray& display,
                               const QByteArray& waylandDisplay);

/// Applies preferredQtPlatform to this process's environment; call before the application object is made.
void preferX11WhereAvailable();

} // namespace quorvex::platform
