#include "app/mainparts.h"

#include "app/objectnames.h"
#include "controls/captionfit.h"
#include "pages/settingskeys.h"
#include "platform/boundedpicture.h"
#include "platform/errors.h"
#include "platform/formatlocale.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"

#include <QAction>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QTextEdit>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cerrno>

namespace mainparts {

using toolbarart::Picture;

QToolBar *newToolbar(QMainWindow *window) {
    auto *bar = new QToolBar(window);
    bar->setObjectName(QLatin1String(objectnames::Lista));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->layout()->setSpacing(0);
    bar->layout()->setContentsMargins(0, 2, 0, 2);
    window->addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

QDateEdit *newPicker(QToolBar *bar, int year) {
    auto *picker = new QDateEdit(bar);
    picker->setObjectName(QLatin1String(objectnames::Skoc));
    picker->setToolTip(QStringLiteral("Přejít na konkrétní datum"));
    picker->setFont(QFont(QStringLiteral("Tahoma"), 8));
    picker->setCalendarPopup(true);
    picker->setKeyboardTracking(false);
    captionfit::fitDatePicker(picker, formattingLocale(), formattingLocale().dateFormat(QLocale::LongFormat),
                              156, year);
    // The calendar's span: the day steps keep to it as well.
    picker->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    return picker;
}

QLabel *newClock(QToolBar *bar) {
    auto *clock = new QLabel(bar);
    clock->setObjectName(QLatin1String(objectnames::Panel1));
    clock->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The design's 57 pixels, or what the widest time of the user's format needs, with the frame
    // and a pixel either side.
    const int timeWidth =
        captionfit::widestTimeWidth(clock->fontMetrics(), formattingLocale(), longTimeFormat());
    clock->setFixedSize(std::max(57, timeWidth + 2 * clock->frameWidth() + 2 * clock->margin() + 2), 36);
    clock->setAlignment(Qt::AlignCenter);
    return clock;
}

QTextEdit *buildTextWindow(QMainWindow *window) {
    auto *view = new QTextEdit(window);
    view->setObjectName(QLatin1String(objectnames::TextWindow));
    view->setAccessibleName(QStringLiteral("Kerlo"));
    view->setReadOnly(true);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setFont(
        QFont(QString::fromUtf16(settingskeys::defaults::TextFont), settingskeys::defaults::TextSize));
    window->setCentralWidget(view);
    return view;
}

void showPage(QTextEdit &view, const QByteArray &rtf) {
    rtf::load(view.document(), rtf);
    view.moveCursor(QTextCursor::Start);
}

void layFontOverPage(QTextEdit &view, const QColor &textColor) {
    QTextCursor all(view.document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFontFamilies({view.font().family()});
    format.setFontPointSize(view.font().pointSizeF());
    format.setForeground(textColor);
    all.mergeCharFormat(format);
}

void showOnToolbar(QToolBar &bar, QWidget *control, bool visible) {
    // A control lives on the toolbar through its action, which decides whether it takes space.
    for (QAction *a : bar.actions()) {
        if (bar.widgetForAction(a) == control)
            a->setVisible(visible);
    }
}

void loadViewPictures(const QString &programDir, DayView::View shown,
                      const std::array<QToolButton *, 4> &buttons, int year) {
    static constexpr Picture plain[] = {Picture::Day, Picture::Week, Picture::Month, Picture::Year};
    static constexpr Picture pressed[] = {Picture::DayPressed, Picture::WeekPressed, Picture::MonthPressed,
                                          Picture::YearPressed};
    for (int i = 0; i < 4; ++i) {
        const Picture picture = i == int(shown) ? pressed[i] : plain[i];
        const QString path = programDir + QStringLiteral("grafika/") + toolbarart::fileName(picture, year);
        if (i == 3 && year != toolbarart::kListsYear && !QFileInfo::exists(path)) {
            buttons[i]->setIcon(
                QIcon(QPixmap::fromImage(toolbarart::draw(picture, buttons[i]->devicePixelRatioF(), year))));
            continue;
        }
        QImageReader reader(path, "BMP");
        QString reason;
        const QImage image = boundedpicture::read(reader, &reason);
        if (image.isNull()) {
            if (!QFileInfo::exists(path))
                reason = errors::systemReason(ENOENT);
            throw KerlaError(errors::cannotOpenFile(path, reason));
        }
        buttons[i]->setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

std::exception_ptr removeTemporaryFiles(const AppContext &context) {
    std::exception_ptr failure;
    for (const QString &path : {context.readingTextPath(), context.dayPagePath()}) {
        try {
            textfile::removeIfExists(path);
        } catch (const KerlaError &) {
            failure = failure ? failure : std::current_exception();
        }
    }
    return failure;
}

void placeOnScreen(QWidget &window, bool centre) {
    QScreen *primary = QGuiApplication::primaryScreen();
    const bool onScreen = QGuiApplication::screenAt(window.frameGeometry().center()) != nullptr;
    if (primary && (centre || !onScreen)) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(primary->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

QString longTimeFormat() {
    QString format = formattingLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString longTimeText(const QTime &time) {
    return formattingLocale().toString(time, longTimeFormat());
}

void showApplicationTitle(const QString &title) {
    QGuiApplication::setApplicationDisplayName(title);
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle())
            window->setTitle(window->title());
    }
}

} // namespace mainparts
