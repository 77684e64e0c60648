#include "pages/yearfiles.h"

#include "platform/textfile.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace yearfiles {

QString dayFileName(int year) {
    return QStringLiteral("Kerla%1.rtf").arg(year);
}

QString readingsFileName(int year) {
    return QStringLiteral("Cteni%1.sj").arg(year);
}

QString periodicFileName(int year) {
    return QStringLiteral("Hesla%1.sj").arg(year);
}

QString yearSection() {
    return QStringLiteral("rok");
}

QString monthSection(int month) {
    return QStringLiteral("mesic %1").arg(month);
}

QString weekSection(int week) {
    return QStringLiteral("tyden %1").arg(week);
}

QString importFolder(const AppContext &context) {
    return context.UserDataDir + QStringLiteral("kerla/");
}

QString folderFor(const AppContext &context, int year) {
    const QString imported = importFolder(context);
    return textfile::fileExists(imported + dayFileName(year)) ? imported : context.ProgramDir;
}

QString dayFile(const AppContext &context, int year) {
    return folderFor(context, year) + dayFileName(year);
}

namespace {

// A file of the imported year when the import wrote it, else the program's own.
QString fileOfYear(const AppContext &context, int year, const QString &name) {
    const QString folder = folderFor(context, year);
    return textfile::fileExists(folder + name) ? folder + name : context.ProgramDir + name;
}

} // namespace

QString readingsFile(const AppContext &context, int year) {
    return fileOfYear(context, year, readingsFileName(year));
}

QString periodicFile(const AppContext &context, int year) {
    return fileOfYear(context, year, periodicFileName(year));
}

QList<int> years(const AppContext &context) {
    static const QRegularExpression name(QStringLiteral("^Kerla(\\d{4})\\.rtf$"));
    QList<int> found;
    for (const QString &folder : {importFolder(context), context.ProgramDir}) {
        const QStringList files = QDir(folder).entryList({QStringLiteral("Kerla*.rtf")}, QDir::Files);
        for (const QString &file : files) {
            const QRegularExpressionMatch m = name.match(file);
            const int year = m.hasMatch() ? m.captured(1).toInt() : 0;
            if (year >= 1901 && year <= 2099 && !found.contains(year))
                found.append(year);
        }
    }
    std::sort(found.begin(), found.end(), std::greater<int>());
    return found;
}

} // namespace yearfiles
