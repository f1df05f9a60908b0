// SPDX-License-Identifier: GPL-3.0-or-later
#include "MachinePlatform.h"

#include "platform/common/CombinedWindowKeyboard.h"
#include "platform/qt/IniSettingsStore.h"
#include "platform/qt/ProcessLauncher.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtInputBox.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/SequenceRandomSource.h"
#include "platform/qt/SystemClock.h"
#include "platform/qt/XdgDataFolder.h"
#include "platform/unix/TerminationSignals.h"
#include "platform/wayland/WaylandWindowKeyboard.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeepAbove.h"
#include "platform/x11/X11WindowKeyboard.h"

namespace quorvex::platform {

struct MachinePlatform::Parts
{
    Parts(const QString& settingsApplication, const QString& title)
        : messageBox(title), settings(qt::IniSettingsStore::defaultPath(settingsApplication)), x11Keyboard(display),
          keyboard(x11Keyboard, waylandKeyboard), keepAbove(display), dataFolder(settingsApplication),
          seededRandom(std::uint64_t(clock.now().toMSecsSinceEpoch()))
    {
    }

    // The display first: the keyboard and keep-above use it, and it goes last.
    x11::X11Display display;
    qt::QtMessageBox messageBox;
    qt::QtInputBox inputBox;
    qt::QtFileChooser fileChooser;
    qt::IniSettingsStore settings;
    x11::X11WindowKeyboard x11Keyboard;
    // A console ended by TERM, INT or HUP gives the host's keyboard back first; it goes before the keyboard does.
    posix::TerminationSignals terminationSignals{[this] { x11Keyboard.restoreKeyboard(); }};
    // Rooms that are native windows of a wlroots compositor: asked only when no X11 window has the title.
    wayland::WaylandWindowKeyboard waylandKeyboard;
    CombinedWindowKeyboard keyboard;
    qt::QtEventPump events;
    qt::SystemClock clock;
    qt::SequenceRandomSource random;
    qt::ProcessLauncher launcher;
    x11::X11KeepAbove keepAbove;
    qt::XdgDataFolder dataFolder;
    qt::SequenceRandomSource seededRandom;
    Platform platform{messageBox, inputBox, fileChooser, settings,  keyboard,   events,
                      clock,      random,   launcher,    keepAbove, dataFolder, seededRandom};
};

MachinePlatform::MachinePlatform(const QString& settingsApplication, const QString& title)
    : m_parts(std::make_unique<Parts>(settingsApplication, title))
{
}

MachinePlatform::~MachinePlatform() = default;

Platform& MachinePlatform::platform()
{
    return m_parts->platform;
}

} // namespace quorvex::platform
