#include "dialogs/documentviewer.h"
#include "dialogs/printing.h"
#include "dialogs/printservice.h"
#include "dialogs/printsupport.h"
#include "faultshim.h"
#include "pages/appcontext.h"
#include "platform/errors.h"
#include "platform/rtfreader.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

namespace {

QPrinter *pdfPrinter(QPrinter &printer, const QString &file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return &printer;
}

int pdfPages(const QString &file) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(readBytes(file)).count(page));
}

// A document of `lines` one-line paragraphs, each exactly `height` high on the printed page.
void fillFixedLines(QTextDocument &doc, int lines, qreal height) {
    QTextCursor cursor(&doc);
    QTextBlockFormat format;
    format.setLineHeight(height, QTextBlockFormat::FixedHeight);
    format.setTopMargin(0);
    format.setBottomMargin(0);
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.setBlockFormat(format);
        cursor.insertText(QStringLiteral("Řádek %1").arg(i + 1));
    }
}

// The viewer without its modal loop: records that it was shown.
class RecordingViewer : public TForm2 {
public:
    int shown = 0;
    void showModal() override { ++shown; }
};

const QByteArray SampleRtf = "{\\rtf1\\ansi\\ansicpg1250 {\\b Zkou\\'9aka} prvn\\'edho dokumentu.\\par}";
const QByteArray OtherRtf = "{\\rtf1\\ansi\\ansicpg1250 Druh\\'fd dokument.\\par}";

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesFollowTheText_data();
    void pagesFollowTheText();
    void usesTheFullPrintableArea();
    void jobTitleIsTheCaption();
    void failedJobIsReported();
    void noPrinterIsReported();
    void printerSetupKeepsThePrinter();
    void missingDocumentShowsItsMessage_data();
    void missingDocumentShowsItsMessage();
    void documentReplacesThePrevious();
    void unreadableDocumentIsReported();
    void ourDocumentsStandBesideTheProgram_data();
    void ourDocumentsStandBesideTheProgram();
};

void PrintTest::pagesFollowTheText_data() {
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("one line") << 1 << false;
    QTest::newRow("long page") << 400 << true;
}

void PrintTest::pagesFollowTheText() {
    QFETCH(int, paragraphs);
    QFETCH(bool, severalPages);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.pdf"));
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCursor cursor(&doc);
    for (int i = 0; i < paragraphs; ++i)
        cursor.insertText(
            QStringLiteral("Kerlo dne %1: Slovo tvé je svíce noze mé a světlo stezce mé.\n").arg(i));
    QPrinter printer(QPrinter::HighResolution);
    const int pages =
        printing::printDocument(doc, *pdfPrinter(printer, file), QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(pdfPages(file), pages);
    if (severalPages)
        QVERIFY2(pages >= 5, qPrintable(QString::number(pages)));
    else
        QCOMPARE(pages, 1);
}

void PrintTest::usesTheFullPrintableArea() {
    // Lines that together are a little shorter than the whole A4 page fill exactly one page; one
    // line more needs a second. Any margin of our own would push the last line over.
    for (QPrinter::PrinterMode mode : {QPrinter::ScreenResolution, QPrinter::HighResolution}) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("area.pdf"));
        QPrinter printer(mode);
        pdfPrinter(printer, file);
        // Margins left from an earlier setup do not shrink the area.
        printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        const qreal pageHeight = printer.pageLayout().fullRectPixels(printer.resolution()).height();
        const qreal scale = printer.logicalDpiY() / 96.0;
        const int lines = 40;
        const qreal height = (pageHeight - 2 * scale) / (lines * scale);
        for (int extra : {0, 1}) {
            QTextDocument doc;
            fillFixedLines(doc, lines + extra, height);
            QCOMPARE(printing::printDocument(doc, printer, QStringLiteral("x")), 1 + extra);
            QCOMPARE(pdfPages(file), 1 + extra);
        }
    }
}

void PrintTest::jobTitleIsTheCaption() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("title.pdf"));
    QPrinter printer;
    QTextDocument doc(QStringLiteral("Kerlo týdne"));
    printing::printDocument(doc, *pdfPrinter(printer, file), QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(printer.docName(), QStringLiteral("Kerla Dorny 2.36"));
    // The PDF keeps the title as UTF-16 with a byte-order mark.
    QByteArray utf16("\xFE\xFF", 2);
    for (QChar c : QStringLiteral("Kerla Dorny 2.36"))
        utf16 += char(c.unicode() >> 8), utf16 += char(c.unicode() & 0xFF);
    QVERIFY(readBytes(file).contains("/Title (" + utf16 + ")"));
}

void PrintTest::failedJobIsReported() {
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    PrintService service(state, printsupport::linkedTable());
    QTemporaryDir dir;
    pdfPrinter(service.printer(), dir.filePath(QStringLiteral("no/such/folder/page.pdf")));
    QTextDocument doc(QStringLiteral("Kerlo dne"));
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(sink.errors.size(), 1);
    QVERIFY2(sink.errors[0].startsWith(QStringLiteral("Tisk se nezdařil: ")), qPrintable(sink.errors[0]));
    QVERIFY(sink.messages.isEmpty());

    // The printer chosen for the run stays, and the next job can succeed.
    const QString good = dir.filePath(QStringLiteral("page.pdf"));
    service.printer().setOutputFileName(good);
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(sink.errors.size(), 1);
    QCOMPARE(pdfPages(good), 1);
}

void PrintTest::noPrinterIsReported() {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    PrintService service(state, printsupport::linkedTable());
    QTextDocument doc(QStringLiteral("Kerlo dne"));
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QCOMPARE(sink.errors.size(), 1);
    QVERIFY(sink.errors[0].startsWith(QStringLiteral("Tisk se nezdařil: ")));
}

void PrintTest::printerSetupKeepsThePrinter() {
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    PrintService service(state, printsupport::linkedTable());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("setup.pdf"));
    pdfPrinter(service.printer(), file);
    service.printer().setPageOrientation(QPageLayout::Landscape);
    QString title;
    QTimer::singleShot(0, this, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    service.setupPrinter(nullptr);
#ifndef Q_OS_WIN // there the setup is the system's own dialog, which does not open without a printer
    QCOMPARE(title, QStringLiteral("Nastavení tisku"));
#endif
    // A cancelled setup leaves the printer as it was, and the next job uses it.
    QCOMPARE(service.printer().outputFileName(), file);
    QCOMPARE(service.printer().pageLayout().orientation(), QPageLayout::Landscape);
    QTextDocument doc(QStringLiteral("Kerlo dne"));
    service.print(doc, QStringLiteral("Kerla Dorny 2.36"));
    QVERIFY(sink.all.isEmpty());
    QCOMPARE(pdfPages(file), 1);
}

void PrintTest::missingDocumentShowsItsMessage_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("folder");
    QTest::newRow("O Kerlach") << documents::AboutWatchwords
                               << QStringLiteral("Informace o Kerlach nenalezeny.") << false;
    QTest::newRow("Distribuce") << documents::PrintedEdition
                                << QStringLiteral("Informace o tištěné verzi nenalezeny.") << false;
    QTest::newRow("a folder of that name")
        << documents::AboutWatchwords << QStringLiteral("Informace o Kerlach nenalezeny.") << true;
}

void PrintTest::missingDocumentShowsItsMessage() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(bool, folder);
    QTemporaryDir program;
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    state.ProgramDir = program.path() + QLatin1Char('/');
    if (folder)
        QVERIFY(QDir().mkpath(state.ProgramDir + name));
    RecordingViewer viewer;
    childOf<QTextEdit>(viewer, "RichEdit1")->setPlainText(QStringLiteral("dříve zobrazený text"));
    QVERIFY(!documents::showDocument(state, viewer, name));
    QCOMPARE(sink.all, QStringList{message});
    QCOMPARE(viewer.shown, 0);
    QCOMPARE(childOf<QTextEdit>(viewer, "RichEdit1")->toPlainText(), QStringLiteral("dříve zobrazený text"));
}

void PrintTest::documentReplacesThePrevious() {
    QTemporaryDir program;
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    state.ProgramDir = program.path() + QLatin1Char('/');
    QVERIFY(writeBytes(state.ProgramDir + documents::AboutWatchwords, SampleRtf));
    QVERIFY(writeBytes(state.ProgramDir + documents::PrintedEdition, OtherRtf));
    RecordingViewer viewer;
    QVERIFY(documents::showDocument(state, viewer, documents::AboutWatchwords));
    QCOMPARE(viewer.shown, 1);
    QVERIFY(childOf<QTextEdit>(viewer, "RichEdit1")
                ->toPlainText()
                .contains(QStringLiteral("Zkouška prvního dokumentu.")));
    // The user may type; the next opening shows only the next document.
    childOf<QTextEdit>(viewer, "RichEdit1")->moveCursor(QTextCursor::End);
    childOf<QTextEdit>(viewer, "RichEdit1")->insertPlainText(QStringLiteral("napsáno uživatelem"));
    QVERIFY(documents::showDocument(state, viewer, documents::PrintedEdition));
    QCOMPARE(viewer.shown, 2);
    const QString shown = childOf<QTextEdit>(viewer, "RichEdit1")->toPlainText();
    QVERIFY(shown.contains(QStringLiteral("Druhý dokument.")));
    QVERIFY(!shown.contains(QStringLiteral("Zkouška")));
    QVERIFY(!shown.contains(QStringLiteral("napsáno")));
    // The viewer has no key handling of its own: Esc does not close it.
    viewer.show();
    QTest::keyClick(childOf<QTextEdit>(viewer, "RichEdit1"), Qt::Key_Escape);
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.windowTitle(), QStringLiteral("O Kerlach DR"));
    QVERIFY(sink.all.isEmpty());
}

void PrintTest::unreadableDocumentIsReported() {
    QTemporaryDir program;
    RecordingMessageSink sink;
    AppContext state;
    state.messages = &sink;
    state.ProgramDir = program.path() + QLatin1Char('/');
    const QString path = state.ProgramDir + documents::AboutWatchwords;
    QVERIFY(writeBytes(path, SampleRtf));
    faultshim::Scope unreadable;
    faultshim::refuseOpen(QFile::encodeName(path));
    RecordingViewer viewer;
    QVERIFY(!documents::showDocument(state, viewer, documents::AboutWatchwords));
    QCOMPARE(sink.errors.size(), 1);
    QVERIFY(sink.errors[0].contains(QStringLiteral("O Kerlach.rtf")));
    QCOMPARE(viewer.shown, 0);
}

void PrintTest::ourDocumentsStandBesideTheProgram_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("facts");
    QTest::newRow("O Kerlach") << documents::AboutWatchwords
                               << QStringList{QStringLiteral("Bible kralické"), QStringLiteral("2025"),
                                              QStringLiteral("kerla@example.org")};
    QTest::newRow("Distribuce") << documents::PrintedEdition
                                << QStringList{
                                       QStringLiteral("ukázkovou sadu dat"), QStringLiteral("Kerla<rok>.rtf"),
                                       QStringLiteral("Cteni<rok>.sj"), QStringLiteral("kerla-data check"),
                                       QStringLiteral("https://www.example.org/kerla")};
}

void PrintTest::ourDocumentsStandBesideTheProgram() {
    QFETCH(QString, name);
    QFETCH(QStringList, facts);
    const QByteArray bytes = readBytes(QStringLiteral(KERLA_BIN_DIR "/") + name);
    QVERIFY2(bytes.startsWith("{\\rtf1"), qPrintable(name));
    const QString text = rtf::plainText(bytes);
    for (const QString &fact : facts)
        QVERIFY2(text.contains(fact), qPrintable(fact));
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
