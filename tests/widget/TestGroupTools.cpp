// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "support/ConsoleFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

class TestGroupTools final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quickSend_Should_SayTextAndKeepIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("two lines") << "Round two~Get ready" << "\nRound two\nGet ready\n";
        QTest::newRow("empty") << "" << "\n\n";
    }

    void quickSend_Should_SayTextAndKeepIt()
    {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        ConsoleFixture c;
        c.ui().txtSnd->setText(text);

        c.click(c.ui().cmdSnd);
        c.click(c.ui().cmdSnd);

        QCOMPARE(c.said(), typed + typed);
        QCOMPARE(c.ui().txtSnd->text(), text);
        QVERIFY(c.fake.boxes.empty());
    }

    void roomSwap_Should_AlternateRooms_And_SaveNothing()
    {
        ConsoleFixture c({{{u"Misc"_s, u"AppName"_s}, u"Plimbo Rocking Adult"_s}});
        const std::size_t writes = c.fake.writes.size();
        const int commits = c.fake.commits;
        // The caption is not stored: it starts on its design text whatever room was saved.
        QCOMPARE(c.ui().cmdTrivGroupSwap->text(), u"Plimbo"_s);

        const std::pair<QString, QString> expected[]{{u"Dorrik"_s, u"Plimbo Rocking Adult"_s},
                                                     {u"Plimbo"_s, u"Trivia Adult"_s},
                                                     {u"Dorrik"_s, u"Plimbo Rocking Adult"_s}};
        for (const auto& [caption, title] : expected) {
            c.click(c.ui().cmdTrivGroupSwap);
            QCOMPARE(c.ui().cmdTrivGroupSwap->text(), caption);
            QCOMPARE(c.ui().txtAppName->text(), title);
        }
        // Only the exact caption picks the other room.
        c.ui().cmdTrivGroupSwap->setText(u"plimbo"_s);
        c.click(c.ui().cmdTrivGroupSwap);
        QCOMPARE(c.ui().cmdTrivGroupSwap->text(), u"Plimbo"_s);
        QCOMPARE(c.ui().txtAppName->text(), u"Trivia Adult"_s);

        QVERIFY(c.fake.activations.empty());
        QVERIFY(c.fake.sent.empty());
        QCOMPARE(c.fake.writes.size(), writes);
        QCOMPARE(c.fake.commits, commits);
    }

    void stayOnTop_Should_ToggleKeepAbove()
    {
        ConsoleFixture c;
        QCOMPARE(c.ui().SOT_Status->text(), u"ON"_s);
        QVERIFY(c.fake.keepAboveCalls.empty());

        std::vector<bool> calls;
        for (const bool above : {false, true, false}) {
            c.click(c.ui().SOT_Status);
            calls.push_back(above);
            QCOMPARE(c.ui().SOT_Status->text(), above ? u"ON"_s : u"OFF"_s);
            QCOMPARE(c.fake.keepAboveCalls, calls);
        }
        QVERIFY(c.fake.sent.empty());
    }

    void ping_Should_StartPing_And_Say_Whether_ItStarted_data()
    {
        QTest::addColumn<QString>("failure"); // empty: the ping starts
        QTest::addColumn<QString>("box");
        QTest::newRow("started") << "" << "Banterly has been PUNG! | information | Done it :)";
        QTest::newRow("cannot start") << "No such file or directory"
                                      << "The ping could not be started: No such file or directory | critical | Error!";
    }

    void ping_Should_StartPing_And_Say_Whether_ItStarted()
    {
        QFETCH(QString, failure);
        QFETCH(QString, box);
        ConsoleFixture c;
        if (!failure.isEmpty()) {
            c.fake.launchFailure = failure;
        }

        c.click(c.ui().cmdPING);

        QCOMPARE(c.boxes(), QStringList{box});
        QCOMPARE(c.fake.launches.size(), failure.isEmpty() ? 1u : 0u);
        if (failure.isEmpty()) {
            QCOMPARE(c.fake.launches[0].program, u"ping"_s);
            QCOMPARE(c.fake.launches[0].arguments, (QStringList{u"-c"_s, u"4"_s, u"banterly.com"_s}));
        }
        QVERIFY(c.fake.sent.empty());
    }
};

QTEST_MAIN(TestGroupTools)
#include "TestGroupTools.moc"
