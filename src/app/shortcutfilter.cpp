#include "shortcutfilter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

bool matchesEnabledMenuItem(QMenuBar *bar, const QKeySequence &key) {
    for (QAction *menuAction : bar->actions()) {
        QMenu *menu = menuAction->menu();
        if (!menu)
            continue;
        for (QAction *a : menu->actions()) {
            if (a->isEnabled() && a->shortcuts().contains(key))
                return true;
        }
    }
    return false;
}

} // namespace

ShortcutFilter::ShortcutFilter(QMainWindow *mainWindow, QObject *parent)
    : QObject(parent), m_main(mainWindow) {}

bool ShortcutFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ShortcutOverride || !m_main)
        return QObject::eventFilter(watched, event);
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || !m_main->isEnabled())
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (!matchesEnabledMenuItem(m_main->menuBar(), QKeySequence(key->keyCombination())))
        return QObject::eventFilter(watched, event);
    // Not overridden: the shortcut map runs the menu command and the control never sees the key.
    event->ignore();
    return true;
}
