// SPDX-License-Identifier: GPL-3.0-or-later
// The host's aids around the design: taking back score changes, the record of what is said, and random picks
// without repeats.
#include "console/ClickableLabel.h"
#include "support/ConsoleFixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <set>

using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

namespace {

// What the room hears for one adjustment report: the lone Enter, then the report and its closing Enter.
QString adjustment(const QString& scores)
{
    return u"\n\n###################\n# SCORE ADJUSTMENT \n# The Score is ...  "_s + scores + u'\n';
}

// Runs one host action: "+0", "adjust1", "both", "reset", "rename0", "undo"; "*n" behind it repeats it n times.
void act(ConsoleFixture& c, const QString& action)
{
    const QStringList parts = action.split(u'*');
    const int times = parts.size() > 1 ? parts[1].toInt() : 1;
    const QString name = parts[0];
    for (int i = 0; i < times; ++i) {
        if (name == u"+0"_s || name == u"+1"_s) {
            ConsoleFixture::click(c.ui().cmdAddScore[name == u"+1"_s ? 1 : 0]);
        } else if (name == u"adjust0"_s) {
            ConsoleFixture::click(c.ui().cmdAdjustGUYScore);
        } else if (name == u"adjust1"_s) {
            ConsoleFixture::click(c.ui().cmdadjustGALscore);
        } else if (name == u"both"_s) {
            ConsoleFixture::click(c.ui().cmdAdjustScores);
        } else if (name == u"reset"_s) {
            ConsoleFixture::click(c.ui().cmdReset);
        } else if (name == u"rename0"_s) {
            ConsoleFixture::click(c.ui().lblTeam[0]);
        } else if (name == u"undo"_s) {
            QTest::keyClick(&c.window(), Qt::Key_Z, Qt::ControlModifier);
        } else {
            qFatal("unknown action");
        }
    }
}

} // namespace

class TestHostAids final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undo_Should_PutBackScoresBeforeLatestChange_data()
    {
        QTest::addColumn<QStringList>("entries"); // for the input boxes, in order
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("scores");
        QTest::addColumn<QString>("lastSaid"); // what the room heard from the last action

        QTest::newRow("nothing to undo") << QStringList{} << QStringList{"undo"} << QStringList{"00", "00"} << "";
        QTest::newRow("an award") << QStringList{} << QStringList{"+0", "undo"} << QStringList{"00", "00"}
                                  << adjustment("GUYS 00 - gals 00");
        QTest::newRow("two presses go two back") << QStringList{} << QStringList{"+0", "+1", "+1", "undo", "undo"}
                                                 << QStringList{"01", "00"} << adjustment("GUYS 01 - gals 00");
        QTest::newRow("one team set by hand") << QStringList{"12"} << QStringList{"+1", "adjust0", "undo"}
                                              << QStringList{"00", "01"} << adjustment("GUYS 00 - gals 01");
        QTest::newRow("team 1 set by hand") << QStringList{"9"} << QStringList{"+1", "adjust1", "undo"}
                                            << QStringList{"00", "01"} << adjustment("GUYS 00 - gals 01");
        QTest::newRow("both set by hand, one step") << QStringList{"5", "7"} << QStringList{"+0", "both", "undo"}
                                                    << QStringList{"01", "00"} << adjustment("GUYS 01 - gals 00");
        QTest::newRow("a reset") << QStringList{} << QStringList{"+0", "+1", "+1", "reset", "undo"}
                                 << QStringList{"01", "02"} << adjustment("GUYS 01 - gals 02");
        QTest::newRow("game over is not said again") << QStringList{"29"} << QStringList{"adjust0", "+0", "undo"}
                                                     << QStringList{"29", "00"} << adjustment("GUYS 29 - gals 00");
        QTest::newRow("a hand-set to the same score is no change")
            << QStringList{"1"} << QStringList{"+0", "adjust0", "undo"} << QStringList{"00", "00"}
            << adjustment("GUYS 00 - gals 00");
        QTest::newRow("a new team name stays") << QStringList{"Reds"} << QStringList{"+0", "rename0", "undo"}
                                               << QStringList{"00", "00"} << adjustment("Reds 00 - gals 00");
        QTest::newRow("fifty back, then nothing")
            << QStringList{} << QStringList{"+0*60", "undo*50", "undo"} << QStringList{"10", "00"} << "";
    }

    void undo_Should_PutBackScoresBeforeLatestChange()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, scores);
        QFETCH(QString, lastSaid);
        ConsoleFixture c;
        c.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&c.window()));
        c.answer(entries);
        const QString lastAction = actions.takeLast();
        for (const QString& action : actions) {
            act(c, action);
        }
        const qsizetype saidBefore = c.said().size();
        const std::size_t writesBefore = c.fake.writes.size();
        const QStringList namesBefore{c.ui().lblTeam[0]->text(), c.ui().lblTeam[1]->text()};

        act(c, lastAction);

        QCOMPARE(c.scores(), scores);
        QCOMPARE(c.said().mid(saidBefore), lastSaid);
        QCOMPARE(c.boxes(), QStringList());
        QCOMPARE(c.fake.writes.size(), writesBefore);
        QCOMPARE((QStringList{c.ui().lblTeam[0]->text(), c.ui().lblTeam[1]->text()}), namesBefore);
    }

    void say_Should_AppendOneEntryToTodaysRecord_data()
    {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("stopAfter"); // -1: the focus stays; otherwise keys typed before it is lost
        QTest::addColumn<QString>("dataFailure");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("boxes");

        const QString stopped = u"Hmmm ... problem communicating with Group\n\nTyping stopped after 3 of 9 characters; "
                                "the rest of that line is still in the room's input box."_s;
        QTest::newRow("said") << kRoom() << QStringList{"Howdy~there"} << -1 << ""
                              << "20:15:07 in \"Trivia  Adult\": said\n| Howdy\n| there\n\n"
                              << QStringList{};
        QTest::newRow("empty lines kept, two entries")
            << kRoom() << QStringList{"~# 12 GUYS~", ""} << -1 << ""
            << "20:15:07 in \"Trivia  Adult\": said\n|\n| # 12 GUYS\n|\n\n20:15:07 in \"Trivia  Adult\": said\n|\n\n"
            << QStringList{};
        QTest::newRow("not said")
            << "Nowhere" << QStringList{"Hi"} << -1 << ""
            << "20:15:07 in \"Nowhere\": not said: Group name is incorrect or Group is not open\n| Hi\n\n"
            << QStringList{"Group name is incorrect or Group is not open | critical | Error!"};
        QTest::newRow("stopped") << kRoom() << QStringList{"Hello~you"} << 3 << ""
                                 << u"20:15:07 in \"Trivia  Adult\": stopped after 3 of 9 characters: "_s +
                                        QString(stopped).replace(u'\n', u' ') + u"\n| Hello\n| you\n\n"_s
                                 << QStringList{stopped + u" | critical | Error!"_s};
        QTest::newRow("unwritable record, told once")
            << kRoom() << QStringList{"A", "B", "C"} << -1 << "disk full"
            << ""
            << QStringList{"What is said in the room cannot be written down (disk full). The console goes on saying "
                           "everything; this is not told again until the next start. | critical | Error!"};
    }

    void say_Should_AppendOneEntryToTodaysRecord()
    {
        QFETCH(QString, room);
        QFETCH(QStringList, texts);
        QFETCH(int, stopAfter);
        QFETCH(QString, dataFailure);
        QFETCH(QString, record);
        QFETCH(QStringList, boxes);
        ConsoleFixture c;
        c.fake.date = QDate(2026, 12, 11);
        c.ui().txtAppName->setText(room);
        if (stopAfter >= 0) {
            c.fake.typeResults = {{}, {quorvex::platform::KeyboardError::FocusLost, std::size_t(stopAfter)}};
        }
        if (!dataFailure.isEmpty()) {
            c.fake.dataFailure = dataFailure;
        }
        QString expectedInRoom;
        for (const QString& text : texts) {
            expectedInRoom += u'\n' + QString(text).replace(u'~', u'\n') + u'\n';
        }

        for (const QString& text : texts) {
            c.window().Say(text);
        }

        QCOMPARE(c.fake.dataFiles.size(), record.isEmpty() ? 0u : 1u);
        QCOMPARE(c.fake.dataFiles[u"record-2026-12-11.txt"_s], record);
        QCOMPARE(c.boxes(), boxes);
        if (stopAfter < 0 && room == kRoom()) {
            QCOMPARE(c.said(), expectedInRoom);
        }
    }

    void randomPick_Should_DealEveryQuestionOnceBeforeAnyAgain_When_NoRepeatRandomIsOn_data()
    {
        QTest::addColumn<QString>("stored"); // "<absent>": no such key
        QTest::addColumn<int>("switchTo");   // -1: the host leaves the switch alone
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("reloadAfter"); // picks before the set is loaded again; -1: no reload
        QTest::addColumn<bool>("dealt");
        QTest::addColumn<QString>("storedAfter");

        QTest::newRow("absent: independent picks") << "<absent>" << -1 << 3 << -1 << false << "<absent>";
        QTest::newRow("0: independent picks") << "0" << -1 << 3 << -1 << false << "0";
        QTest::newRow("yes: independent picks") << "yes" << -1 << 3 << -1 << false << "yes";
        QTest::newRow("1: one question") << "1" << -1 << 1 << -1 << true << "1";
        QTest::newRow("1: two questions") << "1" << -1 << 2 << -1 << true << "1";
        QTest::newRow("1: seven questions") << "1" << -1 << 7 << -1 << true << "1";
        QTest::newRow("1: a new load deals anew") << "1" << -1 << 5 << 3 << true << "1";
        QTest::newRow("switched on by the host") << "<absent>" << 1 << 5 << -1 << true << "1";
        QTest::newRow("switched off by the host") << "1" << 0 << 3 << -1 << false << "0";
    }

    void randomPick_Should_DealEveryQuestionOnceBeforeAnyAgain_When_NoRepeatRandomIsOn()
    {
        QFETCH(QString, stored);
        QFETCH(int, switchTo);
        QFETCH(int, count);
        QFETCH(int, reloadAfter);
        QFETCH(bool, dealt);
        QFETCH(QString, storedAfter);
        ConsoleFixture::Store store;
        if (stored != u"<absent>"_s) {
            store[{u"Misc"_s, u"AppName"_s}] = kRoom();
            store[{u"Misc"_s, u"NoRepeatRandom"_s}] = stored;
        }
        ConsoleFixture c(store);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"set.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 1; i <= count; ++i) {
            file.write(QByteArray("Question ") + QByteArray::number(i) + "\nAnswer\n");
        }
        file.close();
        const auto load = [&] {
            c.fake.fileAnswers.push_back(file.fileName());
            ConsoleFixture::click(c.ui().cmdLoadQuestions);
        };
        const auto pick = [&] {
            ConsoleFixture::click(c.ui().cmdRandomQuestion);
            return int(c.window().currentQuestion());
        };
        load();
        if (switchTo >= 0) {
            c.window().setNoRepeatRandom(switchTo == 1);
        }

        if (!dealt) {
            c.fake.fractions = {0.9, 0.9, 0.1};
            QCOMPARE((QList<int>{pick(), pick(), pick()}), (QList<int>{3, 3, 1}));
        } else {
            std::mt19937 fractions(7);
            for (int i = 0; i < 1000; ++i) {
                c.fake.fractions.push_back(std::generate_canonical<double, 32>(fractions) * 0.999);
            }
            for (int i = 0; i < reloadAfter; ++i) {
                pick();
            }
            if (reloadAfter >= 0) {
                load();
            }
            int previous = 0;
            for (int deal = 0; deal < 20; ++deal) {
                std::set<int> seen;
                for (int i = 0; i < count; ++i) {
                    const int n = pick();
                    QVERIFY2(count == 1 || n != previous, "the same question twice in a row");
                    seen.insert(n);
                    previous = n;
                }
                QCOMPARE(int(seen.size()), count);
            }
        }

        QCOMPARE(c.stored(u"Misc"_s, u"NoRepeatRandom"_s), storedAfter);
        QCOMPARE(c.said(), QString());
        QCOMPARE(c.boxes(), QStringList());
    }

private:
    static QString kRoom() { return quorvex::test::kRoom; }
};

QTEST_MAIN(TestHostAids)
#include "TestHostAids.moc"
