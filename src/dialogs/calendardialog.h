#pragma once

#include <QDate>
#include <QDialog>
#include <QString>
#include <QTime>

#include <functional>
#include <optional>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The dialog of "Exportovat do kalendáře…": which days (the shown year, or a number of days from
// the shown date), the file, and an optional reminder at a time of day (off unless chosen). It
// only asks; the main window writes the file.
class TKalendar : public QDialog {
    Q_OBJECT
public:
    explicit TKalendar(QWidget *parent = nullptr);

    // Fills the dialog for the shown date: the whole year chosen, and hesla-<year>.ics in `folder`.
    void prepare(const QDate &shown, const QString &folder);

    struct Choice {
        QDate from, to;
        QString path;
        std::optional<QTime> alarm;
    };
    Choice choice() const;

    // The file dialog behind "Procházet…": it gets the file name shown and returns the chosen one,
    // or an empty text. A test gives its own.
    std::function<QString(QWidget *parent, const QString &path)> chooseFile;

private Q_SLOTS:
    void VybratClick();
    void refreshStates();

private:
    QDate m_shown;

    // The controls, children of the dialog.
    QRadioButton *CelyRok = nullptr;
    QRadioButton *OdData = nullptr;
    QSpinBox *PocetDni = nullptr;
    QLineEdit *Soubor = nullptr;
    QPushButton *Vybrat = nullptr;
    QCheckBox *Pripominka = nullptr;
    QTimeEdit *CasPripominky = nullptr;
    QDialogButtonBox *Tlacitka = nullptr;
};
