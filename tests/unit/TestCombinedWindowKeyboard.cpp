// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/common/CombinedWindowKeyboard.h"

#include <QTest>

using quorvex::platform::CombinedWindowKeyboard;
using quorvex::platform::KeyboardError;
using quorvex::platform::Keystroke;
using quorvex::platform::TypingResult;
using quorvex::platform::WindowKeyboard;

Q_DECLARE_METATYPE(KeyboardError)

namespace {

// A keyboard that answers every activation with one set error and counts the keys it is given.
class ScriptedKeyboard final : public WindowKeyboard
{
public:
    explicit ScriptedKeyboard(KeyboardError answer) : answer(answer) {}

    KeyboardError activate(const QString& title, bool) override
    {
        titles.push_back(title);
        return answer;
    }

    TypingResult type(std::span<const Keystroke> keys, bool) override
    {
        typed += keys.size();
        return {KeyboardError::None, keys.size()};
    }

    KeyboardError answer;
    QStringList titles;
    std::size_t typed = 0;
};

const std::vector<Keystroke> kKeys{{Keystroke::Kind::Character, U'h'}, {Keystroke::Kind::Enter, 0}};

} // namespace

class TestCombinedWindowKeyboard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void activate_Should_AskSecondKeyboardOnlyWhenFirstFindsNothing_data()
    {
        QTest::addColumn<KeyboardError>("first");
        QTest::addColumn<KeyboardError>("second");
        QTest::addColumn<bool>("secondAsked");
        QTest::addColumn<KeyboardError>("expected");
        QTest::addColumn<int>("typedBy");
        QTest::newRow("X11 room") << KeyboardError::None << KeyboardError::None << false << KeyboardError::None << 1;
        QTest::newRow("found, refused the focus") << KeyboardError::NotActivated << KeyboardError::None << false << KeyboardError::NotActivated << 0;
        QTest::newRow("native room") << KeyboardError::NoSuchWindow << KeyboardError::None << true << KeyboardError::None << 2;
        QTest::newRow("native room, no X display") << KeyboardError::Unavailable << KeyboardError::None << true << KeyboardError::None << 2;
        QTest::newRow("native room refused the focus") << KeyboardError::NoSuchWindow << KeyboardError::NotActivated << true << KeyboardError::NotActivated << 0;
        QTest::newRow("nowhere") << KeyboardError::NoSuchWindow << KeyboardError::NoSuchWindow << true << KeyboardError::NoSuchWindow << 0;
        QTest::newRow("nowhere, no Wayland") << KeyboardError::NoSuchWindow << KeyboardError::Unavailable << true << KeyboardError::NoSuchWindow << 0;
        QTest::newRow("no X display, no Wayland") << KeyboardError::Unavailable << KeyboardError::Unavailable << true << KeyboardError::Unavailable << 0;
        QTest::newRow("no X display, nowhere") << KeyboardError::Unavailable << KeyboardError::NoSuchWindow << true << KeyboardError::NoSuchWindow << 0;
    }

    void activate_Should_AskSecondKeyboardOnlyWhenFirstFindsNothing()
    {
        QFETCH(KeyboardError, first);
        QFETCH(KeyboardError, second);
        QFETCH(bool, secondAsked);
        QFETCH(KeyboardError, expected);
        QFETCH(int, typedBy);
        ScriptedKeyboard x11(first);
        ScriptedKeyboard wayland(second);
        CombinedWindowKeyboard keyboard(x11, wayland);

        const KeyboardError activated = keyboard.activate(QStringLiteral("Trivia  Adult"), true);
        const TypingResult typed = keyboard.type(kKeys, false);

        QCOMPARE(activated, expected);
        QCOMPARE(x11.titles, QStringList{QStringLiteral("Trivia  Adult")});
        QCOMPARE(wayland.titles.size(), secondAsked ? 1 : 0);
        QCOMPARE(x11.typed, typedBy == 1 ? kKeys.size() : 0);
        QCOMPARE(wayland.typed, typedBy == 2 ? kKeys.size() : 0);
        QCOMPARE(typed.error, typedBy == 0 ? KeyboardError::NoSuchWindow : KeyboardError::None);
    }

    void type_Should_GoNowhere_When_LastActivationFailedAfterOneThatWorked()
    {
        ScriptedKeyboard x11(KeyboardError::None);
        ScriptedKeyboard wayland(KeyboardError::NoSuchWindow);
        CombinedWindowKeyboard keyboard(x11, wayland);
        QCOMPARE(keyboard.activate(QStringLiteral("Trivia  Adult"), true), KeyboardError::None);
        x11.answer = KeyboardError::NoSuchWindow;

        QCOMPARE(keyboard.activate(QStringLiteral("Gone"), true), KeyboardError::NoSuchWindow);
        const TypingResult typed = keyboard.type(kKeys, false);

        QCOMPARE(typed.error, KeyboardError::NoSuchWindow);
        QCOMPARE(typed.typed, std::size_t{0});
        QCOMPARE(x11.typed, std::size_t{0});
    }
};

QTEST_GUILESS_MAIN(TestCombinedWindowKeyboard)
#include "TestCombinedWindowKeyboard.moc"
