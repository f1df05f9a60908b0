// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcements.h"

#include "ScoreText.h"

namespace quorvex::scoreboard {
namespace {

const QString kBar = QStringLiteral("###################~");

QString scoreLine(const QString& score, const QString& team)
{
    return QStringLiteral("# ") + score + u' ' + team + u'~';
}

} // namespace

ScoreAnnouncement composeScoreAnnouncement(const ScoreboardView& board)
{
    const double w = board.winningScore;
    const double value0 = leadingNumber(board.score0);
    const double value1 = leadingNumber(board.score1);

    QString status;
    if (board.score0 == board.score1) {
        status += QStringLiteral("# ") + board.equalScoresComment + u'~';
    }
    if (w - 1 == value0) {
        status += QStringLiteral("# Game Point to ") + board.team0 + u'~';
    }
    if (w - 1 == value1) {
        status += QStringLiteral("# Game Point to ") + board.team1 + u'~';
    }

    const QString scores = scoreLine(board.score0, board.team0) + scoreLine(board.score1, board.team1);
    if (w == value0 || w == value1) {
        const QString& winner = w == value0 ? board.team0 : board.team1;
        return {u'~' + kBar + QStringLiteral("# The GAME is OVER~") + scores + QStringLiteral("# Won by ") + winner +
                    u'~',
                true};
    }

    QString text = u'~' + kBar + QStringLiteral("# The Score is ...~") + scores;
    if (!status.isEmpty()) {
        text += u'~' + status + u'~';
    }
    return {text, false};
}

QString composeAdjustmentAnnouncement(const ScoreboardView& board)
{
    return u'~' + kBar + QStringLiteral("# SCORE ADJUSTMENT ~# The Score is ...  ") + board.team0 + u' ' +
           board.score0 + QStringLiteral(" - ") + board.team1 + u' ' + board.score1;
}

bool isBirthday(QDate date)
{
    return date.month() == 10 && date.day() == 16;
}

} // namespace quorvex::scoreboard
