// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "support/ConsoleFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

class TestMainWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A box without the console as its parent can open behind a console that stays on top.
    void boxes_Should_BelongToTheConsole_FromTheStart()
    {
        ConsoleFixture c;

        QCOMPARE(c.fake.parentWindow, static_cast<QWidget*>(&c.window()));
    }

    void window_Should_HaveDesignTitleSizeAndIcon()
    {
        ConsoleFixture c;
        QCOMPARE(c.window().windowTitle(), u"Quorvex III"_s);
        QCOMPARE(c.window().size(), QSize(541, 430));
        const QList<QSize> sizes = c.window().windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(c.window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void control_Should_StandAtItsDesignPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        const char* plus = "Click here to add a point to this team";
        const char* team = "Click here to change this teams name";
        const char* adjust = "Click here to adjust this teams score manually";
        const char* macro = "Left-click to send the text or right-click to specify the text";
        QTest::newRow("banner panel") << "SSPanel1"
                                      << "Main" << QRect(0, 0, 4035, 675) << ""
                                      << "";
        QTest::newRow("banner") << "Label5"
                                << "SSPanel1" << QRect(60, 60, 3915, 555) << "Quorvex III"
                                << "";
        QTest::newRow("group title") << "Label6"
                                     << "SSPanel2" << QRect(60, 60, 3915, 255) << "Group Specifier & Quick Send"
                                     << "";
        QTest::newRow("group inner") << "SSPanel3"
                                     << "SSPanel2" << QRect(60, 360, 3915, 1215) << ""
                                     << "";
        QTest::newRow("room title") << "txtAppName"
                                    << "SSPanel3" << QRect(60, 240, 2955, 315) << "Trivia  Adult"
                                    << "Enter the name of the Group Window you wish to communicate with";
        QTest::newRow("room swap") << "cmdTrivGroupSwap"
                                   << "SSPanel3" << QRect(3060, 60, 795, 495) << "Plimbo"
                                   << "";
        QTest::newRow("quick text") << "txtSnd"
                                    << "SSPanel3" << QRect(60, 780, 2955, 315) << "Howdy Y'all :)"
                                    << "Enter the text you wish to send here";
        QTest::newRow("send") << "cmdSnd"
                              << "SSPanel3" << QRect(3060, 600, 795, 555) << "Send"
                              << "Click this button to send your text";
        QTest::newRow("question panel") << "SSPanel6"
                                        << "Main" << QRect(0, 2400, 4035, 4035) << ""
                                        << "";
        QTest::newRow("load") << "cmdLoadQuestions"
                              << "SSPanel7" << QRect(60, 60, 3795, 315) << "Load Question Set"
                              << "Click here to load a set of Trivia Questions";
        QTest::newRow("set name") << "lblCurrentQuestionSet"
                                  << "SSPanel7" << QRect(60, 420, 3795, 255) << "Question Set Not Selected"
                                  << "Current Question Set";
        QTest::newRow("question") << "lblQuestion"
                                  << "SSPanel7" << QRect(60, 720, 3795, 1215) << "Question"
                                  << "Click here to say the Question";
        QTest::newRow("answer") << "lblAnswer"
                                << "SSPanel7" << QRect(60, 1980, 3795, 1155) << "Answer"
                                << "Click here to say the Answer";
        QTest::newRow("random") << "cmdRandomQuestion"
                                << "SSPanel7" << QRect(60, 3180, 1875, 375) << "Pick Random Question"
                                << "Click here to pick a random question";
        QTest::newRow("next") << "cmdNextQuestion"
                              << "SSPanel7" << QRect(1980, 3180, 1875, 375) << "Pick Next Question"
                              << "Click here to pick the next question";
        QTest::newRow("score panel") << "SSPanel8"
                                     << "Main" << QRect(4080, 0, 4035, 3495) << ""
                                     << "";
        QTest::newRow("score title") << "Label7"
                                     << "SSPanel8" << QRect(60, 60, 3915, 255) << "Quiz Score Master"
                                     << "Click here to SAY the score";
        QTest::newRow("comment") << "txtEqualScores"
                                 << "SSPanel9" << QRect(60, 240, 3795, 255) << "*** We are in BONDAGE!!!! ***"
                                 << "Enter the comment you wish to say when the scores are equal";
        QTest::newRow("adjust both") << "cmdAdjustScores"
                                     << "SSPanel9" << QRect(60, 540, 3795, 255) << "Adjust Both Scores"
                                     << "Click here to change BOTH team scores";
        QTest::newRow("plus 0") << "cmdAddScore(0)"
                                << "SSPanel9" << QRect(60, 840, 615, 1095) << "+" << plus;
        QTest::newRow("team 0") << "lblTeam(0)"
                                << "SSPanel9" << QRect(720, 840, 1215, 255) << "GUYS" << team;
        QTest::newRow("score 0") << "lblScore(0)"
                                 << "SSPanel9" << QRect(720, 1080, 1215, 555) << "00"
                                 << "";
        QTest::newRow("team 1") << "lblTeam(1)"
                                << "SSPanel9" << QRect(1980, 840, 1215, 255) << "gals" << team;
        QTest::newRow("score 1") << "lblScore(1)"
                                 << "SSPanel9" << QRect(1980, 1080, 1215, 555) << "00"
                                 << "";
        QTest::newRow("plus 1") << "cmdAddScore(1)"
                                << "SSPanel9" << QRect(3240, 840, 615, 1095) << "+" << plus;
        QTest::newRow("adjust 0") << "cmdAdjustGUYScore"
                                  << "SSPanel9" << QRect(720, 1680, 1215, 255) << "Adjust Score" << adjust;
        QTest::newRow("adjust 1") << "cmdadjustGALscore"
                                  << "SSPanel9" << QRect(1980, 1680, 1215, 255) << "Adjust Score" << adjust;
        QTest::newRow("reset") << "cmdReset"
                               << "SSPanel9" << QRect(60, 1980, 3795, 255) << "Reset Quiz"
                               << "Click here to reset the Quiz scores";
        QTest::newRow("ping") << "cmdPING"
                              << "SSPanel9" << QRect(60, 2280, 1275, 735) << "PING"
                              << "";
        QTest::newRow("on top panel") << "SSPanel10"
                                      << "SSPanel9" << QRect(1380, 2280, 1515, 735) << ""
                                      << "";
        QTest::newRow("on top label") << "SOT_Toggle"
                                      << "SSPanel10" << QRect(60, 60, 1395, 255) << "Stay On Top"
                                      << "";
        QTest::newRow("on top status") << "SOT_Status"
                                       << "SSPanel10" << QRect(60, 300, 1395, 375) << "ON"
                                       << "Click here to toggle between staying on top and losing focus";
        QTest::newRow("ends at") << "Label3"
                                 << "SSPanel9" << QRect(2940, 2280, 915, 255) << "Quiz ends at"
                                 << "";
        QTest::newRow("winning score") << "txtQuizEndScore"
                                       << "SSPanel9" << QRect(3360, 2520, 495, 495) << "30"
                                       << "Enter the winning score required here";
        QTest::newRow("macro panel") << "SSPanel4"
                                     << "Main" << QRect(4080, 3540, 4035, 2895) << ""
                                     << "";
        QTest::newRow("macro title") << "Label9"
                                     << "SSPanel4" << QRect(60, 60, 3915, 255) << "Macro Buttons"
                                     << "";
        QTest::newRow("macro 0") << "cmdMacro(0)"
                                 << "SSPanel5" << QRect(60, 60, 3795, 435)
                                 << "*** No PM's to Question Readers during quiz - No PM's to anyone without "
                                    "permission in text ***"
                                 << macro;
        QTest::newRow("macro 4") << "cmdMacro(4)"
                                 << "SSPanel5" << QRect(60, 1980, 3795, 435) << "Spare" << macro;
    }

    void control_Should_StandAtItsDesignPlace()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        ConsoleFixture c;

        const QWidget* control = c.window().findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(control->property("text").toString(), text);
        QCOMPARE(control->toolTip(), toolTip);
    }

    void tabKey_Should_WalkTheDesignOrder()
    {
        ConsoleFixture c;
        const QStringList order{"cmdSnd",
                                "txtSnd",
                                "txtAppName",
                                "cmdMacro(0)",
                                "cmdMacro(1)",
                                "cmdMacro(2)",
                                "cmdMacro(3)",
                                "cmdMacro(4)",
                                "cmdLoadQuestions",
                                "cmdReset",
                                "txtEqualScores",
                                "txtQuizEndScore",
                                "cmdAddScore(1)",
                                "cmdAddScore(0)",
                                "cmdAdjustScores",
                                "cmdAdjustGUYScore",
                                "cmdadjustGALscore",
                                "cmdPING",
                                "cmdTrivGroupSwap"};
        // The disabled pick buttons take no focus, so the walk passes over them.
        QWidget* current = c.window().findChild<QWidget*>(order.first());
        for (qsizetype i = 1; i < order.size(); ++i) {
            do {
                current = current->nextInFocusChain();
            } while (!(current->focusPolicy() & Qt::TabFocus) || !current->isEnabled());
            QCOMPARE(current->objectName(), order.at(i));
        }
    }

    void resize_Should_ScaleControlsAndFonts()
    {
        ConsoleFixture c;
        QLabel* score = c.ui().lblScore[0];
        const double points = score->font().pointSizeF();
        c.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.window()));

        c.window().resize(541 * 2, 430 * 2);

        QCOMPARE(score->geometry(), QRect(96, 144, 162, 74));
        QCOMPARE(score->font().pointSizeF(), points * 2);
        QCOMPARE(c.window().findChild<QWidget*>(u"SSPanel8"_s)->geometry(), QRect(544, 0, 538, 466));

        c.window().resize(541, 430);
        QCOMPARE(score->geometry(), QRect(48, 72, 81, 37));
        QCOMPARE(score->font().pointSizeF(), points);
    }

    void resize_Should_ScaleFontsByTheSmallerFactor_When_OnlyOneSideGrows_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("factor");
        QTest::newRow("three times as wide") << QSize(541 * 3, 430) << 1.0;
        QTest::newRow("twice as high, one and a half as wide") << QSize(541 * 3 / 2, 430 * 2) << 811.0 / 541.0;
    }

    void resize_Should_ScaleFontsByTheSmallerFactor_When_OnlyOneSideGrows()
    {
        QFETCH(QSize, size);
        QFETCH(double, factor);
        ConsoleFixture c;
        QLabel* score = c.ui().lblScore[0];
        const double points = score->font().pointSizeF();
        c.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.window()));

        c.window().resize(size);

        QVERIFY2(qAbs(score->font().pointSizeF() - points * factor) < 0.01,
                 qPrintable(QString::number(score->font().pointSizeF())));
    }

    void clickableLabel_Should_NotFire_When_ReleasedOutsideIt()
    {
        ConsoleFixture c;
        c.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.window()));
        QLabel* title = c.ui().Label7;

        QTest::mousePress(title, Qt::LeftButton, {}, title->rect().center());
        QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(title->width() + 5, title->height() / 2));
        QCOMPARE(c.said(), QString());

        QTest::mousePress(title, Qt::LeftButton, {}, title->rect().center());
        QTest::mouseRelease(title, Qt::LeftButton, {}, title->rect().center());
        QVERIFY(!c.said().isEmpty());
    }

    // A long stored text shows its beginning, where the host recognises it, not its end.
    void loadedTextBoxes_Should_ShowTheirStart()
    {
        const QString longText = u"Start of a long text "_s + QString(300, u'x') + u" end"_s;
        ConsoleFixture c({{{u"Misc"_s, u"AppName"_s}, longText},
                          {{u"Misc"_s, u"QuizEndScore"_s}, longText},
                          {{u"Misc"_s, u"SayOnBondage"_s}, longText}});

        for (const QLineEdit* edit : {c.ui().txtAppName, c.ui().txtQuizEndScore, c.ui().txtEqualScores}) {
            QCOMPARE(edit->text(), longText);
            QCOMPARE(edit->cursorPosition(), 0);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
