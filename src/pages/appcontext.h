#pragma once

#include "platform/errors.h"

#include <QDateTime>
#include <QString>

#include <functional>

// "Now" for the program; tests give it a fixed time.
struct Clock {
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QDate today() const { return now().date(); }
};

// What every window is given and nothing changes while the program runs: the program's and the
// user's folders, "now" and where messages go. Owner: main, which makes it once before any window;
// the windows keep a const reference. A test makes a fresh one.
struct AppContext {
    QString ProgramDir;  // ends in '/'
    QString UserDataDir; // ends in '/'
    Clock clock;
    MessageSink *messages = nullptr; // never null while windows run
    bool userDataDirMissing = false; // it could not be made; reported once, at start

    QString dayPagePath() const { return UserDataDir + QStringLiteral("KERLA.TMP"); }
    QString readingTextPath() const { return UserDataDir + QStringLiteral("Cteni.tmp"); }
    QString settingsPath() const { return UserDataDir + QStringLiteral("Kerla.ini"); }
};
