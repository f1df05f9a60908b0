// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <csignal>

namespace quorvex::platform::posix {
namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but what is global; these two are all it touches.
int s_pipe[2] = {-1, -1};
volatile std::sig_atomic_t s_pending = 0;

extern "C" void onTerminationSignal(int signal)
{
    s_pending = 1;
    const auto byte = static_cast<unsigned char>(signal);
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = write(s_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> restore) : m_restore(std::move(restore))
{
    if (s_pipe[0] >= 0 || pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(s_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { onSignal(); });
    struct sigaction action
    {
    };
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier) {
        return;
    }
    for (const int signal : kSignals) {
        std::signal(signal, SIG_DFL);
    }
    m_notifier.reset();
    close(s_pipe[0]);
    close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
    s_pending = 0;
}

bool TerminationSignals::pending()
{
    return s_pending != 0;
}

void TerminationSignals::onSignal()
{
    unsigned char byte = 0;
    if (read(s_pipe[0], &byte, 1) != 1) {
        return;
    }
    m_restore();
    std::signal(byte, SIG_DFL);
    raise(byte);
}

} // namespace quorvex::platform::posix
