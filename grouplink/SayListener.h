// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>

namespace quorvex::grouplink {

// How far one chat text got into the room.
struct SayOutcome
{
    std::size_t typed = 0; // characters of the text that reached the room, line ends included
    std::size_t total = 0; // characters of the text, line ends included; 0 when it was never typed
    QString message;       // what the host was told in a box; empty when the whole text was said

    bool saidWhole() const { return message.isEmpty(); }
};

// Hears of every chat text the group link was given, once it knows how far the text got.
class SayListener
{
public:
    SayListener() = default;
    SayListener(const SayListener&) = delete;
    SayListener& operator=(const SayListener&) = delete;
    virtual ~SayListener() = default;

    /// Told before the host sees a box about the text, if any; must neither fail nor take long.
    virtual void said(const QString& windowTitle, const QString& txt, const SayOutcome& outcome) = 0;
};

} // namespace quorvex::grouplink
