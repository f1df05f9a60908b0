// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainControls.h"
#include "SayRecord.h"
#include "grouplink/GroupLink.h"
#include "platform/Platform.h"
#include "questions/QuestionDeal.h"
#include "questions/QuestionSet.h"
#include "scoreboard/Announcements.h"
#include "scoreboard/ScoreHistory.h"

#include <QWidget>

#include <chrono>

class QAction;
class QMenu;
class QTimer;

namespace quorvex::console {

class SaidInRoomWindow;

// The host's console: one window whose controls hold the quiz state, and a handler for each of their events.
class Main final : public QWidget
{
    Q_OBJECT

public:
    /// How long the room title, winning score and equal-scores comment stay unchanged before they are saved.
    static constexpr std::chrono::milliseconds kEditSettleTime{1000};

    /// Builds the window with its design values and loads the settings; the caller shows it.
    explicit Main(platform::Platform& platform, QWidget* parent = nullptr);

    const MainControls& controls() const { return ui; }
    /// The question on show, from 1; 0 before the first question of a set.
    qsizetype currentQuestion() const { return m_currentQuestion; }
    /// The questions in the loaded set; 0 until a set loads.
    qsizetype questionCount() const { return m_questions.count(); }

    // Window lifecycle
    void Form_Load();
    void Form_Unload();
    void LoadSettings();
    /// Writes every persisted setting; tells the host in a box and returns false when the store refuses.
    bool SaveSettings();

    // Group link
    void Say(const QString& txt);

    // Scoreboard
    void cmdAddScore_Click(int index);
    void Label7_Click();
    /// Says the score report; true when it declared the game over.
    bool AnnounceScore();
    void cmdAdjustGUYScore_Click();
    void cmdadjustGALscore_Click();
    void cmdAdjustScores_Click();
    void cmdReset_Click();
    void lblTeam_Click(int index);
    /// Ctrl+Z: puts back the scores as they were before the latest change not yet taken back, and says them.
    void undoScoreChange();

    // Question master
    void cmdLoadQuestions_Click();
    void cmdNextQuestion_Click();
    void cmdRandomQuestion_Click();
    /// A right click on "Pick Random Question": the small menu with the switch for picks without repeats.
    void cmdRandomQuestion_ContextMenu(QPoint position);
    /// Whether random picks deal every question once before any comes again.
    bool noRepeatRandom() const;
    void setNoRepeatRandom(bool on);
    /// The menu of a right click on "Pick Random Question", and its switch.
    QMenu* randomMenu() const { return m_randomMenu; }
    QAction* noRepeatSwitch() const { return m_noRepeatSwitch; }
    void lblQuestion_Click();
    void lblAnswer_Click();

    // Macro buttons and group tools
    void cmdMacro_MouseDown(int Index, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPointF position);
    void cmdSnd_Click();
    void cmdTrivGroupSwap_Click();
    void cmdPING_Click();
    void SOT_Status_Click();

    /// Ctrl+H: the "Said in the room" window with today's record.
    void showSaidInRoom();
    /// That window once it has been opened.
    SaidInRoomWindow* saidInRoomWindow() const { return m_saidInRoom; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    void saveEditsAsTheySettle();
    /// Tells the host in an "Error!" box when a save failed; true when it succeeded.
    bool reportFailedSave(const std::optional<QString>& failure);
    /// The scoreboard as its six controls show it now.
    scoreboard::ScoreboardView readScoreboard() const;
    scoreboard::ScorePair scoresOnShow() const;
    /// Puts question n and its answer on show and makes it the current question.
    void showQuestion(qsizetype n);
    /// Asks team `index`'s new score until the entry is a whole number from 0 to the winning score and shows it;
    /// false when the host abandons the box.
    bool adjustScore(int index);
    void announceAdjustment();

    platform::Platform& m_platform;
    SayRecord m_sayRecord;
    grouplink::GroupLink m_groupLink;
    MainControls ui;
    QTimer* m_editSettled = nullptr;
    // The question set and the place in it: quiz state that no control shows as it is.
    questions::QuestionSet m_questions;
    qsizetype m_currentQuestion = 0;
    questions::QuestionDeal m_deal;
    // The scores before each change, for Ctrl+Z; the score labels stay the only record of the scores themselves.
    scoreboard::ScoreHistory m_scoreHistory;
    SaidInRoomWindow* m_saidInRoom = nullptr;
    QMenu* m_randomMenu = nullptr;
    QAction* m_noRepeatSwitch = nullptr;
};

} // namespace quorvex::console
