// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvex::scoreboard {

/// The two-character display text of a score: "00" put in front of the number and the last two characters kept
/// ("07", "29", and "00" again for 100).
QString FormatScore(double n);

/// The number that a text starts with, blanks skipped; 0 when it starts with no number ("30 points" is 30).
/// Reads score texts, tag numbers and the winning score.
double leadingNumber(const QString& text);

/// The value of a whole entry typed by the host: a number with optional blanks around it ("7", " 7 ", "007",
/// "7.0"); nothing for an empty entry or one that is not a number as a whole.
std::optional<double> entryValue(const QString& text);

} // namespace quorvex::scoreboard
