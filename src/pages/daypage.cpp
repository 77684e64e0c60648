#include "pages/daypage.h"

#include "pages/addresses.h"
#include "pages/dates.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace daypage {

QString yearFilePath(const QString &programDir, uint16_t year) {
    return programDir + QStringLiteral("Kerla%1.rtf").arg(year);
}

QString readingsIndexPath(const QString &programDir, uint16_t year) {
    return programDir + QStringLiteral("Cteni%1.sj").arg(year);
}

int lineNumber(const ViewDate &date) {
    return (date.month - 1) * 31 + (date.day - 1);
}

QByteArray pageBytes(const QByteArray &line) {
    return "{\\rtf1\\ansi " + line + "}\r\n";
}

QByteArray substitutePageBytes(const QString &shortDate) {
    QByteArray page = "{\\rtf1\\ansi ";
    page += "\\par\\par\\b\\qc Data na ";
    page += cp1250::fromUnicode(shortDate);
    page += cp1250::fromUnicode(
        u" nebyla nalezena! \\par\\par\\plain Nejnovější data neleznete na internetu na adrese: "
        u"\\par\\b ");
    page += addresses::Web;
    page += cp1250::fromUnicode(u" \\par\\plain Nebo pište na adresu: \\par\\b ");
    page += addresses::Mail;
    page += "}\r\n";
    return page;
}

void ComposeDayPage(const AppContext &context, const ViewDate &date, DailyStore &store) {
    const QString yearFile = yearFilePath(context.ProgramDir, date.year);
    if (!textfile::fileExists(yearFile)) {
        textfile::writeAll(context.dayPagePath(), substitutePageBytes(shortDateText(ViewDateAsDate(date))));
        return;
    }
    if (date.year != store.LoadedYear) {
        store.LoadedYear = date.year;
        try {
            store.lines = textfile::readLines(yearFile);
        } catch (const KerlaError &) {
            // Nothing of another year is shown under this date: the day's lookup then reports
            // the missing line, and the next refresh tries the file again.
            store.LoadedYear = 3000;
            store.lines.clear();
        }
    }
    const int n = lineNumber(date);
    if (n >= store.lines.size())
        throw KerlaError(errors::listIndexOutOfBounds(n));
    textfile::writeAll(context.dayPagePath(), pageBytes(store.lines.at(n)));
}

DayReadings readDayReadings(const QString &programDir, const ViewDate &date) {
    // One read of the index for the day's four keys.
    const ProfileSection day =
        ProfileFile(readingsIndexPath(programDir, date.year)).readSection(sectionDateText(date));
    DayReadings r;
    r.first = day.readString(QStringLiteral("Cteni1"), r.first);
    r.second = day.readString(QStringLiteral("Cteni2"), r.second);
    r.third = day.readString(QStringLiteral("Cteni3"), r.third);
    r.pericope = day.readString(QStringLiteral("Perikopa"), r.pericope);
    return r;
}

} // namespace daypage
