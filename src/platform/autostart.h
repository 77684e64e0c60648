#pragma once

#include <QByteArray>
#include <QString>

// Starting the program when the user logs in, with the argument "a", so that it shows the day's
// page once a day. On freedesktop systems this is a desktop entry in $XDG_CONFIG_HOME/autostart/;
// on Windows a shortcut in the user's Startup folder.
namespace autostart {

// Where the entry lies: $XDG_CONFIG_HOME/autostart/org.example.Kerla.desktop (by default under
// ~/.config), or the shortcut "Kerla Dorny.lnk" in the Startup folder on Windows.
QString entryPath();

// True when an entry (or anything else) stands at `path`.
bool isOn(const QString &path);

// Writes the entry at `path` that starts `executable` with the argument "a"; the folder is created
// when missing. Throws KerlaError "Unable to write to <path>" when it cannot be written.
void switchOn(const QString &path, const QString &executable);

// Removes the entry at `path`; nothing happens when there is none. Throws KerlaError
// "Unable to write to <path>" when it cannot be removed.
void switchOff(const QString &path);

// The desktop entry that starts `executable` with the argument "a".
QByteArray desktopEntry(const QString &executable);

// One argument of a desktop entry's Exec key: quoted where it holds a reserved character, '%'
// doubled, then escaped as a string value (so a backslash inside quotes becomes four).
QString execArgument(const QString &argument);

} // namespace autostart
