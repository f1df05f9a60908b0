// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace quorvex::platform {

// The machine's real platform, built in one place for the program and its end-to-end tests alike: Qt for the
// dialogs, settings store, data folder, clock, randomness and processes; X11 for the room's window, the keyboard and
// keep-above, all on one display connection; Wayland for a room that is a native window of a wlroots compositor.
class MachinePlatform final
{
public:
    /// `settingsApplication` names the per-user settings file; `title` is the title of boxes that have none.
    MachinePlatform(const QString& settingsApplication, const QString& title);
    ~MachinePlatform();
    MachinePlatform(const MachinePlatform&) = delete;
    MachinePlatform& operator=(const MachinePlatform&) = delete;

    Platform& platform();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace quorvex::platform
