// SPDX-License-Identifier: GPL-3.0-or-later
#include "questions/QuestionFile.h"

#include <QStringDecoder>
#include <QTest>

#include <random>

using quorvex::questions::parseQuestionFile;
using quorvex::questions::QuestionFileError;
using quorvex::questions::QuestionFileResult;
using quorvex::questions::QuestionSet;

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// The file rules read the slow, obvious way, one byte at a time, to hold the parser to.
std::optional<QStringList> expectedLines(QByteArray bytes)
{
    const bool marked = bytes.startsWith(kByteOrderMark);
    if (marked) {
        bytes.remove(0, kByteOrderMark.size());
    }
    QList<QByteArray> raw;
    QByteArray line;
    bool lineOpen = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n' || c == '\r') {
            raw << line;
            line.clear();
            lineOpen = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
                ++i;
            }
        } else {
            line += c;
            lineOpen = true;
        }
    }
    if (lineOpen) {
        raw << line;
    }
    // An odd count and a file of no lines are both refused; the arbitrary lines stay far below the length limit.
    if (raw.size() % 2 != 0 || raw.isEmpty()) {
        return std::nullopt;
    }
    QStringDecoder utf8Check(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString whole = utf8Check.decode(bytes);
    const bool utf8 = marked || !utf8Check.hasError();
    QStringList lines;
    for (const QByteArray& r : raw) {
        QStringDecoder windows1252("windows-1252");
        lines << (utf8 ? QString::fromUtf8(r) : windows1252.decode(r));
    }
    return lines;
}

QByteArray arbitraryBytes(std::mt19937& random)
{
    static const char kPieces[] = {'Q', 'a', ' ', '?', '\n', '\n', '\r', '\r', '\0', '~',
                                   '\xA3', '\xC2', '\xC3', '\xA9', '\xE2', '\x82', '\xAC', '\x80', '\xFF'};
    const qsizetype size = random() % 10 == 0 ? qsizetype(random() % 2000) : qsizetype(random() % 40);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) {
        c = random() % 4 == 0 ? char(random() % 256) : kPieces[random() % sizeof kPieces];
    }
    if (random() % 8 == 0) {
        bytes.prepend(kByteOrderMark);
    }
    return bytes;
}

} // namespace

class TestQuestionFileFuzz final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_Should_LoadOrRefuseCleanly_When_BytesAreArbitrary()
    {
        if (!QStringDecoder("windows-1252").isValid()) {
            QSKIP("this Qt has no Windows-1252 decoder to compare with");
        }
        std::mt19937 random(1966);
        int loaded = 0;
        int refused = 0;
        for (int round = 0; round < 5000; ++round) {
            const QByteArray bytes = arbitraryBytes(random);
            const std::optional<QStringList> expected = expectedLines(bytes);

            const QuestionFileResult result = parseQuestionFile(bytes);

            const QByteArray shown = bytes.toHex();
            if (!expected) {
                ++refused;
                const auto* error = std::get_if<QuestionFileError>(&result);
                QVERIFY2(error != nullptr, shown.constData());
                QVERIFY2(error->description.contains(u"odd number") ||
                             error->description == u"The file holds no questions",
                         shown.constData());
                continue;
            }
            ++loaded;
            const auto* set = std::get_if<QuestionSet>(&result);
            QVERIFY2(set != nullptr, shown.constData());
            QCOMPARE(set->count(), expected->size() / 2);
            for (qsizetype n = 1; n <= set->count(); ++n) {
                QVERIFY2(set->question(n) == expected->at(2 * n - 2), shown.constData());
                QVERIFY2(set->answer(n) == expected->at(2 * n - 1), shown.constData());
            }
        }
        // Both outcomes must have been exercised for the run to mean anything.
        QVERIFY(loaded > 1000);
        QVERIFY(refused > 1000);
    }
};

QTEST_GUILESS_MAIN(TestQuestionFileFuzz)
#include "TestQuestionFileFuzz.moc"
