// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"
#include "SettingsTable.h"
#include "platform/machine/MachinePlatform.h"
#include "platform/qt/QtPlatformPreference.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    quorvex::platform::preferX11WhereAvailable();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex III"));

    quorvex::platform::MachinePlatform machine(quorvex::console::kSettingsApplication, QStringLiteral("Quorvex III"));
    quorvex::console::Main window(machine.platform());
    window.show();
    return QApplication::exec();
}
