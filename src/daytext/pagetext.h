#pragma once

#include "pages/daypage.h"
#include "platform/rtftext.h"

#include <QByteArrayView>
#include <QList>
#include <QMimeData>
#include <QString>

#include <memory>

// A shown page as text to pass on: what the user copies to the clipboard, what the search looks
// through and what a calendar event holds. The page is read by the program's own RTF reader.
namespace pagetext {

// A text of the page with the reference under it.
struct Passage {
    QString text;
    QString reference; // empty when the page gives none
    bool operator==(const Passage &) const = default;
};

// A page as the user reads it: its heading (the date of a day page, "KERLO TÝDNE" of a week page)
// and the paragraphs under it, without the empty ones.
struct Page {
    QList<rtf::Paragraph> paragraphs; // the heading first
    QString heading() const;
    // The paragraphs under the heading, each run of text closed by its reference: a paragraph
    // aligned to the right, as the pages set their references.
    QList<Passage> passages() const;
};

// The page from its RTF bytes (a day line, or the bytes of KERLA.TMP).
Page read(QByteArrayView rtf);

// The day's readings as the user reads them: "Čtení na tento den: gn 1,1-2,25; mt 1,1-25; zl 1,1-6",
// or an empty text for a day without readings.
QString readingsLine(const DayReadings &readings);

// The page as plain text: the heading, an empty line, then each paragraph on a line of its own
// with an empty line after each reference, and the readings (when given) last. Without the
// heading for a calendar event, whose date says it.
QString plainText(const Page &page, const QString &readings, bool withHeading = true);
// The same as HTML, with the page's bold, italic and alignment.
QString html(const Page &page, const QString &readings);

// A count of days in Czech: "1 den", "3 dny", "12 dnů".
QString dayCount(qsizetype n);

// A reading as it is passed on: the reference, then the passage.
QString passageText(const QString &reference, const QString &text);

// The page for the clipboard, as plain text and as HTML.
std::unique_ptr<QMimeData> mimeData(const Page &page, const QString &readings);

} // namespace pagetext
