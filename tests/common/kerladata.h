#pragma once

#include "testenv.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// kerla-data run as its users run it: the built tool with its arguments, and what it printed and
// returned. `dataHome`, when given, is its XDG_DATA_HOME, on Windows its LOCALAPPDATA (the user's folder
// that import writes to).
struct KerlaDataRun {
    int exitCode = -1; // -1 when it did not end in time or crashed
    QString out, err;
};

inline KerlaDataRun runKerlaData(const QStringList &args, const QString &dataHome = {}) {
    QProcess tool;
    if (!dataHome.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kUserDataVariable), QDir::toNativeSeparators(dataHome));
        tool.setProcessEnvironment(env);
    }
    tool.start(QStringLiteral(KERLA_BIN_DIR "/kerla-data"), args);
    KerlaDataRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}
