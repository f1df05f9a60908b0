// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TitleMatch.h"

#include <QTest>

using quorvex::platform::matchWindowTitle;

class TestPlatformRules final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchWindowTitle_Should_PreferExactThenPrefix()
    {
        const QList<QString> titles{QStringLiteral("Trivia  Adult - Banterly"), QStringLiteral("Trivia  Adult"),
                                    QStringLiteral("Trivia Adult")};
        QCOMPARE(matchWindowTitle(QStringLiteral("Trivia  Adult"), titles), std::optional<std::size_t>(1));
        QCOMPARE(matchWindowTitle(QStringLiteral("Trivia "), titles), std::optional<std::size_t>(0));
        QCOMPARE(matchWindowTitle(QStringLiteral("Trivia Adult"), titles), std::optional<std::size_t>(2));
    }

    void matchWindowTitle_Should_MatchLiterally()
    {
        const QList<QString> titles{QStringLiteral("*** Room (Adult) [1]"), QStringLiteral("Room Adult 1"),
                                    QStringLiteral("trivia adult")};
        QCOMPARE(matchWindowTitle(QStringLiteral("*** Room (Adult) [1]"), titles), std::optional<std::size_t>(0));
        QCOMPARE(matchWindowTitle(QStringLiteral(".*"), titles), std::nullopt);
        QCOMPARE(matchWindowTitle(QStringLiteral("Room.Adult"), titles), std::nullopt);
        QCOMPARE(matchWindowTitle(QStringLiteral("Trivia adult"), titles), std::nullopt);
        QCOMPARE(matchWindowTitle(QStringLiteral("Adult"), titles), std::nullopt);
    }

    void matchWindowTitle_Should_MatchNothing_When_TitleIsEmpty()
    {
        const QList<QString> titles{QString(), QStringLiteral("Trivia  Adult")};
        QCOMPARE(matchWindowTitle(QString(), titles), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestPlatformRules)
#include "TestPlatformRules.moc"
