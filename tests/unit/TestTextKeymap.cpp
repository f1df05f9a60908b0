// SPDX-License-Identifier: GPL-3.0-or-later
// The keymaps the Wayland keyboard uploads, compiled by libxkbcommon as a compositor and its clients compile them:
// each key has to type its character with no modifier held.
#include "platform/wayland/TextKeymap.h"

#include <QTest>

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <memory>

using quorvex::platform::Keystroke;
using quorvex::platform::wayland::keymapsForText;
using quorvex::platform::wayland::kMaxKeysPerKeymap;
using quorvex::platform::wayland::TextKeymap;

namespace {

std::vector<Keystroke> keystrokes(const QString& text)
{
    std::vector<Keystroke> keys;
    for (const char32_t character : text.toUcs4()) {
        keys.push_back(character == U'\n' ? Keystroke{Keystroke::Kind::Enter, 0}
                                          : Keystroke{Keystroke::Kind::Character, character});
    }
    return keys;
}

// What the keys of one keymap type, read back through libxkbcommon; Enter reads as "\n". Empty if it fails to
// compile.
QString typedBy(const TextKeymap& keymap)
{
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS),
                                                                             &xkb_context_unref);
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> compiled(
        xkb_keymap_new_from_string(context.get(), keymap.keymap.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    if (!compiled) {
        return {};
    }
    const std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> state(xkb_state_new(compiled.get()),
                                                                       &xkb_state_unref);
    QString text;
    for (const std::uint32_t key : keymap.keys) {
        const xkb_keycode_t keycode = key + 8;
        if (xkb_state_key_get_one_sym(state.get(), keycode) == XKB_KEY_Return) {
            text += u'\n';
            continue;
        }
        std::array<char, 16> utf8{};
        xkb_state_key_get_utf8(state.get(), keycode, utf8.data(), utf8.size());
        text += QString::fromUtf8(utf8.data());
    }
    return text;
}

} // namespace

class TestTextKeymap final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keymapsForText_Should_TypeEachCharacterAsItself_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("escape set and foreign") << QStringLiteral("!\u00a3$%^&+()-_=[{]};:'@#,<.>/?\\|`\u00ac\" \u20ac \u00e9 \u00c5\n");
        QTest::newRow("cases and digits") << QStringLiteral("The quick brown FOX 0123456789 aA");
        QTest::newRow("tab and astral") << QStringLiteral("a\tb \U0001F600 \u0416");
        QTest::newRow("Enter only") << QStringLiteral("\n\n");
    }

    void keymapsForText_Should_TypeEachCharacterAsItself()
    {
        QFETCH(QString, text);
        const std::vector<Keystroke> keys = keystrokes(text);

        const std::optional<std::vector<TextKeymap>> keymaps = keymapsForText(keys);

        QVERIFY(keymaps);
        QCOMPARE(keymaps->size(), std::size_t{1});
        QCOMPARE(typedBy(keymaps->front()), text);
    }

    void keymapsForText_Should_SplitText_When_ItHoldsMoreCharactersThanOneKeymapHolds()
    {
        QString text;
        for (char32_t c = 0x4e00; c < 0x4e00 + 2 * kMaxKeysPerKeymap + 10; ++c) {
            text += QString::fromUcs4(&c, 1);
            text += u'\n';
        }
        const std::vector<Keystroke> keys = keystrokes(text);

        const std::optional<std::vector<TextKeymap>> keymaps = keymapsForText(keys);

        QVERIFY(keymaps);
        QCOMPARE(keymaps->size(), std::size_t{3});
        QString typed;
        for (const TextKeymap& keymap : *keymaps) {
            QVERIFY(keymap.keys.size() <= 2 * kMaxKeysPerKeymap);
            typed += typedBy(keymap);
        }
        QCOMPARE(typed, text);
    }

    void keymapsForText_Should_RefuseWholeText_When_ACharacterCannotBeTyped_data()
    {
        QTest::addColumn<char32_t>("character");
        QTest::newRow("control character") << char32_t{0x01};
        QTest::newRow("Linefeed") << char32_t{0x0a};
        QTest::newRow("C1 control") << char32_t{0x85};
        QTest::newRow("lone surrogate") << char32_t{0xd800};
        QTest::newRow("beyond Unicode") << char32_t{0x110000};
    }

    void keymapsForText_Should_RefuseWholeText_When_ACharacterCannotBeTyped()
    {
        QFETCH(char32_t, character);
        const std::vector<Keystroke> keys{{Keystroke::Kind::Character, U'o'}, {Keystroke::Kind::Character, character}};

        QVERIFY(!keymapsForText(keys));
    }

    void keymapsForText_Should_GiveNoKeymap_When_TextIsEmpty()
    {
        const std::optional<std::vector<TextKeymap>> keymaps = keymapsForText({});

        QVERIFY(keymaps);
        QVERIFY(keymaps->empty());
    }
};

QTEST_GUILESS_MAIN(TestTextKeymap)
#include "TestTextKeymap.moc"
