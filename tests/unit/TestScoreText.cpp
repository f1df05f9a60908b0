// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoreboard/ScoreText.h"

#include <QTest>

using quorvex::scoreboard::wholeEntryInRange;

class TestScoreText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeEntryInRange_Should_AcceptOnlyWholeNumbersInRange_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<double>("highest");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("value");

        QTest::newRow("plain") << QStringLiteral("7") << 30.0 << true << 7;
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << 30.0 << true << 7;
        QTest::newRow("tab and line break around") << QStringLiteral("\t7\n") << 30.0 << true << 7;
        QTest::newRow("leading zeros") << QStringLiteral("007") << 30.0 << true << 7;
        QTest::newRow("zero fraction") << QStringLiteral("7.0") << 30.0 << true << 7;
        QTest::newRow("plus sign") << QStringLiteral("+7") << 30.0 << true << 7;
        QTest::newRow("exponent") << QStringLiteral("1e1") << 30.0 << true << 10;
        QTest::newRow("lowest end") << QStringLiteral("0") << 30.0 << true << 0;
        QTest::newRow("negative zero") << QStringLiteral("-0") << 30.0 << true << 0;
        QTest::newRow("highest end") << QStringLiteral("30") << 30.0 << true << 30;
        QTest::newRow("above the range") << QStringLiteral("31") << 30.0 << false << 0;
        QTest::newRow("below the range") << QStringLiteral("-1") << 30.0 << false << 0;
        QTest::newRow("fraction") << QStringLiteral("2.5") << 30.0 << false << 0;
        QTest::newRow("fraction without zero") << QStringLiteral(".5") << 30.0 << false << 0;
        QTest::newRow("tiny fraction") << QStringLiteral("7.001") << 30.0 << false << 0;
        QTest::newRow("empty") << QString() << 30.0 << false << 0;
        QTest::newRow("blanks only") << QStringLiteral("   ") << 30.0 << false << 0;
        QTest::newRow("word") << QStringLiteral("seven") << 30.0 << false << 0;
        QTest::newRow("number then word") << QStringLiteral("7 points") << 30.0 << false << 0;
        QTest::newRow("blank inside") << QStringLiteral("1 2") << 30.0 << false << 0;
        QTest::newRow("comma decimal") << QStringLiteral("7,0") << 30.0 << false << 0;
        QTest::newRow("group separator") << QStringLiteral("1,000") << 5000.0 << false << 0;
        QTest::newRow("hexadecimal") << QStringLiteral("0x7") << 30.0 << false << 0;
        QTest::newRow("infinity") << QStringLiteral("inf") << 30.0 << false << 0;
        QTest::newRow("not a number") << QStringLiteral("nan") << 30.0 << false << 0;
        QTest::newRow("highest is a fraction") << QStringLiteral("30") << 30.5 << true << 30;
        QTest::newRow("above a fractional highest") << QStringLiteral("31") << 30.5 << false << 0;
        QTest::newRow("range of zero") << QStringLiteral("0") << 0.0 << true << 0;
        QTest::newRow("one in a range of zero") << QStringLiteral("1") << 0.0 << false << 0;
        QTest::newRow("empty range") << QStringLiteral("0") << -5.0 << false << 0;
        QTest::newRow("three digits") << QStringLiteral("120") << 150.0 << true << 120;
        QTest::newRow("largest int") << QStringLiteral("2147483647") << 1e12 << true << 2147483647;
        QTest::newRow("beyond int") << QStringLiteral("2147483648") << 1e12 << false << 0;
    }

    void wholeEntryInRange_Should_AcceptOnlyWholeNumbersInRange()
    {
        QFETCH(QString, entry);
        QFETCH(double, highest);
        QFETCH(bool, accepted);
        QFETCH(int, value);

        const std::optional<int> result = wholeEntryInRange(entry, 0, highest);

        QCOMPARE(result.has_value(), accepted);
        if (accepted) {
            QCOMPARE(*result, value);
        }
    }

    void wholeEntryInRange_Should_UseTheLowestEndGiven()
    {
        QCOMPARE(wholeEntryInRange(QStringLiteral("1"), 1, 99), std::optional<int>(1));
        QCOMPARE(wholeEntryInRange(QStringLiteral("0"), 1, 99), std::nullopt);
        QCOMPARE(wholeEntryInRange(QStringLiteral("-3"), -5, 99), std::optional<int>(-3));
    }
};

QTEST_GUILESS_MAIN(TestScoreText)
#include "TestScoreText.moc"
