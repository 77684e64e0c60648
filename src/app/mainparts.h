#pragma once

#include "art/toolbaricons.h"
#include "pages/dayview.h"

#include <QObject>
#include <QString>

#include <array>
#include <exception>

class QColor;
class QMainWindow;
class QMenuBar;
class QTextEdit;
class QTime;
class QToolBar;
class QToolButton;

// The pieces of the main window that need none of its state: its menu and toolbar as built (the
// window connects them to its handlers by name), the view buttons' pictures, the clock's text and
// the application title.
namespace mainparts {

// The child of that name and type, which the window's builders made.
template <class T> T *child(QObject *parent, const char *name) {
    T *found = parent->findChild<T *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

// The menus Kerla, Zobrazit, Nastaven1 and Oprogramu1 with their items, captions and keys.
void buildMenu(QMenuBar *bar);

// The Zobrazit menu's steps of the shown date, by the item's name.
struct DateStep {
    const char *name;
    void (*step)(ViewDate &);
};
extern const std::array<DateStep, 8> DateSteps;

// The toolbar Lista, added to the window: the view and day buttons, the reading buttons, the
// picker Skoc, the two end buttons and the clock panel Panel1.
// `year` is the current year, whose dates the picker's width is measured with.
QToolBar *buildToolbar(QMainWindow *window, int year);

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
// KerlaError and ends the loading at that picture.
void loadViewPictures(const QString &programDir, DayView::View shown,
                      const std::array<QToolButton *, 4> &buttons);

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
