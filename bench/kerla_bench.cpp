// Reports median times of the day view's hot paths and of start-up, with a bare Qt window as the
// baseline for start-up. Uses the sample data set beside the built program.
#include "app/mainform.h"
#include "app/program.h"
#include "appfixture.h"
#include "daytext/searchsources.h"
#include "dialogs/aboutwindow.h"
#include "dialogs/documentviewer.h"
#include "dialogs/printsupport.h"
#include "dialogs/searchwindow.h"
#include "dialogs/settingsdialog.h"
#include "import/yearimport.h"
#include "pages/dates.h"
#include "pages/daypage.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"
#include "readings/readingwindow.h"
#include "yearfixtures.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Waits until the widget has painted once.
class PaintWatcher : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(o, e);
    }
};

void waitForPaint(const PaintWatcher &watcher) {
    QElapsedTimer guard;
    guard.start();
    while (!watcher.painted && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QByteArray rtfDocument(int bytes) {
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 Tahoma;}{\\f1 Arial;}}"
                     "{\\colortbl ;\\red128\\green0\\blue0;}\\pard\\qc\\b Nadpis\\b0\\par\\pard ";
    int i = 0;
    while (doc.size() < bytes) {
        doc += "\\f" + QByteArray::number(i % 2) + " Odstavec " + QByteArray::number(i) +
               ": \\i kurz\xedva\\i0 , \\b tu\xe8n\xe9\\b0 , \\cf1 barva\\cf0 , \\'9a\\'e8 \\u269?\\par\r\n";
        ++i;
    }
    return doc + "}";
}

// Hand-made documents of about `bytes` that are hard to show: many format changes in one
// paragraph, or in many paragraphs, many empty paragraphs, deep groups and long words.
std::vector<std::pair<const char *, QByteArray>> hardRtfDocuments(int bytes) {
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 "
                            "Tahoma;}}{\\colortbl;\\red200\\green0\\blue0;}\\pard ";
    auto fill = [&](const QByteArray &unit) {
        QByteArray doc = head;
        doc.reserve(bytes + unit.size() + 1);
        while (doc.size() < bytes)
            doc += unit;
        return doc + "}";
    };
    QByteArray perParagraph;
    for (int i = 0; i < 120; ++i)
        perParagraph += "\\b a\\b0 b";
    return {
        {"format changes in one paragraph", fill("\\b a\\b0 b")},
        {"format changes, 240 a paragraph", fill(perParagraph + "\\par ")},
        {"colour and size changes in one paragraph", fill("\\fs20\\cf1 x\\fs22\\cf0 y ")},
        {"empty paragraphs", fill("\\par ")},
        {"one-letter paragraphs", fill("x\\par ")},
        {"one long word", fill("x")},
        {"deep groups", fill("{\\b{\\i x}")},
        {"line breaks", fill("\\line ")},
        {"tabs", fill("\\tab ")},
        {"huge letters", fill("\\fs3000 x ")},
        {"one letter under combining marks", fill("\\u769?")},
        {"right-to-left letters", fill("\\u1488?\\u1489? ")},
        {"long words of 2,000 letters", fill(QByteArray(2000, 'x') + ' ')},
    };
}

// What showing a document costs: reading it and laying it out at a view's width.
double showMs(const QByteArray &bytes) {
    return medianMs(5, [&] {
        QTextDocument d;
        rtf::load(&d, bytes);
        d.setTextWidth(600);
        d.documentLayout()->documentSize();
    });
}

// Importing a whole year, as the menu does off the window's thread: the shape of the books from
// Data/, the conversion and the check with every reading cut from its book; then the install.
void reportImport(const QString &programDir) {
    QTemporaryDir folder;
    for (const auto &[name, bytes] :
         {std::pair{"LOSFILE", yearfixtures::losfile()}, std::pair{"FreeXml", yearfixtures::freeXml(2027)}}) {
        yearimport::Result result;
        const double convert = medianMs(11, [&] {
            result = yearimport::convert(bytes, references::booksIn(programDir));
            yearimport::check(result.files, programDir);
        });
        const double install = medianMs(
            11, [&] { yearimport::install(result.files, folder.path() + QStringLiteral("/kerla")); });
        std::printf("importing a %s year (%lld KB, %d days, %d readings): %.1f ms converting and checking, "
                    "%.1f ms writing\n",
                    name, static_cast<long long>(bytes.size() / 1024), result.files.days,
                    result.files.references, convert, install);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "kerla_bench rtf": only the hand-made documents.
    if (QCoreApplication::arguments().value(1) == QLatin1String("rtf")) {
        const QString only = QCoreApplication::arguments().value(2);
        for (const auto &[name, bytes] : hardRtfDocuments(100 * 1024)) {
            if (only.isEmpty() || QString::fromUtf8(name).startsWith(only)) {
                std::printf("  %-42s %8.2f ms\n", name, showMs(bytes));
                std::fflush(stdout);
            }
        }
        return 0;
    }
    const QString programDir = QStringLiteral(KERLA_BIN_DIR "/");
    // "kerla_bench import": only the import of a year.
    if (QCoreApplication::arguments().value(1) == QLatin1String("import")) {
        reportImport(programDir);
        return 0;
    }
    TempUserData user;
    RecordingMessageSink messages;
    const QDateTime now(QDate(2025, 6, 15), QTime(8, 0));

    auto newState = [&] {
        auto s = std::make_unique<AppContext>();
        s->ProgramDir = programDir;
        s->UserDataDir = user.path();
        s->messages = &messages;
        s->clock.now = [now] { return now; };
        return s;
    };

    // Start-up to the first painted day page, against a bare window with a text view.
    const double bare = medianMs(15, [&] {
        QMainWindow w;
        auto *edit = new QTextEdit(&w);
        w.setCentralWidget(edit);
        PaintWatcher watcher;
        edit->viewport()->installEventFilter(&watcher);
        w.show();
        waitForPaint(watcher);
    });
    const double startup = medianMs(15, [&] {
        auto s = newState();
        Program program(*s, QString(), printsupport::linkedTable());
        PaintWatcher watcher;
        program.mainForm()
            .findChild<QTextEdit *>(QStringLiteral("TextWindow"))
            ->viewport()
            ->installEventFilter(&watcher);
        program.show();
        waitForPaint(watcher);
    });

    // What the start-up spends its time on: each window's creation alone.
    auto s0 = newState();
    SettingsFile settings;
    std::unique_ptr<TMainForm> mainOnly;
    const double mainForm =
        medianMs(15, [&] { mainOnly = std::make_unique<TMainForm>(*s0, settings, QString()); });
    const double readingWindow = medianMs(15, [&] {
        SettingsFile own; // read again each time, as by a window alone
        TBible bible(*s0, own);
    });
    const double aboutWindow = medianMs(15, [&] { TAutor autor(*s0, printsupport::linkedTable()); });
    TBible readingOnly(*s0, settings);
    const double settingsDialog = medianMs(15, [&] { TNastav nastav(*s0, *mainOnly, readingOnly); });
    const double viewer = medianMs(15, [&] { TForm2 form2; });

    // The refresh for a day of the loaded year.
    auto s = newState();
    Program program(*s, QString(), printsupport::linkedTable());
    program.show();
    QCoreApplication::processEvents();
    const double refresh = medianMs(101, [&] {
        DayView &view = program.mainForm().dayView();
        view.step(DayForward);
        if (view.date().year != 2025)
            view.setDate(QDate(2025, 1, 1));
        program.mainForm().FormShow();
    });

    // Loading a year file (as a year change does).
    const QString yearFile = daypage::yearFilePath(programDir, 2025);
    const double loadYear = medianMs(51, [&] {
        const auto lines = textfile::readLines(yearFile);
        if (lines.size() != 372)
            std::abort();
    });

    // Reading a 100 KB RTF document into a text document.
    const QByteArray doc = rtfDocument(100 * 1024);
    const double rtf = medianMs(31, [&] {
        QTextDocument d;
        rtf::load(&d, doc);
    });

    // The search: indexing the sample years once, then one keystroke's query, in the index alone
    // and in the search window (the query, the list's rows and the count).
    search::Index index;
    searchsources::IndexKeeper keeper;
    auto searchState = newState();
    const double indexing = medianMs(1, [&] { keeper.refresh(*searchState, index); });
    const char *const queries[] = {"pastyr", "zalm 23", "hospodin rec", "a", "xyzzy"};
    std::vector<std::pair<const char *, double>> finds, keystrokes;
    for (const char *q : queries) {
        const QStringList words = search::queryWords(QString::fromUtf8(q));
        finds.emplace_back(q, medianMs(101, [&] { (void)index.find(words); }));
    }
    THledani searchWindow(*searchState);
    searchWindow.open();
    auto *field = searchWindow.findChild<QLineEdit *>(QStringLiteral("HledatText"));
    for (const char *q : queries) {
        // A space after the words and away again: each is a key that runs the whole query.
        const QString texts[] = {QString::fromUtf8(q), QString::fromUtf8(q) + u' '};
        int key = 0;
        keystrokes.emplace_back(q, medianMs(101, [&] { field->setText(texts[++key % 2]); }));
    }

    std::vector<std::pair<const char *, double>> hard;
    for (const auto &[name, bytes] : hardRtfDocuments(100 * 1024))
        hard.emplace_back(name, showMs(bytes));

    std::printf(
        "start-up to the first painted day page: %.2f ms (bare Qt window with a text view: %.2f ms)\n",
        startup, bare);
    std::printf("  creating the main window %.2f ms, settings dialog %.2f ms, about window %.2f ms,\n"
                "  reading window %.2f ms, document viewer %.2f ms\n",
                mainForm, settingsDialog, aboutWindow, readingWindow, viewer);
    std::printf("FormShow, a day of the loaded year:     %.3f ms\n", refresh);
    std::printf("loading a year file (%s):       %.3f ms\n", "372 lines", loadYear);
    std::printf("reading a %lld KB RTF document:             %.2f ms\n",
                static_cast<long long>(doc.size() / 1024), rtf);
    std::printf("search: indexing %lld years once (%lld texts): %.1f ms; one keystroke:\n",
                static_cast<long long>(index.years().size()), static_cast<long long>(index.size()), indexing);
    for (size_t i = 0; i < finds.size(); ++i)
        std::printf(
            "  %-14s %5lld found   index %.3f ms, search window %.3f ms\n", finds[i].first,
            static_cast<long long>(index.find(search::queryWords(QString::fromUtf8(finds[i].first))).size()),
            finds[i].second, keystrokes[i].second);
    std::printf("showing hand-made 100 KB RTF documents (reading and laying out at 600 px):\n");
    for (const auto &[name, ms] : hard)
        std::printf("  %-42s %8.2f ms\n", name, ms);
    reportImport(programDir);
    std::printf("(medians; errors reported: %lld)\n", static_cast<long long>(messages.all.size()));
    return 0;
}
