// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreHistory.h"

namespace quorvex::scoreboard {

void ScoreHistory::note(const ScorePair& before, const ScorePair& after)
{
    if (before == after) {
        return;
    }
    m_before.push_back(before);
    if (m_before.size() > kDepth) {
        m_before.pop_front();
    }
}

std::optional<ScorePair> ScoreHistory::takeBack()
{
    if (m_before.empty()) {
        return std::nullopt;
    }
    ScorePair before = m_before.back();
    m_before.pop_back();
    return before;
}

} // namespace quorvex::scoreboard
