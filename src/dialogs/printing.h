#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// The module's side of printing: what runs inside the printing module, with Qt's printing system.
namespace printing {

// Prints the whole document as one job with the given title on the printer as it is set up (no
// dialog, no preview). The text fills the full printable area of each page, with no margins of
// its own, page after page; an empty document still makes a job of one page. Returns the number
// of pages. A printer that cannot be used or a job that fails raises KerlaError.
int printDocument(const QTextDocument &document, QPrinter &printer, const QString &title);

} // namespace printing
