// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionSet.h"

#include <QtGlobal>

#include <utility>

namespace quorvex::questions {

QuestionSet::QuestionSet(QByteArray utf8, std::vector<qsizetype> lineStarts)
    : m_text(std::move(utf8)), m_lineStarts(std::move(lineStarts))
{
    Q_ASSERT(!m_lineStarts.empty() && m_lineStarts.back() == m_text.size());
    Q_ASSERT(m_lineStarts.size() % 2 == 1);
}

qsizetype QuestionSet::count() const
{
    return m_lineStarts.empty() ? 0 : qsizetype(m_lineStarts.size() - 1) / 2;
}

QString QuestionSet::question(qsizetype n) const
{
    return n >= 1 && n <= count() ? line(2 * (n - 1)) : QString();
}

QString QuestionSet::answer(qsizetype n) const
{
    return n >= 1 && n <= count() ? line(2 * (n - 1) + 1) : QString();
}

QString QuestionSet::line(qsizetype index) const
{
    const char* const text = m_text.constData();
    const qsizetype start = m_lineStarts[std::size_t(index)];
    qsizetype end = m_lineStarts[std::size_t(index) + 1];
    // A CR right before an LF always belongs to it: a lone CR would have ended the line there.
    if (end > start && text[end - 1] == '\n') {
        --end;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
    } else if (end > start && text[end - 1] == '\r') {
        --end;
    }
    return QString::fromUtf8(text + start, end - start);
}

} // namespace quorvex::questions
