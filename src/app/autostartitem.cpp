#include "app/autostartitem.h"

#include "platform/autostart.h"
#include "platform/errors.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

QAction *addAutostartItem(QMenu *menu, MessageSink &messages) {
    QAction *item = menu->addAction(QStringLiteral("Spouštět po přihlášení"));
    item->setObjectName(QStringLiteral("Autostart1"));
    item->setCheckable(true);
    // The mark follows the file, whatever changed it.
    auto showMark = [item] { item->setChecked(autostart::isOn(autostart::entryPath())); };
    QObject::connect(menu, &QMenu::aboutToShow, item, showMark);
    QObject::connect(item, &QAction::triggered, item, [&messages, showMark](bool on) {
        const QString path = autostart::entryPath();
        runCommand(messages, [&] {
            if (on)
                autostart::switchOn(path, QCoreApplication::applicationFilePath());
            else
                autostart::switchOff(path);
        });
        showMark();
    });
    showMark();
    return item;
}
