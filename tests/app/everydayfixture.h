#pragma once

// The program on a folder of invented day pages, for the tests of the everyday commands (search,
// copy, calendar export), which drive the real main window by its keys and menus.
#include "app/mainform.h"
#include "app/program.h"
#include "appfixture.h"
#include "dialogs/printsupport.h"
#include "dialogs/searchwindow.h"
#include "pages/dates.h"
#include "platform/cp1250.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace everyday {

inline const QDateTime kNow(QDate(2025, 12, 31), QTime(9, 30, 0), Qt::UTC);

// A day page in the page design, with invented texts: on the 7th of each month the watchword is
// the made-up psalm of Ďobalík, which names its month.
inline QString dayLine(const QDate &date) {
    static const char16_t *const months[] = {u"ledna",  u"února",  u"března",    u"dubna",
                                             u"května", u"června", u"července",  u"srpna",
                                             u"září",   u"října",  u"listopadu", u"prosince"};
    const bool psalm = date.day() == 7;
    return QStringLiteral("\\qc\\b Den %1\\par\\par\\ql %2\\par\\qr\\i %3\\par\\par\\ql\\plain Učení %4; "
                          "pravda.\\par\\qr\\i Příklad 8, %4")
        .arg(sectionDateText(ViewDate{uint16_t(date.year()), uint16_t(date.month()), uint16_t(date.day())}),
             psalm ? QStringLiteral("Zpívej, Ďobalíku, píseň nová %1.")
                         .arg(QString::fromUtf16(months[date.month() - 1]))
                   : QStringLiteral("Slovo dne %1.").arg(date.dayOfYear()),
             psalm ? QStringLiteral("Žalm 23, %1").arg(date.month())
                   : QStringLiteral("Ukázka 1, %1").arg(date.dayOfYear()))
        .arg(date.dayOfYear());
}

// The year file of those pages.
inline void writeYear(const QString &folder, int year) {
    QByteArray all;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 31; ++day) {
            const QDate date(year, month, day);
            if (date.isValid())
                all += cp1250::fromUnicode(dayLine(date));
            all += "\r\n";
        }
    QVERIFY(writeBytes(folder + QStringLiteral("Kerla%1.rtf").arg(year), all));
}

// True once the window is the active one (QTest's wait also takes a window that shares its
// parent's activation).
inline bool becomesActive(QWidget *window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// Runs `work` on the modal dialog as soon as it is open.
inline void onModal(const std::function<void(QWidget *)> &work) {
    QTimer::singleShot(0, [work] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        work(QApplication::activeModalWidget());
    });
}

// The program on a folder with 2024 and 2025 in those pages; each test starts it anew.
class Fixture {
protected:
    void setUpFolder() {
        m_folder = std::make_unique<ProgramFolder>();
        writeYear(m_folder->path(), 2024);
        writeYear(m_folder->path(), 2025);
        m_test = std::make_unique<TestState>(*m_folder, kNow);
    }
    void tearDown() {
        m_program.reset();
        m_test.reset();
        m_folder.reset();
    }
    void start(const QDateTime &now = kNow) {
        m_test->state.clock.now = [now] { return now; };
        m_program = std::make_unique<Program>(m_test->state, QString(), printsupport::linkedTable());
        m_program->show();
        main().activateWindow();
        QVERIFY(becomesActive(&main()));
    }
    TMainForm &main() { return m_program->mainForm(); }
    template <class T> T *child(const char *name) { return childOf<T>(main(), name); }
    // The program ended: its close wrote Kerla.ini.
    bool ended() const { return QFile::exists(m_test->state.settingsPath()); }
    // Ctrl+F in the page, then the words typed into the field (as far as QTest can type them).
    THledani *openSearch(const QString &query) {
        QTest::keyClick(child<QTextEdit>("TextWindow"), Qt::Key_F, Qt::ControlModifier);
        auto *search = main().findChild<THledani *>(QStringLiteral("Hledani"));
        if (!search || !becomesActive(search))
            return nullptr;
        auto *field = childOf<QLineEdit>(*search, "HledatText");
        qsizetype ascii = 0;
        while (ascii < query.size() && query[ascii].unicode() < 0x7f)
            ++ascii;
        QTest::keyClicks(field, query.left(ascii));
        if (ascii < query.size())
            field->setText(query);
        return search;
    }

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TestState> m_test;
    std::unique_ptr<Program> m_program;
};

} // namespace everyday
