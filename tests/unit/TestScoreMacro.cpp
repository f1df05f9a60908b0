// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoreboard/ScoreMacro.h"

#include <QTest>

using quorvex::scoreboard::fillScoreMacro;

class TestScoreMacro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillScoreMacro_Should_ReplaceFirstOfEachPlaceholder_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("guys");
        QTest::addColumn<int>("gals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("guys first") << QStringLiteral("GUYS <<gu>> - gals <<ga>>") << 7 << 12
                                    << QStringLiteral("GUYS 07 - gals 12");
        QTest::newRow("gals first") << QStringLiteral("gals <<ga>> - GUYS <<gu>>") << 7 << 12
                                    << QStringLiteral("gals 12 - GUYS 07");
        QTest::newRow("side by side") << QStringLiteral("<<gu>><<ga>>") << 0 << 99 << QStringLiteral("0099");
        QTest::newRow("second guys stays")
            << QStringLiteral("<<gu>> <<gu>> <<ga>>") << 3 << 4 << QStringLiteral("03 <<gu>> 04");
        QTest::newRow("second gals stays")
            << QStringLiteral("<<ga>>|<<gu>>|<<ga>>") << 3 << 4 << QStringLiteral("04|03|<<ga>>");
        QTest::newRow("no gals") << QStringLiteral("GUYS <<gu>>") << 5 << 6 << QStringLiteral("GUYS 05");
        QTest::newRow("no guys") << QStringLiteral("gals <<ga>>") << 5 << 6 << QStringLiteral("gals 06");
        QTest::newRow("neither") << QStringLiteral("Scores later") << 5 << 6 << QStringLiteral("Scores later");
        QTest::newRow("other letter case stays")
            << QStringLiteral("<<GU>> <<Ga>> <<ga>>") << 5 << 6 << QStringLiteral("<<GU>> <<Ga>> 06");
        QTest::newRow("chat lines kept") << QStringLiteral("Score~<<gu>>~<<ga>>") << 10 << 20
                                         << QStringLiteral("Score~10~20");
        QTest::newRow("empty") << QString() << 1 << 2 << QString();
    }

    void fillScoreMacro_Should_ReplaceFirstOfEachPlaceholder()
    {
        QFETCH(QString, caption);
        QFETCH(int, guys);
        QFETCH(int, gals);
        QFETCH(QString, expected);
        QCOMPARE(fillScoreMacro(caption, guys, gals), expected);
    }
};

QTEST_GUILESS_MAIN(TestScoreMacro)
#include "TestScoreMacro.moc"
