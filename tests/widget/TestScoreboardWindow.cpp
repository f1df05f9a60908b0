// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/Main.h"
#include "support/FakePlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using quorvex::console::Main;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");

QString report(const QString& s0, const QString& s1, const QString& status = {})
{
    QString text = QStringLiteral("\n\n###################\n# The Score is ...\n# ") + s0 + QStringLiteral(" GUYS\n# ") + s1 +
                   QStringLiteral(" gals\n");
    if (!status.isEmpty()) {
        text += u'\n' + status + QStringLiteral("\n\n");
    }
    return text + u'\n';
}

QString gameOver(const QString& s0, const QString& s1, const QString& winner)
{
    return QStringLiteral("\n\n###################\n# The GAME is OVER\n# ") + s0 + QStringLiteral(" GUYS\n# ") + s1 +
           QStringLiteral(" gals\n# Won by ") + winner + QStringLiteral("\n\n");
}

struct Console
{
    FakePlatform fake;
    std::unique_ptr<Main> window;

    Console()
    {
        fake.windowTitles = {kRoom};
        window = std::make_unique<Main>(fake.platform());
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }

    QString score(int team) const { return control<QLabel>(QStringLiteral("lblScore(%1)").arg(team))->text(); }
    void setScore(int team, const QString& text) { control<QLabel>(QStringLiteral("lblScore(%1)").arg(team))->setText(text); }
    void award(int team) { QTest::mouseClick(control(QStringLiteral("cmdAddScore(%1)").arg(team)), Qt::LeftButton); }
    void askScore() { QTest::mouseClick(control(QStringLiteral("Label7")), Qt::LeftButton); }
    void setWinning(const QString& text) { control<QLineEdit>(QStringLiteral("txtQuizEndScore"))->setText(text); }
    QString typed() const { return fake.typedInto(kRoom); }
};

} // namespace

class TestScoreboardWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void award_Should_RaiseScore_And_SayReport()
    {
        Console c;
        c.setScore(0, QStringLiteral("11"));
        c.setScore(1, QStringLiteral("07"));
        c.award(0);
        QCOMPARE(c.score(0), QStringLiteral("12"));
        QCOMPARE(c.score(1), QStringLiteral("07"));
        QCOMPARE(c.typed(), report(QStringLiteral("12"), QStringLiteral("07")));
    }

    void award_Should_CountOnInTwoDigits()
    {
        Console c;
        c.setWinning(QStringLiteral("500"));
        c.setScore(1, QStringLiteral("09"));
        c.award(1);
        QCOMPARE(c.score(1), QStringLiteral("10"));
        c.setScore(1, QStringLiteral("99"));
        c.award(1);
        QCOMPARE(c.score(1), QStringLiteral("00"));
        c.award(1);
        QCOMPARE(c.score(1), QStringLiteral("01"));
    }

    void scoreRequest_Should_SayReport_WithoutChangingScores()
    {
        Console c;
        c.setScore(0, QStringLiteral("29"));
        c.setScore(1, QStringLiteral("28"));
        c.askScore();
        QCOMPARE(c.score(0), QStringLiteral("29"));
        QCOMPARE(c.score(1), QStringLiteral("28"));
        QCOMPARE(c.typed(), report(QStringLiteral("29"), QStringLiteral("28"), QStringLiteral("# Game Point to GUYS")));
    }

    void award_Should_NameGamePointForBothTeams_WhoeverScored()
    {
        Console c;
        c.setScore(0, QStringLiteral("29"));
        c.setScore(1, QStringLiteral("28"));
        c.award(1);
        QCOMPARE(c.typed(), report(QStringLiteral("29"), QStringLiteral("29"),
                                   QStringLiteral("# *** We are in BONDAGE!!!! ***\n# Game Point to GUYS\n# Game Point to gals")));
    }

    void award_Should_EndGame_And_KeepCounting()
    {
        Console c;
        c.setScore(0, QStringLiteral("05"));
        c.setScore(1, QStringLiteral("29"));
        c.award(1);
        QCOMPARE(c.typed(), gameOver(QStringLiteral("05"), QStringLiteral("30"), QStringLiteral("gals")));

        c.fake.sent.clear();
        c.award(0);
        QCOMPARE(c.score(0), QStringLiteral("06"));
        QCOMPARE(c.typed(), gameOver(QStringLiteral("06"), QStringLiteral("30"), QStringLiteral("gals")));

        c.fake.sent.clear();
        c.award(1);
        QCOMPARE(c.typed(), report(QStringLiteral("06"), QStringLiteral("31")));
    }

    void award_Should_ReadWinningScoreAfresh()
    {
        Console c;
        c.setScore(0, QStringLiteral("08"));
        c.setWinning(QStringLiteral("10 points"));
        c.award(0);
        QCOMPARE(c.typed(), report(QStringLiteral("09"), QStringLiteral("00"), QStringLiteral("# Game Point to GUYS")));

        c.fake.sent.clear();
        c.setWinning(QStringLiteral("9"));
        c.askScore();
        QCOMPARE(c.typed(), gameOver(QStringLiteral("09"), QStringLiteral("00"), QStringLiteral("GUYS")));
    }

    void award_Should_EndGameAtZero_When_WinningScoreIsNotANumber()
    {
        Console c;
        c.setWinning(QStringLiteral("thirty"));
        c.award(1);
        QCOMPARE(c.typed(), gameOver(QStringLiteral("00"), QStringLiteral("01"), QStringLiteral("GUYS")));
    }

    void award_Should_SayBirthdayLine_OnlyAfterGameOverOnSixteenthOctober()
    {
        Console c;
        c.fake.date = QDate(2027, 10, 16);
        c.setScore(0, QStringLiteral("28"));
        c.award(0);
        QCOMPARE(c.fake.sent.size(), std::size_t(2));

        c.award(0);
        QCOMPARE(c.fake.sent.size(), std::size_t(6));
        QCOMPARE(c.fake.sent.back().keystrokes, QStringLiteral("Oh and Happy Birthday to Tobrenn{!}~"));

        c.askScore();
        QCOMPARE(c.fake.sent.size(), std::size_t(8));
        QVERIFY(c.fake.sent.back().keystrokes.startsWith(QStringLiteral("~{#}{#}")));
    }

    void award_Should_SayNoBirthdayLine_OnOtherDays()
    {
        Console c;
        c.fake.date = QDate(2027, 10, 17);
        c.setScore(0, QStringLiteral("29"));
        c.award(0);
        QCOMPARE(c.fake.sent.size(), std::size_t(2));
    }

    void award_Should_KeepPoint_When_RoomIsMissing()
    {
        Console c;
        c.fake.windowTitles.clear();
        c.fake.date = QDate(2027, 10, 16);
        c.setScore(1, QStringLiteral("29"));
        c.award(1);
        QCOMPARE(c.score(1), QStringLiteral("30"));
        QVERIFY(c.fake.sent.empty());
        // The game-over report and the birthday line each try the room and each report the failure.
        QCOMPARE(c.fake.boxes.size(), std::size_t(2));
        QCOMPARE(c.fake.boxes[1].prompt, QStringLiteral("Group name is incorrect or Group is not open"));
    }

    void say_Should_FollowAnEditedRoomTitle()
    {
        Console c;
        c.fake.windowTitles.append(QStringLiteral("Plimbo Rocking Adult"));
        c.askScore();
        c.control<QLineEdit>(QStringLiteral("txtAppName"))->setText(QStringLiteral("Plimbo Rocking Adult"));
        c.askScore();
        QCOMPARE(c.fake.activations, (std::vector<QString>{kRoom, QStringLiteral("Plimbo Rocking Adult")}));
        QCOMPARE(c.fake.typedInto(QStringLiteral("Plimbo Rocking Adult")), report(QStringLiteral("00"), QStringLiteral("00"),
                                                                                 QStringLiteral("# *** We are in BONDAGE!!!! ***")));
    }

    void award_Should_BeSeenByAClickHandledWhileSaying()
    {
        Console c;
        c.fake.onPendingEvents = [&] { c.askScore(); };
        c.award(0);
        // The waiting score request runs inside the award, already sees the new point and is typed first.
        const QString once = report(QStringLiteral("01"), QStringLiteral("00"));
        QCOMPARE(c.typed(), QStringLiteral("\n") + once + once.mid(1));
    }
};

QTEST_MAIN(TestScoreboardWindow)
#include "TestScoreboardWindow.moc"
