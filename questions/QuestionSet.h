// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace quorvex::questions {

// A loaded question set: question n and answer n (from 1) are lines 2n-1 and 2n of its file.
// The text stays one UTF-8 buffer beside the start of each line, and a line becomes a QString only when it is
// asked for, so a set of a million questions costs little more memory than its file.
class QuestionSet final
{
public:
    /// The set of no questions.
    QuestionSet() = default;

    /// `lineStarts` holds the offset in `utf8` of every line, in order, followed by the size of `utf8`. A line runs
    /// up to the next start; its own line end (LF, CR LF or a lone CR) is not part of its text. The number of lines
    /// must be even.
    QuestionSet(QByteArray utf8, std::vector<qsizetype> lineStarts);

    qsizetype count() const;

    /// Question n as written, without a closing "?"; the empty text for any n outside 1 to count().
    QString question(qsizetype n) const;

    /// Answer n as written; the empty text for any n outside 1 to count().
    QString answer(qsizetype n) const;

private:
    QString line(qsizetype index) const;

    QByteArray m_text;
    std::vector<qsizetype> m_lineStarts;
};

} // namespace quorvex::questions
