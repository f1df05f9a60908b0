// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupLink.h"

#include "CleanText.h"
#include "KeystrokeString.h"

#include <QLocale>

#include <algorithm>

namespace quorvex::grouplink {
namespace {

const QString kErrorTitle = QStringLiteral("Error!");
const QString kNoWindow = QStringLiteral("Group name is incorrect or Group is not open");
const QString kNoContact = QStringLiteral("Hmmm ... problem communicating with Group");
const QString kBadCharacter = QStringLiteral("The text you entered possibly contains an invalid character");
const QString kNotActivated =
    QStringLiteral("The room's window is open but did not come to the front, so nothing was typed. Bring it forward "
                   "(on its workspace, if it is on another one) and try again.");

// The lost-contact prompt with how far the text got, so the host knows what the room has and what waits in its input
// box.
QString stoppedPrompt(std::span<const platform::Keystroke> keys, std::size_t typed)
{
    // The last key is the Enter of the "~" that say() puts after the cleaned text; the host counts the characters of
    // the text alone.
    const std::size_t total = keys.empty() ? 0 : keys.size() - 1;
    typed = std::min(typed, total);
    const QLocale numbers(QLocale::English, QLocale::UnitedStates);
    QString prompt = kNoContact + QStringLiteral("\n\n");
    if (typed == 0) {
        return prompt + QStringLiteral("Typing stopped before the first of %1 characters.")
                            .arg(numbers.toString(qulonglong(total)));
    }
    prompt += QStringLiteral("Typing stopped after %1 of %2 characters")
                  .arg(numbers.toString(qulonglong(typed)), numbers.toString(qulonglong(total)));
    if (keys[typed - 1].kind == platform::Keystroke::Kind::Enter) {
        return prompt + QStringLiteral(", at the end of a line.");
    }
    return prompt + QStringLiteral("; the rest of that line is still in the room's input box.");
}

// How far a text got, counted as the lost-contact prompt counts it.
SayOutcome typedOfText(std::span<const platform::Keystroke> keys, std::size_t typed, const QString& message)
{
    const std::size_t total = keys.empty() ? 0 : keys.size() - 1;
    return {std::min(typed, total), total, message};
}

} // namespace

GroupLink::GroupLink(platform::WindowKeyboard& keyboard, platform::EventPump& events, platform::MessageBox& messageBox)
    : m_keyboard(keyboard), m_events(events), m_messageBox(messageBox)
{
}

void GroupLink::say(const QString& windowTitle, const QString& txt)
{
    using platform::KeyboardError;

    const KeyboardError activated = m_keyboard.activate(windowTitle, true);
    if (activated != KeyboardError::None) {
        finish(windowTitle, txt, {0, 0, activated == KeyboardError::NotActivated ? kNotActivated : kNoWindow});
        return;
    }

    // The lone Enter sends whatever the host had left standing in the room's input line.
    const platform::Keystroke enter{platform::Keystroke::Kind::Enter, 0};
    if (m_keyboard.type(std::span(&enter, 1), true).error != KeyboardError::None) {
        finish(windowTitle, txt, {0, 0, kNoContact});
        return;
    }
    m_events.processPendingEvents();

    const std::optional<std::vector<platform::Keystroke>> keys = parseKeystrokes(CleanText(txt) + u'~');
    if (!keys) {
        finish(windowTitle, txt, {0, 0, kBadCharacter});
        return;
    }
    const platform::TypingResult typed = m_keyboard.type(*keys, false);
    if (typed.error == KeyboardError::None) {
        finish(windowTitle, txt, typedOfText(*keys, typed.typed, QString()));
        return;
    }
    // Focus taken away mid-text is a broken contact with the room, not a bad character.
    if (typed.error == KeyboardError::FocusLost) {
        finish(windowTitle, txt, typedOfText(*keys, typed.typed, stoppedPrompt(*keys, typed.typed)));
        return;
    }
    finish(windowTitle, txt, typedOfText(*keys, typed.typed, kBadCharacter));
}

void GroupLink::finish(const QString& windowTitle, const QString& txt, const SayOutcome& outcome)
{
    if (m_listener) {
        m_listener->said(windowTitle, txt, outcome);
    }
    if (!outcome.saidWhole()) {
        m_messageBox.show(outcome.message, platform::MessageStyle::Critical, kErrorTitle);
    }
}

} // namespace quorvex::grouplink
