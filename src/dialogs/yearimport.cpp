#include "dialogs/yearimport.h"

#include "pages/yearfiles.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>

// What the worker thread is given and gives back; the window's thread reads it once the thread ended.
struct YearImport::Work {
    QString path, programDir;
    QString failure; // the file could not be read
    yearimport::Result result;
    yearimport::Check check;
};

YearImport::YearImport(const AppContext &context, Seams seams, QObject *parent)
    : QObject(parent), m_context(context), m_seams(std::move(seams)) {}

YearImport::~YearImport() {
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

QString YearImport::fileFilter() {
    return QStringLiteral("Data roku (*.xml *.csv *.tsv *.tab *.txt);;Všechny soubory (*)");
}

YearImport::Seams YearImport::dialogsOf(QWidget *window) {
    Seams seams;
    seams.chooseFile = [window] {
        return QFileDialog::getOpenFileName(
            window, QStringLiteral("Načíst data roku"),
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation), fileFilter());
    };
    seams.confirm = [window](const QString &question) {
        return QMessageBox::question(window, QStringLiteral("Načíst data roku"), question,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    return seams;
}

void YearImport::choose() {
    if (busy())
        return importFile({}); // says that one is running
    const QString path = m_seams.chooseFile ? m_seams.chooseFile() : QString();
    if (!path.isEmpty())
        importFile(path);
}

void YearImport::importFile(const QString &path) {
    if (busy()) {
        m_context.messages->showMessage(
            QStringLiteral("Data roku se právě načítají; počkejte, až načítání skončí."));
        return;
    }
    m_work = std::make_shared<Work>();
    m_work->path = path;
    m_work->programDir = m_context.ProgramDir;
    std::shared_ptr<Work> work = m_work;
    m_worker = QThread::create([work] {
        if (QFileInfo(work->path).size() > yearimport::kMaxFileSize) {
            work->failure = QStringLiteral("soubor je větší než 20 MB; takový soubor program nečte");
            return;
        }
        QByteArray bytes;
        try {
            bytes = textfile::readAll(work->path);
        } catch (const KerlaError &e) {
            work->failure = e.message();
            return;
        }
        work->result = yearimport::convert(bytes, references::booksIn(work->programDir));
        if (!work->result.fatal())
            work->check = yearimport::check(work->result.files, work->programDir);
    });
    connect(m_worker, &QThread::finished, this, &YearImport::converted);
    m_worker->start();
}

void YearImport::converted() {
    const std::shared_ptr<Work> work = m_work;
    m_worker->deleteLater();
    m_worker = nullptr;
    m_work.reset();
    const QString file = QFileInfo(work->path).fileName();
    const auto refuse = [&](const QString &why) {
        m_context.messages->showError(
            QStringLiteral("Soubor %1 nelze načíst: %2\n\nData v programu se nezměnila.").arg(file, why));
        end();
    };
    if (!work->failure.isEmpty())
        return refuse(work->failure);
    const yearimport::Result &result = work->result;
    if (result.fatal()) {
        QStringList lines;
        for (qsizetype i = 0; i < result.problems.size() && i < 12; ++i)
            lines.append(yearimport::problemText(result.problems[i]));
        if (result.problems.size() > 12)
            lines.append(QStringLiteral("… a dalších %1").arg(result.problems.size() - 12));
        return refuse(QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
    }
    const int year = result.files.year;
    const QString folder = yearfiles::importFolder(m_context);
    if (textfile::fileExists(folder + yearfiles::dayFileName(year)) && m_seams.confirm &&
        !m_seams.confirm(QStringLiteral("Data roku %1 už v programu jsou. Nahradit je daty ze souboru %2?")
                             .arg(year)
                             .arg(file))) {
        m_context.messages->showMessage(QStringLiteral("Data roku %1 zůstala, jak byla.").arg(year));
        return end();
    }
    try {
        yearimport::install(result.files, folder);
    } catch (const KerlaError &e) {
        return refuse(e.message());
    }
    QList<yeartext::Problem> problems = result.problems + work->check.problems;
    QString summary = QStringLiteral("Načten rok %1 (%2): %3 dní, %4 čtení, z toho %5 se vyřízne z knih.")
                          .arg(year)
                          .arg(result.files.format)
                          .arg(result.files.days)
                          .arg(result.files.references)
                          .arg(work->check.readingsCut);
    if (!problems.isEmpty()) {
        summary += QStringLiteral("\n\nProblémy (%1):").arg(problems.size());
        for (qsizetype i = 0; i < problems.size() && i < 12; ++i)
            summary += QLatin1Char('\n') + yearimport::problemText(problems[i]);
        if (problems.size() > 12)
            summary += QStringLiteral("\n… a dalších %1").arg(problems.size() - 12);
    }
    m_context.messages->showMessage(summary);
    Q_EMIT imported(year);
    end();
}

void YearImport::end() {
    Q_EMIT finished();
}
