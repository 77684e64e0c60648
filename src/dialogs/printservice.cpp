#include "dialogs/printing.h"
#include "dialogs/printsupport.h"
#include "pages/appcontext.h"
#include "platform/errors.h"

// Nothing here calls into Qt's printing system: it is reached through the table, which the program
// loads on first use.

void PrintService::DeletePrinter::operator()(QPrinter *printer) const {
    // A printer was made through the table, so the table is there.
    printsupport::functions().deletePrinter(printer);
}

PrintService::PrintService(const AppContext &context) : m_context(context) {}

PrintService::~PrintService() = default;

QPrinter &PrintService::printer() {
    if (!m_printer)
        m_printer.reset(printsupport::functions().newPrinter());
    return *m_printer;
}

void PrintService::print(const QTextDocument &document, const QString &title) {
    runCommand(*m_context.messages, [&] {
        const QString failure = printsupport::functions().print(document, printer(), title);
        if (!failure.isEmpty())
            throw KerlaError(failure);
    });
}

void PrintService::setupPrinter(QWidget *parent) {
    runCommand(*m_context.messages, [&] { printsupport::functions().setupPrinter(printer(), parent); });
}
