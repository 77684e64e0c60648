#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// Finding watchwords by their words: the texts of the years held in memory, folded once, and
// matched without regard to letter case and diacritics ("zalm 23" finds "Žalm 23"). No widgets.
namespace search {

// The text in lower case without diacritics; `origins` (when given) gets, for each character of
// the result, the index of the character of `text` it comes from.
QString fold(QStringView text, QList<qsizetype> *origins = nullptr);

// The words of a query, folded; every one of them must occur.
QStringList queryWords(const QString &query);

// What a result opens: a day page, or the week, month or year watchword.
enum class Kind { Day, Week, Month, Year };

// A searchable text: a day's page or a week's, month's or year's watchword.
struct Entry {
    QDate date; // the day, or the first day of the week, month or year
    Kind kind = Kind::Day;
    int number = 0; // the week (1..54) or month (1..12) of a periodic watchword
    QString text;   // the texts and their references, on one line
};

// Where a query's words occur in a text: [start, start + length) of the text.
struct Span {
    qsizetype start = 0, length = 0;
    bool operator==(const Span &) const = default;
};
// Every occurrence of each word in the text, in text order, overlapping ones merged.
QList<Span> occurrences(const QString &text, const QStringList &words);

// The words around the first match, about `width` characters, cut between words ("…" marks a
// cut), with the matches within it.
struct Snippet {
    QString text;
    QList<Span> matches; // in `text`
};
Snippet snippet(const QString &text, const QStringList &words, qsizetype width = 90);
// The snippet as HTML with the matches in bold.
QString snippetHtml(const Snippet &snippet);

// The texts of every year that was given, each year's folded once.
class Index {
public:
    // Replaces the year's entries (in any order; they are kept by date).
    void setYear(int year, QList<Entry> entries);
    void removeYear(int year);
    QList<int> years() const; // newest first
    qsizetype size() const;

    // The entries in which every word occurs, newest year first and by date within a year; no
    // words find nothing. The pointers hold until the index changes.
    QList<const Entry *> find(const QStringList &words) const;

private:
    struct Year {
        QList<Entry> entries;
        QStringList folded;
    };
    std::map<int, Year, std::greater<>> m_years; // newest first
};

} // namespace search
