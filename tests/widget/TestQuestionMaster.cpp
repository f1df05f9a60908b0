// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/ClickableLabel.h"
#include "console/ControlTag.h"
#include "console/Main.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using quorvex::console::Main;
using quorvex::console::tagOf;
using quorvex::test::FakePlatform;
using namespace Qt::StringLiterals;

namespace {

const QString kRoom = u"Trivia  Adult"_s;
const QByteArray kThreeQuestions = "What is one\nOne\nWhat is two\nTwo\nIs it three?\nThree\n";

// A box as one line, so that a mismatch shows the whole of it.
QString describe(const FakePlatform::Box& box)
{
    return QStringLiteral("%1 | %2 | %3").arg(box.prompt).arg(box.style).arg(box.title);
}

const QString kNoMoreBox = u"No more questions in this set | 16 | Uh oh!"_s;
const QString kFaultBox = u"There must be an error in your Questions file | 16 | Uh oh!"_s;

} // namespace

class TestQuestionMaster final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<Main> m_main;

    const quorvex::console::MainControls& ui() const { return m_main->controls(); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write a test file");
        }
        return path;
    }

    // Picks `path` in the file dialog and clicks "Load Question Set".
    void load(const std::optional<QString>& path)
    {
        m_fake->fileAnswers.push_back(path);
        ui().cmdLoadQuestions->click();
    }

    void clickLabel(QLabel* label) { QTest::mouseClick(label, Qt::LeftButton); }

    QString shownQuestion() const { return ui().lblQuestion->text(); }
    QString shownAnswer() const { return ui().lblAnswer->text(); }
    QString currentNumber() const { return tagOf(ui().lblQuestion); }

    QStringList boxes() const
    {
        QStringList shown;
        for (const FakePlatform::Box& box : m_fake->boxes) {
            shown << describe(box);
        }
        return shown;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void init()
    {
        m_fake = std::make_unique<FakePlatform>();
        m_fake->windowTitles << kRoom;
        m_main = std::make_unique<Main>(m_fake->platform());
        m_fake->boxes.clear();
    }

    void cleanup()
    {
        m_main.reset();
        m_fake.reset();
    }

    void load_Should_ShowFirstQuestion_When_FileHoldsPairs()
    {
        const QString path = writeFile(u"Capitals.txt"_s, kThreeQuestions);

        load(path);

        QCOMPARE(m_fake->fileRequests.size(), 1u);
        QCOMPARE(m_fake->fileRequests[0].first,
                 u"All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat"_s);
        QCOMPARE(m_fake->fileRequests[0].second, 2);
        QCOMPARE(shownQuestion(), u"Q 1/3 : What is one?"_s);
        QCOMPARE(shownAnswer(), u"One"_s);
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"Capitals.txt"_s);
        QCOMPARE(tagOf(ui().cmdNextQuestion), u"3"_s);
        QCOMPARE(currentNumber(), u"1"_s);
        QVERIFY(ui().cmdNextQuestion->isEnabled());
        QVERIFY(ui().cmdRandomQuestion->isEnabled());
        QVERIFY(m_fake->boxes.empty());
        QVERIFY(m_fake->sent.empty());
    }

    void load_Should_ChangeNothing_When_DialogIsCancelled()
    {
        load(std::nullopt);

        QCOMPARE(m_fake->fileRequests.size(), 1u);
        QVERIFY(m_fake->boxes.empty());
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"Question Set Not Selected"_s);
        QVERIFY(!ui().cmdNextQuestion->isEnabled());
        QVERIFY(!ui().cmdRandomQuestion->isEnabled());
    }

    void emptySet_Should_LoadAndLeaveTheLabelsAlone()
    {
        load(writeFile(u"empty.txt"_s, QByteArray()));

        QCOMPARE(boxes(), QStringList{kNoMoreBox});
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"empty.txt"_s);
        QCOMPARE(tagOf(ui().cmdNextQuestion), u"0"_s);
        QVERIFY(ui().cmdNextQuestion->isEnabled());
        QVERIFY(ui().cmdRandomQuestion->isEnabled());

        m_fake->fractions = {0.5};
        ui().cmdRandomQuestion->click();
        QCOMPARE(boxes(), (QStringList{kNoMoreBox, kNoMoreBox}));
        QCOMPARE(m_fake->fractions.size(), 1u);
        QCOMPARE(currentNumber(), u"0"_s);
        QCOMPARE(shownQuestion(), u"Question"_s);
        QCOMPARE(shownAnswer(), u"Answer"_s);

        clickLabel(ui().lblQuestion);
        clickLabel(ui().lblAnswer);
        QCOMPARE(m_fake->typedInto(kRoom), u"\nQ: ?\n\nA: \n"_s);
    }

    void load_Should_KeepOldSet_When_FileIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("five lines") << u"five.txt"_s << QByteArray("Q1\nA1\nQ2\nA2\nQ3\n") << u"5 lines"_s;
        QTest::newRow("empty line after the last answer")
            << u"trailing.txt"_s << QByteArray("Q1\nA1\n\n") << u"3 lines"_s;
        QTest::newRow("missing file") << u"missing.txt"_s << QByteArray() << u"cannot be opened"_s;
    }

    void load_Should_KeepOldSet_When_FileIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        load(writeFile(u"first.txt"_s, kThreeQuestions));
        ui().cmdNextQuestion->click();
        const QString path = name == u"missing.txt" ? m_dir.filePath(name) : writeFile(name, bytes);

        load(path);

        QCOMPARE(boxes().size(), 2);
        QVERIFY2(m_fake->boxes[0].prompt.contains(reason), qPrintable(m_fake->boxes[0].prompt));
        QCOMPARE(m_fake->boxes[0].style, 0);
        QCOMPARE(m_fake->boxes[0].title, QString());
        QCOMPARE(boxes().at(1), kFaultBox);
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"first.txt"_s);
        QCOMPARE(tagOf(ui().cmdNextQuestion), u"3"_s);
        QCOMPARE(currentNumber(), u"2"_s);
        QCOMPARE(shownQuestion(), u"Q 2/3 : What is two?"_s);
        // The old set goes on where it was.
        ui().cmdNextQuestion->click();
        QCOMPARE(shownQuestion(), u"Q 3/3 : Is it three??"_s);
        QCOMPARE(shownAnswer(), u"Three"_s);
    }

    void load_Should_LeaveStartState_When_FirstFileIsRefused()
    {
        load(writeFile(u"odd.txt"_s, "Q\n"));

        QCOMPARE(boxes().size(), 2);
        QCOMPARE(boxes().at(1), kFaultBox);
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"Question Set Not Selected"_s);
        QVERIFY(!ui().cmdNextQuestion->isEnabled());
        QVERIFY(!ui().cmdRandomQuestion->isEnabled());
        QCOMPARE(tagOf(ui().cmdNextQuestion), QString());
        clickLabel(ui().lblQuestion);
        QVERIFY(m_fake->activations.empty());
    }

    void load_Should_RestartAtQuestionOne_When_SecondSetLoads()
    {
        load(writeFile(u"first.txt"_s, kThreeQuestions));
        ui().cmdNextQuestion->click();
        ui().cmdNextQuestion->click();

        load(writeFile(u"second.txt"_s, "Second Q\r\nSecond A\r\n"));

        QCOMPARE(shownQuestion(), u"Q 1/1 : Second Q?"_s);
        QCOMPARE(shownAnswer(), u"Second A"_s);
        QCOMPARE(ui().lblCurrentQuestionSet->text(), u"second.txt"_s);
        QCOMPARE(currentNumber(), u"1"_s);
    }

    void next_Should_WalkTheSet_Then_SayNoMoreQuestions()
    {
        load(writeFile(u"set.txt"_s, kThreeQuestions));

        ui().cmdNextQuestion->click();
        QCOMPARE(shownQuestion(), u"Q 2/3 : What is two?"_s);
        QCOMPARE(shownAnswer(), u"Two"_s);
        ui().cmdNextQuestion->click();
        QCOMPARE(shownQuestion(), u"Q 3/3 : Is it three??"_s);
        QVERIFY(m_fake->boxes.empty());

        ui().cmdNextQuestion->click();
        ui().cmdNextQuestion->click();

        QCOMPARE(boxes(), (QStringList{kNoMoreBox, kNoMoreBox}));
        QCOMPARE(shownQuestion(), u"Q 3/3 : Is it three??"_s);
        QCOMPARE(shownAnswer(), u"Three"_s);
        QCOMPARE(currentNumber(), u"3"_s);
    }

    void random_Should_PickFloorOfFractionTimesCountPlusOne()
    {
        load(writeFile(u"set.txt"_s, kThreeQuestions));
        m_fake->fractions = {0.999, 0.0, 0.5, 0.5};

        ui().cmdRandomQuestion->click();
        QCOMPARE(shownQuestion(), u"Q 3/3 : Is it three??"_s);
        QCOMPARE(shownAnswer(), u"Three"_s);
        QCOMPARE(currentNumber(), u"3"_s);
        ui().cmdRandomQuestion->click();
        QCOMPARE(shownQuestion(), u"Q 1/3 : What is one?"_s);
        ui().cmdRandomQuestion->click();
        ui().cmdRandomQuestion->click();
        // The same question can come twice in a row.
        QCOMPARE(shownQuestion(), u"Q 2/3 : What is two?"_s);
        QCOMPARE(currentNumber(), u"2"_s);
        QVERIFY(m_fake->fractions.empty());
        QVERIFY(m_fake->boxes.empty());
    }

    void random_Should_MoveWhereNextContinues_After_EndOfSet()
    {
        load(writeFile(u"set.txt"_s, kThreeQuestions));
        ui().cmdNextQuestion->click();
        ui().cmdNextQuestion->click();
        ui().cmdNextQuestion->click();
        m_fake->fractions = {0.1};

        ui().cmdRandomQuestion->click();
        ui().cmdNextQuestion->click();

        QCOMPARE(boxes(), QStringList{kNoMoreBox});
        QCOMPARE(shownQuestion(), u"Q 2/3 : What is two?"_s);
        QCOMPARE(currentNumber(), u"2"_s);
    }

    void labelClicks_Should_SayQuestionAndAnswerFromTheSet()
    {
        load(writeFile(u"set.txt"_s, kThreeQuestions));
        ui().cmdNextQuestion->click();
        ui().cmdNextQuestion->click();
        // What the room hears comes from the set, not from the labels.
        ui().lblQuestion->setText(u"something else"_s);
        ui().lblAnswer->setText(u"something else"_s);

        clickLabel(ui().lblQuestion);
        clickLabel(ui().lblAnswer);
        clickLabel(ui().lblAnswer);

        QCOMPARE(m_fake->typedInto(kRoom), u"\nQ: Is it three??\n\nA: Three\n\nA: Three\n"_s);
        QCOMPARE(currentNumber(), u"3"_s);
        QVERIFY(m_fake->boxes.empty());
    }

    void labelClicks_Should_DoNothing_When_NoSetIsLoaded()
    {
        clickLabel(ui().lblQuestion);
        clickLabel(ui().lblAnswer);

        QVERIFY(m_fake->activations.empty());
        QVERIFY(m_fake->sent.empty());
        QVERIFY(m_fake->boxes.empty());
    }
};

QTEST_MAIN(TestQuestionMaster)
#include "TestQuestionMaster.moc"
