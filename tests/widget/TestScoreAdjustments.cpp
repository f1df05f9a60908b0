// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "support/ConsoleFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

namespace {

// What the room hears for one adjustment: the lone Enter, then the report and its closing Enter.
QString adjustment(const QString& scores)
{
    return u"\n\n###################\n# SCORE ADJUSTMENT \n# The Score is ...  "_s + scores + u'\n';
}

QString adjustPrompt(const QString& team)
{
    return u"Enter Score adjustment for "_s + team + u" | Score Adjustment | "_s;
}

} // namespace

class TestScoreAdjustments final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adjustTeam_Should_AskUntilEntryIsWholeAndInRange_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("winning");
        QTest::addColumn<QStringList>("entries"); // an empty last entry abandons the box
        QTest::addColumn<QString>("shown");       // empty: the score stays and nothing is said

        QTest::newRow("one digit") << 0 << "30" << QStringList{"7"} << "07";
        // Team 1 stands at the winning score too, so a status line would show in the announcement.
        QTest::newRow("winning score itself") << 0 << "30" << QStringList{"31", "30"} << "30";
        // Only an empty entry gives up: blanks come back like any other refused entry.
        QTest::newRow("zero, refused entries come back")
            << 0 << "30" << QStringList{"-1", "2.5", "ten", "   ", "0"} << "00";
        QTest::newRow("winning score read by its start") << 0 << "21 to win" << QStringList{"22", "21"} << "21";
        QTest::newRow("three-digit winning score") << 0 << "150" << QStringList{"120"} << "20";
        QTest::newRow("empty winning score") << 0 << "" << QStringList{"1", "0"} << "00";
        QTest::newRow("team 1") << 1 << "30" << QStringList{"31", "7"} << "07";
        QTest::newRow("team 0 refused, then abandoned") << 0 << "30" << QStringList{"31", "2.5", ""} << "";
        QTest::newRow("team 1 abandoned") << 1 << "30" << QStringList{""} << "";
    }

    void adjustTeam_Should_AskUntilEntryIsWholeAndInRange()
    {
        QFETCH(int, index);
        QFETCH(QString, winning);
        QFETCH(QStringList, entries);
        QFETCH(QString, shown);
        ConsoleFixture c;
        c.ui().txtQuizEndScore->setText(winning);
        c.setScores(u"05"_s, u"30"_s);
        const QStringList before = c.scores();
        const int commits = c.fake.commits;
        c.answer(entries);

        c.click(index == 0 ? c.ui().cmdAdjustGUYScore : c.ui().cmdadjustGALscore);

        // Every box, also after a refused entry, offers the score as it was.
        QCOMPARE(c.questions(),
                 QStringList(entries.size(), adjustPrompt(index == 0 ? u"GUYS"_s : u"gals"_s) + before[index]));
        QStringList after = before;
        if (!shown.isEmpty()) {
            after[index] = shown;
        }
        QCOMPARE(c.scores(), after);
        QCOMPARE(c.said(), shown.isEmpty() ? QString() : adjustment(u"GUYS "_s + after[0] + u" - gals "_s + after[1]));
        QCOMPARE(c.fake.activations.empty(), shown.isEmpty());
        QVERIFY(c.fake.boxes.empty());
        QCOMPARE(c.fake.commits, commits);
    }

    void adjustTeam_Should_UseTheNamesOnTheWindow()
    {
        ConsoleFixture c;
        c.ui().lblTeam[0]->setText(u"Lads ~ & Co"_s);
        c.ui().lblTeam[1]->setText(u"Lasses"_s);
        c.answer({u"4"_s});

        c.click(c.ui().cmdadjustGALscore);

        QCOMPARE(c.questions(), QStringList{adjustPrompt(u"Lasses"_s) + u"00"_s});
        QCOMPARE(c.said(), adjustment(u"Lads \n & Co 00 - Lasses 04"_s));
    }

    void adjustBoth_Should_AskTeam0ThenTeam1_And_SayOneAnnouncement_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("guysAsked");
        QTest::addColumn<int>("galsAsked");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("announced");

        QTest::newRow("both taken") << QStringList{"12", "31", "7"} << 1 << 2 << QStringList{"12", "07"} << true;
        // Team 0's new score is already on the window, so the room hears of it.
        QTest::newRow("second abandoned") << QStringList{"12", "nine", ""} << 1 << 2 << QStringList{"12", "09"} << true;
        QTest::newRow("first abandoned ends at once")
            << QStringList{"31", "", "3"} << 2 << 0 << QStringList{"05", "09"} << false;
    }

    void adjustBoth_Should_AskTeam0ThenTeam1_And_SayOneAnnouncement()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, guysAsked);
        QFETCH(int, galsAsked);
        QFETCH(QStringList, shown);
        QFETCH(bool, announced);
        ConsoleFixture c;
        c.setScores(u"05"_s, u"09"_s);
        c.answer(entries);
        QStringList team0WhenAsked;
        c.fake.onInputBox = [&] { team0WhenAsked << c.scores()[0]; };

        c.click(c.ui().cmdAdjustScores);

        QCOMPARE(c.questions(), QStringList(guysAsked, adjustPrompt(u"GUYS"_s) + u"05"_s) +
                                    QStringList(galsAsked, adjustPrompt(u"gals"_s) + u"09"_s));
        // Team 0's new score is on the window before team 1's box opens.
        QCOMPARE(team0WhenAsked, QStringList(guysAsked, u"05"_s) + QStringList(galsAsked, shown[0]));
        QCOMPARE(c.scores(), shown);
        QCOMPARE(c.said(), announced ? adjustment(u"GUYS "_s + shown[0] + u" - gals "_s + shown[1]) : QString());
    }

    void reset_Should_ZeroBothScores_And_ChangeNothingElse()
    {
        ConsoleFixture c;
        c.setScores(u"30"_s, u"17"_s);
        c.ui().lblTeam[0]->setText(u"Lads"_s);
        c.ui().txtQuizEndScore->setText(u"21"_s);
        c.fake.writes.clear();
        const int commits = c.fake.commits;

        c.click(c.ui().cmdReset);

        QCOMPARE(c.scores(), (QStringList{u"00"_s, u"00"_s}));
        QCOMPARE(c.ui().lblTeam[0]->text(), u"Lads"_s);
        QCOMPARE(c.ui().lblTeam[1]->text(), u"gals"_s);
        QCOMPARE(c.ui().txtQuizEndScore->text(), u"21"_s);
        QVERIFY(c.fake.questions.empty());
        QVERIFY(c.fake.sent.empty());
        QVERIFY(c.fake.boxes.empty());
        QVERIFY(c.fake.writes.empty());
        QCOMPARE(c.fake.commits, commits);
    }

    void rename_Should_TakeAnyTextButEmpty_And_SaveEveryTime_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("name");
        QTest::newRow("new name") << 0 << QStringList{"Lads"} << "Lads";
        QTest::newRow("cancelled") << 1 << QStringList{} << "gals";
        QTest::newRow("blanks are a name") << 1 << QStringList{"  "} << "  ";
    }

    void rename_Should_TakeAnyTextButEmpty_And_SaveEveryTime()
    {
        QFETCH(int, index);
        QFETCH(QStringList, entries);
        QFETCH(QString, name);
        ConsoleFixture c;
        QStringList names{u"GUYS"_s, u"gals"_s};
        c.fake.writes.clear();
        const int commits = c.fake.commits;
        c.answer(entries);

        c.click(c.ui().lblTeam[index]);

        QCOMPARE(c.questions(), QStringList{u"Enter Team name | Team Name Definition | "_s + names[index]});
        names[index] = name;
        QCOMPARE(c.ui().lblTeam[0]->text(), names[0]);
        QCOMPARE(c.ui().lblTeam[1]->text(), names[1]);
        QCOMPARE(c.fake.commits, commits + 1);
        QCOMPARE(c.fake.writes.size(), 15u);
        QCOMPARE(c.stored(u"Misc"_s, u"Team %1 Name"_s.arg(index + 1)), name);
        QVERIFY(c.fake.sent.empty());
        QVERIFY(c.fake.boxes.empty());
    }

    void rename_Should_SayTheStoreFailed_When_SavingFails()
    {
        ConsoleFixture c;
        c.fake.commitFailure = u"The settings could not be saved to /x/QVX.ini: disk full"_s;
        c.answer({u"Lads"_s});

        c.click(c.ui().lblTeam[0]);

        QCOMPARE(c.ui().lblTeam[0]->text(), u"Lads"_s);
        QCOMPARE(c.boxes(), QStringList{*c.fake.commitFailure + u" | critical | Error!"_s});
    }
};

QTEST_MAIN(TestScoreAdjustments)
#include "TestScoreAdjustments.moc"
