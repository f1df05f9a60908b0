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

/// The whole number that an entry typed by the host into a number box stands for, when it lies from `lowest` to
/// `highest`, both ends included. The entry is read as a whole by `entryValue` ("7", " 7 ", "007" and "7.0" are
/// all 7); nothing comes back for an empty entry, a text that is not a number as a whole, a fraction such as
/// "2.5", a value outside the range, or one beyond the range of int. Every box that asks the host for a count
/// (a team's score, a number of points) reads its entry through this rule and asks again when nothing comes back.
std::optional<int> wholeEntryInRange(const QString& entry, double lowest, double highest);

} // namespace quorvex::scoreboard
