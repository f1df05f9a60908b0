// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Keystroke.h"

#include <QString>

#include <optional>
#include <vector>

namespace quorvex::grouplink {

/// Reads the keystroke notation that CleanText writes: "~" is Enter, "{" c "}" types the one character c, any
/// other character types itself. Returns nothing for a malformed string (a brace out of place, a broken surrogate
/// pair) or a control character other than tab, which a keyboard cannot type as itself.
std::optional<std::vector<platform::Keystroke>> parseKeystrokes(const QString& keystrokes);

} // namespace quorvex::grouplink
