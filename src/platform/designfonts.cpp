#include "platform/designfonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace {

struct WineFace {
    const char *family;
    QStringList files;
};

struct StandIn {
    const char *family;
    const char *standIn;
};

} // namespace

namespace designfonts {

QString defaultWineFolder() {
    return QStringLiteral("/usr/share/wine/fonts/");
}

QStringList install(const QString &wineFolder) {
    const WineFace wineFaces[] = {
        // Only the regular face: Wine's bold Tahoma (tahomabd.ttf) carries the regular outlines with
        // bold spacing, so bold text set in it would look regular. Without it, bold text is drawn
        // from the regular face emboldened, and comes out bold.
        {"Tahoma", {QStringLiteral("tahoma.ttf")}},
        {"MS Sans Serif", {QStringLiteral("ms_sans_serif.ttf")}},
    };
    const QString folder = wineFolder.endsWith(QLatin1Char('/')) ? wineFolder : wineFolder + QLatin1Char('/');
    QStringList registered;
    for (const WineFace &face : wineFaces) {
        const QString family = QLatin1String(face.family);
        if (QFontDatabase::hasFamily(family))
            continue;
        for (const QString &file : face.files) {
            const QString path = folder + file;
            if (!QFile::exists(path))
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id >= 0 && !registered.contains(family) &&
                QFontDatabase::applicationFontFamilies(id).contains(family))
                registered.append(family);
        }
    }

    const StandIn standIns[] = {
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Verdana", "DejaVu Sans"},
    };
    for (const StandIn &s : standIns) {
        const QString family = QLatin1String(s.family);
        if (!QFontDatabase::hasFamily(family))
            QFont::insertSubstitution(family, QLatin1String(s.standIn));
    }
    return registered;
}

} // namespace designfonts
