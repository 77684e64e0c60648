#include "dialogs/settingsdialog.h"

#include "controls/captionfit.h"
#include "controls/windowparts.h"
#include "dialogs/dayviewaccess.h"
#include "dialogs/screensaver.h"
#include "dialogs/translationnote.h"
#include "pages/appcontext.h"
#include "pages/readingaccess.h"
#include "pages/settingskeys.h"
#include "platform/colorvalue.h"
#include "platform/colorwords.h"
#include "platform/contrast.h"
#include "platform/textfile.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>

void ClickLabel::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

namespace {

template <class W> W *place(W *widget, const char *name, int left, int top) {
    widget->setObjectName(QLatin1String(name));
    widget->move(left, top);
    widget->adjustSize();
    return widget;
}

template <class W> W *place(W *widget, const char *name, int left, int top, int width, int height) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QPushButton *button(const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    // No button is the default one: Enter presses nothing.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TNastav::TNastav(const AppContext &context, DayViewAccess &view, ReadingWindowAccess &reading,
                 QWidget *parent)
    : QDialog(parent), m_context(context), m_view(view), m_reading(reading),
      m_ownChooser(std::make_unique<DialogFontColorChooser>()), m_chooser(m_ownChooser.get()) {
    setObjectName(QStringLiteral("Nastav"));
    setWindowTitle(QStringLiteral("Nastavení programu"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // The dialog is laid out for a narrow sans-serif face; where that face is missing, a face of
    // the same width stands in, so that the captions keep to their places.
    QFont face(QStringLiteral("MS Sans Serif"), 8);
    face.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    setFont(face);
    setFixedSize(345, 290);

    GroupBox1 = place(new QGroupBox(QStringLiteral("Nastavení písma"), this), "GroupBox1", 0, 8, 345, 81);
    Label1 = place(new QLabel(QStringLiteral("Hlavní okno:"), GroupBox1), "Label1", 8, 24);
    Label5 = place(new QLabel(QStringLiteral("Okno čtení:"), GroupBox1), "Label5", 8, 56);
    Button1 = place(button(QStringLiteral("..."), this), "Button1", 96, 24, 241, 25);
    Button2 = place(button(QStringLiteral("..."), this), "Button2", 96, 56, 241, 25);

    GroupBox2 = place(new QGroupBox(QStringLiteral("Různé"), this), "GroupBox2", 0, 96, 345, 89);
    Label2 = place(new QLabel(QStringLiteral("Barva podkladu:"), GroupBox2), "Label2", 8, 24);
    Label4 = place(new ClickLabel(GroupBox2), "Label4", 96, 16, 241, 25);
    Label4->setAutoFillBackground(true);
    Label3 = new ClickLabel(QStringLiteral("Kerla Dorny"), GroupBox2);
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    place(Label3, "Label3", 152, 22);
    Label3->raise();
    // A wider face than the design's moves the swatch, with its sample text, after its caption.
    Label3->move(Label3->pos() + QPoint(captionfit::keepClearOf(Label4, Label2, 96, true), 0));

    CheckBox1 = new QCheckBox(QStringLiteral("Zobrazit hodiny v hlavním okně"), this);
    place(CheckBox1, "CheckBox1", 8, 144, CheckBox1->sizeHint().width(), 16);
    CheckBox2 = new QCheckBox(QStringLiteral("Zobrazovat klasické okno denního čtení"), this);
    place(CheckBox2, "CheckBox2", 8, 160, CheckBox2->sizeHint().width(), 16);

    Button5 = place(button(QStringLiteral("Šetřič"), this), "Button5", 8, 192, 161, 25);
    Button3 = place(button(QStringLiteral("Původní nastavení"), this), "Button3", 168, 192, 169, 25);

    Panel1 = place(new QFrame(this), "Panel1", 0, 224, 345, 2);
    Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    Label6 = place(new QLabel(QStringLiteral("........"), this), "Label6", 8, 232);
    Button4 = place(button(QStringLiteral("OK"), this), "Button4", 88, 256, 75, 25);
    Button6 = place(button(QStringLiteral("Storno"), this), "Button6", 176, 256, 75, 25);

    for (QWidget *w : std::initializer_list<QWidget *>{Button1, Button2, Label4, Label3, Button5, Button3})
        w->setCursor(Qt::PointingHandCursor);

    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, CheckBox1);
    QWidget::setTabOrder(CheckBox1, Button5);
    QWidget::setTabOrder(Button5, Button3);
    QWidget::setTabOrder(Button3, Button4);
    QWidget::setTabOrder(Button4, Button6);
    QWidget::setTabOrder(Button6, CheckBox2);

    connect(Button1, &QPushButton::clicked, this, &TNastav::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TNastav::Button2Click);
    connect(Label4, &ClickLabel::clicked, this, &TNastav::Label4Click);
    connect(Label3, &ClickLabel::clicked, this, &TNastav::Label4Click);
    connect(Button3, &QPushButton::clicked, this, &TNastav::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TNastav::Button5Click);
    connect(Button4, &QPushButton::clicked, this, &TNastav::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TNastav::Button6Click);

    FormCreate();
}

TNastav::~TNastav() = default;

void TNastav::setChooser(FontColorChooser *chooser) {
    m_chooser = chooser ? chooser : m_ownChooser.get();
}

void TNastav::FormCreate() {
    // Book files are found without regard to the case of their names, as the readings find them.
    QString book =
        textfile::findFileNoCase(m_context.ProgramDir + QStringLiteral("Data"), QStringLiteral("1j"));
    if (book.isEmpty())
        book = m_context.ProgramDir + QStringLiteral("Data/1j");
    const auto stamp = translationnote::fileDosDateTime(book);
    Label6->setText(translationnote::noteFor(stamp));
    Label6->adjustSize();
}

void TNastav::FormActivate() {
    Button1->setText(m_view.textFont().family());
    Button2->setText(m_reading.readingFont().family());
    setLabel3Color(m_view.textFontColor());
    setLabel4Color(m_view.backgroundColor());
    CheckBox1->setChecked(m_view.clockVisible());
    m_fontDlg = {m_view.textFont(), m_view.textFontColor()};
    m_fontDlg2 = {m_reading.readingFont(), m_reading.readingFontColor()};
    m_colorDialog1 = m_view.backgroundColor();
    CheckBox2->setChecked(m_reading.classicReadingWindow());
}

void TNastav::showEvent(QShowEvent *event) {
    // Only our own show, once per opening: a message box that closes does not fill the dialog
    // again, so the pending choices survive a warning from OK.
    if (!event->spontaneous()) {
        FormActivate();
        windowparts::centreOnScreen(*this);
    }
    QDialog::showEvent(event);
}

void TNastav::Button1Click() {
    FontChoice choice = m_fontDlg;
    if (!m_chooser->chooseFont(this, QStringLiteral("Zvolte písmo hlavního okna"), false, choice))
        return;
    m_fontDlg = choice;
    Button1->setText(choice.font.family());
    setLabel3Color(choice.color);
}

void TNastav::Button2Click() {
    FontChoice choice = m_fontDlg2;
    if (!m_chooser->chooseFont(this, QStringLiteral("Zvolte písmo okna čtení"), true, choice))
        return;
    m_fontDlg2 = choice;
    Button2->setText(choice.font.family());
}

void TNastav::Label4Click() {
    int color = m_colorDialog1;
    if (!m_chooser->chooseColor(this, color))
        return;
    m_colorDialog1 = color;
    setLabel4Color(color);
}

void TNastav::Button3Click() {
    namespace original = settingskeys::original;
    const QString textFace = QString::fromUtf16(original::TextFont);
    const QString readingFace = QString::fromUtf16(original::ReadingFont);
    Button1->setText(textFace);
    Button2->setText(readingFace);
    // The main text keeps its style; the reading text becomes regular.
    m_fontDlg.font.setFamily(textFace);
    m_fontDlg.font.setPointSize(original::TextSize);
    m_fontDlg.color = original::TextColor;
    m_fontDlg2.font.setFamily(readingFace);
    m_fontDlg2.font.setPointSize(original::ReadingSize);
    m_fontDlg2.font.setBold(false);
    m_fontDlg2.font.setItalic(false);
    m_fontDlg2.font.setUnderline(false);
    m_fontDlg2.font.setStrikeOut(false);
    m_fontDlg2.color = original::ReadingColor;
    setLabel3Color(original::TextColor);
    setLabel4Color(original::TextBackground);
    CheckBox1->setChecked(original::Clock);
}

void TNastav::Button5Click() {
    // Nothing is reported when no settings program can be started.
    screensaver::startSettings();
}

void TNastav::Button4Click() {
    runCommand(*m_context.messages, [&] {
        if (m_label4Color == m_label3Color) {
            m_context.messages->showMessage(QStringLiteral(
                "HLAVNÍ OKNO: Máte nastavenu stejnou barvu podkladu i písma. Takhle nebudete nic vidět."));
            return;
        }
        if (m_reading.memoBackgroundColor() == m_fontDlg2.color) {
            m_context.messages->showMessage(QStringLiteral(
                "OKNO ČTENÍ: Máte nastavenu stejnou barvu podkladu i písma. Takhle nebudete nic vidět."));
            return;
        }
        m_view.setClockVisible(CheckBox1->isChecked());
        m_view.setTextFont(m_fontDlg.font, m_fontDlg.color);
        m_reading.setReadingFont(m_fontDlg2.font, m_fontDlg2.color);
        m_reading.setLabelFaces(m_reading.readingFont().family());
        m_view.setBackgroundColor(m_label4Color);
        m_reading.setClassicReadingWindow(CheckBox2->isChecked());
        m_view.refreshDayPage();
        // The dialog stays on screen under the message and goes once it is dismissed.
        m_context.messages->showMessage(
            QStringLiteral("Vaše nastavení bude aktivní od příštího spuštění Kerel DR."));
        accept();
    });
}

void TNastav::Button6Click() {
    reject();
}

void TNastav::setLabel3Color(int colorValue) {
    m_label3Color = colorValue;
    showColors();
}

void TNastav::setLabel4Color(int colorValue) {
    m_label4Color = colorValue;
    showColors();
}

void TNastav::showColors() {
    // The sample shows the text as the page will: readable on the chosen background.
    windowparts::setPaletteColor(*Label3, QPalette::WindowText,
                                 contrast::readableText(m_label3Color, m_label4Color));
    Label3->setAccessibleDescription(QStringLiteral("Barva písma: ") + colorwords::describe(m_label3Color));
    windowparts::setPaletteColor(*Label4, QPalette::Window, m_label4Color);
    Label4->setAccessibleName(QStringLiteral("Barva podkladu: ") + colorwords::describe(m_label4Color));
}
