#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Ends the program as the Esc key does when the system asks it to end: on SIGTERM, SIGINT and
// SIGHUP, and when the session manager ends the session (logout). The signal handler only writes
// the signal's number into a pipe; the event loop reads it and runs the close, once. A second
// signal during the close waits in the pipe (the handler restarts any call it interrupts), so it
// does not cut the settings write short; it only ends the event loops that the close may still be
// in, such as a message box waiting for a user who is logging out.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    // `close` is the close of the main window. One object at a time; it puts the signals' default
    // actions back when it goes.
    explicit SessionEnd(std::function<void()> close, QObject *parent = nullptr);
    ~SessionEnd() override;

    // Runs the close (the first time only). `leaveEventLoops`: end the application's event loops
    // afterwards, as the signals do, so that an open dialog does not keep the program up.
    void end(bool leaveEventLoops);
    // How many times the close ran (0 or 1).
    int closes() const { return m_closes; }

private:
    void readSignal();

    std::function<void()> m_close;
    QSocketNotifier *m_notifier = nullptr;
    int m_closes = 0;
};
