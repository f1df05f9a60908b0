// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreMacro.h"

#include "scoreboard/ScoreText.h"

#include <cmath>

namespace quorvex::console {
namespace {

QString replaceFirst(QString text, const QString& placeholder, int points)
{
    const qsizetype at = text.indexOf(placeholder, 0, Qt::CaseSensitive);
    if (at >= 0) {
        text.replace(at, placeholder.size(), scoreboard::FormatScore(points));
    }
    return text;
}

} // namespace

MacroPointsEntry macroPointsFromEntry(const QString& entry)
{
    using Kind = MacroPointsEntry::Kind;
    if (entry.trimmed().isEmpty()) {
        return {Kind::Empty, 0};
    }
    const std::optional<double> value = scoreboard::entryValue(entry);
    // A fraction would lose its whole part on the two-character score text ("2.5" reads ".5"), so it is refused.
    if (!value || std::trunc(*value) != *value || *value < kMacroPointsMin || *value > kMacroPointsMax) {
        return {Kind::NotPoints, 0};
    }
    return {Kind::Points, static_cast<int>(*value)};
}

QString fillScoreMacro(const QString& caption, int guysPoints, int galsPoints)
{
    return replaceFirst(replaceFirst(caption, kGuysPointsPlaceholder, guysPoints), kGalsPointsPlaceholder, galsPoints);
}

} // namespace quorvex::console
