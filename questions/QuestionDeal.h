// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

namespace quorvex::questions {

// Random picks without repeats: every question of the set comes once, in a shuffled order, before any comes again.
class QuestionDeal final
{
public:
    /// Forgets the deal, so that the next pick starts a new one.
    void clear();
    /// The next question of the deal over questions 1 to `count`; a new deal is shuffled from `nextFraction`
    /// (0 <= r < 1) when the last one is used up or the count has changed. Nothing when the set is empty.
    std::optional<qsizetype> next(qsizetype count, const std::function<double()>& nextFraction);

private:
    qsizetype m_count = 0;
    std::vector<qsizetype> m_undealt; // dealt from the back
    qsizetype m_last = 0;             // the question dealt last, 0 before the first
};

} // namespace quorvex::questions
