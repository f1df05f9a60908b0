// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11PlainKeyboardGuard.h"

#include "XlibHeaders.h"

#include <array>

namespace quorvex::platform::x11 {
namespace {

void releaseHeldModifierKeys(Display* display)
{
    std::array<char, 32> down{};
    XQueryKeymap(display, down.data());
    XModifierKeymap* modifiers = XGetModifierMapping(display);
    if (modifiers == nullptr) {
        return;
    }
    const int count = 8 * modifiers->max_keypermod;
    for (int i = 0; i < count; ++i) {
        const KeyCode keycode = modifiers->modifiermap[i];
        if (keycode != 0 && (down[keycode / 8] & (1 << (keycode % 8))) != 0) {
            XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        }
    }
    XFreeModifiermap(modifiers);
}

} // namespace

X11PlainKeyboardGuard::X11PlainKeyboardGuard(Display* display) : m_display(display)
{
    releaseHeldModifierKeys(m_display);

    XkbStateRec state{};
    if (XkbGetState(m_display, XkbUseCoreKbd, &state) != Success) {
        return;
    }
    if (state.latched_mods != 0) {
        XkbLatchModifiers(m_display, XkbUseCoreKbd, state.latched_mods, 0);
    }
    if (state.latched_group != 0) {
        XkbLatchGroup(m_display, XkbUseCoreKbd, 0);
    }
    m_lockedModifiers = state.locked_mods;
    m_lockedGroup = state.locked_group;
    if (m_lockedModifiers != 0) {
        XkbLockModifiers(m_display, XkbUseCoreKbd, m_lockedModifiers, 0);
    }
    if (m_lockedGroup != 0) {
        XkbLockGroup(m_display, XkbUseCoreKbd, 0);
    }
}

X11PlainKeyboardGuard::~X11PlainKeyboardGuard()
{
    // Each key event carries the state it was sent with, so the locks can come back as soon as the last key is out.
    if (m_lockedModifiers != 0) {
        XkbLockModifiers(m_display, XkbUseCoreKbd, m_lockedModifiers, m_lockedModifiers);
    }
    if (m_lockedGroup != 0) {
        XkbLockGroup(m_display, XkbUseCoreKbd, static_cast<unsigned int>(m_lockedGroup));
    }
    XFlush(m_display);
}

} // namespace quorvex::platform::x11
