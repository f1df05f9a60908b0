// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <deque>
#include <optional>

namespace quorvex::scoreboard {

// Both score texts at one moment, team 0 first.
struct ScorePair
{
    QString score0;
    QString score1;

    friend bool operator==(const ScorePair&, const ScorePair&) = default;
};

// The scores as they were before each of the latest score changes of this run, so that the host can take them back.
class ScoreHistory final
{
public:
    /// How many changes can be taken back, the oldest being forgotten first.
    static constexpr std::size_t kDepth = 50;

    /// Notes a change from `before` to `after`; an action that left both scores as they were is no change.
    void note(const ScorePair& before, const ScorePair& after);
    /// The scores before the latest change not yet taken back, which is then forgotten; nothing when none is left.
    std::optional<ScorePair> takeBack();

private:
    std::deque<ScorePair> m_before;
};

} // namespace quorvex::scoreboard
