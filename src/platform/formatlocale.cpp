#include "platform/formatlocale.h"

QLocale formattingLocale(const QLocale &system) {
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Czech, QLocale::Czechia);
    return system;
}

QLocale formattingLocale() {
    return formattingLocale(QLocale::system());
}
