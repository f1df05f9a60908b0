// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionDeal.h"

#include "QuestionPicking.h"

#include <numeric>
#include <utility>

namespace quorvex::questions {

void QuestionDeal::clear()
{
    m_count = 0;
    m_undealt.clear();
    m_last = 0;
}

std::optional<qsizetype> QuestionDeal::next(qsizetype count, const std::function<double()>& nextFraction)
{
    if (count < 1) {
        return std::nullopt;
    }
    if (count != m_count) {
        clear();
        m_count = count;
    }
    if (m_undealt.empty()) {
        m_undealt.resize(std::size_t(count));
        std::iota(m_undealt.begin(), m_undealt.end(), qsizetype{1});
        // Fisher-Yates, each place drawn the way a single random pick is.
        for (std::size_t i = m_undealt.size() - 1; i > 0; --i) {
            const std::size_t j = std::size_t(*randomQuestionNumber(nextFraction(), qsizetype(i) + 1) - 1);
            std::swap(m_undealt[i], m_undealt[j]);
        }
        // The last of one deal is not the first of the next, or the room would hear it twice in a row.
        if (m_undealt.size() > 1 && m_undealt.back() == m_last) {
            std::swap(m_undealt.back(), m_undealt.front());
        }
    }
    m_last = m_undealt.back();
    m_undealt.pop_back();
    return m_last;
}

} // namespace quorvex::questions
