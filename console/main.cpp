// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"
#include "SettingsTable.h"
#include "platform/QtPlatformPreference.h"
#include "platform/qt/IniSettingsStore.h"
#include "platform/qt/ProcessLauncher.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtInputBox.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/SequenceRandomSource.h"
#include "platform/qt/SystemClock.h"
#include "platform/x11/X11KeepAbove.h"
#include "platform/x11/X11WindowKeyboard.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    quorvex::platform::preferX11WhereAvailable();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex III"));

    using namespace quorvex::platform;
    qt::QtMessageBox messageBox(QStringLiteral("Quorvex III"));
    qt::QtInputBox inputBox;
    qt::QtFileChooser fileChooser;
    qt::IniSettingsStore settings(qt::IniSettingsStore::defaultPath(quorvex::console::kSettingsApplication));
    x11::X11WindowKeyboard keyboard;
    qt::QtEventPump events;
    qt::SystemClock clock;
    qt::SequenceRandomSource random;
    qt::ProcessLauncher launcher;
    x11::X11KeepAbove keepAbove;
    Platform platform{messageBox, inputBox, fileChooser, settings, keyboard,
                      events,     clock,    random,      launcher, keepAbove};

    quorvex::console::Main window(platform);
    window.show();
    return QApplication::exec();
}
