#pragma once

#include "art/toolbaricons.h"
#include "pages/dayview.h"

#include <QString>

#include <array>
#include <exception>

class QColor;
class QDateEdit;
class QLabel;
class QMainWindow;
class QTextEdit;
class QTime;
class QToolBar;
class QToolButton;

// The pieces of the main window that need none of its state: its toolbar, picker and clock as
// built, the view, the view buttons' pictures, the clock's text and the application title.
namespace mainparts {

// The empty toolbar Lista, added to the window's top; the command table fills it.
QToolBar *newToolbar(QMainWindow *window);
// The date picker Skoc on the toolbar, not yet added. `year` is the current year, whose dates the
// picker's width is measured with.
QDateEdit *newPicker(QToolBar *bar, int year);
// The clock panel Panel1 on the toolbar, not yet added.
QLabel *newClock(QToolBar *bar);

// The read-only view TextWindow, as the window's central widget, in the designed font.
QTextEdit *buildTextWindow(QMainWindow *window);
// Shows a page (the bytes just written into KERLA.TMP; taken from memory, they show also when it
// could not be written) in the view, from its start.
void showPage(QTextEdit &view, const QByteArray &rtf);
// Lays the view's font (face and size) and the text colour over the whole page; the page's own
// bold, italics and paragraphs stay.
void layFontOverPage(QTextEdit &view, const QColor &textColor);
// Shows or hides a control of the toolbar; a hidden one takes no space.
void showOnToolbar(QToolBar &bar, QWidget *control, bool visible);

// Loads the pictures of the four view buttons (day, week, month, year) from ProgramDir +
// "grafika/"; the shown view's button gets its pressed picture. A file that cannot be read raises
// KerlaError and ends the loading at that picture. The year button shows `year`: a year other than
// that of the built-in lists without its own files there has its pictures drawn.
void loadViewPictures(const QString &programDir, DayView::View shown,
                      const std::array<QToolButton *, 4> &buttons, int year = toolbarart::kListsYear);

// Deletes Cteni.tmp and KERLA.TMP; one that cannot be deleted does not keep the other. Returns the
// first failure (KerlaError), or none.
std::exception_ptr removeTemporaryFiles(const AppContext &context);

// On the first show: a window to be centred (the first run), or one whose frame lies on no screen
// any more (a monitor was unplugged), moves to the middle of the primary screen.
void placeOnScreen(QWidget &window, bool centre);

// The user's long time format, without the time zone that Qt's long format adds, and a time in it.
QString longTimeFormat();
QString longTimeText(const QTime &time);

// The application title is Qt's display name. The platform shows it beside each window's own
// caption (on a taskbar or in the title bar), so the windows that are up are told of the new one.
void showApplicationTitle(const QString &title);

} // namespace mainparts
