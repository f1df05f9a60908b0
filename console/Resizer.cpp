// SPDX-License-Identifier: GPL-3.0-or-later
#include "Resizer.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quorvex::console {

Resizer::Resizer(QWidget& window) : QObject(&window), m_window(window), m_designSize(window.size())
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->isWindow()) {
            continue;
        }
        m_controls.push_back({control, control->geometry(), control->font()});
    }
    window.installEventFilter(this);
}

bool Resizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Resize) {
        scaleTo(static_cast<QResizeEvent*>(event)->size());
    }
    return QObject::eventFilter(watched, event);
}

void Resizer::scaleTo(QSize size)
{
    if (m_designSize.isEmpty() || size.isEmpty()) {
        return;
    }
    const double sx = double(size.width()) / m_designSize.width();
    const double sy = double(size.height()) / m_designSize.height();
    // Text must still fit when only one side grows, so fonts follow the smaller factor.
    const double fontScale = std::min(sx, sy);
    for (const Design& design : m_controls) {
        if (!design.control) {
            continue;
        }
        const QRect& g = design.geometry;
        const int left = int(std::lround(g.left() * sx));
        const int top = int(std::lround(g.top() * sy));
        const int right = int(std::lround((g.left() + g.width()) * sx));
        const int bottom = int(std::lround((g.top() + g.height()) * sy));
        design.control->setGeometry(left, top, right - left, bottom - top);
        QFont font = design.font;
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(std::max(1.0, design.font.pointSizeF() * fontScale));
        }
        design.control->setFont(font);
    }
}

} // namespace quorvex::console
