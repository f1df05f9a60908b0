// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <span>

namespace quorvex::platform {

/// Picks the window for a title among the candidates' titles: the first whose title equals it, else the first
/// whose title begins with it. Literal and case-sensitive; an empty title matches nothing.
std::optional<std::size_t> matchWindowTitle(const QString& title, std::span<const QString> candidates);

// A top-level window as the search for the room sees it: its title and the process that owns it, if it says.
struct WindowCandidate
{
    QString title;
    std::optional<qint64> pid;
};

/// The room's window among the windows in the order the window system stacks them, bottom-most first: the
/// top-most whose title equals `title`, else the top-most whose title begins with it, as the host would pick on the
/// screen. The console's own windows (process `ownPid`) never count, whatever their title.
std::optional<std::size_t> pickRoomWindow(const QString& title, std::span<const WindowCandidate> bottomToTop,
                                          qint64 ownPid);

} // namespace quorvex::platform
