#pragma once

#include "pages/appcontext.h"

#include <QString>
#include <QStringList>

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
