// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionPicking.h"

#include <algorithm>
#include <cmath>

namespace quorvex::questions {

QString questionDisplay(qsizetype n, const QString& countText, const QString& question)
{
    return QStringLiteral("Q ") + QString::number(n) + u'/' + countText + QStringLiteral(" : ") + question + u'?';
}

std::optional<qsizetype> nextQuestionNumber(qsizetype current, qsizetype count)
{
    if (current + 1 > count) {
        return std::nullopt;
    }
    return current + 1;
}

std::optional<qsizetype> randomQuestionNumber(double r, qsizetype count)
{
    if (count < 1) {
        return std::nullopt;
    }
    // A fraction outside 0 <= r < 1 from a faulty source still picks a question inside the set.
    const double pick = std::floor(std::clamp(std::isnan(r) ? 0.0 : r, 0.0, 1.0) * double(count)) + 1.0;
    return std::clamp(qsizetype(pick), qsizetype{1}, count);
}

QString questionChatText(const QString& question)
{
    return QStringLiteral("Q: ") + question + u'?';
}

QString answerChatText(const QString& answer)
{
    return QStringLiteral("A: ") + answer;
}

} // namespace quorvex::questions
