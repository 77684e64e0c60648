#include "dialogs/programicon.h"

#include <QDir>
#include <QGuiApplication>

QIcon programWindowIcon() {
    // The resource holds the icon theme's folders: <n>x<n>/apps/org.example.Kerla.png.
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString &folder : sizes.entryList(QDir::Dirs)) {
        const int size = folder.section(QLatin1Char('x'), 0, 0).toInt();
        icon.addFile(sizes.filePath(folder + QStringLiteral("/apps/org.example.Kerla.png")),
                     QSize(size, size));
    }
    return icon;
}

QPixmap programIcon(int size) {
    return programWindowIcon().pixmap(QSize(size, size), qGuiApp->devicePixelRatio());
}
