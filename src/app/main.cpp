#include "folders.h"
#include "messagebox.h"
#include "program.h"
#include "programicon.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerla"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kerla"));

    SharedState state;
    BoxMessageSink messages;
    state.messages = &messages;
    state.ProgramDir = folders::programDir();
    state.UserDataDir = folders::userDataDir();

    Program program(state, QApplication::arguments().value(1));
    if (program.endsAtOnce())
        return 0;
    QApplication::setWindowIcon(programWindowIcon());
    program.show();
    return QApplication::exec();
}
