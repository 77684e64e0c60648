#pragma once

class MessageSink;
class QAction;
class QMenu;

// Adds "Spouštět po přihlášení" (Autostart1) to `menu`: a checkable item whose mark shows, each
// time the menu opens, whether the autostart entry is there. Checking it writes the entry for the
// running executable, unchecking removes it; a failure goes to the error report of `messages`.
QAction *addAutostartItem(QMenu *menu, MessageSink &messages);
