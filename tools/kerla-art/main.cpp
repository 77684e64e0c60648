// kerla-art FOLDER: writes the toolbar's view pictures (grafika/*.bmp) into FOLDER.
// kerla-art --ready-pictures FILE: writes every toolbar picture at 1× and 2× as rows of pixels into
// the C++ source FILE, which the program is built with.
#include "art/toolbarart.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>

namespace {

QByteArray readyPicturesSource() {
    QByteArray out =
        "// Written by kerla-art: the toolbar's pictures at 1x and 2x, as rows of 8-bit RGB pixels.\n"
        "#include \"art/toolbaricons.h\"\n\nnamespace toolbarart {\n\nnamespace {\n";
    QByteArray table;
    int count = 0;
    for (toolbarart::Picture picture : toolbarart::allPictures()) {
        for (int ratio : {1, 2}) {
            const QImage image = toolbarart::draw(picture, ratio);
            if (image.format() != QImage::Format_RGB888 || image.width() != 32 * ratio ||
                image.height() != 32 * ratio)
                return {};
            // The rows without the padding that a QImage may keep at their ends.
            QByteArray pixels;
            for (int y = 0; y < image.height(); ++y)
                pixels.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 3);
            const QByteArray name = "p" + QByteArray::number(int(picture)) + "x" + QByteArray::number(ratio);
            out += "const unsigned char " + name + "[] = {";
            for (qsizetype i = 0; i < pixels.size(); ++i)
                out += (i % 24 ? "" : "\n    ") + QByteArray::number(uchar(pixels[i])) + ',';
            out += "\n};\n";
            table += "    {" + QByteArray::number(int(picture)) + ", " + QByteArray::number(ratio) + ", " +
                     name + ", int(sizeof " + name + ")},\n";
            ++count;
        }
    }
    out += "\n} // namespace\n\nconst ReadyPicture readyPictures[] = {\n" + table +
           "};\nconst int readyPictureCount = " + QByteArray::number(count) +
           ";\n\n} // namespace toolbarart\n";
    return out;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--ready-pictures") == 0) {
        const QByteArray source = readyPicturesSource();
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (source.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(source) != source.size() || !file.flush()) {
            std::fprintf(stderr, "kerla-art: cannot write the pictures into %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: kerla-art FOLDER | kerla-art --ready-pictures FILE\n");
        return 2;
    }
    if (!toolbarart::writeFiles(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "kerla-art: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
