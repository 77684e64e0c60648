#include "app/mainform.h"

#include "app/mainparts.h"
#include "app/objectnames.h"
#include "controls/captionfit.h"
#include "controls/windowparts.h"
#include "dialogs/yearimport.h"
#include "pages/dates.h"
#include "pages/settingskeys.h"
#include "platform/contrast.h"
#include "platform/textfile.h"
#include "readings/readingwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>

#include <QToolButton>
#include <algorithm>
#include <exception>

namespace keys = settingskeys;
namespace defaults = settingskeys::defaults;

TMainForm::TMainForm(const AppContext &context, SettingsFile &settings, const QString &argument,
                     QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_context(context), m_settings(settings), m_dayView(context), m_textColor(defaults::TextColor),
      m_background(defaults::TextBackground) {
    setObjectName(QLatin1String(objectnames::MainForm));
    setWindowTitle(QStringLiteral("Kerla Dorny " KERLA_DISPLAY_VERSION));
    move(defaults::Left, defaults::Top);
    resize(defaults::Width, defaults::Height);

    buildCommands();
    m_yearImport = new YearImport(m_context, YearImport::dialogsOf(this), this);
    connect(m_yearImport, &YearImport::imported, this, [this](int year) {
        // The imported year, on the shown date when it lies in that year, else on 1 January.
        command([&] {
            m_dayView.forgetYear(year);
            if (m_dayView.date().year != year)
                m_dayView.setDate(QDate(year, 1, 1));
            FormShow();
            mainparts::loadViewPictures(m_context.ProgramDir, DayView::View::Day, m_viewButtons,
                                        m_dayView.watchwordYear());
        });
    });

    TextWindow = mainparts::buildTextWindow(this);
    TextWindow->setAcceptDrops(false); // a dropped file goes to the window
    setAcceptDrops(true);
    setBackgroundColor(m_background);
    setTextFont(TextWindow->font(), m_textColor);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QLatin1String(objectnames::Timer1));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    FormCreate(argument);
}

void TMainForm::FormCreate(const QString &argument) {
    SettingsFile &ini = m_settings;
    ini.load(m_context.settingsPath());
    if (ini.exists()) {
        setBackgroundColor(ini.readInteger(keys::OknoBarva, m_background));
        m_textColor = ini.readInteger(keys::OknoFontBarva, m_textColor);
        QFont font = TextWindow->font();
        font.setFamily(ini.readString(keys::OknoFont, font.family()));
        const int size = ini.readInteger(keys::OknoFontVelikost, font.pointSize());
        if (size > 0)
            font.setPointSize(size);
        setTextFont(font, m_textColor);
        setClockVisible(ini.readBool(keys::OknoHodiny, m_clockShown));
        const int left = ini.readInteger(keys::PoziceOdleva, x());
        const int top = ini.readInteger(keys::PoziceOdshora, y());
        const int height = ini.readInteger(keys::PoziceVyska, this->height());
        const int width = ini.readInteger(keys::PoziceSirka, this->width());
        move(left, top);
        resize(width, height);
        m_storedDate = ini.readString(keys::HlavniDatum, m_storedDate);
    } else {
        // Just wide enough for the whole toolbar, the clock included, where its faces need more.
        resize(std::max(defaults::FirstRunWidth, captionfit::toolbarWidth(Lista)), defaults::FirstRunHeight);
        m_centreOnShow = true;
        m_storedDate = QString::fromUtf16(defaults::FirstRunStoredDate);
    }

    // Ended once today already: started with "a", the program closes before showing anything.
    m_endAtOnce = argument == QLatin1String("a") && m_storedDate == shortDateText(m_dayView.shownDate());
}

void TMainForm::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    mainparts::placeOnScreen(*this, m_centreOnShow);
    command([this] {
        FormShow();
        // An imported year with its own watchwords: the year button shows its number from the start.
        if (m_dayView.watchwordYear() != toolbarart::kListsYear)
            mainparts::loadViewPictures(m_context.ProgramDir, DayView::View::Day, m_viewButtons,
                                        m_dayView.watchwordYear());
    });
}

namespace {

// The one local file of a drop, or none.
QString droppedFile(const QMimeData *data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    m_yearImport->importFile(file);
}

void TMainForm::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::FormActivate() {
    if (m_windows.bible)
        m_windows.bible->hide();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    if (!m_closing) {
        m_closing = true;
        // A settings file that cannot be written is reported, and the program still ends: a user
        // must always be able to close it.
        command([this] { FormClose(); });
    }
    if (m_windows.bible)
        m_windows.bible->hide();
    event->accept();
}

void TMainForm::FormClose() {
    // The settings are written even when a temporary file cannot be deleted; that failure is
    // reported afterwards, unless the settings' own failure is.
    const std::exception_ptr failure = mainparts::removeTemporaryFiles(m_context);
    // All keys go into the file in one replace, at the end.
    SettingsFile &ini = m_settings;
    auto integer = [&](const keys::Key &k, int v) { ini.writeInteger(k, v); };
    auto text = [&](const keys::Key &k, const QString &v) { ini.writeString(k, v); };
    auto boolean = [&](const keys::Key &k, bool v) { ini.writeBool(k, v); };
    const QFont font = textFont();
    integer(keys::OknoBarva, m_background);
    integer(keys::OknoFontBarva, m_textColor);
    text(keys::OknoFont, font.family());
    integer(keys::OknoFontVelikost, font.pointSize());
    boolean(keys::OknoHodiny, m_clockShown);
    if (x() != defaults::UnsavedLeft)
        integer(keys::PoziceOdleva, x());
    if (y() != defaults::UnsavedTop)
        integer(keys::PoziceOdshora, y());
    integer(keys::PoziceVyska, height());
    integer(keys::PoziceSirka, width());
    // The reading window owns the section Bible.
    if (m_windows.bible)
        m_windows.bible->saveSettings(ini);
    ini.save();
    if (failure)
        std::rethrow_exception(failure);
}

void TMainForm::Konec1Click() {
    close();
}

void TMainForm::Konec2Click() {
    command([this] {
        // Written with the other keys, in the same replace of the file, by the close.
        m_settings.writeString(keys::HlavniDatum, shortDateText(m_context.clock.today()));
        close();
    });
}

void TMainForm::Timer1Timer() {
    Panel1->setText(mainparts::longTimeText(m_context.clock.now().time()));
}

void TMainForm::FormShow() {
    ++m_refreshes;
    const QString sectionDate = sectionDateText(m_dayView.date());
    mainparts::showApplicationTitle(QStringLiteral("Kerla ") + shortDateText(m_dayView.shownDate()));
    const QByteArray page = m_dayView.composeDayPage();
    {
        // One batch: the view repaints once, with the settings' font over the whole page.
        TextWindow->setUpdatesEnabled(false);
        const auto repaint = qScopeGuard([this] { TextWindow->setUpdatesEnabled(true); });
        mainparts::showPage(*TextWindow, page);
        mainparts::layFontOverPage(*TextWindow, contrast::readableText(m_textColor, m_background));
    }

    const DayReadings &r = m_dayView.readings();
    const QString ordinals[] = {QStringLiteral("První"), QStringLiteral("Druhé"), QStringLiteral("Třetí")};
    const bool present[] = {!r.first.isEmpty(), !r.second.isEmpty(), !r.third.isEmpty()};
    for (int i = 0; i < 3; ++i) {
        m_readingButtons[i]->setToolTip(ordinals[i] + QStringLiteral(" čtení na ") + sectionDate);
        m_readingButtons[i]->setEnabled(present[i]);
        m_readingItems[i]->setEnabled(present[i]);
    }

    const QSignalBlocker blocker(Skoc);
    Skoc->setDate(m_dayView.shownDate());
}

QFont TMainForm::textFont() const {
    return TextWindow->font();
}

void TMainForm::setTextFont(const QFont &font, int colorValue) {
    m_textColor = colorValue;
    TextWindow->setFont(font);
    windowparts::setPaletteColor(*TextWindow, QPalette::Text,
                                 contrast::readableText(colorValue, m_background));
}

void TMainForm::setBackgroundColor(int colorValue) {
    m_background = colorValue;
    windowparts::setPaletteColor(*TextWindow, QPalette::Base, colorValue);
    // The text is drawn so that it stays readable on the new background.
    windowparts::setPaletteColor(*TextWindow, QPalette::Text,
                                 contrast::readableText(m_textColor, colorValue));
}

void TMainForm::setClockVisible(bool visible) {
    m_clockShown = visible;
    mainparts::showOnToolbar(*Lista, Panel1, visible);
}
