// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreMacro.h"

#include "ScoreText.h"

namespace quorvex::scoreboard {
namespace {

QString replaceFirst(QString text, const QString& placeholder, int points)
{
    const qsizetype at = text.indexOf(placeholder, 0, Qt::CaseSensitive);
    if (at >= 0) {
        text.replace(at, placeholder.size(), FormatScore(points));
    }
    return text;
}

} // namespace

QString fillScoreMacro(const QString& caption, int guysPoints, int galsPoints)
{
    return replaceFirst(replaceFirst(caption, kGuysPointsPlaceholder, guysPoints), kGalsPointsPlaceholder, galsPoints);
}

} // namespace quorvex::scoreboard
