#include "pages/dayview.h"

#include "pages/dates.h"
#include "pages/periodic.h"
#include "pages/yearfiles.h"
#include "platform/textfile.h"

DayView::DayView(const AppContext &context, QObject *parent)
    : QObject(parent), m_context(context), m_pageUnwritable(context.userDataDirMissing) {
    SetViewDateToday(m_date, m_context.clock.today());
}

template <class F> void DayView::changeDate(F &&change) {
    const ViewDate before = m_date;
    change();
    if (m_date != before)
        Q_EMIT dateChanged(shownDate());
}

void DayView::setToday() {
    changeDate([&] { SetViewDateToday(m_date, m_context.clock.today()); });
}

void DayView::setDate(const QDate &date) {
    changeDate([&] { SetViewDateFrom(m_date, date); });
}

void DayView::step(void (*step)(ViewDate &)) {
    changeDate([&] { step(m_date); });
}

QByteArray DayView::composeDayPage() {
    m_readings.clear();
    QByteArray page = daypage::ComposeDayPage(m_context, m_date, m_store, m_pageUnwritable);
    m_readings = daypage::readDayReadings(m_context, m_date);
    setView(View::Day);
    return page;
}

std::optional<QByteArray> DayView::composePeriodicPage(View view) {
    if (view == View::Day)
        return std::nullopt;
    const QString file = yearfiles::periodicFile(m_context, m_date.year);
    QByteArray page;
    if (textfile::fileExists(file)) {
        const QString section = view == View::Week ? yearfiles::weekSection(periodic::WeekNumber(shownDate()))
                                : view == View::Month ? yearfiles::monthSection(m_date.month)
                                                      : yearfiles::yearSection();
        const std::optional<periodic::Entry> e = periodic::fileEntry(file, section);
        if (!e)
            return std::nullopt;
        page = view == View::Week    ? periodic::weekPage(e->text, e->reference)
               : view == View::Month ? periodic::monthPage(e->text, e->reference)
                                     : periodic::yearPage(e->text, e->reference);
    } else if (m_date.year == periodic::kYear) {
        page = view == View::Week    ? periodic::weekPageFor(shownDate())
               : view == View::Month ? periodic::monthPageFor(m_date.month)
                                     : periodic::yearPageFor();
    } else {
        return std::nullopt;
    }
    daypage::storePage(m_context, page, m_pageUnwritable);
    setView(view);
    return page;
}

int DayView::watchwordYear() const {
    return textfile::fileExists(yearfiles::periodicFile(m_context, m_date.year)) ? m_date.year
                                                                                 : periodic::kYear;
}

void DayView::forgetYear(int year) {
    if (m_store.LoadedYear == year)
        m_store.LoadedYear = 0;
}

void DayView::setView(View view) {
    if (view == m_view)
        return;
    m_view = view;
    Q_EMIT viewChanged(view);
}
