// The table linked in: what the tests use, and what the module hands out.
#include "dialogs/jpegimage.h"
#include "dialogs/printing.h"
#include "dialogs/printsupport.h"
#include "platform/errors.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

QPrinter *newPrinter() {
    return new QPrinter(QPrinter::HighResolution);
}

void deletePrinter(QPrinter *printer) {
    delete printer;
}

QString print(const QTextDocument &document, QPrinter &printer, const QString &title) {
    try {
        printing::printDocument(document, printer, title);
        return {};
    } catch (const KerlaError &e) {
        return e.message();
    }
}

void setupPrinter(QPrinter &printer, QWidget *parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Nastavení tisku"));
    // Only the printer, the paper and the orientation are chosen here: a job prints every page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.exec();
}

const printsupport::Functions linked{
    sizeof(printsupport::Functions), newPrinter, deletePrinter, print, setupPrinter, jpegimage::decode};

class LinkedTable : public printsupport::Source {
public:
    const printsupport::Functions &functions() override { return linked; }
};

} // namespace

namespace printsupport {

Source &linkedTable() {
    static LinkedTable table;
    return table;
}

} // namespace printsupport
