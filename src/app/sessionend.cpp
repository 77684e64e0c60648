// The close when the system or the session asks the program to end; the system's own requests
// are watched in sessionend_posix.cpp or sessionend_win.cpp.
#include "app/sessionend.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>

SessionEnd::SessionEnd(std::function<void()> close, QObject *parent)
    : QObject(parent), m_close(std::move(close)) {
    watchSystem();
    if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { end(false); });
}

SessionEnd::~SessionEnd() {
    unwatchSystem();
}

void SessionEnd::end(bool leaveEventLoops) {
    if (m_closes == 0) {
        ++m_closes;
        m_close();
    }
    if (leaveEventLoops)
        QCoreApplication::exit(0);
}
