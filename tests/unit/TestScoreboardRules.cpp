// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoreboard/Announcements.h"
#include "scoreboard/ScoreText.h"

#include <QTest>

#include <limits>

using namespace quorvex::scoreboard;

namespace {

ScoreboardView board(const QString& score0, const QString& score1, double winning = 30,
                     const QString& comment = QStringLiteral("*** We are in BONDAGE!!!! ***"))
{
    return {QStringLiteral("GUYS"), QStringLiteral("gals"), score0, score1, winning, comment};
}

} // namespace

class TestScoreboardRules final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatScore_Should_KeepLastTwoCharacters_data()
    {
        QTest::addColumn<double>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << 0.0 << QStringLiteral("00");
        QTest::newRow("7") << 7.0 << QStringLiteral("07");
        QTest::newRow("10") << 10.0 << QStringLiteral("10");
        QTest::newRow("99") << 99.0 << QStringLiteral("99");
        QTest::newRow("100 wraps") << 100.0 << QStringLiteral("00");
        QTest::newRow("123") << 123.0 << QStringLiteral("23");
        QTest::newRow("fraction") << 2.5 << QStringLiteral(".5");
        QTest::newRow("below one") << 0.5 << QStringLiteral(".5");
    }

    void formatScore_Should_KeepLastTwoCharacters()
    {
        QFETCH(double, n);
        QFETCH(QString, expected);
        QCOMPARE(FormatScore(n), expected);
    }

    void leadingNumber_Should_ReadTheNumberATextStartsWith_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QStringLiteral("30") << 30.0;
        QTest::newRow("score text") << QStringLiteral("07") << 7.0;
        QTest::newRow("followed by a word") << QStringLiteral("30 points") << 30.0;
        QTest::newRow("leading blanks") << QStringLiteral("   30") << 30.0;
        QTest::newRow("blanks inside") << QStringLiteral(" 3 0") << 30.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("starts with a letter") << QStringLiteral("x30") << 0.0;
        QTest::newRow("fraction") << QStringLiteral("30.5") << 30.5;
        QTest::newRow("negative") << QStringLiteral("-4") << -4.0;
        QTest::newRow("exponent") << QStringLiteral("3e1") << 30.0;
        QTest::newRow("dangling exponent") << QStringLiteral("3e") << 3.0;
        QTest::newRow("lone point") << QStringLiteral(".") << 0.0;
        QTest::newRow("non-ASCII digit") << QStringLiteral("\u0663") << 0.0;
    }

    void leadingNumber_Should_ReadTheNumberATextStartsWith()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(leadingNumber(text), expected);
    }

    void leadingNumber_Should_NotCrash_When_NumberIsBeyondDoubleRange()
    {
        const double huge = leadingNumber(QStringLiteral("1") + QString(400, u'0'));
        QCOMPARE(huge, std::numeric_limits<double>::infinity());
        QCOMPARE(composeScoreAnnouncement(board(QStringLiteral("29"), QStringLiteral("29"), huge)).gameOver, false);
    }

    void entryValue_Should_ReadWholeEntriesOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        QTest::newRow("7") << QStringLiteral("7") << std::optional<double>(7);
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << std::optional<double>(7);
        QTest::newRow("leading zeros") << QStringLiteral("007") << std::optional<double>(7);
        QTest::newRow("decimal") << QStringLiteral("7.0") << std::optional<double>(7);
        QTest::newRow("fraction") << QStringLiteral("2.5") << std::optional<double>(2.5);
        QTest::newRow("negative") << QStringLiteral("-1") << std::optional<double>(-1);
        QTest::newRow("empty") << QString() << std::optional<double>();
        QTest::newRow("word") << QStringLiteral("seven") << std::optional<double>();
        QTest::newRow("trailing word") << QStringLiteral("7 points") << std::optional<double>();
        QTest::newRow("group separator") << QStringLiteral("1,000") << std::optional<double>();
        QTest::newRow("infinity") << QStringLiteral("inf") << std::optional<double>();
    }

    void entryValue_Should_ReadWholeEntriesOnly()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        QCOMPARE(entryValue(text), expected);
    }

    void composeScoreAnnouncement_Should_GiveTheReport_data()
    {
        QTest::addColumn<QString>("score0");
        QTest::addColumn<QString>("score1");
        QTest::addColumn<double>("winning");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("gameOver");
        QTest::newRow("ordinary") << QStringLiteral("12") << QStringLiteral("07") << 30.0
                                  << QStringLiteral("~###################~# The Score is ...~# 12 GUYS~# 07 gals~") << false;
        QTest::newRow("game point to team 0")
            << QStringLiteral("29") << QStringLiteral("28") << 30.0
            << QStringLiteral("~###################~# The Score is ...~# 29 GUYS~# 28 gals~~# Game Point to GUYS~~") << false;
        QTest::newRow("game point to team 1")
            << QStringLiteral("03") << QStringLiteral("29") << 30.0
            << QStringLiteral("~###################~# The Score is ...~# 03 GUYS~# 29 gals~~# Game Point to gals~~") << false;
        QTest::newRow("level at game point")
            << QStringLiteral("29") << QStringLiteral("29") << 30.0
            << QStringLiteral("~###################~# The Score is ...~# 29 GUYS~# 29 gals~~# *** We are in BONDAGE!!!! "
                              "***~# Game Point to GUYS~# Game Point to gals~~")
            << false;
        QTest::newRow("game over")
            << QStringLiteral("30") << QStringLiteral("21") << 30.0
            << QStringLiteral("~###################~# The GAME is OVER~# 30 GUYS~# 21 gals~# Won by GUYS~") << true;
        QTest::newRow("won by team 1")
            << QStringLiteral("05") << QStringLiteral("30") << 30.0
            << QStringLiteral("~###################~# The GAME is OVER~# 05 GUYS~# 30 gals~# Won by gals~") << true;
        QTest::newRow("both at winning score go to team 0")
            << QStringLiteral("30") << QStringLiteral("30") << 30.0
            << QStringLiteral("~###################~# The GAME is OVER~# 30 GUYS~# 30 gals~# Won by GUYS~") << true;
        QTest::newRow("above winning score is no game over")
            << QStringLiteral("31") << QStringLiteral("02") << 30.0
            << QStringLiteral("~###################~# The Score is ...~# 31 GUYS~# 02 gals~") << false;
        QTest::newRow("winning score 0 ends at 00")
            << QStringLiteral("00") << QStringLiteral("01") << 0.0
            << QStringLiteral("~###################~# The GAME is OVER~# 00 GUYS~# 01 gals~# Won by GUYS~") << true;
        QTest::newRow("fractional winning score never matches")
            << QStringLiteral("30") << QStringLiteral("29") << 30.5
            << QStringLiteral("~###################~# The Score is ...~# 30 GUYS~# 29 gals~") << false;
    }

    void composeScoreAnnouncement_Should_GiveTheReport()
    {
        QFETCH(QString, score0);
        QFETCH(QString, score1);
        QFETCH(double, winning);
        QFETCH(QString, expected);
        QFETCH(bool, gameOver);
        const ScoreAnnouncement announcement = composeScoreAnnouncement(board(score0, score1, winning));
        QCOMPARE(announcement.text, expected);
        QCOMPARE(announcement.gameOver, gameOver);
    }

    void composeScoreAnnouncement_Should_SayEmptyComment_When_ScoresAreLevel()
    {
        const ScoreAnnouncement announcement =
            composeScoreAnnouncement(board(QStringLiteral("05"), QStringLiteral("05"), 30, QString()));
        QCOMPARE(announcement.text, QStringLiteral("~###################~# The Score is ...~# 05 GUYS~# 05 gals~~# ~~"));
    }

    void composeAdjustmentAnnouncement_Should_PutNamesBeforeScores()
    {
        QCOMPARE(composeAdjustmentAnnouncement(board(QStringLiteral("12"), QStringLiteral("07"))),
                 QStringLiteral("~###################~# SCORE ADJUSTMENT ~# The Score is ...  GUYS 12 - gals 07"));
    }

    void isBirthday_Should_MatchSixteenthOctoberOfAnyYear()
    {
        QVERIFY(isBirthday(QDate(2026, 10, 16)));
        QVERIFY(isBirthday(QDate(1999, 10, 16)));
        QVERIFY(!isBirthday(QDate(2026, 10, 15)));
        QVERIFY(!isBirthday(QDate(2026, 11, 16)));
    }
};

QTEST_GUILESS_MAIN(TestScoreboardRules)
#include "TestScoreboardRules.moc"
