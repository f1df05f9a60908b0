// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ScoreMacro.h"

#include <QTest>

using quorvex::console::fillScoreMacro;
using quorvex::console::MacroPointsEntry;
using quorvex::console::macroPointsFromEntry;

class TestScoreMacro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void macroPointsFromEntry_Should_ReadWholeNumbersInRange_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("points");
        QTest::newRow("lowest") << QStringLiteral("0") << 0;
        QTest::newRow("highest") << QStringLiteral("99") << 99;
        QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
        QTest::newRow("blanks around") << QStringLiteral("  12 ") << 12;
        QTest::newRow("whole with a point") << QStringLiteral("7.0") << 7;
        QTest::newRow("plus sign") << QStringLiteral("+5") << 5;
        QTest::newRow("minus zero") << QStringLiteral("-0") << 0;
    }

    void macroPointsFromEntry_Should_ReadWholeNumbersInRange()
    {
        QFETCH(QString, entry);
        QFETCH(int, points);
        const MacroPointsEntry read = macroPointsFromEntry(entry);
        QCOMPARE(read.kind, MacroPointsEntry::Kind::Points);
        QCOMPARE(read.points, points);
    }

    void macroPointsFromEntry_Should_RefuseEntry_When_NotWholePointsInRange_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<MacroPointsEntry::Kind>("kind");
        QTest::newRow("cancelled") << QString() << MacroPointsEntry::Kind::Empty;
        QTest::newRow("blanks only") << QStringLiteral("   ") << MacroPointsEntry::Kind::Empty;
        QTest::newRow("above range") << QStringLiteral("100") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("below range") << QStringLiteral("-1") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("fraction") << QStringLiteral("2.5") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("fraction just under top") << QStringLiteral("98.9") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("word") << QStringLiteral("seven") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("number then text") << QStringLiteral("7 points") << MacroPointsEntry::Kind::NotPoints;
        QTest::newRow("two numbers") << QStringLiteral("7 8") << MacroPointsEntry::Kind::NotPoints;
    }

    void macroPointsFromEntry_Should_RefuseEntry_When_NotWholePointsInRange()
    {
        QFETCH(QString, entry);
        QFETCH(MacroPointsEntry::Kind, kind);
        QCOMPARE(macroPointsFromEntry(entry).kind, kind);
    }

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
