#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;
struct AppContext;

namespace printing {

// Prints the whole document as one job with the given title on the printer as it is set up (no
// dialog, no preview). The text fills the full printable area of each page, with no margins of
// its own, page after page; an empty document still makes a job of one page. Returns the number
// of pages. A printer that cannot be used or a job that fails raises KerlaError.
int printDocument(const QTextDocument &document, QPrinter &printer, const QString &title);

} // namespace printing

// The printer of this run, made on first use: the print command uses it, the printer setup changes it, and
// the choice holds until the program ends. Nothing about printing is stored.
class PrintService {
public:
    explicit PrintService(const AppContext &context);
    ~PrintService();

    // Made on first use: the printing system is loaded only when the program prints. Raises
    // KerlaError when it cannot be loaded.
    QPrinter &printer();

    // The print command: the document as one job titled with the main window's caption. A failure
    // goes to the error report; nothing else happens.
    void print(const QTextDocument &document, const QString &title);

    // The printer setup command: the printer, paper and orientation for the following jobs. The
    // dialog's result is not used. A printing system that cannot be loaded goes to the error report.
    void setupPrinter(QWidget *parent);

private:
    // The printer is made and deleted where the printing system is, never here.
    struct DeletePrinter {
        void operator()(QPrinter *printer) const;
    };
    const AppContext &m_context;
    std::unique_ptr<QPrinter, DeletePrinter> m_printer;
};
