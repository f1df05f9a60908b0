// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11KeepAbove.h"

#include <QWidget>

namespace quorvex::platform::x11 {

void X11KeepAbove::setKeepAbove(QWidget& window, bool above)
{
    window.setWindowFlag(Qt::WindowStaysOnTopHint, above);
    window.show();
}

} // namespace quorvex::platform::x11
