// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostAtDesktop.h"

#include <QWidget>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/x11/XlibHeaders.h"

namespace quorvex::e2e {
namespace {

std::vector<unsigned long> windowsOf(Display* display, const char* property)
{
    std::vector<unsigned long> windows;
    const Atom atom = XInternAtom(display, property, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                           &remaining, &data) != Success ||
        data == nullptr) {
        return windows;
    }
    const auto* ids = reinterpret_cast<const unsigned long*>(data);
    windows.assign(ids, ids + count);
    XFree(data);
    return windows;
}

} // namespace

HostAtDesktop::HostAtDesktop() : m_display(XOpenDisplay(nullptr)) {}

HostAtDesktop::~HostAtDesktop()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
}

void HostAtDesktop::click(const QWidget& control, unsigned int button)
{
    clickAt(control.mapToGlobal(control.rect().center()), button);
}

void HostAtDesktop::moveTo(const QPoint& point)
{
    XTestFakeMotionEvent(m_display, -1, point.x(), point.y(), CurrentTime);
    XSync(m_display, False);
}

void HostAtDesktop::clickAt(const QPoint& point, unsigned int button)
{
    // At a hand's pace: metacity takes a press on a window without focus through a grab that it replays, and a
    // release in the same instant can get lost on the way.
    moveTo(point);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    press(button, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    press(button, false);
}

void HostAtDesktop::press(unsigned int button, bool down)
{
    XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
    XSync(m_display, False);
}

void HostAtDesktop::pressKey(unsigned long keysym)
{
    const KeyCode key = XKeysymToKeycode(m_display, keysym);
    XTestFakeKeyEvent(m_display, key, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, False, CurrentTime);
    XFlush(m_display);
}

void HostAtDesktop::pressWithControl(unsigned long keysym)
{
    const KeyCode control = XKeysymToKeycode(m_display, XK_Control_L);
    const KeyCode key = XKeysymToKeycode(m_display, keysym);
    XTestFakeKeyEvent(m_display, control, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, True, CurrentTime);
    XTestFakeKeyEvent(m_display, key, False, CurrentTime);
    XTestFakeKeyEvent(m_display, control, False, CurrentTime);
    XFlush(m_display);
}

bool HostAtDesktop::type(const QString& text)
{
    struct Stroke
    {
        KeyCode key;
        bool shifted;
    };
    std::vector<Stroke> strokes;
    for (const QChar c : text) {
        // The keysyms of printable ASCII are the characters' own codes.
        const KeySym keysym = c.unicode();
        const KeyCode key = keysym >= 0x20 && keysym <= 0x7e ? XKeysymToKeycode(m_display, keysym) : 0;
        if (key == 0) {
            return false;
        }
        const bool shifted = XkbKeycodeToKeysym(m_display, key, 0, 0) != keysym;
        if (shifted && XkbKeycodeToKeysym(m_display, key, 0, 1) != keysym) {
            return false;
        }
        strokes.push_back({key, shifted});
    }
    const KeyCode shift = XKeysymToKeycode(m_display, XK_Shift_L);
    for (const Stroke& stroke : strokes) {
        if (stroke.shifted) {
            XTestFakeKeyEvent(m_display, shift, True, CurrentTime);
        }
        XTestFakeKeyEvent(m_display, stroke.key, True, CurrentTime);
        XTestFakeKeyEvent(m_display, stroke.key, False, CurrentTime);
        if (stroke.shifted) {
            XTestFakeKeyEvent(m_display, shift, False, CurrentTime);
        }
    }
    XFlush(m_display);
    return true;
}

std::vector<unsigned long> HostAtDesktop::stackingOrder() const
{
    return windowsOf(m_display, "_NET_CLIENT_LIST_STACKING");
}

unsigned long HostAtDesktop::activeWindow() const
{
    const std::vector<unsigned long> active = windowsOf(m_display, "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

bool HostAtDesktop::hasInputFocus(unsigned long window) const
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    // The focus may rest on a child of the top-level window; walk up to the root.
    while (focus > PointerRoot) {
        if (focus == window) {
            return true;
        }
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, focus, &root, &parent, &children, &count)) {
            return false;
        }
        if (children) {
            XFree(children);
        }
        if (parent == root) {
            return false;
        }
        focus = parent;
    }
    return false;
}

bool HostAtDesktop::isAbove(unsigned long upper, unsigned long lower) const
{
    const std::vector<unsigned long> order = stackingOrder();
    const auto upperAt = std::find(order.begin(), order.end(), upper);
    const auto lowerAt = std::find(order.begin(), order.end(), lower);
    return upperAt != order.end() && lowerAt != order.end() && upperAt > lowerAt;
}

QString HostAtDesktop::describe() const
{
    QStringList stacking;
    for (const unsigned long window : stackingOrder()) {
        stacking << QStringLiteral("0x%1").arg(window, 0, 16);
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return QStringLiteral("stacking (bottom to top) %1, active 0x%2, focus 0x%3")
        .arg(stacking.join(u' '))
        .arg(activeWindow(), 0, 16)
        .arg(focus, 0, 16);
}

} // namespace quorvex::e2e
