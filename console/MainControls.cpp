// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainControls.h"

#include "AppIcon.h"
#include "ClickableLabel.h"
#include "ControlTag.h"
#include "MacroButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace quorvex::console {
namespace {

// Design positions are in twips; at 96 dots per inch fifteen twips make a pixel.
QRect fromTwips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

QFont designFont(double points = 8.25, bool bold = false)
{
    QFont font;
    // The design face first, then faces of the same narrow metrics where it is not installed.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

template <typename Control> Control* place(QWidget* container, const QString& name, QRect geometry)
{
    auto* control = new Control(container);
    control->setObjectName(name);
    control->setGeometry(geometry);
    control->setFont(designFont());
    return control;
}

ClickableLabel* panel(QWidget* container, const QString& name, QRect geometry)
{
    auto* control = place<ClickableLabel>(container, name, geometry);
    control->setFrameStyle(QFrame::Panel | QFrame::Raised);
    control->setLineWidth(2);
    control->setAlignment(Qt::AlignCenter);
    return control;
}

ClickableLabel* label(QWidget* container, const QString& name, QRect geometry, const QString& caption)
{
    auto* control = place<ClickableLabel>(container, name, geometry);
    control->setTextFormat(Qt::PlainText);
    control->setText(caption);
    return control;
}

ClickableLabel* boxedLabel(QWidget* container, const QString& name, QRect geometry, const QString& caption)
{
    auto* control = label(container, name, geometry, caption);
    control->setFrameStyle(QFrame::Box | QFrame::Plain);
    control->setLineWidth(1);
    control->setAlignment(Qt::AlignCenter);
    control->setWordWrap(true);
    return control;
}

QPushButton* button(QWidget* container, const QString& name, QRect geometry, const QString& caption,
                    const QString& toolTip = {})
{
    auto* control = place<QPushButton>(container, name, geometry);
    control->setText(caption);
    control->setToolTip(toolTip);
    return control;
}

QLineEdit* textBox(QWidget* container, const QString& name, QRect geometry, const QString& text, const QString& toolTip)
{
    auto* control = place<QLineEdit>(container, name, geometry);
    control->setText(text);
    control->setToolTip(toolTip);
    control->setCursorPosition(0);
    return control;
}

// A section: outer panel, navy bold title label and the inner panel that holds the working controls.
struct Section
{
    ClickableLabel* title;
    ClickableLabel* inner;
};

Section section(QWidget* form, const QString& outerName, QRect outerGeometry, const QString& titleName,
                const QString& titleCaption, const QColor& titleColour, const QString& innerName, int innerHeight)
{
    auto* outer = panel(form, outerName, outerGeometry);
    auto* title = boxedLabel(outer, titleName, fromTwips(60, 60, 3915, 255), titleCaption);
    title->setFont(designFont(8.25, true));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(palette);
    setBackground(title, titleColour);
    auto* inner = panel(outer, innerName, fromTwips(60, 360, 3915, innerHeight));
    return {title, inner};
}

const QColor kLightGreen(192, 255, 192);
const QColor kLightYellow(255, 255, 192);
const QColor kLightCyan(192, 255, 255);
const QColor kPink(255, 192, 255);

} // namespace

void MainControls::build(QWidget& form)
{
    form.setObjectName(QStringLiteral("Main"));
    form.setWindowTitle(QStringLiteral("Quorvex III"));
    form.setWindowIcon(makeAppIcon());
    form.setFont(designFont());
    form.resize(8115 / 15, 6450 / 15);

    // Banner
    auto* banner = panel(&form, QStringLiteral("SSPanel1"), fromTwips(0, 0, 4035, 675));
    auto* title =
        boxedLabel(banner, QStringLiteral("Label5"), fromTwips(60, 60, 3915, 555), QStringLiteral("Quorvex III"));
    title->setFont(designFont(24, true));
    QPalette bannerPalette = title->palette();
    bannerPalette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    title->setPalette(bannerPalette);
    setBackground(title, QColor(0, 0, 192));

    // Group section
    const Section group =
        section(&form, QStringLiteral("SSPanel2"), fromTwips(0, 720, 4035, 1635), QStringLiteral("Label6"),
                QStringLiteral("Group Specifier & Quick Send"), kLightGreen, QStringLiteral("SSPanel3"), 1215);
    label(group.inner, QStringLiteral("Label1"), fromTwips(60, 60, 2775, 195),
          QStringLiteral("Group Window Name (Must be Open)"));
    txtAppName = textBox(group.inner, QStringLiteral("txtAppName"), fromTwips(60, 240, 2955, 315),
                         QStringLiteral("Trivia  Adult"),
                         QStringLiteral("Enter the name of the Group Window you wish to communicate with"));
    cmdTrivGroupSwap = button(group.inner, QStringLiteral("cmdTrivGroupSwap"), fromTwips(3060, 60, 795, 495),
                              QStringLiteral("Plimbo"));
    label(group.inner, QStringLiteral("Label2"), fromTwips(60, 600, 2775, 195), QStringLiteral("Text to Send"));
    txtSnd = textBox(group.inner, QStringLiteral("txtSnd"), fromTwips(60, 780, 2955, 315),
                     QStringLiteral("Howdy Y'all :)"), QStringLiteral("Enter the text you wish to send here"));
    cmdSnd = button(group.inner, QStringLiteral("cmdSnd"), fromTwips(3060, 600, 795, 555), QStringLiteral("Send"),
                    QStringLiteral("Click this button to send your text"));

    // Question section
    const Section questions =
        section(&form, QStringLiteral("SSPanel6"), fromTwips(0, 2400, 4035, 4035), QStringLiteral("Label10"),
                QStringLiteral("Quiz Question Master"), kLightYellow, QStringLiteral("SSPanel7"), 3615);
    cmdLoadQuestions =
        button(questions.inner, QStringLiteral("cmdLoadQuestions"), fromTwips(60, 60, 3795, 315),
               QStringLiteral("Load Question Set"), QStringLiteral("Click here to load a set of Trivia Questions"));
    lblCurrentQuestionSet = boxedLabel(questions.inner, QStringLiteral("lblCurrentQuestionSet"),
                                       fromTwips(60, 420, 3795, 255), QStringLiteral("Question Set Not Selected"));
    lblCurrentQuestionSet->setToolTip(QStringLiteral("Current Question Set"));
    setBackground(lblCurrentQuestionSet, kLightCyan);
    lblQuestion = boxedLabel(questions.inner, QStringLiteral("lblQuestion"), fromTwips(60, 720, 3795, 1215),
                             QStringLiteral("Question"));
    lblQuestion->setToolTip(QStringLiteral("Click here to say the Question"));
    lblAnswer = boxedLabel(questions.inner, QStringLiteral("lblAnswer"), fromTwips(60, 1980, 3795, 1155),
                           QStringLiteral("Answer"));
    lblAnswer->setToolTip(QStringLiteral("Click here to say the Answer"));
    for (QLabel* display : {static_cast<QLabel*>(lblQuestion), static_cast<QLabel*>(lblAnswer)}) {
        display->setBackgroundRole(QPalette::Base);
        display->setForegroundRole(QPalette::Text);
        display->setAutoFillBackground(true);
    }
    cmdRandomQuestion =
        button(questions.inner, QStringLiteral("cmdRandomQuestion"), fromTwips(60, 3180, 1875, 375),
               QStringLiteral("Pick Random Question"), QStringLiteral("Click here to pick a random question"));
    cmdRandomQuestion->setEnabled(false);
    cmdNextQuestion =
        button(questions.inner, QStringLiteral("cmdNextQuestion"), fromTwips(1980, 3180, 1875, 375),
               QStringLiteral("Pick Next Question"), QStringLiteral("Click here to pick the next question"));
    cmdNextQuestion->setEnabled(false);

    // Score section
    const Section score =
        section(&form, QStringLiteral("SSPanel8"), fromTwips(4080, 0, 4035, 3495), QStringLiteral("Label7"),
                QStringLiteral("Quiz Score Master"), kLightYellow, QStringLiteral("SSPanel9"), 3075);
    Label7 = score.title;
    Label7->setToolTip(QStringLiteral("Click here to SAY the score"));
    label(score.inner, QStringLiteral("Label4"), fromTwips(60, 60, 3255, 195),
          QStringLiteral("When scores are equal say ..."));
    txtEqualScores = textBox(score.inner, QStringLiteral("txtEqualScores"), fromTwips(60, 240, 3795, 255),
                             QStringLiteral("*** We are in BONDAGE!!!! ***"),
                             QStringLiteral("Enter the comment you wish to say when the scores are equal"));
    txtEqualScores->setAlignment(Qt::AlignCenter);
    cmdAdjustScores =
        button(score.inner, QStringLiteral("cmdAdjustScores"), fromTwips(60, 540, 3795, 255),
               QStringLiteral("Adjust Both Scores"), QStringLiteral("Click here to change BOTH team scores"));
    const std::array<int, 2> plusLeft{60, 3240};
    const std::array<int, 2> teamLeft{720, 1980};
    const std::array<QString, 2> teamName{QStringLiteral("GUYS"), QStringLiteral("gals")};
    const std::array<QColor, 2> teamColour{kLightGreen, kPink};
    for (int i = 0; i < 2; ++i) {
        const QString index = QStringLiteral("(%1)").arg(i);
        cmdAddScore[i] =
            button(score.inner, QStringLiteral("cmdAddScore") + index, fromTwips(plusLeft[i], 840, 615, 1095),
                   QStringLiteral("+"), QStringLiteral("Click here to add a point to this team"));
        cmdAddScore[i]->setFont(designFont(18));
        lblTeam[i] = boxedLabel(score.inner, QStringLiteral("lblTeam") + index, fromTwips(teamLeft[i], 840, 1215, 255),
                                teamName[i]);
        lblTeam[i]->setToolTip(QStringLiteral("Click here to change this teams name"));
        lblTeam[i]->setFont(designFont(8.25, true));
        lblTeam[i]->setForegroundRole(QPalette::Text);
        setBackground(lblTeam[i], teamColour[i]);
        lblScore[i] = boxedLabel(score.inner, QStringLiteral("lblScore") + index,
                                 fromTwips(teamLeft[i], 1080, 1215, 555), QStringLiteral("00"));
        lblScore[i]->setFont(designFont(24));
        lblScore[i]->setBackgroundRole(QPalette::Base);
        lblScore[i]->setForegroundRole(QPalette::Text);
        lblScore[i]->setAutoFillBackground(true);
    }
    cmdAdjustGUYScore =
        button(score.inner, QStringLiteral("cmdAdjustGUYScore"), fromTwips(720, 1680, 1215, 255),
               QStringLiteral("Adjust Score"), QStringLiteral("Click here to adjust this teams score manually"));
    cmdadjustGALscore =
        button(score.inner, QStringLiteral("cmdadjustGALscore"), fromTwips(1980, 1680, 1215, 255),
               QStringLiteral("Adjust Score"), QStringLiteral("Click here to adjust this teams score manually"));
    cmdReset = button(score.inner, QStringLiteral("cmdReset"), fromTwips(60, 1980, 3795, 255),
                      QStringLiteral("Reset Quiz"), QStringLiteral("Click here to reset the Quiz scores"));
    cmdPING = button(score.inner, QStringLiteral("cmdPING"), fromTwips(60, 2280, 1275, 735), QStringLiteral("PING"));
    auto* topPanel = panel(score.inner, QStringLiteral("SSPanel10"), fromTwips(1380, 2280, 1515, 735));
    auto* stayOnTop =
        label(topPanel, QStringLiteral("SOT_Toggle"), fromTwips(60, 60, 1395, 255), QStringLiteral("Stay On Top"));
    stayOnTop->setAlignment(Qt::AlignCenter);
    SOT_Status = panel(topPanel, QStringLiteral("SOT_Status"), fromTwips(60, 300, 1395, 375));
    SOT_Status->setTextFormat(Qt::PlainText);
    SOT_Status->setText(QStringLiteral("ON"));
    SOT_Status->setFont(designFont(8.25, true));
    SOT_Status->setToolTip(QStringLiteral("Click here to toggle between staying on top and losing focus"));
    label(score.inner, QStringLiteral("Label3"), fromTwips(2940, 2280, 915, 255), QStringLiteral("Quiz ends at"));
    txtQuizEndScore = textBox(score.inner, QStringLiteral("txtQuizEndScore"), fromTwips(3360, 2520, 495, 495),
                              QStringLiteral("30"), QStringLiteral("Enter the winning score required here"));
    txtQuizEndScore->setFont(designFont(18));

    // Macro section
    const Section macros =
        section(&form, QStringLiteral("SSPanel4"), fromTwips(4080, 3540, 4035, 2895), QStringLiteral("Label9"),
                QStringLiteral("Macro Buttons"), kLightGreen, QStringLiteral("SSPanel5"), 2475);
    const std::array<QString, kMacroCount> macroCaption{
        QStringLiteral(
            "*** No PM's to Question Readers during quiz - No PM's to anyone without permission in text ***"),
        QStringLiteral("*** This is a Number Answer - It MUST be typed out in letters not numbers ***"),
        QStringLiteral("*** This is a NAME answer - both names on the same line ***"),
        QStringLiteral(
            "*** The readers decision is final - The first correct answer on the readers screen is the winner ***"),
        QStringLiteral("Spare")};
    for (int i = 0; i < kMacroCount; ++i) {
        cmdMacro[i] = place<MacroButton>(macros.inner, QStringLiteral("cmdMacro(%1)").arg(i),
                                         fromTwips(60, 60 + 480 * i, 3795, 435));
        cmdMacro[i]->setText(macroCaption[i]);
        cmdMacro[i]->setToolTip(QStringLiteral("Left-click to send the text or right-click to specify the text"));
        setTag(cmdMacro[i], i == kMacroCount - 1 ? QStringLiteral("Spare") : QString());
    }

    // Labels and panels take no keyboard focus, so the chain below holds every control that does.
    const std::array<QWidget*, 20> tabOrder{
        cmdSnd,          txtSnd,          txtAppName,        cmdMacro[0],       cmdMacro[1],
        cmdMacro[2],     cmdMacro[3],     cmdMacro[4],       cmdRandomQuestion, cmdLoadQuestions,
        cmdReset,        txtEqualScores,  txtQuizEndScore,   cmdAddScore[1],    cmdAddScore[0],
        cmdNextQuestion, cmdAdjustScores, cmdAdjustGUYScore, cmdadjustGALscore, cmdPING};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);
    }
    QWidget::setTabOrder(cmdPING, cmdTrivGroupSwap);
}

} // namespace quorvex::console
