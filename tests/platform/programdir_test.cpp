// Where the program finds its data set: beside the executable, or ../share/kerla/ in an installed
// tree.
#include "platform/folders.h"
#include "testenv.h"

#include <QTest>

class ProgramDirTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheDataSet_data();
    void findsTheDataSet();
};

void ProgramDirTest::findsTheDataSet_data() {
    // Files laid out below a temporary root, the executable's folder, the folder expected.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("exeDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("build tree") << QStringList{"build/bin/Kerla2026.rtf", "build/bin/Data/1j"} << "build/bin"
                                << "build/bin/";
    QTest::newRow("copied folder, one year") << QStringList{"Kerla/Cteni2026.sj"} << "Kerla"
                                             << "Kerla/";
    QTest::newRow("only the pictures") << QStringList{"Kerla/grafika/menu_den5.bmp"} << "Kerla"
                                       << "Kerla/";
    QTest::newRow("installed") << QStringList{"usr/bin/kerla", "usr/share/kerla/Kerla2026.rtf"} << "usr/bin"
                               << "usr/share/kerla/";
    QTest::newRow("installed, books only") << QStringList{"usr/share/kerla/Data/1j"} << "usr/bin"
                                           << "usr/share/kerla/";
    QTest::newRow("beside wins over installed")
        << QStringList{"usr/bin/Kerla2026.rtf", "usr/share/kerla/Kerla2026.rtf"} << "usr/bin"
        << "usr/bin/";
    QTest::newRow("no data anywhere") << QStringList{"usr/bin/kerla"} << "usr/bin"
                                      << "usr/bin/";
    QTest::newRow("an empty share folder")
        << QStringList{"usr/bin/kerla", "usr/share/kerla/readme"} << "usr/bin"
        << "usr/bin/";
    QTest::newRow("other files beside")
        << QStringList{"usr/bin/kerla.rtf", "usr/share/kerla/Data/1j"} << "usr/bin"
        << "usr/share/kerla/";
}

void ProgramDirTest::findsTheDataSet() {
    QFETCH(QStringList, files);
    QFETCH(QString, exeDir);
    QFETCH(QString, expected);
    QTemporaryDir root;
    for (const QString &file : files)
        QVERIFY(writeBytes(root.filePath(file), "x"));
    QDir().mkpath(root.filePath(exeDir));
    QCOMPARE(folders::programDirFor(root.filePath(exeDir)), root.filePath(expected));
}

QTEST_MAIN(ProgramDirTest)
#include "programdir_test.moc"
