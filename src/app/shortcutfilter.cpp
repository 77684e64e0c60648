#include "app/shortcutfilter.h"

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
    if (QApplication::activePopupWidget()) {
        // An open menu or the picker's calendar takes its own keys (Enter picks the date, Esc
        // closes it): claiming the key keeps the menu shortcuts from acting behind the popup.
        event->accept();
        return true;
    }
    if (QApplication::activeModalWidget() || !m_main->isEnabled())
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // The keypad's arrows and Home are the same keys as the others.
    const QKeySequence sequence(key->keyCombination().toCombined() & ~int(Qt::KeypadModifier));
    if (!matchesEnabledMenuItem(m_main->menuBar(), sequence))
        return QObject::eventFilter(watched, event);
    // Not overridden: the shortcut map runs the menu command and the control never sees the key.
    event->ignore();
    return true;
}
