// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ControlTag.h"
#include "support/ConsoleFixture.h"

#include <QPushButton>
#include <QTest>

using quorvex::console::tagOf;
using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

namespace {

const QString kMacros = u"Macros"_s;
const QString kScoreCaption = u"GUYS <<gu>> - gals <<ga>>"_s;

// Button 0 a score macro, button 1 plain, button 4 spare; the other settings read as empty.
ConsoleFixture::Store storedMacros()
{
    return {{{u"Misc"_s, u"AppName"_s}, quorvex::test::kRoom},
            {{kMacros, u"Macro01 Caption"_s}, kScoreCaption},
            {{kMacros, u"Macro01 Tag"_s}, u"Score"_s},
            {{kMacros, u"Macro02 Caption"_s}, u"Now"_s},
            {{kMacros, u"Macro05 Caption"_s}, u"Spare"_s},
            {{kMacros, u"Macro05 Tag"_s}, u"Spare"_s}};
}

} // namespace

class TestMacroButtons final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void otherActivation_Should_DoNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("score macro") << 0;
        QTest::newRow("plain macro") << 1;
        QTest::newRow("spare button") << 4;
    }

    void otherActivation_Should_DoNothing()
    {
        QFETCH(int, index);
        ConsoleFixture c(storedMacros());
        c.answer({u"1"_s, u"2"_s});
        const int commits = c.fake.commits;
        QPushButton* button = c.macro(index);
        button->setFocus();

        QTest::mousePress(button, Qt::MiddleButton);
        QTest::mouseRelease(button, Qt::MiddleButton);
        QTest::mouseClick(button, Qt::MiddleButton);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        button->click();

        QVERIFY(c.fake.activations.empty());
        QVERIFY(c.fake.sent.empty());
        QVERIFY(c.fake.boxes.empty());
        QVERIFY(c.fake.questions.empty());
        QCOMPARE(c.fake.commits, commits);
    }

    void rightPress_Should_RedefineMacro_SaveAtOnce_And_SurviveRestart_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("said"); // empty: the left press shows the spare box
        QTest::newRow("text of two lines") << QStringList{"Answer in letters~No numbers"}
                                           << "Answer in letters~No numbers" << ""
                                           << "\nAnswer in letters\nNo numbers\n";
        // A plain macro says its placeholders as they are.
        QTest::newRow("placeholder text") << QStringList{"GUYS <<gu>>"} << "GUYS <<gu>>" << "" << "\nGUYS <<gu>>\n";
        QTest::newRow("typed Spare stays plain") << QStringList{"Spare"} << "Spare" << "" << "\nSpare\n";
        QTest::newRow("confirmed empty makes a spare button") << QStringList{""} << "Spare" << "Spare" << "";
    }

    void rightPress_Should_ChangeNothing_When_HostCancels()
    {
        ConsoleFixture c(storedMacros());
        const ConsoleFixture::Store before = c.fake.store;
        const QString caption = c.macro(0)->text();
        const QString tag = tagOf(c.macro(0));
        const int commits = c.fake.commits;
        c.cancel();

        c.pressMacro(0, Qt::RightButton);

        QCOMPARE(c.questions().size(), 1);
        QCOMPARE(c.macro(0)->text(), caption);
        QCOMPARE(tagOf(c.macro(0)), tag);
        QCOMPARE(c.fake.commits, commits);
        QVERIFY(c.fake.store == before);
        QVERIFY(c.fake.boxes.empty());
    }

    // Button 0 starts as a score macro, so a tag that is not replaced shows up as points asked.
    void rightPress_Should_RedefineMacro_SaveAtOnce_And_SurviveRestart()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, caption);
        QFETCH(QString, tag);
        QFETCH(QString, said);
        ConsoleFixture c(storedMacros());
        const int commits = c.fake.commits;
        c.answer(entries);

        c.pressMacro(0, Qt::RightButton);

        QCOMPARE(c.questions(), QStringList{u"What text do you want this button to send? | Macro Definition | "_s});
        QCOMPARE(c.fake.commits, commits + 1);
        QCOMPARE(c.stored(kMacros, u"Macro01 Caption"_s), caption);
        QCOMPARE(c.stored(kMacros, u"Macro01 Tag"_s), tag);
        QVERIFY(c.fake.sent.empty());

        // No close in between: the definition must already be in the store.
        c.restart();
        c.pressMacro(0, Qt::LeftButton);

        QCOMPARE(c.macro(0)->text(), caption);
        QCOMPARE(tagOf(c.macro(0)), tag);
        QCOMPARE(c.fake.questions.size(), 1u);
        QCOMPARE(c.said(), said);
        QCOMPARE(c.fake.activations.size(), said.isEmpty() ? 0u : 1u);
        QCOMPARE(c.boxes(), said.isEmpty() ? QStringList{u"Macro is not defined | plain | "_s} : QStringList{});
    }

    void scoreMacro_Should_SayPointsAskedFromHost_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("guysAsked");
        QTest::addColumn<int>("galsAsked");
        QTest::addColumn<QString>("said"); // empty: nothing said

        QTest::newRow("points") << QStringList{"7", "12"} << 1 << 1 << "GUYS 07 - gals 12";
        // Only an empty entry gives up: blanks come back like any other refused entry.
        QTest::newRow("range ends, refused entries come back")
            << QStringList{"100", "  ", "seven", "99", "-1", "2.5", "0"} << 4 << 3 << "GUYS 99 - gals 00";
        QTest::newRow("guys cancelled") << QStringList{} << 1 << 0 << "";
        QTest::newRow("guys emptied after a refused entry") << QStringList{"100", ""} << 2 << 0 << "";
        QTest::newRow("gals cancelled") << QStringList{"7"} << 1 << 1 << "";
    }

    void scoreMacro_Should_SayPointsAskedFromHost()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, guysAsked);
        QFETCH(int, galsAsked);
        QFETCH(QString, said);
        ConsoleFixture c(storedMacros());
        const int commits = c.fake.commits;
        c.answer(entries);

        c.pressMacro(0, Qt::LeftButton);

        QStringList asked(guysAsked, u"How many points do the guys have? | GUY points | "_s);
        asked += QStringList(galsAsked, u"How many points do the girls have? | GAL points | "_s);
        QCOMPARE(c.questions(), asked);
        QCOMPARE(c.said(), said.isEmpty() ? QString() : u'\n' + said + u'\n');
        QVERIFY(c.fake.boxes.empty());
        QCOMPARE(c.macro(0)->text(), kScoreCaption);
        QCOMPARE(tagOf(c.macro(0)), u"Score"_s);
        QCOMPARE(c.fake.commits, commits);
    }
};

QTEST_MAIN(TestMacroButtons)
#include "TestMacroButtons.moc"
