// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace quorvex::console {

// Scales every control of a window, and its font, in proportion when the window is resized.
class Resizer final : public QObject
{
    Q_OBJECT

public:
    /// Takes the window's current size and the controls' current geometry and fonts as the design.
    explicit Resizer(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Design
    {
        QPointer<QWidget> control;
        QRect geometry;
        QFont font;
    };

    void scaleTo(QSize size);

    QWidget& m_window;
    QSize m_designSize;
    std::vector<Design> m_controls;
};

} // namespace quorvex::console
