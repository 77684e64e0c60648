#pragma once

#include <QLocale>
#include <QString>

class QDateEdit;
class QFontMetrics;
class QToolBar;
class QWidget;

// The windows are laid out for the design faces. Where another face stands in and is wider, a
// caption moves or widens just enough to stay whole and clear of its neighbour; with the design
// faces nothing moves.
namespace captionfit {

// The space kept between a caption and the control that follows it.
inline constexpr int Gap = 4;

// Moves `follower` right so that it starts at least `Gap` after `leader` ends (in their common
// parent's coordinates), but never left of `designLeft`. With `keepRightEdge` the follower keeps
// its right edge and gives up width instead. Returns how far it moved.
int keepClearOf(QWidget *follower, const QWidget *leader, int designLeft, bool keepRightEdge = false);

// The width of the widest date of `year` in `format` and `locale`, with the picker's font.
int widestDateWidth(const QDateEdit *picker, const QLocale &locale, const QString &format, int year);

// The width of the widest time of day in `format` and `locale`, in the metrics' font: every hour
// (and half of the day) with the widest minutes and seconds.
int widestTimeWidth(const QFontMetrics &metrics, const QLocale &locale, const QString &format);

// Gives the date picker `format` in `locale`, and widens it from `designWidth` only as far as the
// widest date of `year` needs.
void fitDatePicker(QDateEdit *picker, const QLocale &locale, const QString &format, int designWidth,
                   int year);

// The width that shows the whole of a horizontal toolbar: its items, and the frame and margins
// that it keeps at both ends (which its size hint leaves out).
int toolbarWidth(const QToolBar *bar);

} // namespace captionfit
