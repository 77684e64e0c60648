#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QUrl>

class QLabel;

// Opens a link of the about window; returns false when nothing could be started.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual bool open(const QUrl &url) = 0;
};

// The shell's open of the link (shellopen::open): the desktop's default handler.
class ShellLinkOpener : public LinkOpener {
public:
    bool open(const QUrl &url) override;
};

class TmyLabel3d;
struct AppContext;
namespace printsupport {
class Source;
}

// The about window: the program's version and build date, a word about the program, and links
// to the program's web page and mail address.
class TAutor : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate for the given executable (the running one when empty): the captions are
    // completed once, here, and stay for the whole run.
    // `printing` gives the picture's decoder and outlives the window.
    TAutor(const AppContext &context, printsupport::Source &printing, QWidget *parent = nullptr,
           const QString &executablePath = QString());

    // How the links are opened: the shell's open (shellopen::open) unless a test gives its own (the
    // window does not take ownership; null goes back to the shell's).
    void setLinkOpener(LinkOpener *opener);

    // The link targets for the two captions.
    static QUrl webTarget(const QString &caption);
    static QUrl mailTarget(const QString &caption);

protected:
    void showEvent(QShowEvent *event) override;
    // The window closes with Zavřít or its close box only: Esc does not close it.
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void myLabel3d3Click(TmyLabel3d *sender); // the web address: opens the program's web page
    void myLabel3d4Click(TmyLabel3d *sender); // the mail address: opens a new mail
    void myLabel3d7Click(TmyLabel3d *sender); // "Zavřít"

private:
    // Completes the version (VersionText) and build date captions from the executable.
    void FormCreate(const QString &executablePath);
    // The captions are read against the picture under them.
    void readCaptionsAgainst(const QImage &shown);

    const AppContext &m_context;
    printsupport::Source &m_printing;
    ShellLinkOpener m_shell;
    LinkOpener *m_opener = &m_shell;

    // The controls, children of the window.
    QLabel *Image1 = nullptr;
    TmyLabel3d *myLabel3d1 = nullptr;
    TmyLabel3d *myLabel3d2 = nullptr;
    QLabel *Label1 = nullptr;
    TmyLabel3d *myLabel3d3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label8 = nullptr;
    TmyLabel3d *myLabel3d4 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    TmyLabel3d *myLabel3d7 = nullptr;
};

namespace aboutwindow {
// The background picture, decoded through `printing` from the JPEG built into the program; null if
// it cannot be read.
QImage backgroundPicture(printsupport::Source &printing);
} // namespace aboutwindow
