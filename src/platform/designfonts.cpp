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

bool listsFamily(const QStringList &families, const QString &family) {
    for (const QString &listed : families) {
        const qsizetype foundry = listed.indexOf(QLatin1String(" ["));
        const QStringView name = foundry < 0 || !listed.endsWith(QLatin1Char(']'))
                                     ? QStringView(listed)
                                     : QStringView(listed).left(foundry);
        if (name.compare(family, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList install(const QString &wineFolder) {
#ifdef Q_OS_WIN
    // Windows has the design's faces itself: nothing is registered or stood in for.
    Q_UNUSED(wineFolder);
    return {};
#else
    // One look at the system's list of faces. (QFontDatabase::hasFamily would first have fontconfig
    // apply its whole configuration to each name, a third of a millisecond a name at start-up.)
    // Registering Wine's two faces adds no face of the other names, so the list stays right.
    const QStringList system = QFontDatabase::families();
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
        if (listsFamily(system, family))
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
        if (!listsFamily(system, family))
            QFont::insertSubstitution(family, QLatin1String(s.standIn));
    }
    return registered;
#endif
}

} // namespace designfonts
