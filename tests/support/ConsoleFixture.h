// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "console/Main.h"
#include "support/FakePlatform.h"

#include <QStringList>

#include <map>
#include <memory>
#include <utility>

class QPushButton;

namespace quorvex::test {

/// The room window that a console with its design values says its lines into.
inline const QString kRoom = QStringLiteral("Trivia  Adult");

// A console window on the fake machine with the room open, and short ways to drive it and to read what happened.
class ConsoleFixture
{
public:
    using Store = std::map<std::pair<QString, QString>, QString>;

    /// Starts the console on a fake store that holds `stored`; an empty one makes a first start.
    explicit ConsoleFixture(const Store& stored = {});
    /// Starts the console on `store` in place of the fake store; the store has to outlive the fixture.
    explicit ConsoleFixture(platform::SettingsStore& store);

    FakePlatform fake;

    console::Main& window() { return *m_window; }
    const console::Main& window() const { return *m_window; }
    const console::MainControls& ui() const { return m_window->controls(); }
    /// Drops the window without closing it, as a crash would, and starts a new one on the same machine.
    void restart();

    /// Queues confirmed entries for the next input boxes.
    void answer(const QStringList& entries);
    /// Queues a Cancel for the next input box; an empty script answers so as well.
    void cancel() { fake.inputAnswers.push_back(std::nullopt); }
    static void click(QWidget* control);
    QPushButton* macro(int index) const;
    void pressMacro(int index, Qt::MouseButton button);
    void setScores(const QString& team0, const QString& team1);
    QStringList scores() const;

    /// What reached the room, Enter written as "\n".
    QString said() const { return fake.typedInto(kRoom); }
    /// Every box shown, as "prompt | style | title", the style being "plain", "critical" or "information".
    QStringList boxes() const;
    /// Every input box, as "prompt | title | default".
    QStringList questions() const;
    /// A value in the fake store, "<absent>" when it was never written.
    QString stored(const QString& section, const QString& key) const;

private:
    platform::Platform m_platform;
    std::unique_ptr<console::Main> m_window;
};

} // namespace quorvex::test
