#pragma once

#include <QString>
#include <QStringList>

// The operating system's screen-saver settings.
namespace screensaver {

struct Command {
    QString program; // empty when there is none
    QStringList arguments;
};

// On Windows the display control panel's screen-saver page; elsewhere the first screen-saver or
// screen-lock settings program of the known desktops that is found on PATH.
Command settingsCommand();

// Starts the command detached; false when there is none or it cannot be started.
bool startSettings();

} // namespace screensaver
