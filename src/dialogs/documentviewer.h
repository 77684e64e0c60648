#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTextEdit;
class TmyLabel3d;
struct AppContext;

// The viewer of the two information documents. It keeps its caption and heading whatever it
// shows; the user may type into the text, but nothing is saved and the next document replaces it.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    // Replaces the shown text with the RTF document.
    void loadDocument(const QByteArray &rtf);

    // Shows the viewer modally, centred on the screen; returns when it is closed.
    virtual void showModal();

protected:
    // The viewer closes with Zavřít or its close box only: Esc does not close it.
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void Button1Click(); // "Zavřít"

private:
    // The controls, children of the viewer.
    QLabel *Image1 = nullptr;
    TmyLabel3d *myLabel3d1 = nullptr;
    QPushButton *Button1 = nullptr;
    QTextEdit *RichEdit1 = nullptr;
};

namespace documents {

inline const QString AboutWatchwords = QStringLiteral("O Kerlach.rtf");
inline const QString PrintedEdition = QStringLiteral("Distribuce.rtf");

// The message for a document that is not beside the program.
QString missingMessage(const QString &fileName);

// OKerlachClick and Titnverze1Click: loads ProgramDir + fileName into the viewer and shows it. A
// missing file shows its message and leaves the viewer as it was; a file that cannot be read goes
// to the error report. Returns whether the viewer was shown.
bool showDocument(const AppContext &context, TForm2 &viewer, const QString &fileName);

} // namespace documents
