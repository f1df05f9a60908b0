// SPDX-License-Identifier: GPL-3.0-or-later
#include "questions/TextEncoding.h"

#include <QStringDecoder>
#include <QTest>

#include <random>

using quorvex::questions::isValidUtf8;
using quorvex::questions::windows1252ToUtf8;

namespace {

bool qtAcceptsAsUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

class TestTextEncoding final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isValidUtf8_Should_AcceptOnlyWellFormedText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ASCII") << QByteArray("What is one") << true;
        QTest::newRow("two bytes") << QByteArray("\xC2\xA3") << true;
        QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << true;
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x8E\xB2") << true;
        QTest::newRow("largest code point") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("after eight ASCII bytes") << QByteArray("abcdefgh\xC3\xA9") << true;
        QTest::newRow("Latin-1 pound") << QByteArray("\xA3") << false;
        QTest::newRow("Latin-1 after eight ASCII bytes") << QByteArray("abcdefgh\xA3") << false;
        QTest::newRow("stray continuation") << QByteArray("a\x80") << false;
        QTest::newRow("cut short at the end") << QByteArray("\xE2\x82") << false;
        QTest::newRow("cut short by ASCII") << QByteArray("\xE2\x82" "a") << false;
        QTest::newRow("overlong two bytes") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("overlong four bytes") << QByteArray("\xF0\x80\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("FF") << QByteArray("\xFF") << false;
    }

    void isValidUtf8_Should_AcceptOnlyWellFormedText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(isValidUtf8(bytes), valid);
        QCOMPARE(qtAcceptsAsUtf8(bytes), valid);
    }

    void isValidUtf8_Should_AgreeWithQt_When_BytesAreArbitrary()
    {
        // Every two-byte text, then random texts around the eight-byte ASCII stride.
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const QByteArray bytes{char(first), char(second)};
                QVERIFY2(isValidUtf8(bytes) == qtAcceptsAsUtf8(bytes), bytes.toHex().constData());
            }
        }
        std::mt19937 random(20240601);
        const char pieces[] = {'a', 'a', 'a', '\x80', '\xBF', '\xC2', '\xE2', '\xED', '\xF0', '\xF4', '\xFF'};
        for (int round = 0; round < 20000; ++round) {
            QByteArray bytes(qsizetype(random() % 20), 'a');
            for (char& c : bytes) {
                c = random() % 3 == 0 ? pieces[random() % sizeof pieces] : char(random() % 256);
            }
            QVERIFY2(isValidUtf8(bytes) == qtAcceptsAsUtf8(bytes), bytes.toHex().constData());
        }
    }

    void windows1252ToUtf8_Should_MapEveryByte()
    {
        QStringDecoder windows1252("windows-1252");
        if (!windows1252.isValid()) {
            QSKIP("this Qt has no Windows-1252 decoder to compare with");
        }
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            QCOMPARE(QString::fromUtf8(windows1252ToUtf8(one)), windows1252.decode(one));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "TestTextEncoding.moc"
