// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11SpareKeyBindings.h"

#include <X11/XKBlib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <thread>

namespace quorvex::platform::x11 {
namespace {

struct KeyboardDescFree
{
    void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, 0, True); }
};

} // namespace

X11SpareKeyBindings::X11SpareKeyBindings(Display* display) : m_display(display) {}

X11SpareKeyBindings::~X11SpareKeyBindings()
{
    release();
}

void X11SpareKeyBindings::bind(std::span<const KeyCode> keycodes, std::span<const Keysym> keysyms)
{
    release();
    const std::size_t count = std::min(keycodes.size(), keysyms.size());
    m_keycodes.assign(keycodes.begin(), keycodes.begin() + static_cast<std::ptrdiff_t>(count));
    m_keysyms.assign(keysyms.begin(), keysyms.begin() + static_cast<std::ptrdiff_t>(count));
    m_keysTyped = 0;
    m_deliveredAt.reset();
    write(m_keycodes, m_keysyms);
}

std::optional<KeyCode> X11SpareKeyBindings::keycodeFor(Keysym keysym) const
{
    const auto it = std::find(m_keysyms.begin(), m_keysyms.end(), keysym);
    if (it == m_keysyms.end()) {
        return std::nullopt;
    }
    return m_keycodes[static_cast<std::size_t>(it - m_keysyms.begin())];
}

void X11SpareKeyBindings::noteTyped(std::size_t keys)
{
    if (!m_keycodes.empty()) {
        m_keysTyped += keys;
        m_deliveredAt.reset();
    }
}

void X11SpareKeyBindings::noteDelivered()
{
    if (!m_keycodes.empty()) {
        m_deliveredAt = std::chrono::steady_clock::now();
    }
}

void X11SpareKeyBindings::release()
{
    if (m_keycodes.empty()) {
        return;
    }
    if (!m_deliveredAt) {
        XSync(m_display, False);
        m_deliveredAt = std::chrono::steady_clock::now();
    }
    const auto keysTyped = static_cast<std::chrono::microseconds::rep>(m_keysTyped);
    std::this_thread::sleep_until(*m_deliveredAt + kReadingGrace + kReadingTimePerKey * keysTyped);

    write(m_keycodes, std::vector<Keysym>(m_keycodes.size(), kNoSymbol));
    XFlush(m_display);
    m_keycodes.clear();
    m_keysyms.clear();
    m_keysTyped = 0;
    m_deliveredAt.reset();
}

void X11SpareKeyBindings::write(std::span<const KeyCode> keycodes, std::span<const Keysym> keysyms)
{
    if (keycodes.empty()) {
        return;
    }
    // Written as XKB keys, not core keysyms: the core request would have the server guess each key's type anew.
    const std::unique_ptr<XkbDescRec, KeyboardDescFree> xkb(
        XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    if (!xkb || xkb->map == nullptr) {
        return;
    }
    KeyCode first = keycodes.front();
    KeyCode last = keycodes.front();
    for (std::size_t i = 0; i < keycodes.size(); ++i) {
        const KeyCode keycode = keycodes[i];
        if (keycode < xkb->min_key_code || keycode > xkb->max_key_code) {
            continue;
        }
        first = std::min(first, keycode);
        last = std::max(last, keycode);
        XkbChangeTypesOfKey(xkb.get(), keycode, 0, XkbGroup1Mask, nullptr, nullptr);
        if (keysyms[i] == kNoSymbol) {
            continue;
        }
        // Two levels with the same keysym: no case rule of a one-keysym key can turn "Å" into "å".
        std::array<int, XkbNumKbdGroups> types{XkbTwoLevelIndex};
        if (XkbChangeTypesOfKey(xkb.get(), keycode, 1, XkbGroup1Mask, types.data(), nullptr) == Success) {
            KeySym* levels = XkbKeySymsPtr(xkb.get(), keycode);
            levels[0] = keysyms[i];
            levels[1] = keysyms[i];
        }
    }
    // One request for all keys, the untouched ones between them sent back as they are: every change of the map
    // makes every client (the window manager too) fetch the map again, and those fetches hold up the target.
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = first;
    changes.num_key_syms = static_cast<unsigned char>(last - first + 1);
    XkbChangeMap(m_display, xkb.get(), &changes);
}

} // namespace quorvex::platform::x11
