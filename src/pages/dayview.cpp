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
    m_page = page;
    setView(View::Day);
    return page;
}

std::optional<QByteArray> DayView::composePeriodicPage(View view) {
    if (view == View::Day)
        return std::nullopt;
    const periodic::Period period = view == View::Week    ? periodic::Period::Week
                                    : view == View::Month ? periodic::Period::Month
                                                          : periodic::Period::Year;
    const std::optional<QByteArray> found = periodic::pageFor(m_context, period, shownDate());
    if (!found)
        return std::nullopt;
    const QByteArray page = *found;
    daypage::storePage(m_context, page, m_pageUnwritable);
    m_page = page;
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
