// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

#include <span>

namespace quorvex::platform::x11 {

// A note on the root window of the keys this console has borrowed (spare keycodes bound to characters) and holds
// down (Shift during a run), written before it borrows or holds them. A console killed with -9 cannot give them
// back; the next one reads the note at its start and repairs what it names.
class X11BorrowRecord final
{
public:
    explicit X11BorrowRecord(Display* display);
    X11BorrowRecord(const X11BorrowRecord&) = delete;
    X11BorrowRecord& operator=(const X11BorrowRecord&) = delete;

    void noteBorrowed(std::span<const KeyCode> keycodes);
    void noteReturned();
    void noteHeld(std::span<const KeyCode> keycodes);
    void noteReleased();

    /// Gives back what a console that has ended left noted: the borrowed keycodes lose their symbols, held keys
    /// still down are released. Leaves a living console's note alone; does nothing when there is no note.
    void repairLeftovers();

private:
    void write(Atom name, std::span<const KeyCode> keycodes);
    void erase(Atom name);

    Display* m_display;
    Window m_root;
    Atom m_borrowed;
    Atom m_held;
};

} // namespace quorvex::platform::x11
