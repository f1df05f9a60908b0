// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/ControlTag.h"
#include "support/ConsoleFixture.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using quorvex::test::ConsoleFixture;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kThreeQuestions = "What is one\nOne\nWhat is two\nTwo\nIs it three?\nThree\n";
const QString kNoMoreBox = u"No more questions in this set | critical | Uh oh!"_s;
const QString kFaultBox = u"There must be an error in your Questions file | critical | Uh oh!"_s;

// What shows for question n of kThreeQuestions: the question, the answer and the current question number.
QStringList onShow(int n)
{
    const QStringList questions{u"What is one?"_s, u"What is two?"_s, u"Is it three??"_s};
    const QStringList answers{u"One"_s, u"Two"_s, u"Three"_s};
    return {u"Q %1/3 : "_s.arg(n) + questions[n - 1], answers[n - 1], QString::number(n)};
}

// A console whose question master can be handed files.
struct QuestionConsole : ConsoleFixture
{
    QTemporaryDir dir;

    // Picks a file holding `bytes` in the file dialog and clicks "Load Question Set".
    void load(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write a test file");
        }
        file.close();
        fake.fileAnswers.push_back(file.fileName());
        click(ui().cmdLoadQuestions);
    }

    void next(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            click(ui().cmdNextQuestion);
        }
    }

    void random() { click(ui().cmdRandomQuestion); }

    // The question and answer on show and the current question number.
    QStringList shown() const
    {
        return {ui().lblQuestion->text(), ui().lblAnswer->text(), QString::number(window().currentQuestion())};
    }
};

} // namespace

class TestQuestionMaster final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_Should_ShowFirstQuestion_When_FileHoldsPairs()
    {
        QuestionConsole c;

        c.load(u"Capitals.txt"_s, kThreeQuestions);

        QCOMPARE(c.fake.fileRequests.size(), 1u);
        QCOMPARE(c.fake.fileRequests[0].first,
                 u"All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat"_s);
        QCOMPARE(c.fake.fileRequests[0].second, 2);
        QCOMPARE(c.shown(), onShow(1));
        QCOMPARE(c.ui().lblCurrentQuestionSet->text(), u"Capitals.txt"_s);
        QCOMPARE(c.window().questionCount(), qsizetype(3));
        QVERIFY(c.ui().cmdNextQuestion->isEnabled());
        QVERIFY(c.ui().cmdRandomQuestion->isEnabled());
        QVERIFY(c.fake.boxes.empty());
        QVERIFY(c.fake.sent.empty());
    }

    void load_Should_LeaveStartState_When_NoSetLoads_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("dialog cancelled") << true;
        QTest::newRow("first file refused") << false;
    }

    void load_Should_LeaveStartState_When_NoSetLoads()
    {
        QFETCH(bool, cancel);
        QuestionConsole c;

        if (cancel) {
            c.click(c.ui().cmdLoadQuestions);
        } else {
            c.load(u"odd.txt"_s, "Q\n");
        }
        // With no set, the question and answer labels say nothing.
        c.click(c.ui().lblQuestion);
        c.click(c.ui().lblAnswer);

        QVERIFY(c.fake.activations.empty());
        QCOMPARE(c.boxes().size(), cancel ? 0 : 2);
        QCOMPARE(c.boxes().mid(1), cancel ? QStringList() : QStringList{kFaultBox});
        QCOMPARE(c.fake.fileRequests.size(), 1u);
        QCOMPARE(c.ui().lblCurrentQuestionSet->text(), u"Question Set Not Selected"_s);
        QVERIFY(!c.ui().cmdNextQuestion->isEnabled());
        QVERIFY(!c.ui().cmdRandomQuestion->isEnabled());
        QVERIFY(c.ui().cmdLoadQuestions->isEnabled());
        QCOMPARE(c.window().questionCount(), qsizetype(0));
    }

    void load_Should_RefuseFile_And_KeepOldSet_When_FileHoldsNoQuestionOrAnOverlongLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << u"The file holds no questions | plain | "_s;
        QTest::newRow("answer of 4,001 characters")
            << QByteArray("Q\n" + QByteArray(4001, 'a') + "\n")
            << u"Line 2, answer 1, has 4001 characters; a question or answer can have at most 4000, as a chat client "
               "posts no longer line. | plain | "_s;
    }

    void load_Should_RefuseFile_And_KeepOldSet_When_FileHoldsNoQuestionOrAnOverlongLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QuestionConsole c;
        c.load(u"old.txt"_s, "Old question\nOld answer\n");
        c.fake.boxes.clear();

        c.load(u"refused.txt"_s, bytes);

        QCOMPARE(c.boxes(), (QStringList{reason, kFaultBox}));
        QCOMPARE(c.ui().lblCurrentQuestionSet->text(), u"old.txt"_s);
        QCOMPARE(c.window().questionCount(), qsizetype(1));
        c.click(c.ui().lblQuestion);
        c.click(c.ui().lblAnswer);
        QCOMPARE(c.said(), u"\nQ: Old question?\n\nA: Old answer\n"_s);
    }

    void load_Should_KeepOldSetWhereItWas_When_FileIsRefused_And_RestartAtOne_When_NextSetLoads()
    {
        QuestionConsole c;
        c.load(u"first.txt"_s, kThreeQuestions);
        c.next();

        c.load(u"five.txt"_s, "Q1\nA1\nQ2\nA2\nQ3\n");

        QCOMPARE(c.boxes().size(), 2);
        QVERIFY2(c.boxes().at(0).contains(u"5 lines"_s), qPrintable(c.boxes().at(0)));
        QVERIFY2(c.boxes().at(0).endsWith(u" | plain | "_s), qPrintable(c.boxes().at(0)));
        QCOMPARE(c.boxes().at(1), kFaultBox);
        QCOMPARE(c.ui().lblCurrentQuestionSet->text(), u"first.txt"_s);
        QCOMPARE(c.window().questionCount(), qsizetype(3));
        QCOMPARE(c.shown(), onShow(2));
        c.next();
        QCOMPARE(c.shown(), onShow(3));

        c.load(u"second.txt"_s, "Second Q\nSecond A\n");

        QCOMPARE(c.shown(), (QStringList{u"Q 1/1 : Second Q?"_s, u"Second A"_s, u"1"_s}));
        QCOMPARE(c.ui().lblCurrentQuestionSet->text(), u"second.txt"_s);
        QCOMPARE(c.window().questionCount(), qsizetype(1));
    }

    void pick_Should_WalkTheSet_SayNoMoreAtItsEnd_And_GoOnFromARandomPick()
    {
        QuestionConsole c;
        c.load(u"set.txt"_s, kThreeQuestions);

        c.next();
        QCOMPARE(c.shown(), onShow(2));
        c.next();
        QVERIFY(c.fake.boxes.empty());
        c.next(2);
        QCOMPARE(c.boxes(), (QStringList{kNoMoreBox, kNoMoreBox}));
        QCOMPARE(c.shown(), onShow(3));

        c.fake.fractions = {0.999, 0.5, 0.5};
        c.random();
        QCOMPARE(c.shown(), onShow(3));
        c.random();
        c.random();
        // The same question can come twice in a row.
        QCOMPARE(c.shown(), onShow(2));
        QVERIFY(c.fake.fractions.empty());
        c.next();
        QCOMPARE(c.shown(), onShow(3));
        QCOMPARE(c.boxes().size(), 2);
    }

    void labelClicks_Should_SayQuestionAndAnswerFromTheSet()
    {
        QuestionConsole c;
        c.load(u"set.txt"_s, kThreeQuestions);
        c.next(2);
        // What the room hears comes from the set, not from the labels.
        c.ui().lblQuestion->setText(u"something else"_s);
        c.ui().lblAnswer->setText(u"something else"_s);

        c.click(c.ui().lblQuestion);
        c.click(c.ui().lblAnswer);
        c.click(c.ui().lblAnswer);

        QCOMPARE(c.said(), u"\nQ: Is it three??\n\nA: Three\n\nA: Three\n"_s);
        QCOMPARE(c.window().currentQuestion(), qsizetype(3));
        QVERIFY(c.fake.boxes.empty());
    }
};

QTEST_MAIN(TestQuestionMaster)
#include "TestQuestionMaster.moc"
