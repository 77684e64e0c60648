#pragma once

#include "pages/appcontext.h"
#include "pages/dates.h"
#include "pages/daypage.h"

#include <QDate>
#include <QObject>

#include <optional>

// The view state of the main window: the shown date (ViewDate), the loaded year's lines, the
// day's readings and which of the four views is shown. Owner: the main window, which drives it;
// others observe it through the signals. No widgets.
class DayView : public QObject {
    Q_OBJECT
public:
    enum class View { Day, Week, Month, Year };

    explicit DayView(const AppContext &context, QObject *parent = nullptr);

    const ViewDate &date() const { return m_date; }
    QDate shownDate() const { return ViewDateAsDate(m_date); }
    View view() const { return m_view; }
    const DayReadings &readings() const { return m_readings; }
    const DailyStore &store() const { return m_store; }
    // The RTF bytes of the page last composed (the day page or a week, month or year page).
    const QByteArray &page() const { return m_page; }

    // The shown date: today, a picked day (kept within the calendar's span), or a step of it.
    void setToday();
    void setDate(const QDate &date);
    void step(void (*step)(ViewDate &));

    // The day page of the shown date into KERLA.TMP (see daypage::storePage), then the day's
    // readings; returns the page. The readings are empty while the page is built, so a page that
    // fails (KerlaError) leaves none.
    QByteArray composeDayPage();
    // The week, month or year page of the shown date into KERLA.TMP; returns the page. From the
    // year's Hesla<year>.sj where it has one, from the built-in lists for 2025; for another year,
    // or a period without a watchword, nothing is written and nothing comes back (the caller shows
    // the day page).
    std::optional<QByteArray> composePeriodicPage(View view);
    // The year whose number the year button shows: the shown year when it has its watchwords, else
    // the year of the built-in lists.
    int watchwordYear() const;
    // The year's files changed (an import): its lines are read again at the next page.
    void forgetYear(int year);

Q_SIGNALS:
    // The shown date changed (a step that stays on the same day says nothing).
    void dateChanged(const QDate &date);
    // Another view's page was composed.
    void viewChanged(DayView::View view);

private:
    template <class F> void changeDate(F &&change);
    void setView(View view);

    const AppContext &m_context;
    ViewDate m_date;
    View m_view = View::Day;
    DailyStore m_store;
    DayReadings m_readings;
    QByteArray m_page;
    bool m_pageUnwritable; // the last write of KERLA.TMP failed and was reported
};
