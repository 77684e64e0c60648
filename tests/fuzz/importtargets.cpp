// The fuzz targets of the yearly-data import: a publisher's LOSFILE or FreeXml, or our CSV/TSV
// table, from bytes to the year's three files in memory; and one printed reference into a reading.
// Each checks the files as the program reads them: the 372 slots of the day pages through our RTF
// reader, the readings index and the week, month and year watchwords through the profile reader,
// and every reading cut from the fixed books (fuzzbooks.h).
#include "fuzzbooks.h"
#include "fuzztargets.h"

#include "import/datacheck_parts.h"
#include "import/pagedesign.h"
#include "import/yearimport.h"
#include "pages/dates.h"
#include "pages/daypage.h"
#include "pages/yearfiles.h"
#include "platform/cp1250.h"
#include "platform/profile.h"
#include "platform/textfile.h"

#include <QSet>
#include <QStringDecoder>

namespace fuzztargets {

namespace {

// A fragment of RTF as the day view shows it, between "{\rtf1\ansi " and "}": it must be balanced
// and hold nothing that the reader drops.
QString readBack(QByteArrayView fragment, const char *what) {
    datacheck::detail::PageSink sink;
    rtf::detail::parse(daypage::pageBytes(fragment), sink);
    check(sink.m_problems.isEmpty(), what);
    return sink.m_text;
}

// Kerla<year>.rtf: 372 slots ended by CR LF, a page for each day of the year, the other slots
// empty. `headings`: each page shows the day's Czech date heading (a table's pages do).
void checkPages(const yearimport::Files &f, bool headings) {
    check(f.pages.count('\n') == 372 && f.pages.count('\r') == 372 && f.pages.count("\r\n") == 372,
          "the day file is 372 slots ended by CR LF");
    const QList<QByteArray> lines = textfile::splitLines(f.pages);
    check(lines.size() == 372, "the program reads 372 slots");
    check(f.days == QDate(f.year, 1, 1).daysInYear(), "every day of the year is counted");
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const QDate date(f.year, month, day);
            const QByteArray &line =
                lines[daypage::lineNumber(ViewDate{uint16_t(f.year), uint8_t(month), uint8_t(day)})];
            if (!date.isValid()) {
                check(line.isEmpty(), "the slot of a day that does not exist is empty");
                continue;
            }
            const QString text = readBack(line, "a day's page is balanced RTF that reads back whole");
            check(!text.trimmed().isEmpty(), "a day's page has text");
            if (headings)
                check(text.startsWith(pagedesign::czechDateHeading(date)), "a page opens with its date");
        }
    }
}

// A profile file's sections with each value as the program reads it, checked against the line the
// import wrote: nothing is lost to the reader's trimming and unquoting.
QList<ProfileSectionAt> readProfile(const QByteArray &bytes) {
    const QList<QByteArray> lines = textfile::splitLines(bytes);
    const QList<ProfileSectionAt> sections = profileSections(lines);
    // Every section in one read (one read a section would take time square in the year's days);
    // the reads of one section, as the views make them, must agree with it for the first and last.
    const ProfileText text(bytes);
    const QList<std::pair<QString, ProfileSection>> all = text.readAll();
    check(all.size() == sections.size(), "a section is written once");
    for (qsizetype n = 0; n < sections.size(); ++n) {
        const ProfileSectionAt &s = sections[n];
        const ProfileSection &read = all[n].second;
        check(all[n].first == s.name.toLower(), "the program reads the sections in their order");
        if (n == 0 || n == sections.size() - 1)
            check(text.readSection(s.name).entries == read.entries, "a section reads alone as in the whole");
        check(read.entries.size() == s.section.entries.size(), "the program reads every key of a section");
        for (qsizetype i = 0; i < s.entryLines.size(); ++i) {
            const QString line = cp1250::toUnicode(lines[s.entryLines[i] - 1]);
            const QString written = line.mid(line.indexOf(u'=') + 1).trimmed();
            check(read.entries[i].second == written, "a value reads back as it was written");
        }
    }
    return sections;
}

// Cteni<year>.sj: a section for each day in order, the four keys at most, each reading cut from
// the fixed books when the import made it from a printed reference (`cut`).
void checkIndex(const yearimport::Files &f, bool cut) {
    if (f.readings.isEmpty()) {
        check(f.references == 0, "no index, no readings");
        return;
    }
    static const QStringList keys = {QStringLiteral("Cteni1"), QStringLiteral("Cteni2"),
                                     QStringLiteral("Cteni3"), QStringLiteral("Perikopa")};
    const QList<ProfileSectionAt> sections = readProfile(f.readings);
    check(sections.size() == f.days, "the index has a section for each day");
    QDate date(f.year, 1, 1);
    int references = 0;
    for (const ProfileSectionAt &s : sections) {
        check(s.name == sectionDateText(date), "the index's sections are the year's days in order");
        for (const auto &[key, value] : s.section.entries) {
            check(keys.contains(key) && !value.isEmpty(), "the index holds readings only");
            ++references;
            if (cut)
                fuzzbooks::checkReading(value);
        }
        date = date.addDays(1);
    }
    check(references == f.references, "the readings are counted");
}

// Hesla<year>.sj: the year's, the months' and the weeks' watchwords, each a balanced fragment.
void checkPeriodic(const yearimport::Files &f) {
    QSet<QString> allowed = {yearfiles::yearSection()};
    for (int m = 1; m <= 12; ++m)
        allowed.insert(yearfiles::monthSection(m));
    for (int w = 1; w <= sundayWeek(QDate(f.year, 12, 31)); ++w)
        allowed.insert(yearfiles::weekSection(w));
    for (const ProfileSectionAt &s : readProfile(f.periodic)) {
        check(allowed.contains(s.name), "a watchword belongs to the year, a month or a week of it");
        const QString text = s.section.readString(QStringLiteral("Text"), {});
        check(!text.isEmpty(), "a watchword has its text");
        readBack(cp1250::fromUnicode(text), "a watchword is balanced RTF that reads back whole");
        readBack(cp1250::fromUnicode(s.section.readString(QStringLiteral("Odkaz"), {})),
                 "a watchword's reference is balanced RTF");
    }
}

// Both "<!DOCTYPE" and "<!ENTITY", in UTF-8 or in UTF-16 of either byte order.
bool declaresEntities(QByteArrayView data) {
    if (data.contains("<!DOCTYPE") && data.contains("<!ENTITY"))
        return true;
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const QString text = QStringDecoder(encoding).decode(data);
        if (text.contains(QLatin1String("<!DOCTYPE")) && text.contains(QLatin1String("<!ENTITY")))
            return true;
    }
    return false;
}

quint32 hashOf(QByteArrayView data) {
    quint32 hash = 2166136261u; // FNV-1a
    for (char c : data)
        hash = (hash ^ uchar(c)) * 16777619u;
    return hash;
}

void checkRefused(const yearimport::Result &r, const char *what) {
    const yearimport::Files &f = r.files;
    check(f.year == 0 && f.format.isEmpty() && f.days == 0 && f.pages.isEmpty() && f.readings.isEmpty() &&
              f.periodic.isEmpty() && f.references == 0,
          what);
    check(
        std::any_of(r.problems.begin(), r.problems.end(), [](const yeartext::Problem &p) { return p.fatal; }),
        "a refused file says why");
}

// The whole import of one file, as `kerla-data import` and the program's menu run it.
void importYear(QByteArrayView data) {
    const yearimport::Result r = yearimport::convert(data, fuzzbooks::books());
    if (declaresEntities(data))
        check(r.fatal(), "a file that declares entities is refused");
    if (r.fatal()) {
        checkRefused(r, "a refused file leaves no partial output");
        return;
    }
    const yearimport::Files &f = r.files;
    check(f.year >= 1901 && f.year <= 2099, "the year lies in 1901..2099");
    const qsizetype out = f.pages.size() + f.readings.size() + f.periodic.size();
    check(out <= 32 * data.size() + 64 * 1024, "the files grow no more than linearly with the input");
    const bool table = f.format == QLatin1String("CSV") || f.format == QLatin1String("TSV");
    checkPages(f, table);
    checkIndex(f, !table);
    checkPeriodic(f);
    // Named as the file's year, the same files; as another year, refused whole. One input in eight
    // takes this second and third conversion; which one is fixed by its bytes.
    if (hashOf(data) % 8 == 0) {
        const yearimport::Result same = yearimport::convert(data, fuzzbooks::books(), f.year);
        check(!same.fatal() && same.files.pages == f.pages && same.files.readings == f.readings &&
                  same.files.periodic == f.periodic,
              "the file's own year gives the same files");
        checkRefused(yearimport::convert(data, fuzzbooks::books(), f.year == 2099 ? 1901 : f.year + 1),
                     "a file of another year leaves no partial output");
    }
}

// A conversion gives a reading inside the fixed books, or says why it gives none.
void checkConversion(const references::Conversion &c) {
    if (!c.span) {
        check(!c.problem.isEmpty(), "a reference without a reading says why");
        return;
    }
    const references::Span &s = *c.span;
    const references::Books &books = fuzzbooks::books();
    check(s.verse >= 1 && s.verse <= books.verseCount(s.book, s.chapter) && s.lastVerse >= 1 &&
              s.lastVerse <= books.verseCount(s.book, s.lastChapter),
          "a reading's verses are in its book");
    check(std::pair(s.chapter, s.verse) <= std::pair(s.lastChapter, s.lastVerse),
          "a reading ends after it begins");
    fuzzbooks::checkReading(s.index());
}

// The first line is a printed reference ("Jan 2,3-3,1 | Žalm 5"); each further line one place of
// the S attributes: a book code and up to four numbers ("Ps 3 2 0 4").
void reference(QByteArrayView data) {
    const QStringList lines = QString::fromUtf8(data).split(u'\n');
    checkConversion(references::fromPrinted(lines.front(), fuzzbooks::books()));
    QList<yeartext::Place> places;
    for (qsizetype i = 1; i < lines.size() && i <= 8; ++i) {
        const QStringList parts = lines[i].split(u' ', Qt::SkipEmptyParts);
        yeartext::Place p{parts.value(0)};
        int *const numbers[] = {&p.chapter, &p.verse, &p.lastChapter, &p.lastVerse};
        for (qsizetype n = 0; n < 4; ++n)
            *numbers[n] = parts.value(n + 1).toInt();
        places.append(p);
    }
    if (!places.isEmpty())
        checkConversion(references::fromPlaces(places, fuzzbooks::books()));
}

constexpr Target kTargets[] = {
    {"import_losfile", importYear},
    {"import_freexml", importYear},
    {"import_table", importYear},
    {"reference", reference},
};

} // namespace

std::span<const Target> importTargets() {
    return kTargets;
}

} // namespace fuzztargets
