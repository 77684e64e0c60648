#include "dialogs/documentviewer.h"

#include "controls/mylabel3d.h"
#include "controls/windowparts.h"
#include "dialogs/programicon.h"
#include "pages/appcontext.h"
#include "platform/colorvalue.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

TForm2::TForm2(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("O Kerlach DR"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Times New Roman"), 8));
    setFixedSize(377, 282);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 41, 33);
    Image1->setPixmap(programIcon(32));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    myLabel3d1 = new TmyLabel3d(QStringLiteral("O Kerlach Dorny"), this);
    myLabel3d1->setObjectName(QStringLiteral("myLabel3d1"));
    QFont heading(QStringLiteral("Arial"), 14);
    heading.setBold(true);
    myLabel3d1->setFont(heading);
    myLabel3d1->setAutoSize(false);
    // A face taller than the design's gets the height of its line.
    const QRect caption = myLabel3d1->fontMetrics().boundingRect(
        QRect(0, 0, 257, 100), Qt::AlignLeft | Qt::AlignTop, myLabel3d1->Caption());
    myLabel3d1->setGeometry(56, 12, 257, std::max(22, caption.height()));
    myLabel3d1->setAStyle3D(T3DEffect::Raised3d);
    myLabel3d1->setAShadeLTSet(false);
    myLabel3d1->setAShadeLeftTop(colorvalue::Yellow);

    Button1 = new QPushButton(QStringLiteral("Zavřít"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(QFont(QStringLiteral("Arial"), 8));
    Button1->setGeometry(320, 12, 48, 25);
    Button1->setAutoDefault(false);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Text dokumentu"));
    RichEdit1->setGeometry(8, 48, 361, 225);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setAcceptRichText(true);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::loadDocument(const QByteArray &rtf) {
    rtf::load(RichEdit1->document(), rtf);
    RichEdit1->document()->setModified(false);
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TForm2::showModal() {
    windowparts::centreOnScreen(*this);
    exec();
}

void TForm2::Button1Click() {
    reject();
}

namespace documents {

QString missingMessage(const QString &fileName) {
    if (fileName == AboutWatchwords)
        return QStringLiteral("Informace o Kerlach nenalezeny.");
    if (fileName == PrintedEdition)
        return QStringLiteral("Informace o tištěné verzi nenalezeny.");
    return QStringLiteral("Dokument %1 nebyl nalezen.").arg(fileName);
}

bool showDocument(const AppContext &context, TForm2 &viewer, const QString &fileName) {
    const QString path = context.ProgramDir + fileName;
    if (!textfile::fileExists(path)) {
        context.messages->showMessage(missingMessage(fileName));
        return false;
    }
    QByteArray bytes;
    if (!runCommand(*context.messages, [&] { bytes = textfile::readAll(path); }))
        return false;
    viewer.loadDocument(bytes);
    viewer.showModal();
    return true;
}

} // namespace documents

void TForm2::keyPressEvent(QKeyEvent *event) {
    if (!windowparts::swallowEscape(*event))
        QDialog::keyPressEvent(event);
}
