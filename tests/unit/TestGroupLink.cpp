// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"
#include "grouplink/GroupLink.h"

#include <QTest>

using quorvex::grouplink::GroupLink;
using quorvex::platform::KeyboardError;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");

struct Fixture
{
    FakePlatform fake;
    GroupLink link{fake.platform().keyboard, fake.platform().events, fake.platform().messageBox};

    Fixture() { fake.windowTitles = {QStringLiteral("Other room"), kRoom}; }
};

// Nothing reached the room, no events ran, and the host saw exactly one error box with this prompt.
void verifyStoppedBeforeTyping(const Fixture& f, const QString& prompt)
{
    QVERIFY(f.fake.sent.empty());
    QCOMPARE(f.fake.pendingEventPasses, 0);
    QCOMPARE(f.fake.boxes.size(), std::size_t(1));
    QCOMPARE(f.fake.boxes[0].prompt, prompt);
    QCOMPARE(f.fake.boxes[0].style, quorvex::platform::MessageStyle::Critical);
    QCOMPARE(f.fake.boxes[0].title, QStringLiteral("Error!"));
}

} // namespace

class TestGroupLink final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void say_Should_SendLoneEnterFirst_Then_CleanedTextAndEnter()
    {
        Fixture f;
        int sentBeforeEvents = -1;
        f.fake.onPendingEvents = [&] { sentBeforeEvents = int(f.fake.sent.size()); };

        f.link.say(kRoom, QStringLiteral("Howdy Y'all :)"));

        QCOMPARE(f.fake.activations, std::vector<QString>{kRoom});
        QCOMPARE(f.fake.sent.size(), std::size_t(2));
        QCOMPARE(f.fake.sent[0].keystrokes, QStringLiteral("~"));
        QVERIFY(f.fake.sent[0].wait);
        QCOMPARE(f.fake.sent[1].keystrokes, QStringLiteral("Howdy Y{'}all {:}{)}~"));
        QVERIFY(!f.fake.sent[1].wait);
        QCOMPARE(sentBeforeEvents, 1);
        QCOMPARE(f.fake.pendingEventPasses, 1);
        QVERIFY(f.fake.boxes.empty());
    }

    void say_Should_TypeLinesAsChatLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("arrived");
        QTest::newRow("empty text is two Enters") << QString() << QStringLiteral("\n\n");
        QTest::newRow("report with empty lines") << QStringLiteral("~# 12 GUYS~") << QStringLiteral("\n\n# 12 GUYS\n\n");
        QTest::newRow("tilde from the host ends a line") << QStringLiteral("A~B") << QStringLiteral("\nA\nB\n");
        QTest::newRow("braces arrive as themselves") << QStringLiteral("{x}") << QStringLiteral("\n{x}\n");
        QTest::newRow("every escaped character")
            << QStringLiteral("!\u00a3$%^&+()-_=[{]};:'@#,<.>/?\\|`\u00ac\"*\u20ac\u00e9")
            << QStringLiteral("\n!\u00a3$%^&+()-_=[{]};:'@#,<.>/?\\|`\u00ac\"*\u20ac\u00e9\n");
    }

    void say_Should_TypeLinesAsChatLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, arrived);
        Fixture f;
        f.link.say(kRoom, text);
        QCOMPARE(f.fake.typedInto(kRoom), arrived);
    }

    void say_Should_ShowBoxA_And_TypeNothing_When_NoWindowMatches_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("unknown room") << QStringLiteral("Quiz Night");
        QTest::newRow("empty title") << QString();
        QTest::newRow("other case") << QStringLiteral("trivia  adult");
    }

    void say_Should_ShowBoxA_And_TypeNothing_When_NoWindowMatches()
    {
        QFETCH(QString, title);
        Fixture f;
        f.link.say(title, QStringLiteral("hello"));
        verifyStoppedBeforeTyping(f, QStringLiteral("Group name is incorrect or Group is not open"));
    }

    void say_Should_ShowBoxB_And_Stop_When_LoneEnterFails()
    {
        Fixture f;
        f.fake.sendResults = {KeyboardError::FocusLost};
        f.link.say(kRoom, QStringLiteral("hello"));
        verifyStoppedBeforeTyping(f, QStringLiteral("Hmmm ... problem communicating with Group"));
    }

    void say_Should_NameTheCause_When_TextCannotBeTyped_data()
    {
        QTest::addColumn<KeyboardError>("failure");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("bad keys") << KeyboardError::BadKeys
                                  << QStringLiteral("The text you entered possibly contains an invalid character");
        QTest::newRow("focus taken away") << KeyboardError::FocusLost
                                          << QStringLiteral("Hmmm ... problem communicating with Group");
    }

    void say_Should_NameTheCause_When_TextCannotBeTyped()
    {
        QFETCH(KeyboardError, failure);
        QFETCH(QString, prompt);
        Fixture f;
        f.fake.sendResults = {KeyboardError::None, failure};
        f.link.say(kRoom, QStringLiteral("hello"));
        QCOMPARE(f.fake.typedInto(kRoom), QStringLiteral("\n"));
        QCOMPARE(f.fake.boxes.size(), std::size_t(1));
        QCOMPARE(f.fake.boxes[0].prompt, prompt);
        QCOMPARE(f.fake.boxes[0].title, QStringLiteral("Error!"));
    }

    void say_Should_RefuseControlCharacters_With_BoxC()
    {
        Fixture f;
        f.link.say(kRoom, QStringLiteral("line\nfeed"));
        QCOMPARE(f.fake.typedInto(kRoom), QStringLiteral("\n"));
        QCOMPARE(f.fake.boxes.size(), std::size_t(1));
        QCOMPARE(f.fake.boxes[0].prompt, QStringLiteral("The text you entered possibly contains an invalid character"));
    }

    void say_Should_LetAWaitingActionSayItsTextFirst()
    {
        Fixture f;
        f.fake.onPendingEvents = [&] { f.link.say(kRoom, QStringLiteral("second")); };
        f.link.say(kRoom, QStringLiteral("first"));
        QCOMPARE(f.fake.typedInto(kRoom), QStringLiteral("\n\nsecond\nfirst\n"));
    }
};

QTEST_GUILESS_MAIN(TestGroupLink)
#include "TestGroupLink.moc"
