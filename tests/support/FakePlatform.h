// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QDate>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace quorvex::test {

// A machine for the console to run on in tests: it records every box, question, activation, keystroke,
// setting, launch and data file, answers the dialogs from a script, and lets the test set the windows, date and randomness.
class FakePlatform final : private platform::MessageBox,
                           private platform::InputBox,
                           private platform::FileChooser,
                           private platform::SettingsStore,
                           private platform::WindowKeyboard,
                           private platform::EventPump,
                           private platform::Clock,
                           private platform::RandomSource,
                           private platform::Launcher,
                           private platform::KeepAbove,
                           private platform::DataFolder
{
public:
    FakePlatform();

    platform::Platform& platform() { return m_platform; }

    struct Box
    {
        QString prompt;
        platform::MessageStyle style = platform::MessageStyle::Plain;
        QString title;
    };
    struct Question
    {
        QString prompt;
        QString title;
        QString defaultText;
    };
    struct Sent
    {
        QString window;
        std::vector<platform::Keystroke> keys;
        bool wait = false;

        /// The keys as text, Enter written as "\n".
        QString text() const;
    };
    struct Launch
    {
        QString program;
        QStringList arguments;
    };

    // Message and input boxes
    std::vector<Box> boxes;
    std::vector<Question> questions;
    std::deque<std::optional<QString>> inputAnswers; // nothing, or an empty script, answers as Cancel does
    std::function<void()> onInputBox;                // runs while an input box is "open", before it answers
    std::function<void()> onMessageBox;              // runs while a box is "open"
    QWidget* parentWindow = nullptr;                 // the window every box, input box and file dialog belongs to

    // File dialog
    std::deque<std::optional<QString>> fileAnswers; // an empty script answers as Cancel does
    std::vector<std::pair<QString, int>> fileRequests;

    // Settings store
    std::map<std::pair<QString, QString>, QString> store;
    std::vector<std::pair<QString, QString>> writes; // section, key in the order written
    std::optional<QString> commitFailure;
    int commits = 0;
    platform::KeptAside keptAside; // what keepAside answers: by default there was no file
    int keepAsideCalls = 0;

    // Windows and keystrokes
    QStringList windowTitles;
    QString activeWindow;
    std::vector<QString> activations;
    std::vector<Sent> sent;
    QStringList unfocusableTitles; // windows that exist but never take the focus
    // Per type call: a failure types only the result's count of keys, then stops; an empty script types all.
    std::deque<platform::TypingResult> typeResults;
    std::function<void()> onPendingEvents;
    int pendingEventPasses = 0;

    /// What arrived in a window, Enter written as "\n".
    QString typedInto(const QString& window) const;

    // Date, randomness, processes, keep-above
    QDate date = QDate(2026, 3, 1);
    QTime time = QTime(20, 15, 7);
    std::deque<double> fractions; // drawn by both random sequences, the seeded one too
    std::vector<Launch> launches;
    std::optional<QString> launchFailure;
    std::vector<bool> keepAboveCalls;

    // Data folder
    std::map<QString, QString> dataFiles;  // name, text
    std::optional<QString> dataFailure;    // when set, every append fails with it and changes nothing
    std::optional<QString> dataReadFailure;

private:
    void show(const QString& prompt, platform::MessageStyle style, const QString& title) override;
    std::optional<QString> ask(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> chooseFileToOpen(const QString& filter, int filterIndex) override;
    void setParentWindow(QWidget& window) override;
    std::optional<QString> value(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    std::optional<QString> commit() override;
    platform::KeptAside keepAside() override;
    platform::KeyboardError activate(const QString& title, bool wait) override;
    platform::TypingResult type(std::span<const platform::Keystroke> keys, bool wait) override;
    void processPendingEvents() override;
    QDate today() const override;
    QDateTime now() const override;
    double nextFraction() override;
    std::optional<QString> startDetached(const QString& program, const QStringList& arguments) override;
    void setKeepAbove(QWidget& window, bool above) override;
    std::optional<QString> append(const QString& name, const QString& text) override;
    platform::DataFileText read(const QString& name) const override;

    platform::Platform m_platform;
};

} // namespace quorvex::test
