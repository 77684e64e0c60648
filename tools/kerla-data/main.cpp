// kerla-data: builds the program's sample data set from the Bible text.
//
//   kerla-data build SOURCEDIR OUTDIR YEARS...     Data/<abbrev>, Kerla<year>.rtf, Cteni<year>.sj
//   kerla-data lists SOURCEDIR REFSFILE OUT.cpp    the built-in 2025 week, month and year lists
//   kerla-data text FILE                           an RTF file's text as the program reads it
#include "datagen.h"

#include "platform/errors.h"
#include "platform/rtftext.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage() {
    std::fputs("usage: kerla-data build SOURCEDIR OUTDIR YEARS...\n"
               "       kerla-data lists SOURCEDIR REFSFILE OUT.cpp\n"
               "       kerla-data text FILE\n",
               stderr);
    return 2;
}

void build(const QString &sourceDir, const QString &outDir, const QStringList &years) {
    QList<int> numbers;
    for (const QString &y : years) {
        bool ok = false;
        const int year = y.toInt(&ok);
        if (!ok || year < 1901 || year > 2099)
            throw KerlaError(QStringLiteral("not a year between 1901 and 2099: %1").arg(y));
        numbers.append(year);
    }
    const datagen::Bible bible = datagen::loadBible(sourceDir);
    QDir().mkpath(outDir);
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

    try {
        if (command == QLatin1String("build") && args.size() >= 3) {
            build(args[0], args[1], args.mid(2));
        } else if (command == QLatin1String("lists") && args.size() == 3) {
            lists(args[0], args[1], args[2]);
        } else if (command == QLatin1String("text") && args.size() == 1) {
            const QString text = rtf::plainText(textfile::readAll(args[0]));
            const QByteArray utf8 = text.toUtf8();
            std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
            if (!text.endsWith(QLatin1Char('\n')))
                std::fputc('\n', stdout);
        } else {
            return usage();
        }
    } catch (const KerlaError &e) {
        std::fprintf(stderr, "kerla-data: %s\n", e.what());
        return 1;
    }
    return 0;
}
