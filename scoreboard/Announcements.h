// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

namespace quorvex::scoreboard {

// The scoreboard as the window shows it at one moment: team 0 first.
struct ScoreboardView
{
    QString team0;
    QString team1;
    QString score0;
    QString score1;
    double winningScore = 0.0;
    QString equalScoresComment;
};

// A chat text for the room, and whether it declares the game over.
struct ScoreAnnouncement
{
    QString text;
    bool gameOver = false;
};

/// The score report (or the game-over report once a team is exactly at the winning score), with the line for
/// level scores and a game-point line for each team one point from winning.
ScoreAnnouncement composeScoreAnnouncement(const ScoreboardView& board);

/// The report of scores set by hand: names before scores, both teams on one line, no status lines.
QString composeAdjustmentAnnouncement(const ScoreboardView& board);

/// Said after a game-over report from a point awarded on this date.
inline const QString kBirthdayLine = QStringLiteral("Oh and Happy Birthday to Tobrenn!");

/// 16 October, any year.
bool isBirthday(QDate date);

} // namespace quorvex::scoreboard
