#include "tst_controls.h"

#include <QApplication>
#include <QTest>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int failures = 0;
    {
        TestMyLabel3d label;
        failures += QTest::qExec(&label, argc, argv);
    }
    {
        TestImageShape shape;
        failures += QTest::qExec(&shape, argc, argv);
    }
    return failures;
}
