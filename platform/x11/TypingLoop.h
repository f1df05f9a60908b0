// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowKeyboard.h"

#include "FocusPlace.h"
#include "KeysymMapping.h"
#include "SpareKeyLending.h"
#include "X11Keymap.h"

#include <span>

namespace quorvex::platform::x11 {

// Where the typing loop sends its key events: the X server in the program, a recorder in tests.
class KeySink
{
public:
    KeySink() = default;
    KeySink(const KeySink&) = delete;
    KeySink& operator=(const KeySink&) = delete;
    virtual ~KeySink() = default;

    /// Starts a run of keys that nothing may come between, and tells where the focus is: the run's keys are typed
    /// only when it is in the room and the room still has its title. The run is ended with endRun either way.
    virtual FocusPlace beginRun() = 0;
    /// Brings the room forward again after the console took the focus; false when it does not come back.
    virtual bool bringRoomBack() = 0;
    virtual void lockGroup(unsigned int group) = 0;
    virtual void key(KeyCode keycode, bool press) = 0;
    virtual void endRun(std::size_t typed) = 0;
    /// Binds borrowed characters to spare keys, once the room has read what the keys carried before; false when the
    /// server did not take every binding.
    virtual bool bind(std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels) = 0;
    /// Whether the program is being ended and typing should stop.
    virtual bool stopRequested() = 0;
};

/// Keys sent in one run: long enough that the run's check costs little, short enough that holding the server for
/// it never stalls the desktop visibly.
inline constexpr std::size_t kRunLength = 48;

/// How often one run brings the room back before the text stops: a console that keeps taking the focus is not the
/// host clicking.
inline constexpr int kMostReturnsPerRun = 3;

/// Types `keys` through `sink`: each character from the group and level where the keymap has it, the rest lent to
/// spare keys in batches; modifiers are pressed within a run and released at its end, and the first group is
/// locked again. When a run's check finds the focus in the console, the room is brought back and the run typed
/// then, a few times at most; the text stops at a run whose check finds it elsewhere, or where the room does not
/// come back (FocusLost). A text whose characters cannot be lent is refused (BadKeys) before any of it is typed.
TypingResult typeKeys(const X11Keymap& keymap, std::span<const Keystroke> keys, SpareKeyLending& lending,
                      KeySink& sink);

} // namespace quorvex::platform::x11
