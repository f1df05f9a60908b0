// SPDX-License-Identifier: GPL-3.0-or-later
#include "grouplink/CleanText.h"

#include <QTest>

using quorvex::grouplink::CleanText;

class TestCleanText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanText_Should_WrapCommandCharacters_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("apostrophe and smiley") << QStringLiteral("Howdy Y'all :)") << QStringLiteral("Howdy Y{'}all {:}{)}");
        QTest::newRow("report line") << QStringLiteral("# 12 GUYS") << QStringLiteral("{#} 12 GUYS");
        QTest::newRow("braces") << QStringLiteral("50% off {now}") << QStringLiteral("50{%} off {{}now{}}");
        QTest::newRow("stars stay bare") << QStringLiteral("*** We are in BONDAGE!!!! ***")
                                         << QStringLiteral("*** We are in BONDAGE{!}{!}{!}{!} ***");
        QTest::newRow("tilde stays an Enter") << QStringLiteral("a~b") << QStringLiteral("a~b");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("double quote") << QStringLiteral("say \"hi\"") << QStringLiteral("say {\"}hi{\"}");
        QTest::newRow("pound and not signs") << QStringLiteral("\u00a35 \u00ac") << QStringLiteral("{\u00a3}5 {\u00ac}");
        QTest::newRow("other non-ASCII bare") << QStringLiteral("\u20ac \u00e9 \u00c5") << QStringLiteral("\u20ac \u00e9 \u00c5");
        QTest::newRow("plus and caret") << QStringLiteral("1+1^2") << QStringLiteral("1{+}1{^}2");
    }

    void cleanText_Should_WrapCommandCharacters()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(CleanText(input), expected);
    }

    void cleanText_Should_WrapExactlyTheEscapeSet()
    {
        const QString escaped = QStringLiteral("!\u00a3$%^&+()-_=[{]};:'@#,<.>/?\\|`\u00ac\"");
        QCOMPARE(escaped.size(), 32);
        for (char16_t code = 0; code < 0x300; ++code) {
            const QString c(QChar{code});
            const QString expected = escaped.contains(c) ? u'{' + c + u'}' : c;
            QCOMPARE(CleanText(c), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestCleanText)
#include "TestCleanText.moc"
