#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>

class QLabel;
class TmyLabel3d;
struct AppContext;

// The about window: the program's version and build date, a word about the program, and links
// to the program's web page and mail address.
class TAutor : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate for the given executable (the running one when empty): the captions are
    // completed once, here, and stay for the whole run.
    explicit TAutor(const AppContext &context, QWidget *parent = nullptr,
                    const QString &executablePath = QString());

    // How a link is opened; the shell's open (shellopen::open) unless a test gives its own. Returns
    // false when nothing could be started.
    std::function<bool(const QUrl &)> openUrl;

    // The link targets for the two captions.
    static QUrl webTarget(const QString &caption);
    static QUrl mailTarget(const QString &caption);

protected:
    void showEvent(QShowEvent *event) override;
    // The window closes with Zavřít or its close box only: Esc does not close it.
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void myLabel3d3Click(TmyLabel3d *sender);
    void myLabel3d4Click(TmyLabel3d *sender);
    void myLabel3d7Click(TmyLabel3d *sender);

private:
    void FormCreate(const QString &executablePath);
    // The captions are read against the picture under them.
    void readCaptionsAgainst(const QImage &shown);

    const AppContext &m_context;

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
// The background picture, decoded from the JPEG built into the program; null if it cannot be read.
QImage backgroundPicture();
} // namespace aboutwindow
