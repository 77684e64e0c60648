// The version is the project's (CMakeLists.txt). The texts that stay as written, the newest entries
// of the changelog and of the AppStream metainfo, name it; so do the manual pages, which the build
// makes from it.
#include "testenv.h"

#include <QRegularExpression>
#include <QTest>

class VersionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsNameTheProjectVersion_data();
    void textsNameTheProjectVersion();
};

void VersionTest::textsNameTheProjectVersion_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("pattern"); // its first group is the version, at its first match
    QTest::addColumn<QString>("version");
    const QString source = QStringLiteral(KERLA_SOURCE_DIR "/data/linux/");
    const QString man = QStringLiteral(KERLA_MAN_DIR "/");
    const QString package = QStringLiteral(KERLA_PACKAGE_VERSION);
    const QString shown = QStringLiteral(KERLA_DISPLAY_VERSION);
    QTest::newRow("changelog, newest entry")
        << source + "changelog" << QStringLiteral("^kerla \\(([^)]+)\\) ") << package;
    QTest::newRow("metainfo, newest release") << source + "org.example.Kerla.metainfo.xml"
                                              << QStringLiteral("<release version=\"([^\"]+)\"") << package;
    QTest::newRow("manual page kerla.1")
        << man + "kerla.1" << QStringLiteral("^\\.TH KERLA 1 \"[^\"]+\" \"Kerla Dorny ([^\"]+)\"") << shown;
    QTest::newRow("manual page kerla-data.1")
        << man + "kerla-data.1" << QStringLiteral("^\\.TH KERLA-DATA 1 \"[^\"]+\" \"Kerla Dorny ([^\"]+)\"")
        << shown;
}

void VersionTest::textsNameTheProjectVersion() {
    QFETCH(QString, path);
    QFETCH(QString, pattern);
    QFETCH(QString, version);
    const QString text = QString::fromUtf8(readBytes(path));
    QVERIFY2(!text.isEmpty(), qPrintable(path));
    const QRegularExpressionMatch match =
        QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
    QVERIFY2(match.hasMatch(), qPrintable(path));
    QCOMPARE(match.captured(1), version);
}

QTEST_GUILESS_MAIN(VersionTest)
#include "version_test.moc"
