// SPDX-License-Identifier: GPL-3.0-or-later
#include "grouplink/KeystrokeString.h"

#include <QTest>

using quorvex::grouplink::parseKeystrokes;
using quorvex::platform::Keystroke;

namespace {

QString typed(const QString& keystrokes)
{
    const std::vector<Keystroke> keys = parseKeystrokes(keystrokes).value();
    QString text;
    for (const Keystroke& key : keys) {
        text += key.kind == Keystroke::Kind::Enter ? QStringLiteral("<Enter>") : QString::fromUcs4(&key.character, 1);
    }
    return text;
}

} // namespace

class TestKeystrokeString final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseKeystrokes_Should_TypeEachForm_data()
    {
        QTest::addColumn<QString>("keystrokes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("Howdy") << QStringLiteral("Howdy");
        QTest::newRow("tilde is Enter") << QStringLiteral("a~~b~") << QStringLiteral("a<Enter><Enter>b<Enter>");
        QTest::newRow("braced characters") << QStringLiteral("{{}{}}{~}{#}") << QStringLiteral("{}~#");
        QTest::newRow("cleaned report") << QStringLiteral("~{#} 12 GUYS~~")
                                        << QStringLiteral("<Enter># 12 GUYS<Enter><Enter>");
        QTest::newRow("non-ASCII") << QStringLiteral("{\u00a3}\u20ac\u00c5") << QStringLiteral("\u00a3\u20ac\u00c5");
        QTest::newRow("astral") << QStringLiteral("a\U0001F600b") << QStringLiteral("a\U0001F600b");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a\tb");
        QTest::newRow("empty") << QString() << QString();
    }

    void parseKeystrokes_Should_TypeEachForm()
    {
        QFETCH(QString, keystrokes);
        QFETCH(QString, expected);
        QCOMPARE(typed(keystrokes), expected);
    }

    void parseKeystrokes_Should_Refuse_When_Malformed_data()
    {
        QTest::addColumn<QString>("keystrokes");
        QTest::newRow("open brace at end") << QStringLiteral("abc{");
        QTest::newRow("unclosed group") << QStringLiteral("{ab}");
        QTest::newRow("empty group") << QStringLiteral("{}");
        QTest::newRow("bare closing brace") << QStringLiteral("a}b");
        QTest::newRow("linefeed") << QStringLiteral("a\nb");
        QTest::newRow("carriage return") << QStringLiteral("a\rb");
        QTest::newRow("escape") << QStringLiteral("a\x1b");
        QTest::newRow("braced control") << QStringLiteral("{\x07}");
        QTest::newRow("lone high surrogate") << QString(QChar(0xd83d));
        QTest::newRow("lone low surrogate") << (QStringLiteral("a") + QChar(0xde00));
    }

    void parseKeystrokes_Should_Refuse_When_Malformed()
    {
        QFETCH(QString, keystrokes);
        QVERIFY(!parseKeystrokes(keystrokes).has_value());
    }
};

QTEST_GUILESS_MAIN(TestKeystrokeString)
#include "TestKeystrokeString.moc"
