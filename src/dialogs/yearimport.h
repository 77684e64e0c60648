#pragma once

#include "import/yearimport.h"
#include "pages/appcontext.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThread;
class QWidget;

// The import of a year's data from the program (the menu's "Načíst data roku…" and a file dropped
// on the main window): the file is read, converted and checked off the user-interface thread, so
// the window stays responsive; a year that the user's folder already holds is replaced only after
// the user confirms; then the year's files go into UserDataDir + "kerla/" together and a Czech
// summary tells what came in. A failure leaves the folder as it was. The dialogs are seams.
class YearImport : public QObject {
    Q_OBJECT
public:
    struct Seams {
        std::function<QString()> chooseFile;                  // the file dialog; empty when cancelled
        std::function<bool(const QString &question)> confirm; // a yes/no question
    };
    // The summary and the failures go to the context's message sink.
    YearImport(const AppContext &context, Seams seams, QObject *parent = nullptr);
    ~YearImport() override;

    // The real dialogs of the window, or a test's.
    void setSeams(Seams seams) { m_seams = std::move(seams); }
    // The real dialogs: a file dialog for XML, CSV and TSV files and a yes/no question box.
    static Seams dialogsOf(QWidget *window);

    // The menu command: the file dialog, then the import of the chosen file.
    void choose();
    // Imports the file; a second import while one runs is refused with a message.
    void importFile(const QString &path);
    bool busy() const { return m_worker != nullptr; }

    // The file dialog's filter.
    static QString fileFilter();

Q_SIGNALS:
    // The year's files are in place; the window shows the year.
    void imported(int year);
    // The import ended, whatever its outcome.
    void finished();

private:
    struct Work;
    void converted();
    void end();

    const AppContext &m_context;
    Seams m_seams;
    QThread *m_worker = nullptr;
    std::shared_ptr<Work> m_work;
};
