#include "calendar/viewdate.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(ViewDate)

namespace {

using Step = void (*)(ViewDate &);

ViewDate d(int y, int m, int day) {
    return ViewDate{uint16_t(y), uint16_t(m), uint16_t(day)};
}

char *describe(const ViewDate &v) {
    return qstrdup(QStringLiteral("%1.%2.%3").arg(v.day).arg(v.month).arg(v.year).toLatin1().constData());
}

} // namespace

namespace QTest {
template <> char *toString(const ViewDate &v) {
    return describe(v);
}
} // namespace QTest

class CalendarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data();
    void steps();
    void daysInMonth_data();
    void daysInMonth();
    void monthRoundTripIsNotReversible();
    void everyStepKeepsTheInvariant();
    void setViewDateClampsIntoTheCalendar();
};

void CalendarTest::steps_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<ViewDate>("from");
    QTest::addColumn<ViewDate>("to");
    enum { Back, Forward, WBack, WForward, MBack, MForward, YBack, YForward };
    QTest::newRow("1.1.2025 day back") << int(Back) << d(2025, 1, 1) << d(2024, 12, 31);
    QTest::newRow("1.3.2024 day back, leap") << int(Back) << d(2024, 3, 1) << d(2024, 2, 29);
    QTest::newRow("1.3.2025 day back") << int(Back) << d(2025, 3, 1) << d(2025, 2, 28);
    QTest::newRow("28.2.2024 day forward") << int(Forward) << d(2024, 2, 28) << d(2024, 2, 29);
    QTest::newRow("28.2.2025 day forward") << int(Forward) << d(2025, 2, 28) << d(2025, 3, 1);
    QTest::newRow("31.12.2025 day forward") << int(Forward) << d(2025, 12, 31) << d(2026, 1, 1);
    QTest::newRow("31.12.2025 week forward") << int(WForward) << d(2025, 12, 31) << d(2026, 1, 7);
    QTest::newRow("3.1.2025 week back") << int(WBack) << d(2025, 1, 3) << d(2024, 12, 27);
    QTest::newRow("31.1.2025 month forward: last day stays last")
        << int(MForward) << d(2025, 1, 31) << d(2025, 2, 28);
    QTest::newRow("30.1.2024 month forward: clamped") << int(MForward) << d(2024, 1, 30) << d(2024, 2, 29);
    QTest::newRow("30.1.2025 month forward") << int(MForward) << d(2025, 1, 30) << d(2025, 2, 28);
    QTest::newRow("28.2.2025 month forward: a last day") << int(MForward) << d(2025, 2, 28) << d(2025, 3, 31);
    QTest::newRow("28.2.2024 month forward: not a last day")
        << int(MForward) << d(2024, 2, 28) << d(2024, 3, 28);
    QTest::newRow("29.2.2024 month forward") << int(MForward) << d(2024, 2, 29) << d(2024, 3, 31);
    QTest::newRow("30.4.2025 month back") << int(MBack) << d(2025, 4, 30) << d(2025, 3, 31);
    QTest::newRow("31.3.2025 month back") << int(MBack) << d(2025, 3, 31) << d(2025, 2, 28);
    QTest::newRow("30.3.2025 month back") << int(MBack) << d(2025, 3, 30) << d(2025, 2, 28);
    QTest::newRow("15.1.2025 month back") << int(MBack) << d(2025, 1, 15) << d(2024, 12, 15);
    QTest::newRow("31.12.2025 month forward") << int(MForward) << d(2025, 12, 31) << d(2026, 1, 31);
    QTest::newRow("29.2.2024 year forward") << int(YForward) << d(2024, 2, 29) << d(2025, 2, 28);
    QTest::newRow("28.2.2023 year forward: last day stays last")
        << int(YForward) << d(2023, 2, 28) << d(2024, 2, 29);
    QTest::newRow("28.2.2025 year back") << int(YBack) << d(2025, 2, 28) << d(2024, 2, 29);
    QTest::newRow("28.2.2024 year back") << int(YBack) << d(2024, 2, 28) << d(2023, 2, 28);
    QTest::newRow("15.6.1901 year back refused") << int(YBack) << d(1901, 6, 15) << d(1901, 6, 15);
    QTest::newRow("15.6.2099 year forward refused") << int(YForward) << d(2099, 6, 15) << d(2099, 6, 15);
    QTest::newRow("15.6.1902 year back") << int(YBack) << d(1902, 6, 15) << d(1901, 6, 15);
    QTest::newRow("15.6.2098 year forward") << int(YForward) << d(2098, 6, 15) << d(2099, 6, 15);
    // The two edges of the calendar: the date stays where it is instead of wrapping its month.
    QTest::newRow("1.1.1901 day back stays") << int(Back) << d(1901, 1, 1) << d(1901, 1, 1);
    QTest::newRow("31.12.2099 day forward stays") << int(Forward) << d(2099, 12, 31) << d(2099, 12, 31);
    QTest::newRow("4.1.1901 week back stops at 1.1.1901") << int(WBack) << d(1901, 1, 4) << d(1901, 1, 1);
    QTest::newRow("28.12.2099 week forward stops") << int(WForward) << d(2099, 12, 28) << d(2099, 12, 31);
    QTest::newRow("15.1.1901 month back stays") << int(MBack) << d(1901, 1, 15) << d(1901, 1, 15);
    QTest::newRow("15.12.2099 month forward stays") << int(MForward) << d(2099, 12, 15) << d(2099, 12, 15);
    QTest::newRow("15.2.1901 month back") << int(MBack) << d(1901, 2, 15) << d(1901, 1, 15);
}

void CalendarTest::steps() {
    QFETCH(int, step);
    QFETCH(ViewDate, from);
    QFETCH(ViewDate, to);
    const Step steps[] = {DayBack,   DayForward,   WeekBack, WeekForward,
                          MonthBack, MonthForward, YearBack, YearForward};
    ViewDate v = from;
    steps[step](v);
    QCOMPARE(v, to);
}

void CalendarTest::daysInMonth_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("days");
    QTest::newRow("February 2000") << 2 << 2000 << 29;
    QTest::newRow("February 1900 (divisible by 4 only)") << 2 << 1900 << 29;
    QTest::newRow("February 2100 (divisible by 4 only)") << 2 << 2100 << 29;
    QTest::newRow("February 2025") << 2 << 2025 << 28;
    QTest::newRow("April") << 4 << 2025 << 30;
    QTest::newRow("December") << 12 << 2025 << 31;
}

void CalendarTest::daysInMonth() {
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, days);
    QCOMPARE(int(DaysInMonth(uint8_t(month), uint16_t(year))), days);
}

void CalendarTest::monthRoundTripIsNotReversible() {
    ViewDate v = d(2025, 1, 30);
    MonthForward(v);
    MonthBack(v);
    QCOMPARE(v, d(2025, 1, 31));
}

void CalendarTest::everyStepKeepsTheInvariant() {
    // A walk over the whole span by every step keeps month and day valid and matches a day count.
    ViewDate v = d(1901, 1, 1);
    int days = 0;
    while (!(v == d(2099, 12, 31))) {
        DayForward(v);
        ++days;
        QVERIFY(v.month >= 1 && v.month <= 12);
        QVERIFY(v.day >= 1 && v.day <= DaysInMonth(uint8_t(v.month), v.year));
    }
    QCOMPARE(days, 72683); // days from 1901-01-01 to 2099-12-31
    const Step all[] = {DayBack, WeekBack, MonthBack, YearBack, YearForward, MonthForward, WeekForward};
    for (int i = 0; i < 5000; ++i) {
        all[(i * 7 + i / 3) % 7](v);
        QVERIFY(v.year >= kFirstYear && v.year <= kLastYear);
        QVERIFY(v.day >= 1 && v.day <= DaysInMonth(uint8_t(v.month), v.year));
    }
}

void CalendarTest::setViewDateClampsIntoTheCalendar() {
    ViewDate v;
    SetViewDate(v, 2026, 12, 8);
    QCOMPARE(v, d(2026, 12, 8));
    SetViewDate(v, 1899, 6, 1);
    QCOMPARE(v, d(1901, 1, 1));
    SetViewDate(v, 2100, 2, 29);
    QCOMPARE(v, d(2099, 12, 31));
}

QTEST_APPLESS_MAIN(CalendarTest)
#include "calendar_test.moc"
