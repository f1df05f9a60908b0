// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace quorvex::platform {

// One key of a keystroke string: the Enter key, or a character to type as itself.
struct Keystroke
{
    enum class Kind { Enter, Character };
    Kind kind = Kind::Character;
    char32_t character = 0;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

/// Reads the keystroke notation: "~" is Enter, "{" c "}" types the one character c, any other character types
/// itself. Returns nothing for a malformed string (a brace out of place, a broken surrogate pair) or a control
/// character other than tab, which a keyboard cannot type as itself.
std::optional<std::vector<Keystroke>> parseKeystrokes(const QString& keystrokes);

} // namespace quorvex::platform
