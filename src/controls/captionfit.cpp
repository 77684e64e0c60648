#include "controls/captionfit.h"

#include <QDate>
#include <QDateEdit>
#include <QLayout>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTime>
#include <QToolBar>

#include <algorithm>

namespace captionfit {

int keepClearOf(QWidget *follower, const QWidget *leader, int designLeft, bool keepRightEdge) {
    const QRect place = follower->geometry();
    const int left = std::max(designLeft, leader->geometry().right() + 1 + Gap);
    if (left == place.left())
        return 0;
    if (keepRightEdge)
        follower->setGeometry(QRect(QPoint(left, place.top()), place.bottomRight()));
    else
        follower->move(left, place.top());
    return left - place.left();
}

int widestDateWidth(const QDateEdit *picker, const QLocale &locale, const QString &format, int year) {
    const QFontMetrics metrics = picker->fontMetrics();
    int widest = 0;
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1))
        widest = std::max(widest, metrics.horizontalAdvance(locale.toString(day, format)));
    return widest;
}

int widestTimeWidth(const QFontMetrics &metrics, const QLocale &locale, const QString &format) {
    // Minutes and seconds take the widest pair of digits that they can show (which may have
    // leading zeros or not, as the format says); the hours and the half of the day are tried all.
    int widestPair = 0, widestWidth = -1;
    for (int n = 0; n < 60; ++n) {
        const int width = metrics.horizontalAdvance(locale.toString(QTime(0, n, n), QStringLiteral("mm")));
        if (width > widestWidth) {
            widestWidth = width;
            widestPair = n;
        }
    }
    int widest = 0;
    for (int hour = 0; hour < 24; ++hour)
        widest = std::max(
            widest, metrics.horizontalAdvance(locale.toString(QTime(hour, widestPair, widestPair), format)));
    return widest;
}

void fitDatePicker(QDateEdit *picker, const QLocale &locale, const QString &format, int designWidth,
                   int year) {
    picker->setLocale(locale);
    picker->setDisplayFormat(format);
    // The text, the cursor and a pixel either side, in the frame and beside the drop-down button
    // that the style draws for a picker with a calendar.
    const QSize text(widestDateWidth(picker, locale, format, year) + 4, picker->fontMetrics().height());
    QStyleOptionComboBox option;
    option.initFrom(picker);
    option.editable = true;
    option.frame = true;
    const int needed = picker->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, picker).width();
    picker->setFixedWidth(std::max(designWidth, needed));
}

int toolbarWidth(const QToolBar *bar) {
    const int frame = bar->style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, bar);
    const QMargins margins = bar->layout()->contentsMargins();
    return bar->sizeHint().width() + 2 * frame + margins.left() + margins.right();
}

} // namespace captionfit
