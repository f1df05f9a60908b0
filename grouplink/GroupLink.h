// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SayListener.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/WindowKeyboard.h"

#include <QString>

namespace quorvex::grouplink {

// Says chat texts in the room: brings the group window to the front and types each line, ended by Enter.
class GroupLink final
{
public:
    GroupLink(platform::WindowKeyboard& keyboard, platform::EventPump& events, platform::MessageBox& messageBox);
    GroupLink(const GroupLink&) = delete;
    GroupLink& operator=(const GroupLink&) = delete;

    /// Types `txt` into the window titled `windowTitle`; each "~" ends a chat line and one Enter ends the last.
    /// Failures are told to the host in a box; the caller always goes on.
    void say(const QString& windowTitle, const QString& txt);
    /// Tells `listener` of every later text and how far it got; it has to outlive the link.
    void reportTo(SayListener& listener) { m_listener = &listener; }

private:
    /// Tells the listener how far `txt` got, then the host when it did not get all the way.
    void finish(const QString& windowTitle, const QString& txt, const SayOutcome& outcome);

    platform::WindowKeyboard& m_keyboard;
    platform::EventPump& m_events;
    platform::MessageBox& m_messageBox;
    SayListener* m_listener = nullptr;
};

} // namespace quorvex::grouplink
