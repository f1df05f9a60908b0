// SPDX-License-Identifier: GPL-3.0-or-later
// A console process cut down to its keyboard, for the end-to-end tests that kill the console while it types: it
// types TEXT (COUNT times over) into the window titled TITLE, then lingers until its borrowed keys are given back.
// Started without arguments it only opens the keyboard, which repairs what a killed console left behind.

#include "platform/unix/TerminationSignals.h"
#include "platform/x11/X11WindowKeyboard.h"

#include <QCoreApplication>
#include <QTimer>

#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const quorvex::platform::x11::X11Display display;
    quorvex::platform::x11::X11WindowKeyboard keyboard(display);
    const quorvex::platform::posix::TerminationSignals terminationSignals([&keyboard] { keyboard.restoreKeyboard(); });
    if (argc != 4) {
        return argc == 1 ? 0 : 2;
    }
    using quorvex::platform::Keystroke;
    const QString title = QString::fromUtf8(argv[1]);
    const std::u32string text = QString::fromUtf8(argv[2]).toStdU32String();
    const int count = QString::fromUtf8(argv[3]).toInt();
    std::vector<Keystroke> keys;
    for (int i = 0; i < count; ++i) {
        for (const char32_t c : text) {
            keys.push_back({Keystroke::Kind::Character, c});
        }
    }
    keys.push_back({Keystroke::Kind::Enter, 0});
    if (keyboard.activate(title, true) != quorvex::platform::KeyboardError::None) {
        return 1;
    }
    const auto typed = keyboard.type(keys, false);
    QTimer::singleShot(3000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    return typed.error == quorvex::platform::KeyboardError::None ? 0 : 1;
}
