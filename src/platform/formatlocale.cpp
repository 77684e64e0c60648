#include "platform/formatlocale.h"

QLocale formattingLocale(const QLocale &system) {
#ifdef Q_OS_WIN
    // Windows has no locale without a language: every user has chosen one, and a Czech program's
    // readers expect its dates in Czech whatever the regional format, as on Linux under C.
    Q_UNUSED(system);
    return QLocale(QLocale::Czech, QLocale::Czechia);
#else
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Czech, QLocale::Czechia);
    return system;
#endif
}

QLocale formattingLocale() {
    return formattingLocale(QLocale::system());
}
