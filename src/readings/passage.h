#pragma once

#include "pages/appcontext.h"

#include <QString>
#include <QStringList>

#include <optional>

// Cutting a day's reading out of its book file (no widgets).
namespace passage {

// The message for a reference whose verses the book does not hold.
inline const QString ReferenceNotFound = QStringLiteral("Odkaz nebyl nelezen.");

// A reference split into its parts: "1j 4 7 21" (four parts) or "1j 4 7 5 3" (five parts).
struct ReadingReference {
    QString Book, Chapter, FirstVerse, LastChapter, LastVerse;
    int separators = 0; // how many spaces were taken as separators (at most four)
};

// Splits at no more than four spaces; the character right after a separator is never a separator.
ReadingReference splitReference(const QString &reference);

// The reference as the user reads it: "1j 4,7-21" or "1j 4,7-5,3".
QString labelText(const ReadingReference &ref);

// The book file that a reference's book names in ProgramDir + "Data" (matched without regard to
// case), or an empty text when there is none.
QString bookFilePath(const QString &programDir, const QString &book);

// The message box for a book that has no file.
QString missingBookMessage();

// Where a passage lies in its book: from `start` up to, not including, `end`.
struct PassageSpan {
    qsizetype start = 0, end = 0;
};

// Cuts the reference's passage out of the book's text. The messages shown on the way are appended
// to `messages`. No span when the first verse is not found or no first verse is named.
std::optional<PassageSpan> cutPassage(const ReadingReference &ref, QByteArrayView book,
                                      QStringList &messages);

// What an extraction did, in the order the reading window and the message boxes need it.
struct Outcome {
    QString label;        // the new caption of the reading window's Odkaz label (always set)
    QStringList messages; // plain message boxes, in the order they are shown
    bool show = false;    // Cteni.tmp was written: show the reading window
};

// Extracts the reference from ProgramDir + "Data/" + book into UserDataDir + "Cteni.tmp". Fills
// `out` as it goes. A failure to write Cteni.tmp raises KerlaError; `out` then already holds the
// label and the messages shown before it, and `show` stays false.
void ExtractPassage(const AppContext &context, const QString &reference, Outcome &out);

} // namespace passage
