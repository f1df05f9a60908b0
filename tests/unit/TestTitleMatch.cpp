// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/common/TitleMatch.h"

#include <QTest>

using quorvex::platform::matchWindowTitle;
using quorvex::platform::pickRoomWindow;
using quorvex::platform::WindowCandidate;

class TestTitleMatch final : public QObject
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

    void pickRoomWindow_Should_TakeTheTopMostOfTwoWithTheTitle()
    {
        // Bottom-most first, as the window system stacks them.
        const std::vector<WindowCandidate> windows{{QStringLiteral("Trivia  Adult"), 100},
                                                   {QStringLiteral("Trivia  Adult - Banterly"), 101},
                                                   {QStringLiteral("Trivia  Adult"), 102},
                                                   {QStringLiteral("Other"), std::nullopt}};
        QCOMPARE(pickRoomWindow(QStringLiteral("Trivia  Adult"), windows, 1), std::optional<std::size_t>(2));
        QCOMPARE(pickRoomWindow(QStringLiteral("Trivia "), windows, 1), std::optional<std::size_t>(2));
        QCOMPARE(pickRoomWindow(QStringLiteral("Trivia  Adult -"), windows, 1), std::optional<std::size_t>(1));
        QCOMPARE(pickRoomWindow(QStringLiteral("Oth"), windows, 1), std::optional<std::size_t>(3));
    }

    void pickRoomWindow_Should_SkipTheConsolesOwnWindows_WhateverTheirTitle()
    {
        const std::vector<WindowCandidate> windows{{QStringLiteral("Trivia  Adult x"), 100},
                                                   {QStringLiteral("Trivia  Adult"), 7},
                                                   {QStringLiteral("Quorvex III"), 7}};
        QCOMPARE(pickRoomWindow(QStringLiteral("Trivia  Adult"), windows, 7), std::optional<std::size_t>(0));
        QCOMPARE(pickRoomWindow(QStringLiteral("Quorvex III"), windows, 7), std::nullopt);
        QCOMPARE(pickRoomWindow(QStringLiteral("Quorvex III"), windows, 8), std::optional<std::size_t>(2));
    }

    void matchWindowTitle_Should_MatchNothing_When_TitleIsEmpty()
    {
        const QList<QString> titles{QString(), QStringLiteral("Trivia  Adult")};
        QCOMPARE(matchWindowTitle(QString(), titles), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTitleMatch)
#include "TestTitleMatch.moc"
