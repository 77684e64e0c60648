#include "datagen.h"

#include "import/pagedesign.h"
#include "platform/cp1250.h"
#include "platform/errors.h"

#include <QRegularExpression>
#include <QSet>

namespace datagen {

namespace {

// splitmix64: small, fast and the same everywhere.
class Lot {
public:
    explicit Lot(quint64 seed) : m_state(seed) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

private:
    quint64 m_state;
};

// A verse that reads well on its own: a whole sentence, short enough that the page fits the
// window without scrolling (two lines of the text view).
bool standsAlone(const QString &raw) {
    static const QSet<QString> continuations = {
        QStringLiteral("A"),      QStringLiteral("I"),      QStringLiteral("Ale"),
        QStringLiteral("Nebo"),   QStringLiteral("Neboť"),  QStringLiteral("Protož"),
        QStringLiteral("Tedy"),   QStringLiteral("Potom"),  QStringLiteral("Když"),
        QStringLiteral("Ješto"),  QStringLiteral("Tak"),    QStringLiteral("Aby"),
        QStringLiteral("Že"),     QStringLiteral("Ač"),     QStringLiteral("Však"),
        QStringLiteral("Aj"),     QStringLiteral("Také"),   QStringLiteral("Nýbrž"),
        QStringLiteral("Avšak"),  QStringLiteral("Pročež"), QStringLiteral("Kterýž"),
        QStringLiteral("Kteříž"), QStringLiteral("Jenž"),   QStringLiteral("Což"),
        QStringLiteral("Tehdy"),  QStringLiteral("Nebť"),   QStringLiteral("Anobrž"),
        QStringLiteral("Kdež")};
    const QString text = withoutAlternatives(raw);
    if (text.size() < 40 || text.size() > 130 || !text.front().isUpper())
        return false;
    if (!text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('!')))
        return false;
    if (text.contains(QLatin1Char('(')) || text.contains(QLatin1Char(')')))
        return false;
    static const QRegularExpression firstWord(QStringLiteral("^[^\\s,:;]+"));
    return !continuations.contains(firstWord.match(text).captured(0));
}

// Psalm headings ("Žalm Davidův.", "Přednímu zpěváku...") and the Hebrew letters that open the
// stanzas of Psalm 119 stand in the verse text; such verses are not used.
bool holdsPsalmHeading(const Book &book, int chapter, int verse, const QString &text) {
    if (book.abbrev != QLatin1String("zl"))
        return false;
    if (chapter == 119 && verse % 8 == 1)
        return true;
    static const QRegularExpression heading(
        QStringLiteral("Žalm|žalm|zpěvák|Davidův|Davidova|Asaf|Chóre|Šalomoun|stupňů|Modlitba|Alleluja"));
    return text.contains(heading);
}

} // namespace

QString rtfText(const QString &text) {
    return pagedesign::rtfEscaped(withoutAlternatives(text));
}

DailyPages::DailyPages(const Bible &bible) {
    static const QSet<QString> watchwordBooks = {
        QStringLiteral("dt"), QStringLiteral("zl"),  QStringLiteral("pr"),  QStringLiteral("iz"),
        QStringLiteral("jr"), QStringLiteral("pl"),  QStringLiteral("oz"),  QStringLiteral("jl"),
        QStringLiteral("am"), QStringLiteral("abd"), QStringLiteral("jon"), QStringLiteral("mi"),
        QStringLiteral("na"), QStringLiteral("abk"), QStringLiteral("sf"),  QStringLiteral("ag"),
        QStringLiteral("za"), QStringLiteral("mal")};
    static const QRegularExpression aboutGod(QStringLiteral("Hospodin|Bůh|Boh"));
    // A watchword to start the day with does not speak of judgement.
    static const QRegularExpression judgement(QStringLiteral(
        "odplat|hněv|prchliv|zahub|pohub|meč|smrt|mrtv|zkáz|pomst|prokl|zlořeč|zabi|zabí|oheň|ohně|"
        "běd|trest|krev|krve|vyhlad|zhyn|hynou|vrah|nepřít|nepřáte|smilstv|modl|bezbož|nešlechet|"
        "hřích|hříš|nepravost|zlost|pláč|kvíl|zajet|soud"));
    static const QRegularExpression teaching(
        QStringLiteral("Bůh|Boh|Krist|Pán|Ježíš|Duch|milost|lásk|víř|věř"));
    for (const Book &book : bible.books) {
        const bool old = book.isOldTestament();
        if (old ? !watchwordBooks.contains(book.abbrev) : book.abbrev == QLatin1String("sk"))
            continue;
        for (int c = 1; c <= book.chapterCount(); ++c) {
            for (int v = 1; v <= book.verseCount(c); ++v) {
                const QString &text = book.verse(c, v);
                if (!standsAlone(text) || holdsPsalmHeading(book, c, v, text))
                    continue;
                if (old && text.contains(aboutGod) && !text.contains(judgement))
                    m_watchwords.append({&book, c, v});
                else if (!old && text.contains(teaching))
                    m_teachings.append({&book, c, v});
            }
        }
    }
    if (m_watchwords.size() < 366 || m_teachings.size() < 366)
        throw KerlaError(QStringLiteral("too few short verses for a year of daily pages"));
}

QByteArray DailyPages::yearFile(int year) const {
    QSet<qsizetype> usedWatchwords, usedTeachings;
    const auto draw = [](Lot &lot, const QList<Verse> &pool, QSet<qsizetype> &used) {
        qsizetype i;
        do
            i = qsizetype(lot.next() % quint64(pool.size()));
        while (used.contains(i) && used.size() < pool.size());
        used.insert(i);
        return pool[i];
    };
    const auto verseText = [](const Verse &v) {
        return withoutAlternatives(v.book->verse(v.chapter, v.verse));
    };
    const auto reference = [](const Verse &v) {
        return czechReference(*v.book, v.chapter, v.verse, v.verse);
    };
    return pagedesign::yearFile(year, [&](const QDate &date) {
        Lot lot(quint64(year) * 10000 + quint64(date.month()) * 100 + quint64(date.day()));
        const Verse ot = draw(lot, m_watchwords, usedWatchwords);
        const Verse nt = draw(lot, m_teachings, usedTeachings);
        return pagedesign::dayLine(date, {verseText(ot), reference(ot), verseText(nt), reference(nt)});
    });
}

} // namespace datagen
