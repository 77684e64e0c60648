#pragma once

#include <QString>
#include <QStringList>

// The faces that the windows are laid out for (Tahoma, MS Sans Serif, Arial, Times New Roman,
// Verdana) are Windows faces. On a Linux desktop the free faces of the same metrics stand in:
// Wine's Tahoma and MS Sans Serif, which lie in a folder that fontconfig does not search, and
// the Liberation faces.
namespace designfonts {

// Where Debian's fonts-wine puts Wine's faces.
QString defaultWineFolder();

// Whether `families`, as QFontDatabase::families() lists them, hold a face named `family`: letter
// case aside, and with or without a "[Foundry]" after the name, which Qt adds where a family comes
// from more than one foundry.
bool listsFamily(const QStringList &families, const QString &family);

// Registers Wine's Tahoma and MS Sans Serif from `wineFolder`, each only when
// the system has no face of that name, and maps Arial, Times New Roman and Verdana to their
// stand-ins where those are missing. A missing folder or file is no error: the faces of the
// system stand in then. Returns the families that were registered. Call once, after the
// application object exists. On Windows, whose own faces these are, it does nothing.
QStringList install(const QString &wineFolder = defaultWineFolder());

} // namespace designfonts
