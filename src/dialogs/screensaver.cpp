#include "dialogs/screensaver.h"

#include <QProcess>
#include <QStandardPaths>

namespace screensaver {

Command settingsCommand() {
#ifdef Q_OS_WIN
    return {QStringLiteral("rundll32"),
            {QStringLiteral("shell32.dll,Control_RunDLL"), QStringLiteral("desk.cpl,,1")}};
#else
    static const Command candidates[] = {
        {QStringLiteral("xfce4-screensaver-preferences"), {}},
        {QStringLiteral("xscreensaver-settings"), {}},
        {QStringLiteral("xscreensaver-demo"), {}},
        {QStringLiteral("mate-screensaver-preferences"), {}},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("screensaver")}},
        {QStringLiteral("gnome-control-center"), {QStringLiteral("privacy")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_screenlocker")}},
        {QStringLiteral("systemsettings5"), {QStringLiteral("screenlocker")}},
        {QStringLiteral("lxqt-config-screensaver"), {}},
    };
    for (const Command &candidate : candidates) {
        const QString path = QStandardPaths::findExecutable(candidate.program);
        if (!path.isEmpty())
            return {path, candidate.arguments};
    }
    return {};
#endif
}

bool startSettings() {
    const Command command = settingsCommand();
    if (command.program.isEmpty())
        return false;
#ifdef Q_OS_WIN
    // rundll32 wants its argument as one unquoted command line.
    QProcess process;
    process.setProgram(command.program);
    process.setNativeArguments(QStringLiteral("shell32.dll,Control_RunDLL desk.cpl,,1"));
    return process.startDetached();
#else
    return QProcess::startDetached(command.program, command.arguments);
#endif
}

} // namespace screensaver
