// kerla-data: builds the program's sample data set from the Bible text.
//
//   kerla-data build SOURCEDIR OUTDIR YEARS...     Data/<abbrev>, Kerla<year>.rtf, Cteni<year>.sj
//   kerla-data lists SOURCEDIR REFSFILE OUT.cpp    the built-in 2025 week, month and year lists
//   kerla-data text FILE                           an RTF file's text as the program reads it
//   kerla-data check [--json] FOLDER [YEAR...]     checks a data set as the program reads it
//   kerla-data import [--year YEAR] FILE [FOLDER]  a year's data (LOSFILE, FreeXml, CSV, TSV) in
//   kerla-data ics [--alarm H:MM] FOLDER YEAR [FILE]  the year's watchwords as a calendar file
#include "datagen.h"
#include "daytext/calendarexport.h"
#include "daytext/pagetext.h"

#include "import/datacheck.h"
#include "import/yearimport.h"
#include "platform/errors.h"
#include "platform/folders.h"
#include "platform/rtftext.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

struct ArgumentError : KerlaError {
    using KerlaError::KerlaError;
};

const char kUsage[] =
    "použití: kerla-data check [--json] SLOŽKA [ROK...]       zkontroluje data roku\n"
    "         kerla-data import [--year ROK] SOUBOR [SLOŽKA] načte data roku (LOSFILE, FreeXml, CSV, TSV)\n"
    "         kerla-data ics [--alarm H:MM] SLOŽKA ROK [SOUBOR]  kerla roku do kalendáře (iCalendar)\n"
    "         kerla-data text SOUBOR                         text souboru RTF, jak ho program ukáže\n"
    "         kerla-data build ZDROJ SLOŽKA ROK...           ukázková data z textu Bible\n"
    "         kerla-data lists ZDROJ ODKAZY VÝSTUP.cpp       seznamy kerel roku 2025 pro sestavení\n"
    "Podrobnosti: man kerla-data\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// A year the program knows; anything else is an argument error.
int yearNumber(const QString &text) {
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || year < 1901 || year > 2099)
        throw ArgumentError(QStringLiteral("%1 není rok mezi 1901 a 2099").arg(text));
    return year;
}

void print(FILE *stream, const QString &text) {
    const QByteArray utf8 = text.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
}

// Exit status: 0 clean, 1 problems found, 2 the folder cannot be read.
int check(QStringList args) {
    const bool asJson = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.isEmpty())
        return usage();
    const QString folder = args.takeFirst();
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        print(stderr, QStringLiteral("kerla-data: složku %1 nelze číst").arg(folder));
        return 2;
    }
    QList<int> years;
    for (const QString &y : args)
        years.append(yearNumber(y));
    if (years.isEmpty())
        years = datacheck::yearsIn(folder);
    if (years.isEmpty()) {
        print(stderr, QStringLiteral("kerla-data: ve složce %1 nejsou data žádného roku (Kerla<rok>.rtf, "
                                     "Cteni<rok>.sj)")
                          .arg(folder));
        return 2;
    }
    QList<datacheck::Problem> problems;
    try {
        problems = datacheck::checkFolder(folder, years);
    } catch (const KerlaError &e) {
        print(stderr, QStringLiteral("kerla-data: ") + e.message());
        return 2;
    }
    if (asJson) {
        const QByteArray json = datacheck::json(problems);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    } else {
        for (const datacheck::Problem &p : problems)
            print(stdout, datacheck::textLine(p));
    }
    return problems.isEmpty() ? 0 : 1;
}

// Exit status: 0 written, nothing to report; 1 problems (the output says whether anything was
// written); 2 nothing written.
int import(QStringList args) {
    int year = 0;
    const qsizetype yearAt = args.indexOf(QStringLiteral("--year"));
    if (yearAt >= 0) {
        if (yearAt + 1 >= args.size())
            return usage();
        year = yearNumber(args[yearAt + 1]);
        args.remove(yearAt, 2);
    }
    if (args.size() != 1 && args.size() != 2)
        return usage();
    const QString file = args[0];
    QString folder = args.size() == 2 ? args[1] : folders::userDataDir() + QStringLiteral("kerla/");
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const auto refused = [&](const QString &why) {
        print(stderr, QStringLiteral("kerla-data: %1: %2").arg(file, why));
        print(stderr, QStringLiteral("kerla-data: nic nebylo zapsáno"));
        return 2;
    };
    if (QFileInfo(file).size() > yearimport::kMaxFileSize)
        return refused(QStringLiteral("soubor je větší než 20 MB; takový soubor program nečte"));
    QByteArray bytes;
    try {
        bytes = textfile::readAll(file);
    } catch (const KerlaError &e) {
        return refused(e.message());
    }
    // The books to cut the readings from: the folder's own Data/, else the program's.
    const QString books =
        QDir(folder + QStringLiteral("Data")).isEmpty(QDir::Files) ? folders::programDir() : folder;
    const yearimport::Result result = yearimport::convert(bytes, references::booksIn(books), year);
    QList<yeartext::Problem> problems = result.problems;
    if (result.fatal()) {
        for (const yeartext::Problem &p : problems)
            print(stderr, QFileInfo(file).fileName() + QStringLiteral(": ") + yearimport::problemText(p));
        print(stderr, QStringLiteral("kerla-data: nic nebylo zapsáno"));
        return 2;
    }
    const yearimport::Check check = yearimport::check(result.files, books);
    problems += check.problems;
    QStringList written;
    try {
        written = yearimport::install(result.files, folder);
    } catch (const KerlaError &e) {
        for (const yeartext::Problem &p : problems)
            print(stdout, yearimport::problemText(p));
        return refused(e.message());
    }
    const yearimport::Files &f = result.files;
    print(stdout, QStringLiteral("Zapsáno: ") + written.join(QStringLiteral(", ")));
    print(stdout, QStringLiteral("Rok %1 (%2): %3 dní, %4 čtení, z toho %5 se vyřízne z knih.")
                      .arg(f.year)
                      .arg(f.format)
                      .arg(f.days)
                      .arg(f.references)
                      .arg(check.readingsCut));
    for (const yeartext::Problem &p : problems)
        print(stdout, yearimport::problemText(p));
    if (problems.isEmpty())
        return 0;
    print(stdout, QStringLiteral("Problémů: %1; soubory roku byly přesto zapsány.").arg(problems.size()));
    return 1;
}

// The year's calendar, as the program's export writes it (hesla-<year>.ics by default).
int ics(QStringList args) {
    std::optional<QTime> alarm;
    const qsizetype alarmAt = args.indexOf(QStringLiteral("--alarm"));
    if (alarmAt >= 0) {
        if (alarmAt + 1 >= args.size())
            return usage();
        const QTime time = QTime::fromString(args[alarmAt + 1], QStringLiteral("H:mm"));
        if (!time.isValid())
            throw ArgumentError(QStringLiteral("%1 není čas (H:MM)").arg(args[alarmAt + 1]));
        alarm = time;
        args.remove(alarmAt, 2);
    }
    if (args.size() < 2 || args.size() > 3)
        return usage();
    const QString folder = args[0];
    const int year = yearNumber(args[1]);
    const QString file = args.value(2, calendarexport::defaultFileName(year));
    const QList<yeardays::Day> days = calendarexport::days(
        [&](int y) { return yeardays::inFolder(folder, y); }, QDate(year, 1, 1), QDate(year, 12, 31));
    const int written = calendarexport::write(file, days, {QDateTime::currentDateTimeUtc(), alarm});
    print(stdout, QStringLiteral("Zapsáno: %1 (%2)").arg(file, pagetext::dayCount(written)));
    return 0;
}

void build(const QString &sourceDir, const QString &outDir, const QStringList &years) {
    QList<int> numbers;
    for (const QString &y : years)
        numbers.append(yearNumber(y));
    const datagen::Bible bible = datagen::loadBible(sourceDir);
    if (!QDir().mkpath(outDir))
        throw KerlaError(errors::cannotCreateFile(outDir, QStringLiteral("Cannot create the folder")));
    datagen::writeBookFiles(bible, outDir);
    const datagen::DailyPages pages(bible);
    for (int year : numbers) {
        textfile::writeAll(QStringLiteral("%1/Kerla%2.rtf").arg(outDir).arg(year), pages.yearFile(year));
        textfile::writeAll(QStringLiteral("%1/Cteni%2.sj").arg(outDir).arg(year),
                           datagen::readingsIndex(bible, year));
    }
}

void lists(const QString &sourceDir, const QString &refsFile, const QString &outFile) {
    const datagen::Bible bible = datagen::loadBible(sourceDir);
    const QString refs = QString::fromUtf8(textfile::readAll(refsFile));
    textfile::writeAll(outFile, datagen::listsSource(bible, refs, QFileInfo(refsFile).fileName()));
}

} // namespace

int main(int argc, char **argv) {
    // Reading an RTF file's text (rtf::plainText) needs no text document, so no GUI application.
    QCoreApplication app(argc, argv);
    const QString command = QCoreApplication::arguments().value(1);
    const QStringList args = QCoreApplication::arguments().mid(2);

    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        if (command == QLatin1String("build") && args.size() >= 3) {
            build(args[0], args[1], args.mid(2));
        } else if (command == QLatin1String("lists") && args.size() == 3) {
            lists(args[0], args[1], args[2]);
        } else if (command == QLatin1String("check")) {
            return check(args);
        } else if (command == QLatin1String("import")) {
            return import(args);
        } else if (command == QLatin1String("ics")) {
            return ics(args);
        } else if (command == QLatin1String("text") && args.size() == 1) {
            const QString text = rtf::plainText(textfile::readAll(args[0]));
            const QByteArray utf8 = text.toUtf8();
            std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
            if (!text.endsWith(QLatin1Char('\n')))
                std::fputc('\n', stdout);
        } else {
            return usage();
        }
    } catch (const ArgumentError &e) {
        std::fprintf(stderr, "kerla-data: %s\n", e.what());
        return 2;
    } catch (const KerlaError &e) {
        std::fprintf(stderr, "kerla-data: %s\n", e.what());
        return 1;
    }
    return 0;
}
