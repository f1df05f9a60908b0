// SPDX-License-Identifier: GPL-3.0-or-later
#include "questions/QuestionFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using quorvex::questions::kLargestQuestionFile;
using quorvex::questions::loadQuestionFile;
using quorvex::questions::parseQuestionFile;
using quorvex::questions::QuestionFileError;
using quorvex::questions::QuestionFileResult;
using quorvex::questions::QuestionSet;
using namespace Qt::StringLiterals;

namespace {

// The set's lines in file order: question 1, answer 1, question 2, ...
QStringList linesOf(const QuestionSet& set)
{
    QStringList lines;
    for (qsizetype n = 1; n <= set.count(); ++n) {
        lines << set.question(n) << set.answer(n);
    }
    return lines;
}

QString errorOf(const QuestionFileResult& result)
{
    const auto* error = std::get_if<QuestionFileError>(&result);
    return error != nullptr ? error->description : QString();
}

} // namespace

class TestQuestionFile final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write a test file");
        }
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
    }

    void parse_Should_TakeEveryLineAsWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("pairs") << QByteArray("What is one\nOne\nWhat is two\nTwo\n")
                               << QStringList{u"What is one"_s, u"One"_s, u"What is two"_s, u"Two"_s};
        QTest::newRow("no line end after the last answer") << QByteArray("Q\nA") << QStringList{u"Q"_s, u"A"_s};
        QTest::newRow("CR LF") << QByteArray("Q1\r\nA1\r\nQ2\r\nA2\r\n")
                               << QStringList{u"Q1"_s, u"A1"_s, u"Q2"_s, u"A2"_s};
        QTest::newRow("lone CR") << QByteArray("Q1\rA1\rQ2\rA2\r") << QStringList{u"Q1"_s, u"A1"_s, u"Q2"_s, u"A2"_s};
        QTest::newRow("mixed line ends") << QByteArray("Q1\r\nA1\nQ2\rA2")
                                         << QStringList{u"Q1"_s, u"A1"_s, u"Q2"_s, u"A2"_s};
        QTest::newRow("CR before CR LF") << QByteArray("Q\r\r\n") << QStringList{u"Q"_s, QString()};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFQ\nA\n") << QStringList{u"Q"_s, u"A"_s};
        QTest::newRow("blank lines") << QByteArray("\n\nQ\n\n") << QStringList{QString(), QString(), u"Q"_s, QString()};
        QTest::newRow("blanks kept") << QByteArray("  Who is it \t\n A name  \n")
                                     << QStringList{u"  Who is it \t"_s, u" A name  "_s};
        QTest::newRow("question ending in ?") << QByteArray("Is it?\nYes\n") << QStringList{u"Is it?"_s, u"Yes"_s};
        QTest::newRow("comment-like and tilde lines")
            << QByteArray("# not a comment\n~1~\n") << QStringList{u"# not a comment"_s, u"~1~"_s};
        QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC\n\xF0\x9F\x8E\xB2\n")
                               << QStringList{u"Caf\u00e9 \u20ac"_s, QString::fromUcs4(U"\U0001F3B2")};
        QTest::newRow("Windows-1252") << QByteArray("Price in \xA3\n\x93" "Five\x94 \x80\n")
                                      << QStringList{u"Price in \u00a3"_s, u"\u201cFive\u201d \u20ac"_s};
        QTest::newRow("byte-order mark before bad UTF-8")
            << QByteArray("\xEF\xBB\xBF\xA3\nA\n") << QStringList{u"\ufffd"_s, u"A"_s};
        QTest::newRow("NUL bytes") << QByteArray("a\0b\nc\n", 6) << QStringList{u"a\0b"_s, u"c"_s};
    }

    void parse_Should_TakeEveryLineAsWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);

        const QuestionFileResult result = parseQuestionFile(bytes);

        QVERIFY2(std::holds_alternative<QuestionSet>(result), qPrintable(errorOf(result)));
        const auto& set = std::get<QuestionSet>(result);
        QCOMPARE(set.count(), lines.size() / 2);
        QCOMPARE(linesOf(set), lines);
    }

    void questionSet_Should_GiveEmptyTexts_When_NumberIsOutsideTheSet()
    {
        const auto set = std::get<QuestionSet>(parseQuestionFile("Q1\nA1\nQ2\nA2\n"));

        for (const qsizetype n : {qsizetype{-1}, qsizetype{0}, qsizetype{3}}) {
            QCOMPARE(set.question(n), QString());
            QCOMPARE(set.answer(n), QString());
        }
        QCOMPARE(QuestionSet().count(), 0);
        QCOMPARE(QuestionSet().question(1), QString());
    }

    void parse_Should_RefuseFile_When_ItHoldsNoQuestion_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF");
    }

    void parse_Should_RefuseFile_When_ItHoldsNoQuestion()
    {
        QFETCH(QByteArray, bytes);

        QCOMPARE(errorOf(parseQuestionFile(bytes)), u"The file holds no questions"_s);
    }

    void parse_Should_RefuseFile_When_ALineIsLongerThanAChatLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named");
        const QByteArray limit(4000, 'q');
        QTest::newRow("question one over") << QByteArray("Q\nA\n" + limit + "q\nA\n") << u"Line 3, question 2, has 4001"_s;
        QTest::newRow("answer far over") << QByteArray("Q\n" + QByteArray(50000, 'a')) << u"Line 2, answer 1, has 50000"_s;
        // 4,000 characters of two bytes each: counted in characters, not bytes.
        QByteArray twoByte;
        for (int i = 0; i < 4001; ++i) {
            twoByte += "\xC3\xA9";
        }
        QTest::newRow("two-byte characters") << QByteArray(twoByte + "\r\nA\r\n") << u"Line 1, question 1, has 4001"_s;
    }

    void parse_Should_RefuseFile_When_ALineIsLongerThanAChatLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);

        const QString error = errorOf(parseQuestionFile(bytes));

        QVERIFY2(error.startsWith(named), qPrintable(error));
        QVERIFY2(error.contains(u"at most 4000"_s), qPrintable(error));
    }

    void parse_Should_TakeLinesOfTheLongestLength()
    {
        QByteArray accents;
        for (int i = 0; i < 4000; ++i) {
            accents += "\xC3\xA9";
        }
        const QuestionFileResult result = parseQuestionFile(QByteArray(4000, 'q') + "\r\n" + accents + "\r\n");

        QVERIFY2(std::holds_alternative<QuestionSet>(result), qPrintable(errorOf(result)));
        QCOMPARE(std::get<QuestionSet>(result).question(1).size(), 4000);
        QCOMPARE(std::get<QuestionSet>(result).answer(1).size(), 4000);
    }

    void parse_Should_RefuseFile_When_LineCountIsOdd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("one line") << QByteArray("Q") << 1;
        QTest::newRow("a lone line end") << QByteArray("\n") << 1;
        QTest::newRow("five lines") << QByteArray("Q1\nA1\nQ2\nA2\nQ3\n") << 5;
        QTest::newRow("empty line after the last answer") << QByteArray("Q\nA\n\n") << 3;
        QTest::newRow("empty CR LF line after the last answer") << QByteArray("Q\r\nA\r\n\r\n") << 3;
        QTest::newRow("lone CR after CR LF") << QByteArray("Q\r\nA\r\n\r") << 3;
        QTest::newRow("Windows-1252") << QByteArray("\xA3\n\xA3\n\xA3") << 3;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF\n") << 1;
    }

    void parse_Should_RefuseFile_When_LineCountIsOdd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lineCount);

        const QString error = errorOf(parseQuestionFile(bytes));

        QVERIFY2(error.contains(QStringLiteral("has %1 line").arg(lineCount)), qPrintable(error));
        QVERIFY(error.contains(u"odd number"_s));
    }

    void load_Should_ReadTheFileWhole()
    {
        const QString path = writeFile(u"set.txt"_s, "Q1\r\nA1\r\nQ2\r\nA2\r\n");

        const QuestionFileResult result = loadQuestionFile(path);

        QVERIFY2(std::holds_alternative<QuestionSet>(result), qPrintable(errorOf(result)));
        QCOMPARE(linesOf(std::get<QuestionSet>(result)), (QStringList{u"Q1"_s, u"A1"_s, u"Q2"_s, u"A2"_s}));
    }

    void load_Should_RefuseTenMegabyteLine_NamingIt()
    {
        const QByteArray question(10 * 1024 * 1024, 'x');
        const QString path = writeFile(u"long.txt"_s, "Q\nA\n" + question + "\nA\n");

        const QString error = errorOf(loadQuestionFile(path));

        QVERIFY2(error.startsWith(u"Line 3, question 2, has 10485760 characters"_s), qPrintable(error));
    }

    void load_Should_LoadOrRefuseCleanly_When_FileIsBinary()
    {
        const QuestionFileResult result = loadQuestionFile(QCoreApplication::applicationFilePath());

        const auto* set = std::get_if<QuestionSet>(&result);
        QVERIFY2(set != nullptr || errorOf(result).contains(u"odd number"_s) ||
                     errorOf(result).contains(u"a question or answer can have at most"_s),
                 qPrintable(errorOf(result)));
    }

    void load_Should_RefuseFile_When_ItCannotBeOpened_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_dir.filePath(u"missing.txt"_s);
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("device") << u"/dev/zero"_s;
    }

    void load_Should_RefuseFile_When_ItCannotBeOpened()
    {
        QFETCH(QString, path);

        const QString error = errorOf(loadQuestionFile(path));

        QVERIFY2(error.contains(QDir::toNativeSeparators(path) + u" cannot be opened: "_s), qPrintable(error));
        // The system's reason follows the path.
        QVERIFY(error.size() > error.indexOf(u"opened: "_s) + 10);
    }

    void load_Should_RefuseFile_When_LargerThanAnySet()
    {
        // A sparse file: refused by its size before anything is read.
        const QString path = m_dir.filePath(u"huge.bin"_s);
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(kLargestQuestionFile + 1));
        huge.close();

        const QString error = errorOf(loadQuestionFile(path));

        QVERIFY2(error.contains(u"too large"_s), qPrintable(error));
        QVERIFY(QFile::remove(path));
    }
};

QTEST_GUILESS_MAIN(TestQuestionFile)
#include "TestQuestionFile.moc"
