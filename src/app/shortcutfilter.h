#pragma once

#include <QObject>
#include <QPointer>

class QMainWindow;

// Lets the main menu's shortcuts act for the whole application, before the focused control sees
// the key, as a main menu does: a key that matches an enabled menu command is taken away from
// the focused control (which would otherwise keep Left, Right, Home or Enter for itself), so the
// command runs. Keys are left alone while a modal dialog or a popup (an open menu, the picker's
// calendar) is open, or while the main window is disabled.
class ShortcutFilter : public QObject {
    Q_OBJECT
public:
    explicit ShortcutFilter(QMainWindow *mainWindow, QObject *parent = nullptr);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QMainWindow> m_main;
};
