// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace quorvex::questions {

inline const QString kUhOhTitle = QStringLiteral("Uh oh!");
inline const QString kNoMoreQuestions = QStringLiteral("No more questions in this set");
inline const QString kQuestionFileFault = QStringLiteral("There must be an error in your Questions file");

/// What the host sees of question n: "Q n/count : question?", the count text exactly as the console holds it.
QString questionDisplay(qsizetype n, const QString& countText, const QString& question);

/// The question after `current`, or nothing once the set of `count` questions is used up.
std::optional<qsizetype> nextQuestionNumber(qsizetype current, qsizetype count);

/// The question a random fraction r (0 <= r < 1) picks: floor(r x count) + 1, each number equally likely; nothing
/// when the set is empty.
std::optional<qsizetype> randomQuestionNumber(double r, qsizetype count);

/// The chat text that puts a question to the room: "Q: question?".
QString questionChatText(const QString& question);

/// The chat text that gives the room an answer: "A: answer".
QString answerChatText(const QString& answer);

} // namespace quorvex::questions
