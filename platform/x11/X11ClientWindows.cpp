// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11ClientWindows.h"

#include "X11Property.h"
#include "X11WindowTree.h"
#include "XlibHeaders.h"

#include <array>
#include <optional>
#include <span>

namespace quorvex::platform::x11 {
namespace {

enum AtomIndex { kWmState, kNetWmName, kUtf8String, kNetWmPid, kAtomCount };

using Atoms = std::array<Atom, kAtomCount>;

Atoms internAtoms(Display* display)
{
    std::array<char*, kAtomCount> names{const_cast<char*>("WM_STATE"), const_cast<char*>("_NET_WM_NAME"),
                                        const_cast<char*>("UTF8_STRING"), const_cast<char*>("_NET_WM_PID")};
    Atoms atoms{};
    XInternAtoms(display, names.data(), kAtomCount, False, atoms.data());
    return atoms;
}

std::optional<long> windowPid(Display* display, Window window, const Atoms& atoms)
{
    return X11Property(display, window, atoms[kNetWmPid], XA_CARDINAL).first32();
}

bool hasWmState(Display* display, Window window, const Atoms& atoms)
{
    const std::optional<long> state = X11Property(display, window, atoms[kWmState], atoms[kWmState]).first32();
    return state && *state != WithdrawnState;
}

// The client below a root child, the way the manager's frames nest it: the nearest window that has WM_STATE.
std::optional<Window> findClientBelow(Display* display, Window window, const Atoms& atoms, int depth)
{
    if (depth == kMaximumDepth) {
        return std::nullopt;
    }
    const std::vector<Window> children = childrenOf(display, window);
    for (const Window child : children) {
        if (hasWmState(display, child, atoms)) {
            return child;
        }
    }
    for (const Window child : children) {
        if (const std::optional<Window> client = findClientBelow(display, child, atoms, depth + 1)) {
            return client;
        }
    }
    return std::nullopt;
}

std::optional<Window> findClient(Display* display, Window window, const Atoms& atoms)
{
    if (hasWmState(display, window, atoms)) {
        return window;
    }
    return findClientBelow(display, window, atoms, 0);
}

bool isShownTopLevel(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return false;
    }
    return attributes.map_state == IsViewable && attributes.override_redirect == False;
}

QString textFromProperty(Display* display, XTextProperty& text, Atom utf8)
{
    const auto* bytes = reinterpret_cast<const char*>(text.value);
    const auto size = static_cast<qsizetype>(text.nitems);
    if (text.format != 8) {
        return {};
    }
    if (text.encoding == XA_STRING) {
        return QString::fromLatin1(bytes, size);
    }
    if (text.encoding == utf8) {
        return QString::fromUtf8(bytes, size);
    }
    char** list = nullptr;
    int count = 0;
    QString result;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && list != nullptr) {
        for (const char* part : std::span(list, static_cast<std::size_t>(count))) {
            result += QString::fromUtf8(part);
        }
        XFreeStringList(list);
    }
    return result;
}

QString titleOf(Display* display, Window window, const Atoms& atoms)
{
    const X11Property name(display, window, atoms[kNetWmName], atoms[kUtf8String]);
    if (name.exists() && name.format() == 8) {
        return QString::fromUtf8(reinterpret_cast<const char*>(name.bytes()), static_cast<qsizetype>(name.count()));
    }
    XTextProperty text{};
    if (XGetWMName(display, window, &text) == 0 || text.value == nullptr) {
        return {};
    }
    QString result = textFromProperty(display, text, atoms[kUtf8String]);
    XFree(text.value);
    return result;
}

} // namespace

std::vector<X11ClientWindow> listClientWindows(Display* display)
{
    const Atoms atoms = internAtoms(display);
    std::vector<X11ClientWindow> windows;
    const std::vector<Window> topLevels = childrenOf(display, DefaultRootWindow(display));
    for (const Window topLevel : topLevels) {
        std::optional<Window> client = findClient(display, topLevel, atoms);
        if (!client && isShownTopLevel(display, topLevel)) {
            client = topLevel;
        }
        if (client) {
            windows.push_back({*client, titleOf(display, *client, atoms), windowPid(display, *client, atoms)});
        }
    }
    return windows;
}

QString clientWindowTitle(Display* display, Window window)
{
    return titleOf(display, window, internAtoms(display));
}

} // namespace quorvex::platform::x11
