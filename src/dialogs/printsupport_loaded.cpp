// The table loaded from the module on first use: what the program itself uses.
#include "dialogs/printsupport.h"
#include "platform/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace printsupport {

namespace {

QString failed(const QString &reason) {
    return QStringLiteral("Tisk se nezdařil: tiskové služby programu nelze načíst (%1).").arg(reason);
}

} // namespace

const Functions *loadModule(const QString &path, QString *error) {
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("soubor %1 chybí").arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    // Once loaded, the module stays until the program ends: the printer it made lives as long.
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load()) {
        *error = library.errorString();
        return nullptr;
    }
    using Entry = const Functions *(*)();
    const auto entry = reinterpret_cast<Entry>(library.resolve("kerla_printsupport_functions"));
    const Functions *table = entry ? entry() : nullptr;
    if (!table || table->size != sizeof(Functions)) {
        *error =
            QStringLiteral("soubor %1 nepatří k této verzi programu").arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    return table;
}

const Functions &ModuleLoader::functions() {
    if (!m_loaded) {
        QString reason;
        m_loaded = loadModule(modulePath(QCoreApplication::applicationDirPath()), &reason);
        if (!m_loaded)
            throw KerlaError(failed(reason));
    }
    return *m_loaded;
}

} // namespace printsupport
