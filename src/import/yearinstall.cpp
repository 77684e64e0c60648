// The second step of an import: the year's files checked as the program reads them, then put in
// place together.
#include "import/datacheck.h"
#include "import/yearimport.h"
#include "pages/yearfiles.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace yearimport {

Check check(const Files &files, const QString &programFolder) {
    Check out;
    const datacheck::YearCheck found =
        datacheck::checkYear(files.year, files.pages, files.readings, programFolder);
    static const QRegularExpression day(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    for (const datacheck::Problem &p : found.problems) {
        const QRegularExpressionMatch m = day.match(p.day);
        const QDate date = m.hasMatch()
                               ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                               : QDate();
        out.problems.append({date, p.file + QStringLiteral(": ") + p.message});
    }
    out.readingsCut = found.cut;
    return out;
}

namespace {

void writeWhole(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        file.close();
        QFile::remove(path);
        throw KerlaError(errors::unableToWriteTo(path));
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        QFile::remove(path);
        throw KerlaError(errors::unableToWriteTo(path));
    }
}

} // namespace

QStringList install(const Files &files, const QString &folder) {
    const QString dir = folder.endsWith(u'/') ? folder : folder + u'/';
    if (!QDir().mkpath(dir))
        throw KerlaError(errors::cannotCreateFile(dir, QStringLiteral("Cannot create the folder")));
    struct Slot {
        QString name;
        const QByteArray *bytes; // null: the year has no such file, an old one goes
        QString fresh, kept;
        bool placed = false, backedUp = false;
    };
    QList<Slot> slots = {
        {yearfiles::dayFileName(files.year), &files.pages, {}, {}},
        {yearfiles::readingsFileName(files.year),
         files.readings.isEmpty() ? nullptr : &files.readings,
         {},
         {}},
        {yearfiles::periodicFileName(files.year),
         files.periodic.isEmpty() ? nullptr : &files.periodic,
         {},
         {}},
    };
    const auto undo = [&] {
        for (Slot &s : slots) {
            if (s.placed)
                QFile::remove(dir + s.name);
            if (!s.fresh.isEmpty())
                QFile::remove(s.fresh);
            if (s.backedUp)
                QFile::rename(s.kept, dir + s.name);
        }
    };
    try {
        // Every new file is written whole before any old one is touched.
        for (Slot &s : slots) {
            if (!s.bytes)
                continue;
            s.fresh = dir + QLatin1Char('.') + s.name + QStringLiteral(".novy");
            writeWhole(s.fresh, *s.bytes);
        }
        for (Slot &s : slots) {
            if (!QFile::exists(dir + s.name))
                continue;
            s.kept = dir + QLatin1Char('.') + s.name + QStringLiteral(".puvodni");
            QFile::remove(s.kept);
            if (!QFile::rename(dir + s.name, s.kept))
                throw KerlaError(errors::unableToWriteTo(dir + s.name));
            s.backedUp = true;
        }
        for (Slot &s : slots) {
            if (!s.bytes)
                continue;
            if (!QFile::rename(s.fresh, dir + s.name))
                throw KerlaError(errors::unableToWriteTo(dir + s.name));
            s.fresh.clear();
            s.placed = true;
        }
    } catch (const KerlaError &) {
        undo();
        throw;
    }
    QStringList written;
    for (const Slot &s : slots) {
        if (s.backedUp)
            QFile::remove(s.kept);
        if (s.placed)
            written.append(dir + s.name);
    }
    return written;
}

} // namespace yearimport
