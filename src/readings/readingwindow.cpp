#include "readings/readingwindow.h"

#include "controls/accessibility.h"
#include "controls/captionfit.h"
#include "controls/imageshape.h"
#include "controls/mylabel3d.h"
#include "controls/windowparts.h"
#include "daytext/pagetext.h"
#include "pages/settingskeys.h"
#include "platform/colorvalue.h"
#include "platform/contrast.h"
#include "platform/textfile.h"
#include "readings/passage.h"
#include "readings/sheetpicture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>

namespace {

using namespace settingskeys;

constexpr int ClientWidth = 416, ClientHeight = 349;
// The caption the reading window has always had, seen only in the classic layout's title bar. Its
// number is part of the caption, not the program's version (that is KERLA_DISPLAY_VERSION).
constexpr const char16_t *Caption = u"Kerla Dorny 2.1";
constexpr QRect MemoPlace(64, 80, 313, 201);
// In the classic layout the text area ends this far short of the window's outer height.
constexpr int MemoShortfall = 85;
// Where the reference label starts in the shaped and in the classic layout.
constexpr int ReferenceLeft = 236, ClassicReferenceLeft = 192;

// A borderless pop-up over the main window: it takes the focus and key presses, but has no
// taskbar entry of its own.
constexpr Qt::WindowFlags ShapedFlags = Qt::Tool | Qt::FramelessWindowHint;
// An ordinary framed, resizable window with a title bar, system menu and maximise button.
constexpr Qt::WindowFlags ClassicFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                                         Qt::WindowCloseButtonHint;

QFont labelFont(int pixelSize, bool underline) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

void setupLabel(TmyLabel3d *label, const char16_t *name, const QFont &font, int color, T3DEffect style,
                QPoint place) {
    label->setObjectName(QString::fromUtf16(name));
    label->setFont(font);
    label->setFontColor(color);
    label->setTransparent(true);
    label->setAStyle3D(style);
    label->setAShadeLTSet(false);
    label->move(place);
}

} // namespace

TBible::TBible(const AppContext &context, SettingsFile &settings, QWidget *parent)
    : QWidget(parent, ShapedFlags), m_context(context), m_settings(settings),
      m_fontColor(defaults::ReadingColor), m_memoBackground(colorvalue::White) {
    setObjectName(QStringLiteral("Bible"));
    setWindowTitle(QString::fromUtf16(Caption));
    setGeometry(defaults::ReadingLeft, defaults::ReadingTop, ClientWidth, ClientHeight);
    windowparts::setPaletteColor(*this, QPalette::Window, colorvalue::clBtnFace);
    setAutoFillBackground(true);

    // From the bottom up: the picture, the three labels, the text area on top.
    ImageShape1 = new TImageShape(this);
    ImageShape1->setObjectName(QStringLiteral("ImageShape1"));
    ImageShape1->setAlign(TImageShape::alClient);
    ImageShape1->setAutoSize(true);
    // Transparent before the picture, so that the window is shaped once.
    ImageShape1->setTransparent(true);
    ImageShape1->setPicture(sheetpicture::sheetPicture());
    if (devicePixelRatioF() != 1.0)
        ImageShape1->setDensePicture(sheetpicture::sheetPicture(devicePixelRatioF()));
    ImageShape1->setMovable(true);
    accessibility::markDecorative(ImageShape1);

    Odkaz = new TmyLabel3d(QStringLiteral("Odkaz"), this);
    setupLabel(Odkaz, u"Odkaz", labelFont(21, false), colorvalue::Navy, T3DEffect::Shadowed3d,
               {ReferenceLeft, 40});
    Odkaz->setAHShadeOffSet(2);
    Odkaz->setAVShadeOffSet(2);

    Label3d1 = new TmyLabel3d(QStringLiteral("Čtení na tento den:"), this);
    setupLabel(Label3d1, u"Label3d1", labelFont(19, true), colorvalue::Navy, T3DEffect::Shadowed3d, {54, 40});
    Label3d1->setAHShadeOffSet(2);
    Label3d1->setAVShadeOffSet(2);

    Label3d = new TmyLabel3d(QStringLiteral("Zavřít"), this);
    setupLabel(Label3d, u"Label3d", labelFont(13, false), colorvalue::clWindowText, T3DEffect::Raised3d,
               {80, 296});
    Label3d->setCursor(Qt::PointingHandCursor);
    connect(Label3d, &TmyLabel3d::OnClick, this, &TBible::Label3dClick);
    placeReference();
    // A new reference has a width of its own, so it is placed again.
    Odkaz->installEventFilter(this);

    // The captions lie on the paper.
    for (TmyLabel3d *label : {Odkaz, Label3d1, Label3d})
        label->setBackdrop(contrast::averageColor(ImageShape1->Picture(), label->geometry()));

    TMemo1 = new QPlainTextEdit(this);
    TMemo1->setObjectName(QStringLiteral("TMemo1"));
    TMemo1->setAccessibleName(QStringLiteral("Text čtení"));
    TMemo1->setGeometry(MemoPlace);
    TMemo1->setFrameShape(QFrame::NoFrame);
    TMemo1->setReadOnly(true);
    TMemo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TMemo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    TMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont memoFont(QString::fromUtf16(defaults::ReadingFont));
    memoFont.setPointSize(defaults::ReadingSize);
    TMemo1->setFont(memoFont);
    setMemoColors(m_fontColor, m_memoBackground);
    // The text area is the only control that takes the focus; the window sees its keys first.
    setFocusProxy(TMemo1);
    TMemo1->installEventFilter(this);

    FormCreate();
}

void TBible::FormCreate() {
    // The main window's creation has read the settings file already; alone, this window reads it.
    SettingsFile &ini = m_settings;
    if (!ini.isLoadedFrom(m_context.settingsPath()))
        ini.load(m_context.settingsPath());
    if (!ini.exists())
        return;

    QFont font = TMemo1->font();
    font.setFamily(ini.readString(BibleFont, font.family()));
    // Sizes are points; a size that is not positive would leave the text unreadable, so it is
    // not taken.
    const int size = ini.readInteger(BibleFontVelikost, font.pointSize());
    if (size > 0)
        font.setPointSize(size);
    TMemo1->setFont(font);
    m_fontColor = ini.readInteger(BibleFontBarva, m_fontColor);
    setMemoColors(m_fontColor, m_memoBackground);

    setLabelFaces(font.family());

    const auto style = static_cast<uint8_t>(ini.readInteger(BibleFontStyl, fontStyleSet()));
    const int left = ini.readInteger(BibleOdleva, pos().x());
    const int top = ini.readInteger(BibleOdshora, pos().y());
    move(left, top);
    m_classicChosen = ini.readBool(BibleTypOkna, defaults::ClassicReadingWindow);

    applyFontStyle(style);
}

void TBible::saveSettings(SettingsFile &ini) const {
    const QFont reading = readingFont();
    ini.writeString(BibleFont, reading.family());
    ini.writeInteger(BibleFontVelikost, reading.pointSize());
    ini.writeInteger(BibleFontBarva, readingFontColor());
    ini.writeInteger(BibleFontStyl, fontStyleSet());
    ini.writeInteger(BibleOdleva, x());
    ini.writeInteger(BibleOdshora, y());
    ini.writeBool(BibleTypOkna, classicReadingWindow());
}

void TBible::applyFontStyle(uint8_t style) {
    QFont font = TMemo1->font();
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    TMemo1->setFont(font);
}

void TBible::setMemoColors(int textColor, int backgroundColor) {
    windowparts::setPaletteColor(*TMemo1, QPalette::Text, contrast::readableText(textColor, backgroundColor));
    windowparts::setPaletteColor(*TMemo1, QPalette::Base, backgroundColor);
}

void TBible::FormShow() {
    TMemo1->setPlainText(textfile::decodeLines(textfile::readAll(m_context.readingTextPath())));
    TMemo1->moveCursor(QTextCursor::Start);
    TMemo1->verticalScrollBar()->setValue(0);
}

void TBible::showReading() {
    // Loaded before showing, so a missing file leaves the window as it was. A window that is
    // visible already gets the new passage too.
    FormShow();
    if (!isVisible()) {
        m_loadedForShow = true;
        show();
        m_loadedForShow = false;
    }
    raise();
    activateWindow();
}

void TBible::readPassage(const QString &reference) {
    passage::Outcome out;
    auto apply = [&] {
        Odkaz->setText(out.label);
        for (const QString &message : std::as_const(out.messages))
            m_context.messages->showMessage(message);
    };
    try {
        passage::ExtractPassage(m_context, reference, out);
    } catch (const KerlaError &) {
        apply();
        throw;
    }
    apply();
    if (!out.show)
        return;
    if (m_classicChosen)
        switchToClassic();
    showReading();
}

void TBible::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    fitClassicFrame();
    if (event->spontaneous() || m_loadedForShow)
        return;
    if (m_context.messages)
        runCommand(*m_context.messages, [this] { FormShow(); });
}

void TBible::FormResize() {
    if (!m_classic)
        return;
    const int memoHeight = std::max(0, frameGeometry().height() - MemoShortfall);
    TMemo1->setGeometry(0, height() - memoHeight, width(), memoHeight);
}

void TBible::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitClassicFrame();
    FormResize();
}

void TBible::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    fitClassicFrame();
}

void TBible::fitClassicFrame() {
    // The frame that the window manager adds is known only once the framed window is on screen;
    // then the client area shrinks by it, so the outer size stays what it was.
    if (!m_classic || !m_pendingOuterSize.isValid() || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 && frame.height() <= 0)
        return;
    const QSize outer = m_pendingOuterSize;
    m_pendingOuterSize = QSize();
    resize(outer - frame);
}

void TBible::switchToClassic() {
    if (m_classic)
        return;
    const QRect outer = frameGeometry();
    m_classic = true;
    // A framed window with a title bar, in the same place and of the same outer size, without
    // the picture's outline. The mask goes first, while the native window still exists: a window
    // that is recreated for the new flags would otherwise take the old outline along.
    clearMask();
    setWindowFlags(ClassicFlags);
    if (windowHandle())
        windowHandle()->setMask(QRegion());
    move(outer.topLeft());
    resize(outer.size());
    m_pendingOuterSize = outer.size();
    // (A window here has no scroll bars of its own; only the text area scrolls.)
    ImageShape1->hide();
    Label3d1->move(10, 10);
    Odkaz->move(ClassicReferenceLeft, 10);
    placeReference();
    Label3d->hide();
    for (TmyLabel3d *label : {Odkaz, Label3d1, Label3d})
        label->setBackdrop(QColor()); // the window's own background now
    FormResize();
    windowparts::setPaletteColor(*this, QPalette::Window, colorvalue::clInfoBk);
    m_memoBackground = colorvalue::clInfoBk;
    setMemoColors(m_fontColor, m_memoBackground);
}

bool TBible::isClassic() const {
    return m_classic;
}

bool TBible::typesCharacter(const QKeyEvent &event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = event.text();
    return !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
}

void TBible::copyPassage() {
    QGuiApplication::clipboard()->setText(pagetext::passageText(Odkaz->Caption(), TMemo1->toPlainText()));
}

void TBible::FormKeyPress(QChar) {
    hide();
}

void TBible::Label3dClick() {
    hide();
}

void TBible::keyPressEvent(QKeyEvent *event) {
    if (typesCharacter(*event)) {
        FormKeyPress(event->text().front());
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TBible::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Odkaz && event->type() == QEvent::Resize)
        placeReference();
    if (watched == TMemo1 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (typesCharacter(*key)) {
            FormKeyPress(key->text().front());
            return true;
        }
        if (key->matches(QKeySequence::Copy) && !TMemo1->textCursor().hasSelection()) {
            copyPassage();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

uint8_t TBible::fontStyleSet() const {
    const QFont font = TMemo1->font();
    return static_cast<uint8_t>((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                                (font.strikeOut() ? 8 : 0));
}

QFont TBible::readingFont() const {
    return TMemo1->font();
}

int TBible::readingFontColor() const {
    return m_fontColor;
}

void TBible::setReadingFont(const QFont &font, int colorValue) {
    TMemo1->setFont(font);
    m_fontColor = colorValue;
    setMemoColors(m_fontColor, m_memoBackground);
}

void TBible::setLabelFaces(const QString &family) {
    for (TmyLabel3d *label : {Label3d1, Odkaz, Label3d}) {
        QFont font = label->font();
        font.setFamily(family);
        label->setFont(font);
    }
    placeReference();
}

void TBible::placeReference() {
    // The reference starts where the design puts it, or after the heading where a wider face
    // stands in.
    Odkaz->move(Odkaz->x(), Label3d1->y());
    captionfit::keepClearOf(Odkaz, Label3d1, m_classic ? ClassicReferenceLeft : ReferenceLeft);
    // Where the sheet then ends under it, it goes onto the free paper below the text area: at the
    // text area's right edge, level with the close caption.
    const QRegion paper = mask();
    if (m_classic || paper.isEmpty() || (QRegion(Odkaz->geometry()) - paper).isEmpty())
        return;
    Odkaz->move(MemoPlace.right() + 1 - Odkaz->width(),
                Label3d->geometry().center().y() - Odkaz->height() / 2);
}

int TBible::memoBackgroundColor() const {
    return m_memoBackground;
}
