#pragma once

#include <QObject>
#include <QPointer>

class QMainWindow;

// Lets the main menu's shortcuts act for the whole application, before the focused control sees
// the key, as a main menu does: a key that matches an enabled menu command is taken away from
// the focused control (which would otherwise keep Left, Right, Home or Enter for itself), so the
// command runs. Keys are left alone while a modal dialog or a popup (an open menu, the picker's
// calendar) is open, or while the main window is disabled, and a window that keeps its navigation
// keys (giveNavigationKeysTo) gets those first.
class ShortcutFilter : public QObject {
    Q_OBJECT
public:
    explicit ShortcutFilter(QMainWindow *mainWindow, QObject *parent = nullptr);
    bool eventFilter(QObject *watched, QEvent *event) override;

    // While this window is active, its own Enter, Esc, arrow and page keys come before the menu's
    // (the search window: Enter opens a result, Esc closes it, the arrows move in its list).
    static void giveNavigationKeysTo(QWidget *window);

private:
    QPointer<QMainWindow> m_main;
};
