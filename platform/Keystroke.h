// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::platform {

// One key to type into the room: the Enter key, or a character to type as itself.
struct Keystroke
{
    enum class Kind { Enter, Character };
    Kind kind = Kind::Character;
    char32_t character = 0;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

} // namespace quorvex::platform
