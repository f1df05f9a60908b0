// SPDX-License-Identifier: GPL-3.0-or-later
#include "questions/QuestionPicking.h"

#include <QTest>

#include <cmath>

using namespace quorvex::questions;
using namespace Qt::StringLiterals;

using OptionalNumber = std::optional<qsizetype>;
Q_DECLARE_METATYPE(OptionalNumber)

class TestQuestionPicking final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionDisplay_Should_ShowNumberCountAndQuestionMark_data()
    {
        QTest::addColumn<qsizetype>("n");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << qsizetype{3} << u"50"_s << u"What is the capital of Peru"_s
                               << u"Q 3/50 : What is the capital of Peru?"_s;
        QTest::newRow("own question mark kept") << qsizetype{1} << u"2"_s << u"Is it?"_s << u"Q 1/2 : Is it??"_s;
        QTest::newRow("blanks kept") << qsizetype{12} << u"12"_s << u" Who "_s << u"Q 12/12 :  Who ?"_s;
        QTest::newRow("empty question") << qsizetype{1} << u"1"_s << QString() << u"Q 1/1 : ?"_s;
    }

    void questionDisplay_Should_ShowNumberCountAndQuestionMark()
    {
        QFETCH(qsizetype, n);
        QFETCH(QString, countText);
        QFETCH(QString, question);
        QFETCH(QString, expected);
        QCOMPARE(questionDisplay(n, countText, question), expected);
    }

    void randomQuestionNumber_Should_TakeFloorOfFractionTimesCountPlusOne_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<OptionalNumber>("expected");
        QTest::newRow("zero") << 0.0 << qsizetype{3} << OptionalNumber{1};
        QTest::newRow("just below a third") << 0.333 << qsizetype{3} << OptionalNumber{1};
        QTest::newRow("just above a third") << 0.334 << qsizetype{3} << OptionalNumber{2};
        QTest::newRow("just below one") << std::nextafter(1.0, 0.0) << qsizetype{3} << OptionalNumber{3};
        QTest::newRow("set of one") << 0.99 << qsizetype{1} << OptionalNumber{1};
        QTest::newRow("just below one, large set") << std::nextafter(1.0, 0.0) << (qsizetype{1} << 40)
                                                   << OptionalNumber{qsizetype{1} << 40};
        QTest::newRow("faulty one") << 1.0 << qsizetype{3} << OptionalNumber{3};
        QTest::newRow("faulty negative") << -0.5 << qsizetype{3} << OptionalNumber{1};
        QTest::newRow("faulty NaN") << std::nan("") << qsizetype{3} << OptionalNumber{1};
        QTest::newRow("empty set") << 0.5 << qsizetype{0} << OptionalNumber{};
    }

    void randomQuestionNumber_Should_TakeFloorOfFractionTimesCountPlusOne()
    {
        QFETCH(double, r);
        QFETCH(qsizetype, count);
        QFETCH(OptionalNumber, expected);
        QCOMPARE(randomQuestionNumber(r, count), expected);
    }

    void randomQuestionNumber_Should_ReachEveryQuestion()
    {
        const qsizetype count = 7;
        for (qsizetype k = 0; k < count; ++k) {
            const double middleOfSlice = (double(k) + 0.5) / double(count);
            QCOMPARE(randomQuestionNumber(middleOfSlice, count), OptionalNumber{k + 1});
        }
    }
};

QTEST_GUILESS_MAIN(TestQuestionPicking)
#include "TestQuestionPicking.moc"
