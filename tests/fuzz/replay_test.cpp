// Feeds every file of tests/corpus/<target>/ to its fuzz target: the reproducers of what the
// fuzzers found stay fixed, and the seed corpora keep running in every build.
#include "fuzztargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

class CorpusReplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTargetHasACorpus() {
        for (const fuzztargets::Target &target : fuzztargets::all()) {
            const QDir dir(QStringLiteral(KERLA_CORPUS "/") + QLatin1String(target.name));
            QVERIFY2(!dir.entryList(QDir::Files).isEmpty(), target.name);
        }
    }

    void replay_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        for (const fuzztargets::Target &target : fuzztargets::all()) {
            const QDir dir(QStringLiteral(KERLA_CORPUS "/") + QLatin1String(target.name));
            for (const QString &file : dir.entryList(QDir::Files, QDir::Name))
                QTest::addRow("%s/%s", target.name, qPrintable(file))
                    << QString::fromLatin1(target.name) << dir.filePath(file);
        }
    }

    void replay() {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        fuzztargets::find(qPrintable(target))->run(bytes); // aborts on a broken rule
    }
};

int main(int argc, char **argv) {
    fuzztargets::setUp(&argc, &argv);
    CorpusReplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "replay_test.moc"
