#pragma once

// The real executable, copied beside a data set of our own, run with a user folder of its own.
#include "appfixture.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

class ProgramRun {
public:
    // Copies the program; false when it is not built.
    bool install() {
        m_exe = m_folder.path() + QFileInfo(QStringLiteral(KERLA_PROGRAM)).fileName();
        if (!QFile::exists(m_exe) && !QFile::copy(QStringLiteral(KERLA_PROGRAM), m_exe))
            return false;
        return QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFileDevice::ExeOwner);
    }

    // Starts the program with `userDir` as its XDG_DATA_HOME and waits until it shows its first
    // day page (KERLA.TMP is written, over one that a former run left). False when it did not come
    // up within the time.
    bool start(const QString &userDir, int ms = 15000) {
        const QString page = userDir + QStringLiteral("/KERLA.TMP");
        const QDateTime before = QFileInfo(page).lastModified();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kUserDataVariable), userDir);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(kHeadlessPlatform));
        m_process.setProcessEnvironment(env);
        m_process.start(m_exe, {});
        if (!m_process.waitForStarted(ms))
            return false;
        const QDeadlineTimer deadline(ms);
        while (!QFileInfo::exists(page) || QFileInfo(page).lastModified() == before) {
            if (deadline.hasExpired() || m_process.state() != QProcess::Running)
                return false;
            QThread::msleep(2);
        }
        return true;
    }

#ifdef Q_OS_WIN
    // Asks the program to end as the system does (WM_CLOSE to its windows).
    void end() {
        m_process.terminate();
    }
#else
    void signal(int number) {
        ::kill(static_cast<pid_t>(m_process.processId()), number);
    }
    // Asks the program to end as the system does (SIGTERM).
    void end() {
        signal(SIGTERM);
    }
#endif
    // Waits for the end; false when the program did not end within the time (it is killed then).
    bool waitForEnd(int ms = 15000) {
        if (m_process.waitForFinished(ms))
            return true;
        m_process.kill();
        m_process.waitForFinished(5000);
        return false;
    }
    QProcess &process() {
        return m_process;
    }

private:
    ProgramFolder m_folder;
    QString m_exe;
    QProcess m_process;
};
