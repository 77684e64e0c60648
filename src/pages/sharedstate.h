#pragma once

#include "errors.h"
#include "settingsfile.h"
#include "viewdate.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// The day's reading references, rebuilt by every refresh of the day page.
struct DayReadings {
    QString first;    // Cteni1
    QString second;   // Cteni2
    QString third;    // Cteni3
    QString pericope; // Perikopa: kept, but no command opens it

    void clear() { *this = DayReadings{}; }
};

// The daily watchword lines of one year, kept in memory between refreshes.
struct DailyStore {
    QList<QByteArray> lines;
    uint16_t LoadedYear = 0; // 0 at start; 3000 after a failed load
};

// What the passage cutting keeps between two reading commands.
struct PassageMarkers {
    QByteArray endMarker; // empty until the first reference with whole numbers
    int nextChapter = 0;  // last chapter + 1
};

// "Now" for the program; tests give it a fixed time.
struct Clock {
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QDate today() const { return now().date(); }
};

// The state that the windows share, owned by the application and handed to each window by
// reference. A test makes a fresh one.
struct SharedState {
    ViewDate viewDate;
    QString ProgramDir;  // ends in '/'
    QString UserDataDir; // ends in '/'
    DayReadings dayReadings;
    bool ClassicReadingWindow = false;
    uint8_t ReadingFontStyle = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    QString StoredDate;
    QString CurrentReference;
    QString referenceNotFoundMessage; // set at start-up to "Odkaz nebyl nelezen."
    PassageMarkers passageMarkers;
    DailyStore dailyStore;
    bool dayPageUnwritable = false; // the last write of KERLA.TMP failed, and was reported
    SettingsFile settings;          // Kerla.ini, read by the main window's creation, written by its close

    Clock clock;
    MessageSink *messages = nullptr; // never null while windows run

    QString dayPagePath() const { return UserDataDir + QStringLiteral("KERLA.TMP"); }
    QString readingTextPath() const { return UserDataDir + QStringLiteral("Cteni.tmp"); }
    QString settingsPath() const { return UserDataDir + QStringLiteral("Kerla.ini"); }
};
