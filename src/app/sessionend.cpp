#include "app/sessionend.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
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

SessionEnd::SessionEnd(std::function<void()> close, QObject *parent)
    : QObject(parent), m_close(std::move(close)) {
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) == 0) {
        m_notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::readSignal);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : kSignals)
            ::sigaction(s, &action, nullptr);
    }
    if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { end(false); });
}

SessionEnd::~SessionEnd() {
    if (pipeFds[0] < 0)
        return;
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    delete m_notifier;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void SessionEnd::readSignal() {
    char bytes[16];
    while (::read(pipeFds[0], bytes, sizeof bytes) > 0) {
    }
    end(true);
}

void SessionEnd::end(bool leaveEventLoops) {
    if (m_closes == 0) {
        ++m_closes;
        m_close();
    }
    if (leaveEventLoops)
        QCoreApplication::exit(0);
}
