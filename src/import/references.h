#pragma once

#include "import/yeartext.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The publisher's printed references ("Lukáš 3,1-6", "Jan 15,26-16,4") and the LOSFILE's S
// attributes turned into readings of the index ("l 3 1 6", "j 15 26 16 4") in the abbreviations of
// our books in Data/. The publisher numbers some chapters as the ecumenical translation does,
// after the Hebrew text; our Kralice books number them as the English Bibles do. The renumbering
// table maps the one to the other.
namespace references {

// The shape of our books: the number of verses of each chapter, by the book's abbreviation.
struct Books {
    QHash<QString, QList<int>> verses;
    int chapterCount(const QString &book) const { return int(verses.value(book).size()); }
    int verseCount(const QString &book, int chapter) const {
        const QList<int> &counts = verses[book];
        return chapter >= 1 && chapter <= counts.size() ? counts[chapter - 1] : 0;
    }
};

// The verses of each chapter from a book file's markers "abbrev chapter verse".
QList<int> verseCounts(QByteArrayView bookFile, const QString &abbrev);
// The books of the folder's Data/ (the folder ends in '/'); none when it has no Data/.
Books booksIn(const QString &folder);

// Our book for a printed name ("1. Mojžíšova", "Izajáš", "Zalm", "1.Janova"), misspellings within
// a letter or two included; empty when no book of our Bible has that name.
QString bookForName(const QString &name);
// Our book for a publisher's book code of the S attributes ("Gn", "Mc", "Act", "Ap").
QString bookForCode(const QString &code);
// True for a book that our Bible of 66 books does not hold ("Tobiáš", "Sírachovec").
bool isDeuterocanonical(const QString &name);

// A passage in our numbering.
struct Span {
    QString book;
    int chapter = 0, verse = 0, lastChapter = 0, lastVerse = 0;
    // "gn 1 1 5", or "gn 49 28 50 3" across a chapter end.
    QString index() const;
};

// A reading, or why there is none (Czech).
struct Conversion {
    std::optional<Span> span;
    QString problem;
};

// The smallest passage of our books that holds all that the printed reference names. Of
// alternatives ("Tobiáš 1,1-10 | Jób 1,1-22") the first in our books is taken.
Conversion fromPrinted(const QString &printed, const Books &books);
// The same from the S attributes.
Conversion fromPlaces(const QList<yeartext::Place> &places, const Books &books);

// One row of the renumbering: the ecumenical verses first..last of a chapter are our verses
// ourFirst..ourLast of ourChapter. Where one side has one verse and the other several, the one
// verse holds them all. A last verse of 999 runs to the chapter's end.
struct Renumbering {
    const char *book;
    int chapter, first, last;
    int ourChapter, ourFirst, ourLast;
};
const QList<Renumbering> &renumbering();

// Where the ecumenical chapter and verse lie in our books: the first of our verses that it holds,
// or the last (`end`). Nothing for a verse that the chapter does not have.
std::optional<std::pair<int, int>> toOurs(const QString &book, int chapter, int verse, bool end,
                                          const Books &books);
// The last verse of an ecumenical chapter; 0 for a chapter that the book does not have.
int ecumenicalChapterEnd(const QString &book, int chapter, const Books &books);

} // namespace references
