#include "dialogs/printservice.h"

#include "dialogs/printsupport.h"
#include "pages/appcontext.h"
#include "platform/errors.h"

// Nothing here calls into Qt's printing system: it is reached through the table of the Source,
// which the program loads on first use.

void PrintService::DeletePrinter::operator()(QPrinter *printer) const {
    // The printer is deleted by the table that made it.
    table->deletePrinter(printer);
}

PrintService::PrintService(const AppContext &context, printsupport::Source &printing)
    : m_context(context), m_printing(printing) {}

PrintService::~PrintService() = default;

QPrinter &PrintService::printer() {
    if (!m_printer) {
        const printsupport::Functions &table = m_printing.functions();
        m_printer = std::unique_ptr<QPrinter, DeletePrinter>(table.newPrinter(), DeletePrinter{&table});
    }
    return *m_printer;
}

void PrintService::print(const QTextDocument &document, const QString &title) {
    runCommand(*m_context.messages, [&] {
        const QString failure = m_printing.functions().print(document, printer(), title);
        if (!failure.isEmpty())
            throw KerlaError(failure);
    });
}

void PrintService::setupPrinter(QWidget *parent) {
    runCommand(*m_context.messages, [&] { m_printing.functions().setupPrinter(printer(), parent); });
}
