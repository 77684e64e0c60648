#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

class QPrinter;
class QTextDocument;
class QWidget;

// What needs Qt's printing system or libjpeg, behind one table. The program loads it from a module
// of its own on first use (printing, the printer setup, the about window's picture), so that
// neither library is loaded while the first page is put on the screen; the tests link it in.
namespace printsupport {

struct Functions {
    // sizeof(Functions) as the module was built: a module with another table is refused.
    quint32 size;
    QPrinter *(*newPrinter)();
    void (*deletePrinter)(QPrinter *printer);
    // Prints the document as one job (printing::printDocument); the failure's text, or empty.
    QString (*print)(const QTextDocument &document, QPrinter &printer, const QString &title);
    // The printer setup dialog for `printer`, modal over `parent`.
    void (*setupPrinter)(QPrinter &printer, QWidget *parent);
    QImage (*decodeJpeg)(QByteArrayView data);
};

// The table, loaded on the first call. Raises KerlaError when it cannot be had; a later call tries
// again.
const Functions &functions();

// The table from the module file `path`, or null with the reason in `error`.
const Functions *loadModule(const QString &path, QString *error);

// Where the program looks for the module: lib/kerla/modules/libkerla-print.so beside the executable's
// folder, in the build as where it is installed.
QString modulePath(const QString &executableDir);

// jpegimage::decode through the table; a null image when the table cannot be had.
QImage decodeJpeg(QByteArrayView data);

} // namespace printsupport

// The module's one entry point.
extern "C" const printsupport::Functions *kerla_printsupport_functions();
