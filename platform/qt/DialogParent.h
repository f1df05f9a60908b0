// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace quorvex::platform::qt {

// The window a dialog belongs to. Qt would pick the active window, and right after another dialog has closed there
// is none: the box then belongs to Qt's hidden leader window, and a window manager stacks it under a console that
// stays on top, where nobody sees it while it blocks the console.
class DialogParent final
{
public:
    void set(QWidget& window) { m_window = &window; }

    /// The console, or the active window until the console has been named or after it is gone.
    QWidget* window() const;

private:
    QPointer<QWidget> m_window;
};

} // namespace quorvex::platform::qt
