// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupLink.h"

#include "CleanText.h"
#include "KeystrokeString.h"

namespace quorvex::grouplink {
namespace {

const QString kErrorTitle = QStringLiteral("Error!");
const QString kNoWindow = QStringLiteral("Group name is incorrect or Group is not open");
const QString kNoContact = QStringLiteral("Hmmm ... problem communicating with Group");
const QString kBadCharacter = QStringLiteral("The text you entered possibly contains an invalid character");

} // namespace

GroupLink::GroupLink(platform::WindowKeyboard& keyboard, platform::EventPump& events, platform::MessageBox& messageBox)
    : m_keyboard(keyboard), m_events(events), m_messageBox(messageBox)
{
}

void GroupLink::say(const QString& windowTitle, const QString& txt)
{
    using platform::KeyboardError;

    if (m_keyboard.activate(windowTitle, true) != KeyboardError::None) {
        m_messageBox.show(kNoWindow, platform::kStyleCritical, kErrorTitle);
        return;
    }

    // The lone Enter sends whatever the host had left standing in the room's input line.
    const platform::Keystroke enter{platform::Keystroke::Kind::Enter, 0};
    if (m_keyboard.type(std::span(&enter, 1), true).error != KeyboardError::None) {
        m_messageBox.show(kNoContact, platform::kStyleCritical, kErrorTitle);
        return;
    }
    m_events.processPendingEvents();

    const std::optional<std::vector<platform::Keystroke>> keys = parseKeystrokes(CleanText(txt) + u'~');
    if (!keys) {
        m_messageBox.show(kBadCharacter, platform::kStyleCritical, kErrorTitle);
        return;
    }
    const platform::TypingResult typed = m_keyboard.type(*keys, false);
    if (typed.error == KeyboardError::None) {
        return;
    }
    // Focus taken away mid-text is a broken contact with the room, not a bad character.
    m_messageBox.show(typed.error == KeyboardError::FocusLost ? kNoContact : kBadCharacter, platform::kStyleCritical,
                      kErrorTitle);
}

} // namespace quorvex::grouplink
