// The floor of start-up: a bare Qt window holding a text view, as little as a Qt Widgets program
// can show. bench/startup times the program against it.
#include <QApplication>
#include <QMainWindow>
#include <QTextEdit>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QTextEdit(&window));
    window.show();
    return QApplication::exec();
}
