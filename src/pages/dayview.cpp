#include "pages/dayview.h"

#include "pages/dates.h"
#include "pages/periodic.h"

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
    if (m_date.year != periodic::kYear)
        return std::nullopt;
    QByteArray page;
    switch (view) {
    case View::Week:
        page = periodic::weekPageFor(shownDate());
        break;
    case View::Month:
        page = periodic::monthPageFor(m_date.month);
        break;
    case View::Year:
        page = periodic::yearPageFor();
        break;
    case View::Day:
        return std::nullopt;
    }
    daypage::storePage(m_context, page, m_pageUnwritable);
    m_page = page;
    setView(view);
    return page;
}

void DayView::setView(View view) {
    if (view == m_view)
        return;
    m_view = view;
    Q_EMIT viewChanged(view);
}
