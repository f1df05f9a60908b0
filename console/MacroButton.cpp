// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroButton.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quorvex::console {

MacroButton::MacroButton(QWidget* parent) : QPushButton(parent) {}

void MacroButton::mousePressEvent(QMouseEvent* event)
{
    // The action may open a modal box; the button is not left held down behind it.
    event->accept();
    setFocus(Qt::MouseFocusReason);
    Q_EMIT mouseDown(event->button(), event->modifiers(), event->position());
}

void MacroButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void MacroButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

} // namespace quorvex::console
