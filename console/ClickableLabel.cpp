// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClickableLabel.h"

#include <QMouseEvent>

namespace quorvex::console {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        Q_EMIT clicked();
    }
}

} // namespace quorvex::console
