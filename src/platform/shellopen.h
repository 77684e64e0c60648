#pragma once

#include <QUrl>

// The shell's "open" for a link: the desktop's default handler for a web address or a mailto:
// link. On Windows it is the shell's own (ShellExecuteW with the verb "open", the normal show
// command), whose result above 32 is success; elsewhere Qt's handler of the desktop.
namespace shellopen {

// Hands `url` to the shell; false when nothing could be started. The call does not wait for the
// program that opens it.
bool open(const QUrl &url);

} // namespace shellopen
