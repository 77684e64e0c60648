#include "daytext/yeardays.h"

#include "pages/dates.h"
#include "pages/yearfiles.h"
#include "platform/profile.h"
#include "platform/textfile.h"

#include <QHash>

namespace yeardays {

Files forYear(const AppContext &context, int year) {
    return {yearfiles::dayFile(context, year), yearfiles::readingsFile(context, year)};
}

Files inFolder(const QString &folder, int year) {
    const QString dir = folder.endsWith(u'/') ? folder : folder + u'/';
    return {daypage::yearFilePath(dir, uint16_t(year)), daypage::readingsIndexPath(dir, uint16_t(year))};
}

namespace {

// The readings index by section name (in lower case, as ProfileText gives them).
QHash<QString, ProfileSection> readingsIndex(const QString &path) {
    QHash<QString, ProfileSection> index;
    if (!textfile::fileExists(path))
        return index;
    try {
        for (auto &[name, section] : ProfileText(textfile::readAll(path)).readAll())
            index.insert(name, std::move(section));
    } catch (const KerlaError &) {
        // As the day page: a readings index that cannot be read gives no readings.
    }
    return index;
}

} // namespace

QList<Day> read(const Files &files, int year) {
    DailyStore store;
    store.load(textfile::readAll(files.dayFile));
    const QHash<QString, ProfileSection> index = readingsIndex(files.readingsFile);
    QList<Day> days;
    for (QDate date(year, 1, 1); date.isValid() && date.year() == year; date = date.addDays(1)) {
        ViewDate day;
        SetViewDateFrom(day, date);
        const int n = daypage::lineNumber(day);
        if (n >= store.lineCount() || store.line(n).trimmed().isEmpty())
            continue;
        days.append({date, daypage::pageBytes(store.line(n)),
                     daypage::readingsOf(index.value(sectionDateText(day).toLower()))});
    }
    return days;
}

} // namespace yeardays
