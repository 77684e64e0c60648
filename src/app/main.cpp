#include "designfonts.h"
#include "folders.h"
#include "mainform.h"
#include "messagebox.h"
#include "program.h"
#include "sessionend.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerla"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kerla"));
    designfonts::install();

    SharedState state;
    BoxMessageSink messages;
    state.messages = &messages;
    state.ProgramDir = folders::programDir();
    bool created = true;
    state.UserDataDir = folders::userDataDir(&created);
    if (!created) // the day pages still show, from memory; the close reports the settings' loss
        messages.showError(errors::unableToWriteTo(state.UserDataDir));
    state.dayPageUnwritable = !created;

    Program program(state, QApplication::arguments().value(1));
    if (program.endsAtOnce())
        return 0;
    // A signal or the end of the session closes the program as Esc does.
    SessionEnd sessionEnd([&program] { program.mainForm().close(); });
    program.show();
    return QApplication::exec();
}
