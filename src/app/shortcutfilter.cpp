#include "app/shortcutfilter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// The property that marks a window which keeps its navigation keys.
const char kOwnKeys[] = "kerlaOwnNavigationKeys";

bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

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

void ShortcutFilter::giveNavigationKeysTo(QWidget *window) {
    window->setProperty(kOwnKeys, true);
}

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
    const QWidget *active = QApplication::activeWindow();
    if (active && active->property(kOwnKeys).toBool() && isNavigationKey(key->key())) {
        // Claimed for the focused control of that window: the menu's command does not run.
        event->accept();
        return true;
    }
    // The keypad's arrows and Home are the same keys as the others.
    const QKeySequence sequence(key->keyCombination().toCombined() & ~int(Qt::KeypadModifier));
    if (!matchesEnabledMenuItem(m_main->menuBar(), sequence))
        return QObject::eventFilter(watched, event);
    // Not overridden: the shortcut map runs the menu command and the control never sees the key.
    event->ignore();
    return true;
}
