#pragma once

#include "art/toolbaricons.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;
class QToolButton;
class QWidget;

// The shapes of the main window's command table and the builders that make its menus and toolbar
// from it. Each command is one row: its object name, caption or hint, keys, picture and handler.
// The builder connects the control to the handler and hands back the control where a row asks
// for it, so nothing is looked up by name afterwards.
namespace commandtable {

using Handler = std::function<void()>;

// A menu item; one without a caption is a separator. `handle`, when given, receives the item.
struct MenuItem {
    const char *name;
    const char16_t *caption = nullptr;
    QList<QKeySequence> keys = {};
    Handler run = {};
    QAction **handle = nullptr;
};

// A menu of the menu bar with its items. `handle`, when given, receives the menu.
struct Menu {
    const char *name;
    const char16_t *caption;
    QList<MenuItem> items;
    QMenu **handle = nullptr;
};

// An entry of the toolbar, from the left: a button with a picture and a hint, a gap of a given
// width, or a control that the window makes, in its turn, on the bar (the picker, the clock).
struct ToolbarEntry {
    enum class Kind { Button, Gap, Control };
    Kind kind;
    const char *name = nullptr;
    const char16_t *hint = nullptr;
    toolbarart::Picture picture = {};
    Handler run = {};
    QToolButton **handle = nullptr;
    bool checkable = false; // stays down once pressed
    int width = 0;          // a gap's
    std::function<QWidget *(QToolBar *)> make = {};
};

inline ToolbarEntry button(const char *name, const char16_t *hint, toolbarart::Picture picture, Handler run,
                           QToolButton **handle = nullptr, bool checkable = false) {
    return {ToolbarEntry::Kind::Button, name, hint, picture, std::move(run), handle, checkable};
}
inline ToolbarEntry gap(const char *name, int width) {
    ToolbarEntry e{ToolbarEntry::Kind::Gap, name};
    e.width = width;
    return e;
}
inline ToolbarEntry control(std::function<QWidget *(QToolBar *)> make) {
    ToolbarEntry e{ToolbarEntry::Kind::Control};
    e.make = std::move(make);
    return e;
}

// Adds the menus to the bar, their items with keys that act for the whole application, each
// item's `triggered` connected to its handler in the context of `receiver`.
void buildMenus(QMenuBar *bar, const QList<Menu> &menus, QObject *receiver);

// Adds the entries to the toolbar in order, each button's `clicked` connected to its handler in
// the context of `receiver`.
void fillToolbar(QToolBar *bar, const QList<ToolbarEntry> &entries, QObject *receiver);

} // namespace commandtable
