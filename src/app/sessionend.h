#pragma once

#include <QObject>

#include <functional>

// Ends the program as the Esc key does when the system asks it to end, and when the session
// manager ends the session (logout). On POSIX systems the asking is SIGTERM, SIGINT and SIGHUP:
// the signal handler only writes the signal's number into a pipe; the event loop reads it and runs
// the close, once. A second signal during the close waits in the pipe (the handler restarts any
// call it interrupts), so it does not cut the settings write short; it only ends the event loops
// that the close may still be in, such as a message box waiting for a user who is logging out. On
// Windows it is the console's control events (Ctrl+C, Ctrl+Break, the console closed, logoff,
// shutdown), which arrive on a thread of their own: the event loop runs the close, and the
// handler waits for it before the system ends the process. (sessionend_posix.cpp and
// sessionend_win.cpp hold the two.)
class SessionEnd : public QObject {
    Q_OBJECT
public:
    // `close` is the close of the main window. One object at a time; it puts the system's default
    // handling back when it goes.
    explicit SessionEnd(std::function<void()> close, QObject *parent = nullptr);
    ~SessionEnd() override;

    // Runs the close (the first time only). `leaveEventLoops`: end the application's event loops
    // afterwards, as the signals do, so that an open dialog does not keep the program up.
    void end(bool leaveEventLoops);
    // How many times the close ran (0 or 1).
    int closes() const { return m_closes; }

private:
    // The system's part: starts and stops listening to the system's requests to end.
    void watchSystem();
    void unwatchSystem();
    // The system asked the program to end: the close, then the event loops end.
    void onSystemRequest();

    std::function<void()> m_close;
    QObject *m_watcher = nullptr; // the system's part, where it needs one
    int m_closes = 0;
};
