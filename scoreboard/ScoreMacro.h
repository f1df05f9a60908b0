// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex::scoreboard {

// The rules of a score macro: a macro button whose text carries the two teams' points, asked at each press.

/// Stands for the guys' points in a score macro's text.
inline const QString kGuysPointsPlaceholder = QStringLiteral("<<gu>>");
/// Stands for the girls' points in a score macro's text.
inline const QString kGalsPointsPlaceholder = QStringLiteral("<<ga>>");

/// The lowest and highest points a score macro accepts: both fit the two-character score text.
inline constexpr int kMacroPointsMin = 0;
inline constexpr int kMacroPointsMax = 99;

/// The text a score macro says: the first "<<gu>>" becomes the guys' points as a score text ("07"), then the first
/// "<<ga>>" of that result the girls' points. A placeholder that is missing is skipped; a second one stays as it is.
/// Matching is exact and case-sensitive.
QString fillScoreMacro(const QString& caption, int guysPoints, int galsPoints);

} // namespace quorvex::scoreboard
