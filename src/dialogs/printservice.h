#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;
struct AppContext;

namespace printsupport {
class Source;
struct Functions;
} // namespace printsupport

// The program's side of printing: the printer of this run, made on first use through the table of
// the Source it is given; the print command uses it, the printer setup changes it, and the choice
// holds until the program ends. Nothing about printing is stored.
class PrintService {
public:
    // `printing` (the module's loader in the program) outlives the service.
    PrintService(const AppContext &context, printsupport::Source &printing);
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
        const printsupport::Functions *table; // null while there is no printer
        void operator()(QPrinter *printer) const;
    };
    const AppContext &m_context;
    printsupport::Source &m_printing;
    std::unique_ptr<QPrinter, DeletePrinter> m_printer;
};
