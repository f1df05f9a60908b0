// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupLink.h"

#include "CleanText.h"

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
    if (m_keyboard.sendKeys(QStringLiteral("~"), true) != KeyboardError::None) {
        m_messageBox.show(kNoContact, platform::kStyleCritical, kErrorTitle);
        return;
    }
    m_events.processPendingEvents();

    const KeyboardError typed = m_keyboard.sendKeys(CleanText(txt) + u'~', false);
    if (typed == KeyboardError::None) {
        return;
    }
    // Focus taken away mid-text is a broken contact with the room, not a bad character.
    m_messageBox.show(typed == KeyboardError::FocusLost ? kNoContact : kBadCharacter, platform::kStyleCritical,
                      kErrorTitle);
}

} // namespace quorvex::grouplink
