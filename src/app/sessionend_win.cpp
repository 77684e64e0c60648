// SessionEnd's part on Windows: the console's control events. The system calls the handler on a
// thread of its own; the handler hands the request to the event loop and waits for the close,
// since for the console's close, logoff and shutdown the process ends when the handler returns.
// (A program without a console gets the session's end as WM_QUERYENDSESSION, which Qt turns into
// commitDataRequest.)
#include "app/sessionend.h"

#include <QMutex>

#include <windows.h>

namespace {

// Emitted on the handler's thread, received on the event loop's.
class ControlRelay : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    void requested();
};

QMutex relayGuard;
ControlRelay *relay = nullptr; // while a SessionEnd lives
HANDLE closed = nullptr;       // set when the SessionEnd goes, after its close

// How long the handler waits for the close; the system gives a console's close 5 s, a logoff or
// shutdown more.
constexpr DWORD kCloseWaitMs = 20000;

BOOL WINAPI onControl(DWORD type) {
    switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        break;
    default:
        return FALSE;
    }
    HANDLE wait = nullptr;
    {
        QMutexLocker lock(&relayGuard);
        if (!relay)
            return FALSE;
        Q_EMIT relay->requested();
        wait = closed;
    }
    if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(wait, kCloseWaitMs);
    return TRUE;
}

} // namespace

void SessionEnd::watchSystem() {
    auto *watcher = new ControlRelay(this);
    connect(watcher, &ControlRelay::requested, this, &SessionEnd::onSystemRequest, Qt::QueuedConnection);
    {
        QMutexLocker lock(&relayGuard);
        relay = watcher;
        closed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    m_watcher = watcher;
    SetConsoleCtrlHandler(onControl, TRUE);
}

void SessionEnd::unwatchSystem() {
    SetConsoleCtrlHandler(onControl, FALSE);
    QMutexLocker lock(&relayGuard);
    relay = nullptr;
    if (closed) {
        // A handler still waiting lets the system end the process now. The event stays open: that
        // handler may not have come back from its wait yet.
        SetEvent(closed);
        closed = nullptr;
    }
}

void SessionEnd::onSystemRequest() {
    end(true);
}

#include "sessionend_win.moc"
