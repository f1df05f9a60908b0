// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowTree.h"

namespace quorvex::platform::x11 {

std::vector<Window> childrenOf(Display* display, Window window)
{
    Window root = kNone;
    Window parent = kNone;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return {};
    }
    std::vector<Window> result(children, children + count);
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

Window parentOf(Display* display, Window window)
{
    Window root = kNone;
    Window parent = kNone;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return kNone;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return parent;
}

bool isInside(Display* display, Window window, Window ancestor)
{
    const Window root = DefaultRootWindow(display);
    for (int depth = 0; depth < kMaximumDepth && window != kNone && window != root; ++depth) {
        if (window == ancestor) {
            return true;
        }
        window = parentOf(display, window);
    }
    return false;
}

} // namespace quorvex::platform::x11
