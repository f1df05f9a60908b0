// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QPoint;
class QWidget;
struct _XDisplay;

namespace quorvex::e2e {

// The host's hands and eyes at the X server: real pointer clicks and key presses through XTest, and what the
// window manager says about stacking and focus. Its own display connection, apart from Qt's.
class HostAtDesktop final
{
public:
    HostAtDesktop();
    ~HostAtDesktop();
    HostAtDesktop(const HostAtDesktop&) = delete;
    HostAtDesktop& operator=(const HostAtDesktop&) = delete;

    bool isOpen() const { return m_display != nullptr; }

    /// Moves the pointer to the middle of `control` and presses and releases `button` (1 left, 3 right).
    void click(const QWidget& control, unsigned int button);
    /// The same at a point of the screen; needs no widget, so another thread may click with its own HostAtDesktop.
    void clickAt(const QPoint& point, unsigned int button);
    /// Moves the pointer to a point of the screen.
    void moveTo(const QPoint& point);
    /// Presses `button` where the pointer is (`down`) or releases it; returns once the server has the event.
    void press(unsigned int button, bool down);
    /// Presses and releases the key of `keysym` in the focused window.
    void pressKey(unsigned long keysym);
    /// Types printable ASCII into the focused window, holding Shift for what lies on a key's second level.
    /// Returns false, typing nothing, when the keyboard map has no key for one of the characters.
    bool type(const QString& text);
    /// Presses the key of `keysym` while holding the left Ctrl key, in the focused window.
    void pressWithControl(unsigned long keysym);

    /// The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING).
    std::vector<unsigned long> stackingOrder() const;
    /// The window that the window manager calls active (_NET_ACTIVE_WINDOW), 0 when none.
    unsigned long activeWindow() const;
    /// Whether the keyboard focus lies in `window` or one of its children.
    bool hasInputFocus(unsigned long window) const;
    /// Whether `upper` stands above `lower` in the stacking order; both have to be managed.
    bool isAbove(unsigned long upper, unsigned long lower) const;
    /// Stacking, active window and focus in words, for a failure message.
    QString describe() const;

private:
    _XDisplay* m_display = nullptr;
};

} // namespace quorvex::e2e
