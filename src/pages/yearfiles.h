#pragma once

#include "pages/appcontext.h"

#include <QList>
#include <QString>

// Where a year's data lie. A year that the user imported lies in UserDataDir + "kerla/" and is read
// from there before the program's own folder. Its readings index and its week, month and year
// watchwords come from there too when the import wrote them; a year imported without them (a
// FreeXml file holds neither) keeps the program's own of that year, so that the day's readings do
// not vanish with a new text of the watchwords. A file left in the import folder without its day
// file is not read. The book files stay in ProgramDir's Data/.
namespace yearfiles {

// The names of a year's files.
QString dayFileName(int year);      // Kerla<year>.rtf
QString readingsFileName(int year); // Cteni<year>.sj
QString periodicFileName(int year); // Hesla<year>.sj: the week, month and year watchwords

// The sections of Hesla<year>.sj, each with the keys Text and Odkaz (the watchword and its
// reference as RTF text in code page 1250): "rok", "mesic 1".."mesic 12", "tyden 1".."tyden 54".
QString yearSection();
QString monthSection(int month);
QString weekSection(int week);

// UserDataDir + "kerla/": the folder that an import writes into.
QString importFolder(const AppContext &context);

// The folder that holds the year: the import folder when it has Kerla<year>.rtf, else ProgramDir.
QString folderFor(const AppContext &context, int year);

// The year's files (whether or not they exist): the day file in folderFor; the other two from the
// import folder when it holds the year and that file, else from ProgramDir.
QString dayFile(const AppContext &context, int year);      // Kerla<year>.rtf
QString readingsFile(const AppContext &context, int year); // Cteni<year>.sj
QString periodicFile(const AppContext &context, int year); // Hesla<year>.sj

// The years 1901..2099 whose day file lies in either folder, newest first, each once.
QList<int> years(const AppContext &context);

} // namespace yearfiles
