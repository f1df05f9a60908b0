// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "DataFolder.h"
#include "EventPump.h"
#include "FileChooser.h"
#include "InputBox.h"
#include "KeepAbove.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "RandomSource.h"
#include "SettingsStore.h"
#include "WindowKeyboard.h"

namespace quorvex::platform {

// Everything the console needs from the machine, handed in as one bundle.
struct Platform
{
    MessageBox& messageBox;
    InputBox& inputBox;
    FileChooser& fileChooser;
    SettingsStore& settings;
    WindowKeyboard& keyboard;
    EventPump& events;
    Clock& clock;
    RandomSource& random;
    Launcher& launcher;
    KeepAbove& keepAbove;
    DataFolder& dataFolder;
    // Seeded from the clock at start, so that its sequence differs from run to run, unlike `random`'s.
    RandomSource& seededRandom;
};

} // namespace quorvex::platform
