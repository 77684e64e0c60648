#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

class QPrinter;
class QTextDocument;
class QWidget;

// What needs Qt's printing system or libjpeg, behind one table: the contract between the program
// and its printing module. The program loads the table from the module on first use (printing,
// the printer setup, the about window's picture), so that neither library is loaded while the
// first page is put on the screen; tests link it in. Which of the two a window gets is the Source
// it is handed.
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

// Where a printer service and the about window take the table from, handed to them by whoever
// makes them: the program a ModuleLoader, a test the table linked in (linkedTable()).
class Source {
public:
    virtual ~Source() = default;
    // The table. Raises KerlaError when it cannot be had; a later call tries again.
    virtual const Functions &functions() = 0;
    // jpegimage::decode through the table; a null image when the table cannot be had.
    QImage decodeJpeg(QByteArrayView data);
};

// The table from the program's module, loaded on the first call from modulePath() beside the
// running executable's folder. Once loaded, the module stays until the program ends.
class ModuleLoader : public Source {
public:
    const Functions &functions() override;

private:
    const Functions *m_loaded = nullptr;
};

// The table linked in: what the module hands out, and what tests use. Defined only by the module's
// own code (kerla_printsupport_linked), which the program does not link.
Source &linkedTable();

// The table from the module file `path`, or null with the reason in `error`.
const Functions *loadModule(const QString &path, QString *error);

// Where the program looks for the module: lib/kerla/modules/libkerla-print.so beside the executable's
// folder, in the build as where it is installed.
QString modulePath(const QString &executableDir);

} // namespace printsupport

// The module's one entry point.
extern "C" const printsupport::Functions *kerla_printsupport_functions();
