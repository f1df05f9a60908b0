// SPDX-License-Identifier: GPL-3.0-or-later
#include "grouplink/GroupLink.h"
#include "support/FakePlatform.h"

#include <QTest>

using quorvex::grouplink::GroupLink;
using quorvex::platform::KeyboardError;
using quorvex::platform::Keystroke;
using quorvex::platform::TypingResult;
using quorvex::test::FakePlatform;

namespace {

const QString kRoom = QStringLiteral("Trivia  Adult");

Keystroke enter()
{
    return {Keystroke::Kind::Enter, 0};
}

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
        QCOMPARE(f.fake.sent[0].keys, std::vector<Keystroke>{enter()});
        QVERIFY(f.fake.sent[0].wait);
        QCOMPARE(f.fake.sent[1].text(), QStringLiteral("Howdy Y'all :)\n"));
        QCOMPARE(f.fake.sent[1].keys.back(), enter());
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
        QTest::newRow("report with empty lines")
            << QStringLiteral("~# 12 GUYS~") << QStringLiteral("\n\n# 12 GUYS\n\n");
        QTest::newRow("tilde from the host ends a line") << QStringLiteral("A~B") << QStringLiteral("\nA\nB\n");
        QTest::newRow("braces arrive as themselves") << QStringLiteral("{x}") << QStringLiteral("\n{x}\n");
        QTest::newRow("a character beyond the basic plane is one key")
            << QStringLiteral("a\U0001F600b") << QStringLiteral("\na\U0001F600b\n");
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

    void say_Should_SayGroupNameIsIncorrect_And_TypeNothing_When_NoWindowMatches_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("unknown room") << QStringLiteral("Quiz Night");
        QTest::newRow("empty title") << QString();
        QTest::newRow("other case") << QStringLiteral("trivia  adult");
    }

    void say_Should_SayGroupNameIsIncorrect_And_TypeNothing_When_NoWindowMatches()
    {
        QFETCH(QString, title);
        Fixture f;
        f.link.say(title, QStringLiteral("hello"));
        verifyStoppedBeforeTyping(f, QStringLiteral("Group name is incorrect or Group is not open"));
    }

    void say_Should_SayProblemCommunicating_And_Stop_When_LoneEnterFails()
    {
        Fixture f;
        f.fake.typeResults = {{KeyboardError::FocusLost, 0}};
        f.link.say(kRoom, QStringLiteral("hello"));
        verifyStoppedBeforeTyping(f, QStringLiteral("Hmmm ... problem communicating with Group"));
    }

    void say_Should_SayInvalidCharacter_When_KeyboardCannotTypeTheText()
    {
        Fixture f;
        f.fake.typeResults = {{}, {KeyboardError::BadKeys, 0}};
        f.link.say(kRoom, QStringLiteral("hello"));
        QCOMPARE(f.fake.typedInto(kRoom), QStringLiteral("\n"));
        QCOMPARE(f.fake.boxes.size(), std::size_t(1));
        QCOMPARE(f.fake.boxes[0].prompt, QStringLiteral("The text you entered possibly contains an invalid character"));
        QCOMPARE(f.fake.boxes[0].title, QStringLiteral("Error!"));
    }

    void say_Should_TellHowFarTheTextGot_When_FocusIsLostMidText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("typed");
        QTest::addColumn<QString>("addition");
        const QString long3000 = QString(3000, u'x');
        QTest::newRow("mid-line") << long3000 << 1204
                                  << QStringLiteral("Typing stopped after 1,204 of 3,000 characters; the rest of that "
                                                    "line is still in the room's input box.");
        QTest::newRow("right after a line's Enter")
            << QStringLiteral("ab~cd") << 3
            << QStringLiteral("Typing stopped after 3 of 5 characters, at the end of a line.");
        QTest::newRow("before the first key")
            << QStringLiteral("abc") << 0 << QStringLiteral("Typing stopped before the first of 3 characters.");
        QTest::newRow("before the closing Enter")
            << QStringLiteral("abc") << 3
            << QStringLiteral("Typing stopped after 3 of 3 characters; the rest of that line is still in the room's "
                              "input box.");
    }

    void say_Should_TellHowFarTheTextGot_When_FocusIsLostMidText()
    {
        QFETCH(QString, text);
        QFETCH(int, typed);
        QFETCH(QString, addition);
        Fixture f;
        f.fake.typeResults = {{}, {KeyboardError::FocusLost, std::size_t(typed)}};
        f.link.say(kRoom, text);
        QCOMPARE(f.fake.typedInto(kRoom), QStringLiteral("\n") + text.left(typed).replace(u'~', u'\n'));
        QCOMPARE(f.fake.boxes.size(), std::size_t(1));
        QCOMPARE(f.fake.boxes[0].prompt, QStringLiteral("Hmmm ... problem communicating with Group\n\n") + addition);
        QCOMPARE(f.fake.boxes[0].style, quorvex::platform::MessageStyle::Critical);
        QCOMPARE(f.fake.boxes[0].title, QStringLiteral("Error!"));
    }

    void say_Should_SayTheWindowWouldNotComeForward_When_ItNeverTookTheFocus()
    {
        Fixture f;
        f.fake.unfocusableTitles = {kRoom};
        f.link.say(kRoom, QStringLiteral("hello"));
        QVERIFY(f.fake.sent.empty());
        QCOMPARE(f.fake.boxes.size(), std::size_t(1));
        QVERIFY(f.fake.boxes[0].prompt != QStringLiteral("Group name is incorrect or Group is not open"));
        QVERIFY(f.fake.boxes[0].prompt.contains(QStringLiteral("did not come to the front")));
        QCOMPARE(f.fake.boxes[0].style, quorvex::platform::MessageStyle::Critical);
        QCOMPARE(f.fake.boxes[0].title, QStringLiteral("Error!"));
    }

    void say_Should_RefuseControlCharacters_As_InvalidCharacters()
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
