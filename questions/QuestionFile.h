// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QuestionSet.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <variant>

namespace quorvex::questions {

// The choices of the file-open dialog for a question set: three filters, the text files preselected.
inline const QString kQuestionFileFilter =
    QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat");
inline constexpr int kQuestionFileFilterIndex = 2;

/// The largest file taken as a question set, about seventeen million questions. Anything bigger is surely not
/// one (a film picked under "All Files"), and refusing it before reading keeps the console clear of running out
/// of memory.
inline constexpr qint64 kLargestQuestionFile = qint64{1} << 30;

/// The longest question or answer taken, in characters: a chat client posts no longer line, and saying a longer one
/// would keep the console typing for minutes.
inline constexpr qsizetype kLongestLine = 4000;

/// The reason given for a file without a single question.
inline const QString kNoQuestions = QStringLiteral("The file holds no questions");

// Why a file was refused, in words for the host.
struct QuestionFileError
{
    QString description;
};

using QuestionFileResult = std::variant<QuestionSet, QuestionFileError>;

/// The question set in the bytes of a question file: every line is a question or an answer, in pairs, each taken
/// as written without its line end (LF, CR LF or a lone CR; a line end after the last line starts no new line).
/// A UTF-8 byte-order mark at the start is dropped. The text is read as UTF-8, or as Windows-1252 when it is not
/// valid UTF-8 and has no byte-order mark. An odd number of lines, a file of no lines and a line longer than
/// kLongestLine characters are refused.
QuestionFileResult parseQuestionFile(QByteArray bytes);

/// Reads the file at `path` whole and parses it. A file that cannot be opened or read, is not a regular file or
/// is larger than kLargestQuestionFile is refused with the path and the reason.
QuestionFileResult loadQuestionFile(const QString& path);

} // namespace quorvex::questions
