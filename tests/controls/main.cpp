#include "tst_controls.h"

#include <QApplication>
#include <QTest>

namespace {

// The arguments for one suite of this program. A report file asked for with "-o FILE,FORMAT" (as
// under Wine, where no output reaches a pipe) gets the suite's name after it: each suite's run
// writes its file anew and would lose the one before.
QStringList argumentsFor(const QString &suite, int argc, char **argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-o") && arguments[i + 1].contains(QLatin1Char(','))) {
            const qsizetype comma = arguments[i + 1].lastIndexOf(QLatin1Char(','));
            arguments[i + 1].insert(comma, QLatin1Char('.') + suite);
        }
    }
    return arguments;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int failures = 0;
    {
        TestMyLabel3d label;
        failures += QTest::qExec(&label, argumentsFor(QStringLiteral("label3d"), argc, argv));
    }
    {
        TestImageShape shape;
        failures += QTest::qExec(&shape, argumentsFor(QStringLiteral("imageshape"), argc, argv));
    }
    return failures;
}
