#include "app/program.h"
#include "controls/messagebox.h"
#include "dialogs/programicon.h"
#include "platform/folders.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kerla"));

    BoxMessageSink messages;
    const AppContext context{folders::programDir(), folders::userDataDir(), Clock{}, &messages};

    Program program(context, QApplication::arguments().value(1));
    if (program.endsAtOnce())
        return 0;
    QApplication::setWindowIcon(QIcon(programIcon(64)));
    program.show();
    return QApplication::exec();
}
