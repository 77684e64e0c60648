// kerla-art FOLDER: writes the toolbar's view pictures (grafika/*.bmp) into FOLDER.
#include "art/toolbarart.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kerla-art FOLDER\n");
        return 2;
    }
    if (!toolbarart::writeFiles(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "kerla-art: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
