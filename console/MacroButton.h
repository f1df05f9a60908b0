// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace quorvex::console {

// A push button that acts when a mouse button goes down, reporting which one, and wraps its long caption.
// It has no click action, so the keyboard cannot fire it.
class MacroButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit MacroButton(QWidget* parent = nullptr);

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvex::console
