// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeysymMapping.h"

#include "XlibHeaders.h"

#include <array>
#include <memory>
#include <span>

namespace quorvex::platform::x11 {

struct KeyboardDescriptionFree
{
    void operator()(XkbDescPtr description) const { XkbFreeKeyboard(description, 0, True); }
};
/// The server's XKB keyboard description as XkbGetMap gives it, freed with the pointer.
using KeyboardDescription = std::unique_ptr<XkbDescRec, KeyboardDescriptionFree>;

KeyboardDescription readKeyboardDescription(Display* display, unsigned int parts);

/// Binds levels[i] to keycodes[i] in the first group and checks that the server took every binding by reading
/// them back. Written as XKB keys; where the server refuses that request (XWayland answers BadValue), through the
/// core protocol. False when a binding still did not take.
bool bindKeySymbols(Display* display, std::span<const KeyCode> keycodes, std::span<const KeyLevels> levels);

/// Takes every symbol off the keys, making them spare again.
void clearKeySymbols(Display* display, std::span<const KeyCode> keycodes);

} // namespace quorvex::platform::x11
