#include "import/yearimport.h"

#include "import/pagedesign.h"
#include "import/tableimport.h"
#include "import/xmlformats.h"
#include "import/xmltree.h"
#include "pages/dates.h"
#include "pages/yearfiles.h"
#include "platform/cp1250.h"
#include "platform/profile.h"

namespace yearimport {

using yeartext::Passage;
using yeartext::Problem;
using yeartext::ReadingKind;

namespace {

// The index's key of each kind of reading that goes into it.
const std::pair<ReadingKind, QString pagedesign::DayReadings::*> kIndexKeys[] = {
    {ReadingKind::Continuous, &pagedesign::DayReadings::first},
    {ReadingKind::Year, &pagedesign::DayReadings::second},
    {ReadingKind::Sermon, &pagedesign::DayReadings::third},
    {ReadingKind::Gospel, &pagedesign::DayReadings::pericope},
};

// The index reference of a reading: from its printed reference, else from its S attributes. When
// both give one and they disagree on where it begins, the printed one is taken and the
// disagreement reported.
QString indexReference(const yeartext::Reading &r, const yeartext::Day &day, const references::Books &books,
                       QList<Problem> &problems) {
    const QString what = pagedesign::readingCaption(r.kind) + QStringLiteral(" „%1“: ").arg(r.reference);
    references::Conversion printed = r.reference.isEmpty()
                                         ? references::Conversion{std::nullopt, QStringLiteral("odkaz chybí")}
                                         : references::fromPrinted(r.reference, books);
    const references::Conversion places =
        r.places.isEmpty() ? references::Conversion{} : references::fromPlaces(r.places, books);
    if (printed.span && places.span &&
        (printed.span->book != places.span->book || printed.span->chapter != places.span->chapter ||
         printed.span->verse != places.span->verse))
        problems.append(
            {day.date, what + QStringLiteral("atributy S ukazují jinam (%1); použit tištěný odkaz")
                                  .arg(places.span->index())});
    if (printed.span)
        return printed.span->index();
    if (places.span)
        return places.span->index();
    problems.append(
        {day.date, what + printed.problem + QStringLiteral("; čtení nebude, stránka ukáže odkaz")});
    return {};
}

// RTF text as a value of Hesla<year>.sj. The reader takes a pair of enclosing quotes off a value:
// a watchword that begins and ends with a quote keeps its first one as the RTF escape of its byte.
QString profileValue(const QString &rtf) {
    QString value = rtf.trimmed();
    if (ProfileText::valueAsRead(value) != value)
        value.replace(0, 1, value.front() == u'"' ? QStringLiteral("\\'22") : QStringLiteral("\\'27"));
    return value;
}

// A section of Hesla<year>.sj. The week's, month's and year's pages show their whole text in bold,
// so a bold word is written as the rest: its end would otherwise end the bold of the text after it
// and of the reference.
QString section(const QString &name, const Passage &p) {
    QString text;
    if (!yeartext::plain(p.intro).isEmpty())
        text += pagedesign::introduction(p.intro) + QLatin1Char(' ');
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        yeartext::Line line = p.lines[i];
        for (yeartext::Run &run : line)
            run.bold = false;
        text += (i ? QStringLiteral(" ") : QString()) + pagedesign::rtfLine(line);
    }
    return QStringLiteral("[%1]\r\nText=%2\r\nOdkaz=%3\r\n\r\n")
        .arg(name, profileValue(text), profileValue(pagedesign::rtfEscaped(p.reference)));
}

// A named day's watchword: a Sunday's first, else a feast's.
const Passage *feastWatchword(const yeartext::Year &year, const QDate &date, bool feastsToo) {
    const auto it = year.days.constFind(date);
    if (it == year.days.cend())
        return nullptr;
    for (const char *type : {"sunday", "holiday"}) {
        if (type[0] == 'h' && !feastsToo)
            break;
        for (const yeartext::Feast &f : it->feasts)
            if (f.type == QLatin1String(type) && !f.watchword.lines.isEmpty())
                return &f.watchword;
    }
    return nullptr;
}

// Hesla<year>.sj: the year's, the months' and the weeks' watchwords. Week k has the watchword of
// the Sunday that begins it; week 1, when 1 January is no Sunday, that of the Sunday or feast of
// 1 January, else the first Sunday's. A WEEK of the file names its week's watchword itself.
QByteArray periodicFile(const yeartext::Year &year) {
    QString out;
    if (year.yearWatchword && !year.yearWatchword->lines.isEmpty())
        out += section(yearfiles::yearSection(), *year.yearWatchword);
    for (auto it = year.monthWatchwords.cbegin(); it != year.monthWatchwords.cend(); ++it)
        if (!it->lines.isEmpty())
            out += section(yearfiles::monthSection(it.key()), *it);
    const QDate first(year.year, 1, 1);
    const int lastWeek = sundayWeek(QDate(year.year, 12, 31));
    const int w = first.dayOfWeek() % 7;
    QMap<int, const Passage *> weeks;
    for (int k = 1; k <= lastWeek; ++k) {
        const QDate begins = k == 1 ? first : first.addDays(7 * (k - 1) - w);
        const Passage *p = feastWatchword(year, begins, k == 1 && w != 0);
        if (!p && k == 1 && w != 0)
            p = feastWatchword(year, first.addDays(7 - w), false);
        if (p)
            weeks.insert(k, p);
    }
    for (auto it = year.weekWatchwords.cbegin(); it != year.weekWatchwords.cend(); ++it)
        if (!it->lines.isEmpty())
            weeks.insert(sundayWeek(it.key()), &*it);
    for (auto it = weeks.cbegin(); it != weeks.cend(); ++it)
        out += section(yearfiles::weekSection(it.key()), **it);
    return cp1250::fromUnicode(out);
}

Files filesOf(yeartext::Year &year, const references::Books &books, QList<Problem> &problems) {
    Files files;
    files.year = year.year;
    files.format = year.format;
    files.days = int(year.days.size());
    QString index;
    bool anyReading = false;
    for (auto it = year.days.begin(); it != year.days.end(); ++it) {
        yeartext::Day &day = *it;
        if (day.title.isEmpty())
            day.title = pagedesign::czechDateHeading(day.date);
        pagedesign::DayReadings readings;
        for (const auto &[kind, key] : kIndexKeys) {
            for (const yeartext::Reading &r : day.readings) {
                if (r.kind != kind)
                    continue;
                readings.*key = indexReference(r, day, books, problems);
                anyReading = true;
                if (!(readings.*key).isEmpty())
                    ++files.references;
                break;
            }
        }
        index += pagedesign::readingsSection(day.date, readings);
    }
    files.pages = pagedesign::yearFile(
        year.year, [&](const QDate &date) { return pagedesign::dayLine(year.days[date]); });
    if (anyReading)
        files.readings = cp1250::fromUnicode(index);
    files.periodic = periodicFile(year);
    return files;
}

Result fromTable(QByteArrayView bytes, int year) {
    Result out;
    const tableimport::Year table = tableimport::readTable(bytes, year);
    for (const tableimport::TableError &e : table.errors)
        out.problems.append({{}, tableimport::errorText(e), true});
    if (!table.errors.isEmpty())
        return out;
    out.files.year = table.year;
    out.files.format =
        bytes.first(bytes.indexOf('\n') < 0 ? bytes.size() : bytes.indexOf('\n')).contains('\t')
            ? QStringLiteral("TSV")
            : QStringLiteral("CSV");
    out.files.days = table.days;
    out.files.pages = table.pages;
    out.files.readings = table.readings;
    for (const QByteArray &line : table.readings.split('\n'))
        if (line.startsWith("Cteni") || line.startsWith("Perikopa"))
            ++out.files.references;
    return out;
}

} // namespace

bool Result::fatal() const {
    return files.year == 0 || files.pages.isEmpty() ||
           std::any_of(problems.begin(), problems.end(), [](const Problem &p) { return p.fatal; });
}

Result convert(QByteArrayView bytes, const references::Books &books, int year) {
    Result out;
    const auto refuse = [&](const QString &reason) {
        out.problems.append({{}, reason, true});
        out.files = {};
        return out;
    };
    if (bytes.size() > kMaxFileSize)
        return refuse(QStringLiteral("soubor je větší než 20 MB; takový soubor program nečte"));
    QByteArrayView content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content = content.sliced(3);
    qsizetype start = 0;
    while (start < content.size() && QChar::isSpace(uchar(content[start])))
        ++start;
    if (start == content.size())
        return refuse(QStringLiteral("soubor je prázdný"));
    if (content[start] != '<') {
        const QByteArrayView header = content.sliced(start, std::min<qsizetype>(content.size() - start, 400));
        if (!header.first(header.indexOf('\n') < 0 ? header.size() : header.indexOf('\n'))
                 .toByteArray()
                 .toLower()
                 .contains("datum"))
            return refuse(
                QStringLiteral("soubor není LOSFILE, FreeXml ani tabulka CSV či TSV se sloupcem datum"));
        return fromTable(content, year);
    }
    const xmltree::Result xml = xmltree::read(bytes);
    if (!xml.error.isEmpty())
        return refuse(xml.line > 0 ? QStringLiteral("chyba XML na řádku %1, sloupci %2: %3")
                                         .arg(xml.line)
                                         .arg(xml.column)
                                         .arg(xml.error)
                                   : xml.error);
    yeartext::Year text;
    if (xml.root.name.compare(QLatin1String("LOSFILE"), Qt::CaseInsensitive) == 0)
        text = xmlformats::readLosfile(xml.root, out.problems);
    else if (xml.root.name.compare(QLatin1String("FreeXml"), Qt::CaseInsensitive) == 0)
        text = xmlformats::readFreeXml(xml.root, out.problems);
    else
        return refuse(QStringLiteral("soubor je XML, ale ne LOSFILE ani FreeXml (kořenový prvek „%1“)")
                          .arg(xml.root.name));
    if (year != 0 && text.year != year)
        out.problems.append({{}, QStringLiteral("soubor je rok %1, ne %2").arg(text.year).arg(year), true});
    if (std::any_of(out.problems.begin(), out.problems.end(), [](const Problem &p) { return p.fatal; }))
        return out;
    out.files = filesOf(text, books, out.problems);
    return out;
}

QString problemText(const Problem &p) {
    return p.day.isValid() ? sectionDateText(p.day) + QStringLiteral(": ") + p.reason : p.reason;
}

} // namespace yearimport
