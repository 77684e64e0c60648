// SessionEnd's part on POSIX systems: SIGTERM, SIGINT and SIGHUP through a self-pipe.
#include "app/sessionend.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeFds[2] = {-1, -1};

extern "C" void onSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

void SessionEnd::watchSystem() {
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    m_watcher = notifier;
    connect(notifier, &QSocketNotifier::activated, this, &SessionEnd::onSystemRequest);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

void SessionEnd::unwatchSystem() {
    if (pipeFds[0] < 0)
        return;
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    delete m_watcher;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void SessionEnd::onSystemRequest() {
    char bytes[16];
    while (::read(pipeFds[0], bytes, sizeof bytes) > 0) {
    }
    end(true);
}
