#include "dialogs/aboutwindow.h"

#include "controls/accessibility.h"
#include "controls/mylabel3d.h"
#include "controls/windowparts.h"
#include "dialogs/printsupport.h"
#include "dialogs/versioninfo.h"
#include "pages/addresses.h"
#include "pages/appcontext.h"
#include "platform/colorvalue.h"
#include "platform/contrast.h"
#include "platform/formatlocale.h"
#include "platform/shellopen.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QShowEvent>

namespace {

QFont verdana(int pixels, bool bold) {
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top,
              const QFont &font) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLabel *paragraph(QWidget *parent, const char *name, const QString &caption, const QRect &place,
                  const QFont &font) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(place);
    return l;
}

TmyLabel3d *label3d(QWidget *parent, const char *name, const QString &caption, int left, int top,
                    const QFont &font, int color, T3DEffect effect, bool yellowShade = true) {
    auto *l = new TmyLabel3d(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->setFontColor(color);
    l->move(left, top);
    l->setAStyle3D(effect);
    l->setAShadeLTSet(false);
    if (yellowShade)
        l->setAShadeLeftTop(colorvalue::Yellow);
    return l;
}

} // namespace

namespace aboutwindow {
QImage backgroundPicture(printsupport::Source &printing) {
    QFile file(QStringLiteral(":/dialogs/autor.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return printing.decodeJpeg(file.readAll());
}
} // namespace aboutwindow

TAutor::TAutor(const AppContext &context, printsupport::Source &printing, QWidget *parent,
               const QString &executablePath)
    : QDialog(parent), m_context(context), m_printing(printing) {
    setObjectName(QStringLiteral("Autor"));
    setWindowTitle(QStringLiteral("Autor programu"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont base(QStringLiteral("Times New Roman"));
    base.setPixelSize(13);
    setFont(base);
    setFixedSize(450, 338);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setAlignment(Qt::AlignCenter);
    // The picture is decoded when the window is first shown (see showEvent).
    accessibility::markDecorative(Image1);

    myLabel3d1 = label3d(this, "myLabel3d1", QStringLiteral("Kerla Dorny verze "), 8, 32, verdana(17, true),
                         colorvalue::Maroon, T3DEffect::Raised3d);
    myLabel3d2 = label3d(this, "myLabel3d2", QStringLiteral("freeware"), 368, 37, verdana(11, true),
                         colorvalue::Maroon, T3DEffect::Resit3d);
    Label1 = paragraph(this, "Label1",
                       QStringLiteral("Program Kerla Dorny připravil tým projektu Kerla pro vlastní "
                                      "potřebu s laskavým svolením vydavatele Kerel (Dorny) a zdarma "
                                      "jej nabízí všem zájemcům."),
                       QRect(8, 80, 433, 49), verdana(11, true));
    myLabel3d3 = label3d(this, "myLabel3d3", QString::fromLatin1(addresses::Web), 8, 224, verdana(12, true),
                         colorvalue::Maroon, T3DEffect::Raised3d, false);
    myLabel3d3->setCursor(Qt::PointingHandCursor);
    myLabel3d3->setStatusTip(QStringLiteral("Spustí Váš internetový prohlížeč a najde mé stránky"));
    Label5 = label(this, "Label5", QStringLiteral("Internetová adresa:"), 8, 210, verdana(11, true));
    Label8 = paragraph(this, "Label8",
                       QStringLiteral("Pokud mi zašlete informaci o tom, že používáte tento program, "
                                      "budu Vám zasílat na Váš e-mail krátkou zprávu vždy, když bude "
                                      "hotová další verze programu."),
                       QRect(8, 120, 433, 49), verdana(11, false));
    myLabel3d4 = label3d(this, "myLabel3d4", QString::fromLatin1(addresses::Mail), 256, 224,
                         verdana(12, true), colorvalue::Maroon, T3DEffect::Raised3d, false);
    myLabel3d4->setCursor(Qt::PointingHandCursor);
    myLabel3d4->setStatusTip(QStringLiteral("Spustí Váš poštovní program, abyste mi mohli napsat"));
    Label2 = label(this, "Label2", QStringLiteral("Tato verze spatřila světlo světa:"), 8, 176,
                   verdana(11, false));
    Label3 = label(this, "Label3", QStringLiteral("E-mailová adresa autora:"), 256, 210, verdana(11, true));
    myLabel3d7 = label3d(this, "myLabel3d7", QStringLiteral("Zavřít"), 184, 304, verdana(16, true),
                         colorvalue::Yellow, T3DEffect::Normal3d);
    myLabel3d7->setAHShadeOffSet(2);
    myLabel3d7->setAVShadeOffSet(2);
    myLabel3d7->setCursor(Qt::PointingHandCursor);

    myLabel3d3->setIsLink(true);
    myLabel3d4->setIsLink(true);

    connect(myLabel3d3, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d3Click);
    connect(myLabel3d4, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d4Click);
    connect(myLabel3d7, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d7Click);

    FormCreate(executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : executablePath);
}

void TAutor::FormCreate(const QString &executablePath) {
    const QDate built = QFileInfo(executablePath).lastModified().date();
    Label2->setText(Label2->text() + QLatin1Char(' ') +
                    formattingLocale().toString(built, QLocale::ShortFormat));
    Label2->adjustSize();
    myLabel3d1->setCaption(myLabel3d1->Caption() + VersionText(executablePath));
}

QUrl TAutor::webTarget(const QString &caption) {
    // A caption such as "www.example.org/kerla" names a web page as the shell takes it.
    return QUrl::fromUserInput(caption);
}

bool ShellLinkOpener::open(const QUrl &url) {
    return shellopen::open(url);
}

void TAutor::setLinkOpener(LinkOpener *opener) {
    m_opener = opener ? opener : &m_shell;
}

QUrl TAutor::mailTarget(const QString &caption) {
    return QUrl(QStringLiteral("mailto:") + caption);
}

void TAutor::myLabel3d3Click(TmyLabel3d *sender) {
    if (!m_opener->open(webTarget(sender->Caption())))
        m_context.messages->showError(QStringLiteral("Nemohu spustit webový prohlížeč."));
}

void TAutor::myLabel3d4Click(TmyLabel3d *sender) {
    if (!m_opener->open(mailTarget(sender->Caption())))
        m_context.messages->showError(QStringLiteral("Nemohu spustit poštovní program."));
}

void TAutor::myLabel3d7Click(TmyLabel3d *) {
    reject();
}

void TAutor::readCaptionsAgainst(const QImage &shown) {
    const QPoint shownAt((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    for (TmyLabel3d *l : {myLabel3d1, myLabel3d2, myLabel3d3, myLabel3d4, myLabel3d7})
        l->setBackdrop(contrast::averageColor(shown, l->geometry().translated(-shownAt)));
    // So are the plain captions, whose theme colour may be light on the light picture.
    for (QLabel *l : {Label1, Label5, Label8, Label2, Label3}) {
        const QColor behind = contrast::averageColor(shown, l->geometry().translated(-shownAt));
        if (!behind.isValid())
            continue;
        windowparts::setPaletteColor(*l, QPalette::WindowText,
                                     contrast::readableOn(l->palette().color(QPalette::WindowText), behind));
    }
}

void TAutor::showEvent(QShowEvent *event) {
    if (Image1->pixmap().isNull()) {
        const QImage picture = aboutwindow::backgroundPicture(m_printing);
        if (!picture.isNull()) {
            // Scaled for the screen's pixel density, so that it stays sharp on a high-density screen;
            // the captions are measured against it at the window's own size.
            const qreal ratio = devicePixelRatioF();
            QImage dense = picture.scaled(size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            dense.setDevicePixelRatio(ratio);
            Image1->setPixmap(QPixmap::fromImage(dense));
            readCaptionsAgainst(
                ratio == 1.0 ? dense : picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    if (!event->spontaneous())
        windowparts::centreOnScreen(*this);
    QDialog::showEvent(event);
}

void TAutor::keyPressEvent(QKeyEvent *event) {
    if (!windowparts::swallowEscape(*event))
        QDialog::keyPressEvent(event);
}
