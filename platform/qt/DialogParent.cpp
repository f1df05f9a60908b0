// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogParent.h"

#include <QApplication>

namespace quorvex::platform::qt {

QWidget* DialogParent::window() const
{
    if (m_window) {
        return m_window;
    }
    return QApplication::activeWindow();
}

} // namespace quorvex::platform::qt
