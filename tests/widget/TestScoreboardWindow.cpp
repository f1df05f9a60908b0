// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "support/ConsoleFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using quorvex::test::ConsoleFixture;
using quorvex::test::kRoom;
using namespace Qt::StringLiterals;

namespace {

QString report(const QString& s0, const QString& s1, const QString& status = {})
{
    QString text = u"\n\n###################\n# The Score is ...\n# "_s + s0 + u" GUYS\n# "_s + s1 + u" gals\n"_s;
    if (!status.isEmpty()) {
        text += u'\n' + status + u"\n\n"_s;
    }
    return text + u'\n';
}

QString gameOver(const QString& s0, const QString& s1, const QString& winner)
{
    return u"\n\n###################\n# The GAME is OVER\n# "_s + s0 + u" GUYS\n# "_s + s1 + u" gals\n# Won by "_s +
           winner + u"\n\n"_s;
}

// The window's own ways to score: a team's "+" button, or a click on the score title.
void award(ConsoleFixture& c, int team)
{
    c.click(c.ui().cmdAddScore[std::size_t(team)]);
}

void askScore(ConsoleFixture& c)
{
    c.click(c.ui().Label7);
}

} // namespace

class TestScoreboardWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoring_Should_SayTheReportOfTheScoresOnShow_data()
    {
        QTest::addColumn<int>("team"); // -1: the score is asked for, no point given
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("winning");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("said");
        QTest::newRow("point to team 0") << 0 << QStringList{"11", "07"} << "30" << QStringList{"12", "07"}
                                         << report("12", "07");
        QTest::newRow("score asked") << -1 << QStringList{"29", "28"} << "30" << QStringList{"29", "28"}
                                     << report("29", "28", "# Game Point to GUYS");
        QTest::newRow("game point to both, whoever scored")
            << 1 << QStringList{"29", "28"} << "30" << QStringList{"29", "29"}
            << report("29", "29", "# *** We are in BONDAGE!!!! ***\n# Game Point to GUYS\n# Game Point to gals");
        QTest::newRow("winning score not a number")
            << 1 << QStringList{"00", "00"} << "thirty" << QStringList{"00", "01"} << gameOver("00", "01", "GUYS");
    }

    void scoring_Should_SayTheReportOfTheScoresOnShow()
    {
        QFETCH(int, team);
        QFETCH(QStringList, before);
        QFETCH(QString, winning);
        QFETCH(QStringList, after);
        QFETCH(QString, said);
        ConsoleFixture c;
        c.setScores(before[0], before[1]);
        c.ui().txtQuizEndScore->setText(winning);

        team < 0 ? askScore(c) : award(c, team);

        QCOMPARE(c.scores(), after);
        QCOMPARE(c.said(), said);
        QVERIFY(c.fake.boxes.empty());
    }

    void award_Should_EndGame_And_KeepCounting()
    {
        ConsoleFixture c;
        c.setScores(u"05"_s, u"29"_s);
        award(c, 1);
        QCOMPARE(c.said(), gameOver(u"05"_s, u"30"_s, u"gals"_s));

        c.fake.sent.clear();
        award(c, 0);
        QCOMPARE(c.scores(), (QStringList{u"06"_s, u"30"_s}));
        QCOMPARE(c.said(), gameOver(u"06"_s, u"30"_s, u"gals"_s));

        c.fake.sent.clear();
        award(c, 1);
        QCOMPARE(c.said(), report(u"06"_s, u"31"_s));
    }

    void award_Should_SayBirthdayLine_OnlyAfterGameOverOnSixteenthOctober()
    {
        ConsoleFixture c;
        c.fake.date = QDate(2027, 10, 16);
        c.setScores(u"28"_s, u"00"_s);
        award(c, 0);
        QCOMPARE(c.fake.sent.size(), 2u);

        award(c, 0);
        QCOMPARE(c.fake.sent.size(), 6u);
        QCOMPARE(c.fake.sent.back().text(), u"Oh and Happy Birthday to Tobrenn!\n"_s);

        askScore(c);
        QCOMPARE(c.fake.sent.size(), 8u);
        QVERIFY(c.fake.sent.back().text().startsWith(u"\n##"_s));

        // Still game over, but another day.
        c.fake.date = QDate(2027, 10, 17);
        award(c, 1);
        QCOMPARE(c.fake.sent.size(), 10u);
        QVERIFY(c.fake.sent.back().text().startsWith(u"\n##"_s));
    }

    void award_Should_KeepPoint_When_RoomIsMissing()
    {
        ConsoleFixture c;
        c.fake.windowTitles.clear();
        c.fake.date = QDate(2027, 10, 16);
        c.setScores(u"00"_s, u"29"_s);
        award(c, 1);
        QCOMPARE(c.scores(), (QStringList{u"00"_s, u"30"_s}));
        QVERIFY(c.fake.sent.empty());
        // The game-over report and the birthday line each try the room and each report the failure.
        QCOMPARE(c.boxes(), QStringList(2, u"Group name is incorrect or Group is not open | critical | Error!"_s));
    }

    void say_Should_FollowAnEditedRoomTitle()
    {
        ConsoleFixture c;
        const QString other = u"Plimbo Rocking Adult"_s;
        c.fake.windowTitles.append(other);
        askScore(c);
        c.ui().txtAppName->setText(other);
        askScore(c);
        QCOMPARE(c.fake.activations, (std::vector<QString>{kRoom, other}));
        QCOMPARE(c.fake.typedInto(other), report(u"00"_s, u"00"_s, u"# *** We are in BONDAGE!!!! ***"_s));
    }
};

QTEST_MAIN(TestScoreboardWindow)
#include "TestScoreboardWindow.moc"
