// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quorvex::console {

/// The macro buttons on the console, and so the macro keys in the settings store.
inline constexpr int kMacroCount = 5;

class ClickableLabel;
class MacroButton;

// The controls of the console window, built with their design values: names, captions, tool tips, fonts,
// colours and positions. Each control's object name is its design name ("lblScore(1)" for an array member).
struct MainControls
{
    /// Builds every control inside `form` and sets the form's size, title and icon.
    void build(QWidget& form);

    // Group section
    QLineEdit* txtAppName = nullptr;
    QPushButton* cmdTrivGroupSwap = nullptr;
    QLineEdit* txtSnd = nullptr;
    QPushButton* cmdSnd = nullptr;

    // Question section
    QPushButton* cmdLoadQuestions = nullptr;
    QLabel* lblCurrentQuestionSet = nullptr;
    ClickableLabel* lblQuestion = nullptr;
    ClickableLabel* lblAnswer = nullptr;
    QPushButton* cmdRandomQuestion = nullptr;
    QPushButton* cmdNextQuestion = nullptr;

    // Score section
    ClickableLabel* Label7 = nullptr;
    QLineEdit* txtEqualScores = nullptr;
    QPushButton* cmdAdjustScores = nullptr;
    std::array<QPushButton*, 2> cmdAddScore{};
    std::array<ClickableLabel*, 2> lblTeam{};
    std::array<QLabel*, 2> lblScore{};
    QPushButton* cmdAdjustGUYScore = nullptr;
    QPushButton* cmdadjustGALscore = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdPING = nullptr;
    ClickableLabel* SOT_Status = nullptr;
    QLineEdit* txtQuizEndScore = nullptr;

    // Macro section
    std::array<MacroButton*, kMacroCount> cmdMacro{};
};

} // namespace quorvex::console
