#pragma once

#include <QString>

namespace folders {
// The executable's folder, ending in '/'. Data files lie beside the executable.
QString programDir();
// The user's data folder, ending in '/', where Kerla.ini, KERLA.TMP and Cteni.tmp lie. When the
// platform cannot tell, this is .local/share in the home folder. The folder is created when it
// does not exist yet; *created (when given) is false when it is not there and cannot be made.
QString userDataDir(bool *created = nullptr);
} // namespace folders
