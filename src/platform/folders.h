#pragma once

#include <QString>

namespace folders {
// The folder of the data set, ending in '/': the executable's folder when it holds the data set
// (a build tree, a copied folder), otherwise ../share/kerla/ beside it (an installed tree).
QString programDir();
// The same for an executable in `exeDir`. Where neither folder holds a data set, the executable's
// folder is kept, so the messages about missing files name the folder beside the program.
QString programDirFor(const QString &exeDir);
// The user's data folder, ending in '/', where Kerla.ini, KERLA.TMP and Cteni.tmp lie:
// $XDG_DATA_HOME (by default ~/.local/share), on Windows %LOCALAPPDATA%. When the platform cannot
// tell, this is .local/share in the home folder. The folder is created when it
// does not exist yet; *created (when given) is false when it is not there and cannot be made.
QString userDataDir(bool *created = nullptr);
} // namespace folders
