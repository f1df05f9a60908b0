// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/Main.h"
#include "support/FakePlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using quorvex::console::Main;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");

// What the room sees for one adjustment announcement: the lone Enter, then the report and its closing Enter.
QString adjustment(const QString& scores)
{
    return QStringLiteral("\n\n###################\n# SCORE ADJUSTMENT \n# The Score is ...  ") + scores + u'\n';
}

} // namespace

class TestScoreAdjustments final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<Main> m_main;

    FakePlatform& fake() { return *m_fake; }
    QLabel& score(int i) { return *m_main->controls().lblScore[i]; }
    QLabel& team(int i) { return *m_main->controls().lblTeam[i]; }
    QString said() const { return m_fake->typedInto(kRoom); }

    void answer(const QStringList& entries)
    {
        for (const QString& entry : entries) {
            fake().inputAnswers.push_back(entry);
        }
    }

private Q_SLOTS:
    void init()
    {
        m_fake = std::make_unique<FakePlatform>();
        m_fake->windowTitles = {kRoom};
        m_main = std::make_unique<Main>(m_fake->platform());
        m_fake->writes.clear();
        m_fake->commits = 0;
    }

    void cleanup()
    {
        m_main.reset();
        m_fake.reset();
    }

    void adjustTeam0_Should_AskUntilEntryIsWholeAndInRange_data()
    {
        QTest::addColumn<QString>("winning");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("shown");

        QTest::newRow("two digits") << QStringLiteral("30") << QStringList{QStringLiteral("12")}
                                    << QStringLiteral("12");
        QTest::newRow("one digit") << QStringLiteral("30") << QStringList{QStringLiteral("7")} << QStringLiteral("07");
        QTest::newRow("blanks around") << QStringLiteral("30") << QStringList{QStringLiteral(" 7 ")}
                                       << QStringLiteral("07");
        QTest::newRow("leading zeros") << QStringLiteral("30") << QStringList{QStringLiteral("007")}
                                       << QStringLiteral("07");
        QTest::newRow("zero fraction") << QStringLiteral("30") << QStringList{QStringLiteral("7.0")}
                                       << QStringLiteral("07");
        QTest::newRow("winning score itself")
            << QStringLiteral("30") << QStringList{QStringLiteral("30")} << QStringLiteral("30");
        QTest::newRow("zero") << QStringLiteral("30") << QStringList{QStringLiteral("0")} << QStringLiteral("00");
        QTest::newRow("out of range both ways")
            << QStringLiteral("30") << QStringList{QStringLiteral("31"), QStringLiteral("-1"), QStringLiteral("12")}
            << QStringLiteral("12");
        QTest::newRow("fraction") << QStringLiteral("30") << QStringList{QStringLiteral("2.5"), QStringLiteral("2")}
                                  << QStringLiteral("02");
        QTest::newRow("not a number") << QStringLiteral("30")
                                      << QStringList{QStringLiteral("ten"), QStringLiteral("7 points"),
                                                     QStringLiteral("   "), QStringLiteral("10")}
                                      << QStringLiteral("10");
        QTest::newRow("winning score read by its start")
            << QStringLiteral("21 to win") << QStringList{QStringLiteral("22"), QStringLiteral("21")}
            << QStringLiteral("21");
        QTest::newRow("three-digit winning score")
            << QStringLiteral("150") << QStringList{QStringLiteral("120")} << QStringLiteral("20");
        QTest::newRow("empty winning score")
            << QString() << QStringList{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("0")}
            << QStringLiteral("00");
        QTest::newRow("winning score without a number")
            << QStringLiteral("thirty") << QStringList{QStringLiteral("12"), QStringLiteral("0")}
            << QStringLiteral("00");
    }

    void adjustTeam0_Should_AskUntilEntryIsWholeAndInRange()
    {
        QFETCH(QString, winning);
        QFETCH(QStringList, entries);
        QFETCH(QString, shown);
        m_main->controls().txtQuizEndScore->setText(winning);
        score(0).setText(QStringLiteral("05"));
        score(1).setText(QStringLiteral("07"));
        answer(entries);

        m_main->controls().cmdAdjustGUYScore->click();

        QCOMPARE(fake().questions.size(), std::size_t(entries.size()));
        for (int i = 0; i < entries.size(); ++i) {
            // Every box, also after a refused entry, offers the score as it was.
            QCOMPARE(fake().questions[std::size_t(i)].prompt, QStringLiteral("Enter Score adjustment for GUYS"));
            QCOMPARE(fake().questions[std::size_t(i)].title, QStringLiteral("Score Adjustment"));
            QCOMPARE(fake().questions[std::size_t(i)].defaultText, QStringLiteral("05"));
        }
        QCOMPARE(score(0).text(), shown);
        QCOMPARE(score(1).text(), QStringLiteral("07"));
        QCOMPARE(said(), adjustment(QStringLiteral("GUYS ") + shown + QStringLiteral(" - gals 07")));
        QCOMPARE(fake().commits, 0);
    }

    void adjustTeam1_Should_NameTeam1_And_ListTeam0First()
    {
        score(0).setText(QStringLiteral("12"));
        score(1).setText(QStringLiteral("03"));
        answer({QStringLiteral("31"), QStringLiteral("7")});

        m_main->controls().cmdadjustGALscore->click();

        QCOMPARE(fake().questions.size(), std::size_t(2));
        for (const FakePlatform::Question& question : fake().questions) {
            QCOMPARE(question.prompt, QStringLiteral("Enter Score adjustment for gals"));
            QCOMPARE(question.title, QStringLiteral("Score Adjustment"));
            QCOMPARE(question.defaultText, QStringLiteral("03"));
        }
        QCOMPARE(score(0).text(), QStringLiteral("12"));
        QCOMPARE(score(1).text(), QStringLiteral("07"));
        QCOMPARE(said(), adjustment(QStringLiteral("GUYS 12 - gals 07")));
    }

    void adjustTeam_Should_NotSayAStatusLine_When_ScoresAreLevelOrWinning()
    {
        score(1).setText(QStringLiteral("30"));
        answer({QStringLiteral("30")});

        m_main->controls().cmdAdjustGUYScore->click();

        QCOMPARE(said(), adjustment(QStringLiteral("GUYS 30 - gals 30")));
    }

    void adjustTeam_Should_UseTheNamesOnTheWindow()
    {
        team(0).setText(QStringLiteral("Lads ~ & Co"));
        team(1).setText(QStringLiteral("Lasses"));
        answer({QStringLiteral("4")});

        m_main->controls().cmdadjustGALscore->click();

        QCOMPARE(fake().questions.at(0).prompt, QStringLiteral("Enter Score adjustment for Lasses"));
        QCOMPARE(said(),
                 QStringLiteral("\n\n###################\n# SCORE ADJUSTMENT \n# The Score is ...  Lads \n & Co "
                                "00 - Lasses 04\n"));
    }

    void adjustTeam_Should_KeepScoreAndSayNothing_When_BoxIsAbandoned_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("asked");

        // An empty script answers as Cancel does.
        QTest::newRow("team 0 cancelled") << 0 << QStringList{} << 1;
        QTest::newRow("team 0 emptied") << 0 << QStringList{QString()} << 1;
        QTest::newRow("team 0 refused, then cancelled")
            << 0 << QStringList{QStringLiteral("31"), QStringLiteral("2.5")} << 3;
        QTest::newRow("team 1 cancelled") << 1 << QStringList{} << 1;
        QTest::newRow("team 1 refused, then emptied") << 1 << QStringList{QStringLiteral("x"), QString()} << 2;
    }

    void adjustTeam_Should_KeepScoreAndSayNothing_When_BoxIsAbandoned()
    {
        QFETCH(int, index);
        QFETCH(QStringList, entries);
        QFETCH(int, asked);
        score(0).setText(QStringLiteral("11"));
        score(1).setText(QStringLiteral("22"));
        answer(entries);

        if (index == 0) {
            m_main->controls().cmdAdjustGUYScore->click();
        } else {
            m_main->controls().cmdadjustGALscore->click();
        }

        QCOMPARE(fake().questions.size(), std::size_t(asked));
        QCOMPARE(score(0).text(), QStringLiteral("11"));
        QCOMPARE(score(1).text(), QStringLiteral("22"));
        QVERIFY(fake().sent.empty());
        QVERIFY(fake().activations.empty());
    }

    void adjustBoth_Should_AskTeam0ThenTeam1_And_SayOneAnnouncement()
    {
        score(0).setText(QStringLiteral("05"));
        score(1).setText(QStringLiteral("09"));
        answer({QStringLiteral("12"), QStringLiteral("31"), QStringLiteral("7")});
        QStringList team0WhenAsked;
        fake().onInputBox = [&] { team0WhenAsked << score(0).text(); };

        m_main->controls().cmdAdjustScores->click();

        QCOMPARE(fake().questions.size(), std::size_t(3));
        QCOMPARE(fake().questions[0].prompt, QStringLiteral("Enter Score adjustment for GUYS"));
        QCOMPARE(fake().questions[0].defaultText, QStringLiteral("05"));
        for (std::size_t i : {1, 2}) {
            QCOMPARE(fake().questions[i].prompt, QStringLiteral("Enter Score adjustment for gals"));
            QCOMPARE(fake().questions[i].title, QStringLiteral("Score Adjustment"));
            QCOMPARE(fake().questions[i].defaultText, QStringLiteral("09"));
        }
        // Team 0's new score is on the window before team 1's box opens.
        QCOMPARE(team0WhenAsked, (QStringList{QStringLiteral("05"), QStringLiteral("12"), QStringLiteral("12")}));
        QCOMPARE(score(0).text(), QStringLiteral("12"));
        QCOMPARE(score(1).text(), QStringLiteral("07"));
        QCOMPARE(said(), adjustment(QStringLiteral("GUYS 12 - gals 07")));
    }

    void adjustBoth_Should_KeepTeam0AndStillSay_When_SecondBoxIsAbandoned()
    {
        score(0).setText(QStringLiteral("05"));
        score(1).setText(QStringLiteral("09"));
        answer({QStringLiteral("12"), QStringLiteral("nine")});

        m_main->controls().cmdAdjustScores->click();

        QCOMPARE(fake().questions.size(), std::size_t(3));
        QCOMPARE(score(0).text(), QStringLiteral("12"));
        QCOMPARE(score(1).text(), QStringLiteral("09"));
        QCOMPARE(said(), adjustment(QStringLiteral("GUYS 12 - gals 09")));
    }

    void adjustBoth_Should_EndAtOnce_When_FirstBoxIsAbandoned()
    {
        score(0).setText(QStringLiteral("05"));
        score(1).setText(QStringLiteral("09"));
        answer({QStringLiteral("31"), QString(), QStringLiteral("3")});

        m_main->controls().cmdAdjustScores->click();

        QCOMPARE(fake().questions.size(), std::size_t(2));
        QCOMPARE(fake().questions[1].prompt, QStringLiteral("Enter Score adjustment for GUYS"));
        QCOMPARE(score(0).text(), QStringLiteral("05"));
        QCOMPARE(score(1).text(), QStringLiteral("09"));
        QVERIFY(fake().sent.empty());
    }

    void reset_Should_ZeroBothScores_And_ChangeNothingElse()
    {
        score(0).setText(QStringLiteral("30"));
        score(1).setText(QStringLiteral("17"));
        team(0).setText(QStringLiteral("Lads"));
        m_main->controls().txtQuizEndScore->setText(QStringLiteral("21"));

        m_main->controls().cmdReset->click();

        QCOMPARE(score(0).text(), QStringLiteral("00"));
        QCOMPARE(score(1).text(), QStringLiteral("00"));
        QCOMPARE(team(0).text(), QStringLiteral("Lads"));
        QCOMPARE(team(1).text(), QStringLiteral("gals"));
        QCOMPARE(m_main->controls().txtQuizEndScore->text(), QStringLiteral("21"));
        QVERIFY(fake().questions.empty());
        QVERIFY(fake().sent.empty());
        QVERIFY(fake().boxes.empty());
        QVERIFY(fake().writes.empty());
        QCOMPARE(fake().commits, 0);
    }

    void rename_Should_TakeAnyTextButEmpty_And_SaveEveryTime_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("name");

        QTest::newRow("new name") << 0 << QStringList{QStringLiteral("Lads")} << QStringLiteral("Lads");
        QTest::newRow("same name") << 0 << QStringList{QStringLiteral("GUYS")} << QStringLiteral("GUYS");
        QTest::newRow("emptied") << 0 << QStringList{QString()} << QStringLiteral("GUYS");
        QTest::newRow("cancelled") << 1 << QStringList{} << QStringLiteral("gals");
        QTest::newRow("blanks are a name") << 1 << QStringList{QStringLiteral("  ")} << QStringLiteral("  ");
        QTest::newRow("any characters") << 1 << QStringList{QStringLiteral(" ~Lasses & \"Co\"; #1 ")}
                                        << QStringLiteral(" ~Lasses & \"Co\"; #1 ");
    }

    void rename_Should_TakeAnyTextButEmpty_And_SaveEveryTime()
    {
        QFETCH(int, index);
        QFETCH(QStringList, entries);
        QFETCH(QString, name);
        const QString before = team(index).text();
        answer(entries);

        QTest::mouseClick(m_main->controls().lblTeam[index], Qt::LeftButton);

        QCOMPARE(fake().questions.size(), std::size_t(1));
        QCOMPARE(fake().questions[0].prompt, QStringLiteral("Enter Team name"));
        QCOMPARE(fake().questions[0].title, QStringLiteral("Team Name Definition"));
        QCOMPARE(fake().questions[0].defaultText, before);
        QCOMPARE(team(index).text(), name);
        QCOMPARE(team(1 - index).text(), index == 0 ? QStringLiteral("gals") : QStringLiteral("GUYS"));
        QCOMPARE(fake().commits, 1);
        QCOMPARE(fake().writes.size(), std::size_t(15));
        const QString key = index == 0 ? QStringLiteral("Team 1 Name") : QStringLiteral("Team 2 Name");
        QCOMPARE(fake().store.at({QStringLiteral("Misc"), key}), name);
        QVERIFY(fake().sent.empty());
        QVERIFY(fake().boxes.empty());
    }

    void rename_Should_SayTheStoreFailed_When_SavingFails()
    {
        fake().commitFailure = QStringLiteral("The settings could not be saved to /x/QVX.ini: disk full");
        answer({QStringLiteral("Lads")});

        m_main->lblTeam_Click(0);

        QCOMPARE(team(0).text(), QStringLiteral("Lads"));
        QCOMPARE(fake().boxes.size(), std::size_t(1));
        QCOMPARE(fake().boxes[0].prompt, *fake().commitFailure);
        QCOMPARE(fake().boxes[0].style, 16);
        QCOMPARE(fake().boxes[0].title, QStringLiteral("Error!"));
    }
};

QTEST_MAIN(TestScoreAdjustments)
#include "TestScoreAdjustments.moc"
