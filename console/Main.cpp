// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ClickableLabel.h"
#include "ControlTag.h"
#include "MacroButton.h"
#include "Resizer.h"
#include "SaidInRoomWindow.h"
#include "SettingsTable.h"
#include "questions/QuestionFile.h"
#include "questions/QuestionPicking.h"
#include "scoreboard/Announcements.h"
#include "scoreboard/ScoreMacro.h"
#include "scoreboard/ScoreText.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace quorvex::console {
namespace {

const QString kErrorTitle = QStringLiteral("Error!");

} // namespace

Main::Main(platform::Platform& platform, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_sayRecord(platform.dataFolder, platform.clock, platform.messageBox),
      m_groupLink(platform.keyboard, platform.events, platform.messageBox)
{
    m_groupLink.reportTo(m_sayRecord);
    ui.build(*this);
    m_platform.messageBox.setParentWindow(*this);
    m_platform.inputBox.setParentWindow(*this);
    m_platform.fileChooser.setParentWindow(*this);
    new Resizer(*this);
    // The stay-on-top panel reads "ON" from the start, so the window starts on top.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    connectHandlers();
    Form_Load();
    saveEditsAsTheySettle();
}

void Main::saveEditsAsTheySettle()
{
    // The host's edits reach the store while the console runs, so a dying session loses none of them; once the
    // typing has paused, not at every keystroke.
    m_editSettled = new QTimer(this);
    m_editSettled->setSingleShot(true);
    m_editSettled->setInterval(kEditSettleTime);
    connect(m_editSettled, &QTimer::timeout, this, &Main::SaveSettings);
    for (QLineEdit* edit : {ui.txtAppName, ui.txtQuizEndScore, ui.txtEqualScores}) {
        connect(edit, &QLineEdit::textChanged, m_editSettled, qOverload<>(&QTimer::start));
    }
}

void Main::connectHandlers()
{
    for (int i = 0; i < 2; ++i) {
        connect(ui.cmdAddScore[i], &QPushButton::clicked, this, [this, i] { cmdAddScore_Click(i); });
        connect(ui.lblTeam[i], &ClickableLabel::clicked, this, [this, i] { lblTeam_Click(i); });
    }
    connect(ui.Label7, &ClickableLabel::clicked, this, &Main::Label7_Click);
    connect(ui.cmdAdjustGUYScore, &QPushButton::clicked, this, &Main::cmdAdjustGUYScore_Click);
    connect(ui.cmdadjustGALscore, &QPushButton::clicked, this, &Main::cmdadjustGALscore_Click);
    connect(ui.cmdAdjustScores, &QPushButton::clicked, this, &Main::cmdAdjustScores_Click);
    connect(ui.cmdReset, &QPushButton::clicked, this, &Main::cmdReset_Click);

    connect(ui.cmdLoadQuestions, &QPushButton::clicked, this, &Main::cmdLoadQuestions_Click);
    connect(ui.cmdNextQuestion, &QPushButton::clicked, this, &Main::cmdNextQuestion_Click);
    connect(ui.cmdRandomQuestion, &QPushButton::clicked, this, &Main::cmdRandomQuestion_Click);
    connect(ui.lblQuestion, &ClickableLabel::clicked, this, &Main::lblQuestion_Click);
    connect(ui.lblAnswer, &ClickableLabel::clicked, this, &Main::lblAnswer_Click);
    m_randomMenu = new QMenu(this);
    m_noRepeatSwitch = m_randomMenu->addAction(QStringLiteral("Every question once before any repeats"));
    m_noRepeatSwitch->setCheckable(true);
    connect(m_noRepeatSwitch, &QAction::triggered, this, &Main::setNoRepeatRandom);
    ui.cmdRandomQuestion->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.cmdRandomQuestion, &QWidget::customContextMenuRequested, this, &Main::cmdRandomQuestion_ContextMenu);

    for (int i = 0; i < kMacroCount; ++i) {
        connect(ui.cmdMacro[i], &MacroButton::mouseDown, this,
                [this, i](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position) {
                    cmdMacro_MouseDown(i, button, modifiers, position);
                });
    }
    connect(ui.cmdSnd, &QPushButton::clicked, this, &Main::cmdSnd_Click);
    connect(ui.cmdTrivGroupSwap, &QPushButton::clicked, this, &Main::cmdTrivGroupSwap_Click);
    connect(ui.cmdPING, &QPushButton::clicked, this, &Main::cmdPING_Click);
    connect(ui.SOT_Status, &ClickableLabel::clicked, this, &Main::SOT_Status_Click);

    // The text boxes keep Ctrl+Z for their own typing.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this,
            &Main::undoScoreChange);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this), &QShortcut::activated, this,
            &Main::showSaidInRoom);
}

// ---------------------------------------------------------------------------------------------------------------
// Window lifecycle and settings

void Main::Form_Load()
{
    LoadSettings();
}

void Main::Form_Unload()
{
    m_editSettled->stop();
    if (SaveSettings()) {
        m_platform.messageBox.show(QStringLiteral("All settings saved"), platform::MessageStyle::Information,
                                   QStringLiteral("FYI"));
    }
}

void Main::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Main::LoadSettings()
{
    // The controls still hold their design values here, which the keys that the store lacks keep.
    const std::vector<SettingBinding> bindings = settingBindings(ui);
    bool anyStored = false;
    bool anyMissing = false;
    for (const SettingBinding& binding : bindings) {
        if (const std::optional<QString> stored = m_platform.settings.value(binding.section, binding.key)) {
            writeBinding(binding, *stored);
            anyStored = anyStored || !binding.absentMeansOff;
        } else {
            anyMissing = anyMissing || !binding.absentMeansOff;
        }
    }
    if (anyStored) {
        // A key that is present is the host's and is never overwritten at start; only the gaps are filled.
        if (anyMissing) {
            for (const SettingBinding& binding : bindings) {
                if (!m_platform.settings.value(binding.section, binding.key) &&
                    savesInto(binding, readBinding(binding), false)) {
                    m_platform.settings.setValue(binding.section, binding.key, readBinding(binding));
                }
            }
            reportFailedSave(m_platform.settings.commit());
        }
        return;
    }
    // None of the keys: a first start, or a file that cannot be read (saved as UTF-16, say). The latter is kept
    // aside before the design values are written, so nothing of the host's is lost.
    const platform::KeptAside aside = m_platform.settings.keepAside();
    if (aside.outcome == platform::KeptAside::Outcome::Failed) {
        m_platform.messageBox.show(
            QStringLiteral("The settings file could not be read, and it could not be moved aside either (%1). The "
                           "console starts with the standard settings and leaves the file where it is.")
                .arg(aside.detail),
            platform::MessageStyle::Critical, kErrorTitle);
        return;
    }
    if (aside.outcome == platform::KeptAside::Outcome::Moved) {
        m_platform.messageBox.show(
            QStringLiteral("The settings file could not be read. It was kept as %1, and the console starts with the "
                           "standard settings.")
                .arg(aside.detail),
            platform::MessageStyle::Information, QStringLiteral("FYI"));
    }
    SaveSettings();
}

bool Main::reportFailedSave(const std::optional<QString>& failure)
{
    if (failure) {
        m_platform.messageBox.show(*failure, platform::MessageStyle::Critical, kErrorTitle);
        return false;
    }
    return true;
}

bool Main::SaveSettings()
{
    for (const SettingBinding& binding : settingBindings(ui)) {
        const QString value = readBinding(binding);
        if (savesInto(binding, value, m_platform.settings.value(binding.section, binding.key).has_value())) {
            m_platform.settings.setValue(binding.section, binding.key, value);
        }
    }
    return reportFailedSave(m_platform.settings.commit());
}

// ---------------------------------------------------------------------------------------------------------------
// Group link

void Main::Say(const QString& txt)
{
    m_groupLink.say(ui.txtAppName->text(), txt);
    if (m_saidInRoom && m_saidInRoom->isVisible()) {
        m_saidInRoom->reload();
    }
}

void Main::showSaidInRoom()
{
    if (!m_saidInRoom) {
        m_saidInRoom = new SaidInRoomWindow(
            m_sayRecord, [this](const QString& txt) { Say(txt); }, this);
    } else {
        m_saidInRoom->reload();
    }
    m_saidInRoom->show();
    m_saidInRoom->raise();
    m_saidInRoom->activateWindow();
}

// ---------------------------------------------------------------------------------------------------------------
// Scoreboard

void Main::cmdAddScore_Click(int index)
{
    QLabel* score = ui.lblScore[index];
    const scoreboard::ScorePair before = scoresOnShow();
    score->setText(scoreboard::FormatScore(scoreboard::leadingNumber(score->text()) + 1));
    m_scoreHistory.note(before, scoresOnShow());
    if (AnnounceScore() && scoreboard::isBirthday(m_platform.clock.today())) {
        Say(scoreboard::kBirthdayLine);
    }
}

void Main::Label7_Click()
{
    AnnounceScore();
}

scoreboard::ScoreboardView Main::readScoreboard() const
{
    return {ui.lblTeam[0]->text(),
            ui.lblTeam[1]->text(),
            ui.lblScore[0]->text(),
            ui.lblScore[1]->text(),
            scoreboard::leadingNumber(ui.txtQuizEndScore->text()),
            ui.txtEqualScores->text()};
}

scoreboard::ScorePair Main::scoresOnShow() const
{
    return {ui.lblScore[0]->text(), ui.lblScore[1]->text()};
}

bool Main::AnnounceScore()
{
    const scoreboard::ScoreAnnouncement announcement = scoreboard::composeScoreAnnouncement(readScoreboard());
    Say(announcement.text);
    return announcement.gameOver;
}

bool Main::adjustScore(int index)
{
    const QString prompt = QStringLiteral("Enter Score adjustment for ") + ui.lblTeam[index]->text();
    for (;;) {
        // The old score stays the default until an entry is accepted, so a refused entry shows it again.
        const QString entry =
            m_platform.inputBox.ask(prompt, QStringLiteral("Score Adjustment"), ui.lblScore[index]->text())
                .value_or(QString());
        // Cancel and an emptied box cannot be told apart; either one leaves this team's score alone.
        if (entry.isEmpty()) {
            return false;
        }
        const double w = scoreboard::leadingNumber(ui.txtQuizEndScore->text());
        if (const std::optional<int> score = scoreboard::wholeEntryInRange(entry, 0, w)) {
            ui.lblScore[index]->setText(scoreboard::FormatScore(*score));
            return true;
        }
    }
}

void Main::announceAdjustment()
{
    Say(scoreboard::composeAdjustmentAnnouncement(readScoreboard()));
}

void Main::cmdAdjustGUYScore_Click()
{
    const scoreboard::ScorePair before = scoresOnShow();
    if (adjustScore(0)) {
        m_scoreHistory.note(before, scoresOnShow());
        announceAdjustment();
    }
}

void Main::cmdadjustGALscore_Click()
{
    const scoreboard::ScorePair before = scoresOnShow();
    if (adjustScore(1)) {
        m_scoreHistory.note(before, scoresOnShow());
        announceAdjustment();
    }
}

void Main::cmdAdjustScores_Click()
{
    const scoreboard::ScorePair before = scoresOnShow();
    if (!adjustScore(0)) {
        return;
    }
    // Team 0's new score is already on the window, so the room hears of it even when team 1's box is abandoned.
    adjustScore(1);
    m_scoreHistory.note(before, scoresOnShow());
    announceAdjustment();
}

void Main::cmdReset_Click()
{
    const scoreboard::ScorePair before = scoresOnShow();
    ui.lblScore[0]->setText(QStringLiteral("00"));
    ui.lblScore[1]->setText(QStringLiteral("00"));
    m_scoreHistory.note(before, scoresOnShow());
}

void Main::undoScoreChange()
{
    const std::optional<scoreboard::ScorePair> before = m_scoreHistory.takeBack();
    if (!before) {
        return;
    }
    ui.lblScore[0]->setText(before->score0);
    ui.lblScore[1]->setText(before->score1);
    // Only the scores are told, never a game-over again: the room already heard how the game stood.
    announceAdjustment();
}

void Main::lblTeam_Click(int index)
{
    QLabel* team = ui.lblTeam[index];
    const QString name =
        m_platform.inputBox.ask(QStringLiteral("Enter Team name"), QStringLiteral("Team Name Definition"), team->text())
            .value_or(QString());
    // A team never goes nameless: Cancel or an emptied box keeps the old name. Blanks are a name.
    if (!name.isEmpty()) {
        team->setText(name);
    }
    SaveSettings();
}

// ---------------------------------------------------------------------------------------------------------------
// Question master

void Main::cmdLoadQuestions_Click()
{
    const std::optional<QString> path =
        m_platform.fileChooser.chooseFileToOpen(questions::kQuestionFileFilter, questions::kQuestionFileFilterIndex);
    if (!path) {
        return;
    }
    // The new set is read whole aside and only then takes the old one's place, so a refused file changes nothing.
    questions::QuestionFileResult loaded = questions::loadQuestionFile(*path);
    if (const auto* failure = std::get_if<questions::QuestionFileError>(&loaded)) {
        m_platform.messageBox.show(failure->description, platform::MessageStyle::Plain, QString());
        m_platform.messageBox.show(questions::kQuestionFileFault, platform::MessageStyle::Critical,
                                   questions::kUhOhTitle);
        return;
    }
    m_questions = std::move(std::get<questions::QuestionSet>(loaded));
    ui.lblCurrentQuestionSet->setText(QFileInfo(*path).fileName());
    ui.cmdNextQuestion->setEnabled(true);
    ui.cmdRandomQuestion->setEnabled(true);
    m_currentQuestion = 0;
    m_deal.clear();
    cmdNextQuestion_Click();
}

void Main::cmdNextQuestion_Click()
{
    if (const auto n = questions::nextQuestionNumber(m_currentQuestion, m_questions.count())) {
        showQuestion(*n);
    } else {
        m_platform.messageBox.show(questions::kNoMoreQuestions, platform::MessageStyle::Critical,
                                   questions::kUhOhTitle);
    }
}

void Main::cmdRandomQuestion_Click()
{
    const qsizetype count = m_questions.count();
    if (count < 1) {
        m_platform.messageBox.show(questions::kNoMoreQuestions, platform::MessageStyle::Critical,
                                   questions::kUhOhTitle);
        return;
    }
    if (noRepeatRandom()) {
        showQuestion(*m_deal.next(count, [this] { return m_platform.seededRandom.nextFraction(); }));
        return;
    }
    showQuestion(*questions::randomQuestionNumber(m_platform.random.nextFraction(), count));
}

bool Main::noRepeatRandom() const
{
    return tagOf(ui.cmdRandomQuestion) == kSwitchOn;
}

void Main::cmdRandomQuestion_ContextMenu(QPoint position)
{
    m_noRepeatSwitch->setChecked(noRepeatRandom());
    m_randomMenu->popup(ui.cmdRandomQuestion->mapToGlobal(position));
}

void Main::setNoRepeatRandom(bool on)
{
    // The switch only changes how later picks are made; the question on show stays, and nothing is said.
    setTag(ui.cmdRandomQuestion, on ? kSwitchOn : kSwitchOff);
    m_deal.clear();
    SaveSettings();
}

void Main::showQuestion(qsizetype n)
{
    ui.lblQuestion->setText(
        questions::questionDisplay(n, QString::number(m_questions.count()), m_questions.question(n)));
    m_currentQuestion = n;
    ui.lblAnswer->setText(m_questions.answer(n));
}

void Main::lblQuestion_Click()
{
    if (!ui.cmdNextQuestion->isEnabled()) {
        return;
    }
    Say(questions::questionChatText(m_questions.question(m_currentQuestion)));
}

void Main::lblAnswer_Click()
{
    if (!ui.cmdNextQuestion->isEnabled()) {
        return;
    }
    Say(questions::answerChatText(m_questions.answer(m_currentQuestion)));
}

// ---------------------------------------------------------------------------------------------------------------
// Macro buttons

namespace {

const QString kSpareTag = QStringLiteral("Spare");
const QString kScoreTag = QStringLiteral("Score");

/// Asks one team's points for a score macro until the host types points or gives up with an empty entry.
std::optional<int> askMacroPoints(platform::InputBox& inputBox, const QString& prompt, const QString& title)
{
    for (;;) {
        const QString entry = inputBox.ask(prompt, title, QString()).value_or(QString());
        if (entry.isEmpty()) {
            return std::nullopt;
        }
        if (const std::optional<int> points =
                scoreboard::wholeEntryInRange(entry, scoreboard::kMacroPointsMin, scoreboard::kMacroPointsMax)) {
            return points;
        }
    }
}

} // namespace

void Main::cmdMacro_MouseDown(int Index, Qt::MouseButton Button, Qt::KeyboardModifiers, QPointF)
{
    if (Index < 0 || Index >= int(ui.cmdMacro.size())) {
        return;
    }
    MacroButton* macro = ui.cmdMacro[std::size_t(Index)];
    if (Button == Qt::LeftButton) {
        const QString tag = tagOf(macro);
        if (tag == kSpareTag) {
            m_platform.messageBox.show(QStringLiteral("Macro is not defined"), platform::MessageStyle::Plain,
                                       QString());
        } else if (tag == kScoreTag) {
            const std::optional<int> guys = askMacroPoints(
                m_platform.inputBox, QStringLiteral("How many points do the guys have?"), QStringLiteral("GUY points"));
            if (!guys) {
                return;
            }
            const std::optional<int> gals =
                askMacroPoints(m_platform.inputBox, QStringLiteral("How many points do the girls have?"),
                               QStringLiteral("GAL points"));
            if (!gals) {
                return;
            }
            Say(scoreboard::fillScoreMacro(macro->text(), *guys, *gals));
        } else {
            Say(macro->text());
        }
    } else if (Button == Qt::RightButton) {
        const std::optional<QString> entry =
            m_platform.inputBox.ask(QStringLiteral("What text do you want this button to send?"),
                                    QStringLiteral("Macro Definition"), QString());
        // Cancel leaves the macro alone; only an entry confirmed empty clears it.
        if (!entry) {
            return;
        }
        const QString& text = *entry;
        // Only the tag makes a spare button, so a typed "Spare" stays a plain macro that says it.
        macro->setText(text.isEmpty() ? kSpareTag : text);
        setTag(macro, text.isEmpty() ? kSpareTag : QString());
        SaveSettings();
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Quick send and group tools

void Main::cmdSnd_Click()
{
    Say(ui.txtSnd->text());
}

void Main::cmdTrivGroupSwap_Click()
{
    // The caption names the room that this click picks, so it always shows the other one afterwards.
    if (ui.cmdTrivGroupSwap->text() == QStringLiteral("Plimbo")) {
        ui.cmdTrivGroupSwap->setText(QStringLiteral("Dorrik"));
        ui.txtAppName->setText(QStringLiteral("Plimbo Rocking Adult"));
    } else {
        ui.cmdTrivGroupSwap->setText(QStringLiteral("Plimbo"));
        ui.txtAppName->setText(QStringLiteral("Trivia Adult"));
    }
}

void Main::cmdPING_Click()
{
    // A bounded count, so the ping ends by itself: nobody waits for it or reads what it found.
    const QStringList arguments{QStringLiteral("-c"), QStringLiteral("4"), QStringLiteral("banterly.com")};
    if (const std::optional<QString> failure = m_platform.launcher.startDetached(QStringLiteral("ping"), arguments)) {
        m_platform.messageBox.show(QStringLiteral("The ping could not be started: ") + *failure,
                                   platform::MessageStyle::Critical, kErrorTitle);
        return;
    }
    m_platform.messageBox.show(QStringLiteral("Banterly has been PUNG!"), platform::MessageStyle::Information,
                               QStringLiteral("Done it :)"));
}

void Main::SOT_Status_Click()
{
    // The panel's caption is the only record of the switch: the window manager is told to keep the console in front
    // or to stop, but never asked which it is doing.
    const bool above = ui.SOT_Status->text() != QStringLiteral("ON");
    ui.SOT_Status->setText(above ? QStringLiteral("ON") : QStringLiteral("OFF"));
    m_platform.keepAbove.setKeepAbove(*this, above);
}

} // namespace quorvex::console
