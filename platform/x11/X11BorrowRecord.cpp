// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11BorrowRecord.h"

#include "X11KeyboardDescription.h"
#include "X11Property.h"

#include "XlibHeaders.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

namespace quorvex::platform::x11 {
namespace {

// The note's first item is the process that wrote it; the keycodes follow.
std::vector<long> noteOf(Display* display, Window root, Atom name)
{
    const X11Property property(display, root, name, XA_CARDINAL);
    if (!property.exists() || property.format() != 32) {
        return {};
    }
    const auto* items = reinterpret_cast<const long*>(property.bytes());
    return std::vector<long>(items, items + property.count());
}

// Our own process counts as alive: another keyboard of it may be lending keys right now.
bool processIsAlive(long pid)
{
    if (pid == static_cast<long>(getpid())) {
        return true;
    }
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

} // namespace

X11BorrowRecord::X11BorrowRecord(Display* display)
    : m_display(display), m_root(DefaultRootWindow(display)),
      m_borrowed(XInternAtom(display, "_QUORVEX_BORROWED_KEYS", False)),
      m_held(XInternAtom(display, "_QUORVEX_HELD_KEYS", False))
{
}

void X11BorrowRecord::noteBorrowed(std::span<const KeyCode> keycodes)
{
    write(m_borrowed, keycodes);
}

void X11BorrowRecord::noteReturned()
{
    erase(m_borrowed);
}

void X11BorrowRecord::noteHeld(std::span<const KeyCode> keycodes)
{
    write(m_held, keycodes);
}

void X11BorrowRecord::noteReleased()
{
    erase(m_held);
}

void X11BorrowRecord::write(Atom name, std::span<const KeyCode> keycodes)
{
    std::vector<long> items{static_cast<long>(getpid())};
    items.insert(items.end(), keycodes.begin(), keycodes.end());
    XChangeProperty(m_display, m_root, name, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.data()), static_cast<int>(items.size()));
}

void X11BorrowRecord::erase(Atom name)
{
    XDeleteProperty(m_display, m_root, name);
}

void X11BorrowRecord::repairLeftovers()
{
    const std::vector<long> borrowed = noteOf(m_display, m_root, m_borrowed);
    if (!borrowed.empty() && !processIsAlive(borrowed.front())) {
        std::vector<KeyCode> keycodes;
        for (std::size_t i = 1; i < borrowed.size(); ++i) {
            keycodes.push_back(static_cast<KeyCode>(borrowed[i]));
        }
        clearKeySymbols(m_display, keycodes);
        erase(m_borrowed);
    }
    const std::vector<long> held = noteOf(m_display, m_root, m_held);
    if (!held.empty() && !processIsAlive(held.front())) {
        std::array<char, 32> down{};
        XQueryKeymap(m_display, down.data());
        for (std::size_t i = 1; i < held.size(); ++i) {
            const auto keycode = static_cast<KeyCode>(held[i]);
            if ((down[keycode / 8] & (1 << (keycode % 8))) != 0) {
                XTestFakeKeyEvent(m_display, keycode, False, CurrentTime);
            }
        }
        erase(m_held);
    }
    XSync(m_display, False);
}

} // namespace quorvex::platform::x11
