#pragma once

#include "art/toolbarart.h"
#include "pages/appcontext.h"
#include "platform/cp1250.h"
#include "recordingsink.h"
#include "testenv.h"

#include <QDir>
#include <QTemporaryDir>

// A program folder with a small data set of our own: year files for 2024 and 2025 whose day lines
// name their slot, a readings index, a made-up book and the toolbar pictures.
class ProgramFolder {
public:
    ProgramFolder() {
        for (int year : {2024, 2025}) {
            QByteArray all;
            for (int i = 0; i < 372; ++i)
                all += "\\b Den " + QByteArray::number(year) + "-" + QByteArray::number(i) +
                       "\\b0 \\par Slovo \xe8\x65sk\xe9\r\n";
            writeBytes(path() + QStringLiteral("Kerla%1.rtf").arg(year), all);
        }
        writeBytes(path() + "Cteni2025.sj",
                   "[31.12.2025]\r\nCteni1=tb 1 1 2\r\nCteni3=tb 2 1 1\r\n"
                   "[1.1.2025]\r\nCteni1=tb 1 1 1\r\nCteni2=tb 1 2 2\r\nCteni3=tb 2 1 1\r\n");
        writeBytes(path() + "Data/tb",
                   "tb 1 1 Prvn\xed ver\x9a.\r\ntb 1 2 Druh\xfd ver\x9a.\r\ntb 2 1 T\xf8\x65t\xed.\r\n");
        toolbarart::writeFiles(path() + "grafika");
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }

private:
    QTemporaryDir m_dir;
};

// A fresh context on a program folder and a temporary user folder, with a fixed "now".
struct TestState {
    explicit TestState(const ProgramFolder &folder, QDateTime now) {
        state.ProgramDir = folder.path();
        state.UserDataDir = user.path();
        state.clock.now = [now] { return now; };
        state.messages = &messages;
    }
    TempUserData user;
    RecordingMessageSink messages;
    AppContext state;
};
