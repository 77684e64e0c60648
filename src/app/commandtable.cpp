#include "app/commandtable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace commandtable {

namespace {

QToolButton *speedButton(QToolBar *bar, const ToolbarEntry &entry) {
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(entry.name));
    button->setToolTip(QString::fromUtf16(entry.hint));
    button->setFixedSize(36, 36);
    button->setIconSize(QSize(32, 32));
    button->setIcon(toolbarart::icon(entry.picture, bar->devicePixelRatioF()));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(entry.checkable);
    bar->addWidget(button);
    return button;
}

void separator(QToolBar *bar, const char *name, int width) {
    auto *gap = new QWidget(bar);
    gap->setObjectName(QLatin1String(name));
    gap->setFixedSize(width, 36);
    bar->addWidget(gap);
}

} // namespace

void buildMenus(QMenuBar *bar, const QList<Menu> &menus, QObject *receiver) {
    for (const Menu &m : menus) {
        QMenu *menu = bar->addMenu(QString::fromUtf16(m.caption));
        menu->setObjectName(QLatin1String(m.name));
        menu->menuAction()->setObjectName(QLatin1String(m.name));
        if (m.handle)
            *m.handle = menu;
        for (const MenuItem &i : m.items) {
            if (!i.caption) {
                menu->addSeparator()->setObjectName(QLatin1String(i.name));
                continue;
            }
            QAction *a = menu->addAction(QString::fromUtf16(i.caption));
            a->setObjectName(QLatin1String(i.name));
            a->setShortcuts(i.keys);
            a->setShortcutContext(Qt::ApplicationShortcut);
            if (i.run)
                QObject::connect(a, &QAction::triggered, receiver, i.run);
            if (i.handle)
                *i.handle = a;
        }
    }
}

void fillToolbar(QToolBar *bar, const QList<ToolbarEntry> &entries, QObject *receiver) {
    for (const ToolbarEntry &e : entries) {
        switch (e.kind) {
        case ToolbarEntry::Kind::Button: {
            QToolButton *b = speedButton(bar, e);
            if (e.run)
                QObject::connect(b, &QToolButton::clicked, receiver, e.run);
            if (e.handle)
                *e.handle = b;
            break;
        }
        case ToolbarEntry::Kind::Gap:
            separator(bar, e.name, e.width);
            break;
        case ToolbarEntry::Kind::Control:
            bar->addWidget(e.make(bar));
            break;
        }
    }
}

} // namespace commandtable
