#pragma once

#include <QList>
#include <QString>

// The Bible text from which the sample data set is built: bible-kralice.txt (UTF-8, "### <book>"
// headings, "[chapter:verse] text" lines) and books.tsv (one row per book: order, heading,
// abbreviation, reference name, full name).
namespace datagen {

struct Book {
    int order = 0;         // 1..66
    QString heading;       // the heading in bible-kralice.txt
    QString abbrev;        // file name under Data/ and first word of every marker
    QString referenceName; // "Jan" as in "Jan 3, 16"
    QString fullName;
    QList<QStringList> chapters; // chapters[c - 1][v - 1]: the verse text, trailing blanks removed

    bool isOldTestament() const { return order <= 39; }
    int chapterCount() const { return int(chapters.size()); }
    int verseCount(int chapter) const { return int(chapters.at(chapter - 1).size()); }
    const QString &verse(int chapter, int verse) const { return chapters.at(chapter - 1).at(verse - 1); }
    bool hasVerse(int chapter, int verse) const {
        return chapter >= 1 && chapter <= chapterCount() && verse >= 1 && verse <= verseCount(chapter);
    }
};

struct Bible {
    QList<Book> books; // in canonical order
    const Book *find(const QString &abbrev) const;
};

// Reads SOURCEDIR/bible-kralice.txt and SOURCEDIR/books.tsv. Raises KerlaError, naming the file and
// line, when a file is missing or malformed, a book is missing or doubled, verses are not numbered
// 1, 2, 3... within each chapter, or a verse holds a digit (the markers in the book files rely on
// the text holding none) or a character outside code page 1250.
Bible loadBible(const QString &sourceDir);

// The verse text with its alternative readings in braces ("kněží {biskupy}") left out.
QString withoutAlternatives(const QString &text);

// A written reference in the Czech form: "Jan 3, 16" or "Jan 3, 16–18" (en dash).
QString czechReference(const Book &book, int chapter, int firstVerse, int lastVerse);

} // namespace datagen
