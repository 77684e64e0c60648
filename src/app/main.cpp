#include "app/mainform.h"
#include "app/program.h"
#include "app/sessionend.h"
#include "controls/deferredicons.h"
#include "controls/messagebox.h"
#include "dialogs/printsupport.h"
#include "platform/designfonts.h"
#include "platform/folders.h"

#include <QApplication>

int main(int argc, char **argv) {
    // The menu stays in the window, where the design puts it, on every desktop; asking the session
    // bus for a global menu would also hold up the window's first appearance.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerla"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kerla"));
    designfonts::install();
    // The window then shows without loading any picture-format plug-in.
    DeferredIconStyle::install();

    BoxMessageSink messages;
    const QString programDir = folders::programDir();
    bool created = true;
    const QString userDataDir = folders::userDataDir(&created);
    if (!created) // the day pages still show, from memory; the close reports the settings' loss
        messages.showError(errors::unableToWriteTo(userDataDir));
    const AppContext context{programDir, userDataDir, Clock{}, &messages, !created};

    // Printing and the about window's picture come from the program's module, loaded on first use.
    printsupport::ModuleLoader printing;
    Program program(context, QApplication::arguments().value(1), printing);
    if (program.endsAtOnce())
        return 0;
    // A signal or the end of the session closes the program as Esc does.
    SessionEnd sessionEnd([&program] { program.mainForm().close(); });
    program.show();
    return QApplication::exec();
}
