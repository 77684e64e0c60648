#include "pages/daypage.h"

#include "pages/addresses.h"
#include "pages/dates.h"
#include "pages/yearfiles.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/profile.h"
#include "platform/textfile.h"

#include <utility>

void DailyStore::load(QByteArray text) {
    m_lines = textfile::lineBounds(text);
    m_text = std::move(text);
}

namespace daypage {

QString yearFilePath(const QString &programDir, uint16_t year) {
    return programDir + QStringLiteral("Kerla%1.rtf").arg(year);
}

QString readingsIndexPath(const QString &programDir, uint16_t year) {
    return programDir + QStringLiteral("Cteni%1.sj").arg(year);
}

int lineNumber(const ViewDate &date) {
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return -1;
    return (date.month - 1) * 31 + (date.day - 1);
}

QByteArray pageBytes(QByteArrayView line) {
    QByteArray page = "{\\rtf1\\ansi ";
    page += line;
    page += "}\r\n";
    return page;
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

void storePage(const AppContext &context, const QByteArray &page, bool &unwritable) {
    try {
        textfile::writeAll(context.dayPagePath(), page);
        unwritable = false;
    } catch (const KerlaError &e) {
        if (!std::exchange(unwritable, true))
            context.messages->showError(e.message());
    }
}

QByteArray ComposeDayPage(const AppContext &context, const ViewDate &date, DailyStore &store,
                          bool &unwritable) {
    const QString yearFile = yearfiles::dayFile(context, date.year);
    if (!textfile::fileExists(yearFile)) {
        QByteArray page = substitutePageBytes(shortDateText(ViewDateAsDate(date)));
        storePage(context, page, unwritable);
        return page;
    }
    if (date.year != store.LoadedYear) {
        store.LoadedYear = date.year;
        try {
            store.load(textfile::readAll(yearFile));
        } catch (const KerlaError &) {
            // Nothing of another year is shown under this date: the day's lookup then reports
            // the missing line, and the next refresh tries the file again.
            store.LoadedYear = 3000;
            store.clear();
        }
    }
    const int n = lineNumber(date);
    if (n < 0 || n >= store.lineCount())
        throw KerlaError(errors::listIndexOutOfBounds(n));
    QByteArray page = pageBytes(store.line(n));
    storePage(context, page, unwritable);
    return page;
}

DayReadings readDayReadings(const AppContext &context, const ViewDate &date) {
    // One read of the index for the day's four keys.
    return readingsOf(
        ProfileFile(yearfiles::readingsFile(context, date.year)).readSection(sectionDateText(date)));
}

DayReadings readingsOf(const ProfileSection &day) {
    DayReadings r;
    r.first = day.readString(QStringLiteral("Cteni1"), r.first);
    r.second = day.readString(QStringLiteral("Cteni2"), r.second);
    r.third = day.readString(QStringLiteral("Cteni3"), r.third);
    r.pericope = day.readString(QStringLiteral("Perikopa"), r.pericope);
    return r;
}

} // namespace daypage
