// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ControlTag.h"
#include "console/Main.h"
#include "support/FakePlatform.h"

#include <QPushButton>
#include <QTest>

#include <memory>

using quorvex::console::Main;
using quorvex::console::tagOf;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");
const QString kMacros = QStringLiteral("Macros");
const QString kPlainCaption =
    QStringLiteral("*** No PM's to Question Readers during quiz - No PM's to anyone without permission in text ***");

QPushButton* macroButton(const Main& main, int index)
{
    auto* button = main.findChild<QPushButton*>(QStringLiteral("cmdMacro(%1)").arg(index));
    if (!button) {
        qFatal("no macro button %d", index);
    }
    return button;
}

// A stored first macro button that is a score macro; the other settings read as empty.
void storeScoreMacro(FakePlatform& fake, const QString& caption)
{
    fake.store[{QStringLiteral("Misc"), QStringLiteral("AppName")}] = kRoom;
    fake.store[{kMacros, QStringLiteral("Macro01 Caption")}] = caption;
    fake.store[{kMacros, QStringLiteral("Macro01 Tag")}] = QStringLiteral("Score");
}

} // namespace

class TestMacroButtons final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<Main> m_main;

    void start() { m_main = std::make_unique<Main>(m_fake->platform()); }

    QString storedMacro(const QString& key) const
    {
        const auto found = m_fake->store.find({kMacros, key});
        return found == m_fake->store.end() ? QStringLiteral("<absent>") : found->second;
    }

    // Nothing happened on the machine since `commits` settings commits.
    void verifyNothingHappened(int commits)
    {
        QVERIFY(m_fake->activations.empty());
        QVERIFY(m_fake->sent.empty());
        QVERIFY(m_fake->boxes.empty());
        QVERIFY(m_fake->questions.empty());
        QCOMPARE(m_fake->commits, commits);
    }

private Q_SLOTS:
    void init()
    {
        m_fake = std::make_unique<FakePlatform>();
        m_fake->windowTitles = {kRoom, QStringLiteral("Plimbo Rocking Adult")};
    }

    void cleanup() { m_main.reset(); }

    void leftPress_Should_SayCaption_When_MacroIsPlain()
    {
        start();

        QTest::mousePress(macroButton(*m_main, 0), Qt::LeftButton);

        QCOMPARE(m_fake->typedInto(kRoom), u'\n' + kPlainCaption + u'\n');
        QVERIFY(m_fake->boxes.empty());
        QVERIFY(m_fake->questions.empty());
        QCOMPARE(macroButton(*m_main, 0)->text(), kPlainCaption);
    }

    void leftPress_Should_ShowNotDefined_When_ButtonIsSpare()
    {
        start();

        QTest::mousePress(macroButton(*m_main, 4), Qt::LeftButton);

        QCOMPARE(m_fake->boxes.size(), 1u);
        QCOMPARE(m_fake->boxes[0].prompt, QStringLiteral("Macro is not defined"));
        QCOMPARE(m_fake->boxes[0].style, 0);
        QCOMPARE(m_fake->boxes[0].title, QString());
        QVERIFY(m_fake->activations.empty());
        QVERIFY(m_fake->sent.empty());
    }

    void otherActivation_Should_DoNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("plain macro") << 0;
        QTest::newRow("score macro") << 1;
        QTest::newRow("spare button") << 4;
    }

    void otherActivation_Should_DoNothing()
    {
        QFETCH(int, index);
        m_fake->store[{QStringLiteral("Misc"), QStringLiteral("AppName")}] = kRoom;
        m_fake->store[{kMacros, QStringLiteral("Macro01 Caption")}] = QStringLiteral("Now");
        m_fake->store[{kMacros, QStringLiteral("Macro02 Caption")}] = QStringLiteral("<<gu>> <<ga>>");
        m_fake->store[{kMacros, QStringLiteral("Macro02 Tag")}] = QStringLiteral("Score");
        m_fake->store[{kMacros, QStringLiteral("Macro05 Caption")}] = QStringLiteral("Spare");
        m_fake->store[{kMacros, QStringLiteral("Macro05 Tag")}] = QStringLiteral("Spare");
        m_fake->inputAnswers = {QStringLiteral("1"), QStringLiteral("2")};
        start();
        const int commits = m_fake->commits;
        QPushButton* button = macroButton(*m_main, index);
        button->setFocus();

        QTest::mousePress(button, Qt::MiddleButton);
        QTest::mouseRelease(button, Qt::MiddleButton);
        QTest::mouseClick(button, Qt::MiddleButton);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        button->click();

        verifyNothingHappened(commits);
    }

    void rightPress_Should_DefineMacroAndSaveAtOnce()
    {
        start();
        const int commits = m_fake->commits;
        m_fake->inputAnswers = {QStringLiteral("Welcome")};

        QTest::mousePress(macroButton(*m_main, 4), Qt::RightButton);

        QCOMPARE(m_fake->questions.size(), 1u);
        QCOMPARE(m_fake->questions[0].prompt, QStringLiteral("What text do you want this button to send?"));
        QCOMPARE(m_fake->questions[0].title, QStringLiteral("Macro Definition"));
        QCOMPARE(m_fake->questions[0].defaultText, QString());
        QCOMPARE(macroButton(*m_main, 4)->text(), QStringLiteral("Welcome"));
        QCOMPARE(tagOf(macroButton(*m_main, 4)), QString());
        QCOMPARE(m_fake->commits, commits + 1);
        QCOMPARE(storedMacro(QStringLiteral("Macro05 Caption")), QStringLiteral("Welcome"));
        QCOMPARE(storedMacro(QStringLiteral("Macro05 Tag")), QString());
        QVERIFY(m_fake->sent.empty());

        QTest::mousePress(macroButton(*m_main, 4), Qt::LeftButton);

        QCOMPARE(m_fake->typedInto(kRoom), QStringLiteral("\nWelcome\n"));
        QVERIFY(m_fake->boxes.empty());
    }

    void rightPress_Should_MakeSpareButton_When_EntryEmpty_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancelled") << true;
        QTest::newRow("confirmed empty") << false;
    }

    void rightPress_Should_MakeSpareButton_When_EntryEmpty()
    {
        QFETCH(bool, cancel);
        start();
        if (!cancel) {
            m_fake->inputAnswers = {QString()};
        }

        QTest::mousePress(macroButton(*m_main, 0), Qt::RightButton);

        QCOMPARE(macroButton(*m_main, 0)->text(), QStringLiteral("Spare"));
        QCOMPARE(tagOf(macroButton(*m_main, 0)), QStringLiteral("Spare"));
        QCOMPARE(storedMacro(QStringLiteral("Macro01 Caption")), QStringLiteral("Spare"));
        QCOMPARE(storedMacro(QStringLiteral("Macro01 Tag")), QStringLiteral("Spare"));

        QTest::mousePress(macroButton(*m_main, 0), Qt::LeftButton);

        QCOMPARE(m_fake->boxes.size(), 1u);
        QCOMPARE(m_fake->boxes[0].prompt, QStringLiteral("Macro is not defined"));
        QVERIFY(m_fake->sent.empty());
    }

    void rightPress_Should_MakePlainMacro_When_SpareIsTyped()
    {
        start();
        m_fake->inputAnswers = {QStringLiteral("Spare")};

        QTest::mousePress(macroButton(*m_main, 4), Qt::RightButton);
        QTest::mousePress(macroButton(*m_main, 4), Qt::LeftButton);

        QCOMPARE(tagOf(macroButton(*m_main, 4)), QString());
        QCOMPARE(m_fake->typedInto(kRoom), QStringLiteral("\nSpare\n"));
        QVERIFY(m_fake->boxes.empty());
    }

    void definition_Should_SurviveRestart()
    {
        start();
        m_fake->inputAnswers = {QStringLiteral("Answer in letters~No numbers")};
        QTest::mousePress(macroButton(*m_main, 2), Qt::RightButton);

        // No close in between: the definition must already be in the store.
        m_main.reset();
        start();
        QTest::mousePress(macroButton(*m_main, 2), Qt::LeftButton);

        QCOMPARE(macroButton(*m_main, 2)->text(), QStringLiteral("Answer in letters~No numbers"));
        QCOMPARE(tagOf(macroButton(*m_main, 2)), QString());
        QCOMPARE(m_fake->typedInto(kRoom), QStringLiteral("\nAnswer in letters\nNo numbers\n"));
    }

    void designMacros_Should_HoldNoScoreMacro()
    {
        start();
        for (int i = 0; i < 5; ++i) {
            QVERIFY(tagOf(macroButton(*m_main, i)) != QStringLiteral("Score"));
            QCOMPARE(storedMacro(QStringLiteral("Macro%1 Tag").arg(i + 1, 2, 10, QChar(u'0'))),
                     i == 4 ? QStringLiteral("Spare") : QString());
        }
    }

    void scoreMacro_Should_SayPointsAskedFromHost_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("guysQuestions");
        QTest::addColumn<int>("galsQuestions");
        QTest::addColumn<QString>("said"); // empty: nothing said

        const QString teams = QStringLiteral("GUYS <<gu>> - gals <<ga>>");
        QTest::newRow("plain points") << teams << QStringList{QStringLiteral("7"), QStringLiteral("12")} << 1 << 1
                                      << QStringLiteral("GUYS 07 - gals 12");
        QTest::newRow("range ends, out of range comes back")
            << teams
            << QStringList{QStringLiteral("100"), QStringLiteral("-1"), QStringLiteral("99"), QStringLiteral("-1"),
                           QStringLiteral("0")}
            << 3 << 2 << QStringLiteral("GUYS 99 - gals 00");
        QTest::newRow("leading zeros and blanks") << teams << QStringList{QStringLiteral("007"), QStringLiteral(" 12 ")}
                                                  << 1 << 1 << QStringLiteral("GUYS 07 - gals 12");
        QTest::newRow("fraction comes back")
            << teams
            << QStringList{QStringLiteral("2.5"), QStringLiteral("2"), QStringLiteral("0.5"), QStringLiteral("5")} << 2
            << 2 << QStringLiteral("GUYS 02 - gals 05");
        QTest::newRow("non-number comes back")
            << teams
            << QStringList{QStringLiteral("seven"), QStringLiteral("7"), QStringLiteral("12x"), QStringLiteral("12")}
            << 2 << 2 << QStringLiteral("GUYS 07 - gals 12");
        QTest::newRow("guys cancelled") << teams << QStringList{} << 1 << 0 << QString();
        QTest::newRow("guys empty after a wrong entry")
            << teams << QStringList{QStringLiteral("100"), QString()} << 2 << 0 << QString();
        QTest::newRow("blanks come back")
            << teams << QStringList{QStringLiteral("  "), QStringLiteral("1"), QStringLiteral("2")} << 2 << 1
            << QStringLiteral("GUYS 01 - gals 02");
        QTest::newRow("gals cancelled") << teams << QStringList{QStringLiteral("7")} << 1 << 1 << QString();
        QTest::newRow("gals placeholder first")
            << QStringLiteral("gals <<ga>> v GUYS <<gu>>") << QStringList{QStringLiteral("7"), QStringLiteral("12")}
            << 1 << 1 << QStringLiteral("gals 12 v GUYS 07");
        QTest::newRow("second guys placeholder stays")
            << QStringLiteral("<<gu>> and <<gu>> to <<ga>>") << QStringList{QStringLiteral("3"), QStringLiteral("4")}
            << 1 << 1 << QStringLiteral("03 and <<gu>> to 04");
        QTest::newRow("gals placeholder missing")
            << QStringLiteral("GUYS on <<gu>>") << QStringList{QStringLiteral("3"), QStringLiteral("4")} << 1 << 1
            << QStringLiteral("GUYS on 03");
        QTest::newRow("other letter case not filled")
            << QStringLiteral("<<GU>> - <<ga>>") << QStringList{QStringLiteral("3"), QStringLiteral("4")} << 1 << 1
            << QStringLiteral("<<GU>> - 04");
        QTest::newRow("no placeholders") << QStringLiteral("Scores soon")
                                         << QStringList{QStringLiteral("3"), QStringLiteral("4")} << 1 << 1
                                         << QStringLiteral("Scores soon");
    }

    void scoreMacro_Should_SayPointsAskedFromHost()
    {
        QFETCH(QString, caption);
        QFETCH(QStringList, answers);
        QFETCH(int, guysQuestions);
        QFETCH(int, galsQuestions);
        QFETCH(QString, said);
        storeScoreMacro(*m_fake, caption);
        start();
        const int commits = m_fake->commits;
        m_fake->inputAnswers.assign(answers.cbegin(), answers.cend());

        QTest::mousePress(macroButton(*m_main, 0), Qt::LeftButton);

        QCOMPARE(m_fake->questions.size(), std::size_t(guysQuestions + galsQuestions));
        for (int i = 0; i < guysQuestions + galsQuestions; ++i) {
            const bool guys = i < guysQuestions;
            const FakePlatform::Question& question = m_fake->questions[std::size_t(i)];
            QCOMPARE(question.prompt, guys ? QStringLiteral("How many points do the guys have?")
                                           : QStringLiteral("How many points do the girls have?"));
            QCOMPARE(question.title, guys ? QStringLiteral("GUY points") : QStringLiteral("GAL points"));
            QCOMPARE(question.defaultText, QString());
        }
        QCOMPARE(m_fake->typedInto(kRoom), said.isEmpty() ? QString() : u'\n' + said + u'\n');
        QVERIFY(m_fake->boxes.empty());
        QVERIFY(m_fake->inputAnswers.empty());
        QCOMPARE(macroButton(*m_main, 0)->text(), caption);
        QCOMPARE(tagOf(macroButton(*m_main, 0)), QStringLiteral("Score"));
        QCOMPARE(m_fake->commits, commits);
    }

    void scoreMacro_Should_BecomePlainMacro_When_Redefined()
    {
        storeScoreMacro(*m_fake, QStringLiteral("GUYS <<gu>> - gals <<ga>>"));
        start();
        m_fake->inputAnswers = {QStringLiteral("GUYS <<gu>>")};

        QTest::mousePress(macroButton(*m_main, 0), Qt::RightButton);
        QTest::mousePress(macroButton(*m_main, 0), Qt::LeftButton);

        QCOMPARE(m_fake->questions.size(), 1u);
        QCOMPARE(m_fake->typedInto(kRoom), QStringLiteral("\nGUYS <<gu>>\n"));
        QCOMPARE(storedMacro(QStringLiteral("Macro01 Tag")), QString());
    }
};

QTEST_MAIN(TestMacroButtons)
#include "TestMacroButtons.moc"
