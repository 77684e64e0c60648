#include "import/datacheck.h"

#include "import/datacheck_parts.h"

#include "pages/daypage.h"
#include "platform/cp1250.h"
#include "platform/profile.h"
#include "platform/rtfparser.h"
#include "platform/textfile.h"
#include "readings/passage.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

#include <optional>

namespace datacheck {

namespace {

using detail::looksLikeUtf8;
using detail::PageSink;

QString dayText(int year, int month, int day) {
    return QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year);
}

QString dayText(const QDate &date) {
    return dayText(date.year(), date.month(), date.day());
}

class Checker {
public:
    explicit Checker(const QString &folder)
        : m_folder(folder.endsWith(QLatin1Char('/')) ? folder : folder + '/') {}

    QList<Problem> problems;

    void add(const QString &file, int line, const QString &day, const QString &code, const QString &message) {
        problems.append({file, line, day, code, message});
    }

    // ---- Data/ ----------------------------------------------------------------------------------

    void checkBooks() {
        const QDir data(m_folder + QStringLiteral("Data"));
        const QStringList names = data.entryList(QDir::Files, QDir::Name);
        m_haveBooks = !names.isEmpty();
        if (!m_haveBooks) {
            add(QStringLiteral("Data"), 0, {}, QStringLiteral("no-books"),
                QStringLiteral(
                    "složka Data s biblickými knihami chybí nebo je prázdná; odkazy čtení nelze ověřit"));
            return;
        }
        for (const QString &name : names)
            detail::checkBook(name, textfile::readAll(data.filePath(name)), problems);
    }

    // Whether Data/ holds books to cut the readings from, without checking them.
    void findBooks() { m_haveBooks = !QDir(m_folder + QStringLiteral("Data")).isEmpty(QDir::Files); }

    // Only the readings that a day has are checked; a day may have fewer than three.
    bool everyReading = true;
    // The references that cut a passage.
    int cut = 0;

    // ---- Kerla<year>.rtf ------------------------------------------------------------------------

    // The year's file, or nothing (and a problem) when it is not there.
    std::optional<QByteArray> yearFile(const QString &name, const QString &whatTheProgramDoes) {
        const QString path = m_folder + name;
        if (textfile::fileExists(path))
            return textfile::readAll(path);
        add(name, 0, {}, QStringLiteral("missing-file"),
            QStringLiteral("soubor chybí; ") + whatTheProgramDoes);
        return std::nullopt;
    }

    void checkPages(int year) {
        const QString name = QStringLiteral("Kerla%1.rtf").arg(year);
        const std::optional<QByteArray> file =
            yearFile(name, QStringLiteral("program místo stránek ukáže, že data nebyla nalezena"));
        if (file)
            checkPages(year, *file);
    }

    void checkPages(int year, const QByteArray &bytes) {
        const QString name = QStringLiteral("Kerla%1.rtf").arg(year);
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0) {
            const int line = int(bytes.left(nul).count('\n')) + 1;
            add(name, line, slotDay(year, line), QStringLiteral("rtf-control"),
                QStringLiteral("nulový bajt: program tu soubor ukončí a další řádky nepřečte"));
        }
        // The lines as the program takes them.
        const QList<QByteArray> lines = textfile::splitLines(bytes);
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                const QDate date(year, month, day);
                const int n = daypage::lineNumber(ViewDate{uint16_t(year), uint8_t(month), uint8_t(day)});
                const QString where = dayText(year, month, day);
                if (n >= lines.size()) {
                    if (date.isValid())
                        add(name, n + 1, where, QStringLiteral("rtf-lines"),
                            QStringLiteral("řádek dne chybí (soubor má %1 řádků z 372); program ohlásí "
                                           "„List index out of bounds (%2)“")
                                .arg(lines.size())
                                .arg(n));
                    continue;
                }
                if (!date.isValid()) {
                    if (!lines[n].isEmpty())
                        add(name, n + 1, where, QStringLiteral("rtf-slot"),
                            QStringLiteral("tento den neexistuje, řádek má být prázdný; nejspíš jsou řádky "
                                           "posunuté"));
                    continue;
                }
                checkPage(name, n + 1, where, lines[n]);
            }
        }
        if (lines.size() > 372)
            add(name, 373, {}, QStringLiteral("rtf-extra"),
                QStringLiteral("za posledním blokem (31. prosince, řádek 372) je ještě %1 řádků")
                    .arg(lines.size() - 372));
        // The first missing day stands for the rest.
        for (qsizetype i = 1; i < problems.size(); ++i) {
            if (problems[i].code == QLatin1String("rtf-lines") &&
                problems[i - 1].code == QLatin1String("rtf-lines"))
                problems.remove(i--);
        }
    }

    static QString slotDay(int year, int line) {
        if (line < 1 || line > 372)
            return {};
        return dayText(year, (line - 1) / 31 + 1, (line - 1) % 31 + 1);
    }

    void checkPage(const QString &name, int line, const QString &where, const QByteArray &bytes) {
        if (bytes.isEmpty()) {
            add(name, line, where, QStringLiteral("rtf-empty"), QStringLiteral("řádek dne je prázdný"));
            return;
        }
        if (looksLikeUtf8(bytes)) {
            add(name, line, where, QStringLiteral("rtf-codepage"),
                QStringLiteral("text je v kódování UTF-8, ne Windows-1250; program ukáže rozsypané znaky"));
            return;
        }
        PageSink sink;
        rtf::detail::parse(daypage::pageBytes(bytes), sink);
        // The page opens with "{\rtf1\ansi ": offsets past it are columns of the line.
        constexpr qsizetype header = 12;
        for (const PageSink::Passed &p : sink.m_problems) {
            const qsizetype column = std::max<qsizetype>(p.offset - header, 0) + 1;
            switch (p.problem) {
            case rtf::detail::Problem::ControlByte:
                add(name, line, where, QStringLiteral("rtf-control"),
                    QStringLiteral("řídicí znak v textu (sloupec %1)").arg(column));
                break;
            case rtf::detail::Problem::HiddenText:
                add(name, line, where, QStringLiteral("rtf-hidden"),
                    QStringLiteral("neznámý cíl {\\*\\%1 …} pohltí text, program ho neukáže (sloupec %2)")
                        .arg(p.name)
                        .arg(column));
                break;
            case rtf::detail::Problem::UnclosedGroup:
                add(name, line, where, QStringLiteral("rtf-braces"),
                    QStringLiteral("chybí uzavírací složená závorka „}“"));
                break;
            case rtf::detail::Problem::AfterEnd:
                add(name, line, where, QStringLiteral("rtf-braces"),
                    QStringLiteral(
                        "přebývá uzavírací složená závorka „}“; text za ní program neukáže (sloupec %1)")
                        .arg(column));
                break;
            }
        }
        // A plain scan, not a regular expression: this runs on the import's worker thread, where a
        // match leaves thread-local state that a MinGW build cannot tear down at exit (it hangs).
        const auto c1 = [](QChar c) { return c.unicode() >= 0x7F && c.unicode() <= 0x9F; };
        if (std::any_of(sink.m_text.cbegin(), sink.m_text.cend(), c1))
            add(name, line, where, QStringLiteral("rtf-codepage"),
                QStringLiteral("bajt, který ve Windows-1250 není znak"));
        if (sink.m_text.trimmed().isEmpty())
            add(name, line, where, QStringLiteral("rtf-empty"),
                QStringLiteral("stránka dne nemá žádný text"));
    }

    // ---- Cteni<year>.sj -------------------------------------------------------------------------

    void checkReadings(int year) {
        const QString name = QStringLiteral("Cteni%1.sj").arg(year);
        const std::optional<QByteArray> file =
            yearFile(name, QStringLiteral("program nenabídne žádné čtení"));
        if (file)
            checkReadings(year, *file);
    }

    void checkReadings(int year, const QByteArray &bytes) {
        const QString name = QStringLiteral("Cteni%1.sj").arg(year);
        if (looksLikeUtf8(bytes))
            add(name, 0, {}, QStringLiteral("sj-codepage"),
                QStringLiteral("soubor je v kódování UTF-8, ne Windows-1250"));
        QHash<QDate, int> seen;
        static const QRegularExpression dateName(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
        for (const ProfileSectionAt &s : profileSections(textfile::splitLines(bytes))) {
            const auto m = dateName.match(s.name);
            const QDate date =
                m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                             : QDate();
            if (!date.isValid() || date.year() != year || dayText(date) != s.name) {
                add(name, s.line, {}, QStringLiteral("sj-foreign"),
                    QStringLiteral("oddíl [%1] není den roku %2 ve tvaru d.M.rrrr; program ho nenajde")
                        .arg(s.name)
                        .arg(year));
                continue;
            }
            if (seen.contains(date)) {
                add(name, s.line, s.name, QStringLiteral("sj-duplicate"),
                    QStringLiteral(
                        "oddíl dne je v souboru podruhé (poprvé na řádku %1); program čte jen první")
                        .arg(seen.value(date)));
                continue;
            }
            seen.insert(date, s.line);
            checkSection(name, s);
        }
        for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
            if (!seen.contains(d))
                add(name, 0, dayText(d), QStringLiteral("sj-missing-day"),
                    QStringLiteral("oddíl [%1] chybí; program ten den nenabídne žádné čtení")
                        .arg(dayText(d)));
        }
    }

    void checkSection(const QString &name, const ProfileSectionAt &s) {
        static const QString keys[] = {QStringLiteral("Cteni1"), QStringLiteral("Cteni2"),
                                       QStringLiteral("Cteni3"), QStringLiteral("Perikopa")};
        for (const QString &key : keys) {
            qsizetype at = -1;
            for (qsizetype i = 0; i < s.section.entries.size() && at < 0; ++i)
                if (s.section.entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
                    at = i;
            const QString value = at < 0 ? QString() : s.section.entries[at].second;
            const int line = at < 0 ? s.line : s.entryLines[at];
            if (value.isEmpty()) {
                if (key != QLatin1String("Perikopa") && everyReading)
                    add(name, line, s.name, QStringLiteral("sj-missing-reading"),
                        QStringLiteral("%1 chybí nebo je prázdné; tlačítko čtení bude ten den vypnuté")
                            .arg(key));
                continue;
            }
            checkReference(name, line, s.name, key, value);
        }
    }

    // A whole number written as the markers write it: decimal digits, no leading zero.
    static bool isMarkerNumber(const QString &text) {
        static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,3}$"));
        return number.match(text).hasMatch();
    }

    void checkReference(const QString &name, int line, const QString &day, const QString &key,
                        const QString &value) {
        const passage::ReadingReference ref = passage::splitReference(value);
        const bool fivePart = ref.separators == 4;
        const bool wellFormed = (ref.separators == 3 || fivePart) && !ref.Book.isEmpty() &&
                                !ref.Book.contains(QLatin1Char(' ')) && isMarkerNumber(ref.Chapter) &&
                                isMarkerNumber(ref.FirstVerse) && isMarkerNumber(ref.LastChapter) &&
                                isMarkerNumber(ref.LastVerse);
        const QString what = QStringLiteral("%1=%2: ").arg(key, value);
        if (!wellFormed) {
            add(name, line, day, QStringLiteral("sj-bad-reference"),
                what + QStringLiteral(
                           "odkaz nemá tvar „kniha kapitola verš verš“ ani „kniha kapitola verš kapitola "
                           "verš“ (čísla bez nul na začátku, jedna mezera mezi částmi)"));
            return;
        }
        const int chapter = ref.Chapter.toInt(), first = ref.FirstVerse.toInt();
        const int lastChapter = ref.LastChapter.toInt(), last = ref.LastVerse.toInt();
        if (lastChapter < chapter || (lastChapter == chapter && last < first)) {
            add(name, line, day, QStringLiteral("sj-bad-reference"),
                what + QStringLiteral("konec odkazu stojí před jeho začátkem"));
            return;
        }
        if (!m_haveBooks)
            return;
        const QString bookPath = passage::bookFilePath(m_folder, ref.Book);
        if (bookPath.isEmpty()) {
            add(name, line, day, QStringLiteral("sj-missing-book"),
                what + oneLine(passage::missingBookMessage()));
            return;
        }
        const QByteArray &book = bookBytes(bookPath);
        QStringList messages;
        const std::optional<passage::PassageSpan> span = passage::cutPassage(ref, book, messages);
        if (!messages.isEmpty() || !span) {
            add(name, line, day, QStringLiteral("sj-missing-verse"),
                what + QStringLiteral("verš %1 %2 %3 v knize není; okno čtení ukáže „%4“")
                           .arg(ref.Book, ref.Chapter, ref.FirstVerse, messages.join(QLatin1Char(' '))));
            return;
        }
        // The last verse must be there too, or the passage silently runs on to the chapter's end.
        const QByteArray lastMarker =
            cp1250::fromUnicode(ref.Book + ' ' + ref.LastChapter + ' ' + ref.LastVerse + ' ');
        if (QByteArrayView(book).indexOf(lastMarker, span->start) < 0) {
            add(name, line, day, QStringLiteral("sj-missing-verse"),
                what + QStringLiteral("poslední verš %1 %2 %3 v knize není; čtení by skončilo jinde, než má")
                           .arg(ref.Book, ref.LastChapter, ref.LastVerse));
            return;
        }
        if (span->end <= span->start)
            add(name, line, day, QStringLiteral("sj-empty-passage"),
                what + QStringLiteral("odkaz vyřízne prázdný úryvek; okno čtení bude prázdné"));
        else
            ++cut;
    }

    static QString oneLine(QString text) {
        return text.replace(QLatin1String("\r\n\r\n"), QLatin1String(" "))
            .replace(QLatin1String("\r\n"), QLatin1String(" "));
    }

    const QByteArray &bookBytes(const QString &path) {
        auto it = m_bookCache.find(path);
        if (it == m_bookCache.end())
            it = m_bookCache.insert(path, textfile::readAll(path));
        return *it;
    }

private:
    QString m_folder;
    bool m_haveBooks = false;
    QHash<QString, QByteArray> m_bookCache;
};

} // namespace

QList<Problem> checkFolder(const QString &folder, const QList<int> &years) {
    Checker checker(folder);
    checker.checkBooks();
    for (int year : years) {
        checker.checkPages(year);
        checker.checkReadings(year);
    }
    return checker.problems;
}

YearCheck checkYear(int year, const QByteArray &pages, const QByteArray &readings, const QString &folder) {
    Checker checker(folder);
    checker.findBooks();
    checker.everyReading = false;
    checker.checkPages(year, pages);
    if (!readings.isEmpty())
        checker.checkReadings(year, readings);
    return {checker.problems, checker.cut};
}

} // namespace datacheck
