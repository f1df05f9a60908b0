// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

// Not `unix`: in the GNU dialects of C++ that is a predefined macro.
namespace quorvex::platform::posix {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop, so that the console can put the host's keyboard
// back before it ends: the handler only writes the signal's number to a pipe, the one thing it may safely do, and
// the notifier reads it. After the call the signal's own default action ends the program as it would have.
class TerminationSignals final
{
public:
    explicit TerminationSignals(std::function<void()> restore);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    /// Whether a signal has come and waits for the event loop; long work checks it to stop early.
    static bool pending();

private:
    void onSignal();

    std::function<void()> m_restore;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace quorvex::platform::posix
