#include "dialogs/calendardialog.h"

#include "daytext/calendarexport.h"
#include "pages/dates.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The file field's width, in pixels, between which it fits the offered path.
constexpr int MinimumPathWidth = 320, MaximumPathWidth = 640;

QString saveFileName(QWidget *parent, const QString &path) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit kalendář"), path,
                                        QStringLiteral("Kalendář iCalendar (*.ics)"));
}

} // namespace

TKalendar::TKalendar(QWidget *parent) : QDialog(parent), chooseFile(saveFileName) {
    setObjectName(QStringLiteral("Kalendar"));
    setWindowTitle(QStringLiteral("Exportovat do kalendáře"));

    auto *range = new QGroupBox(QStringLiteral("Které dny"), this);
    range->setObjectName(QStringLiteral("Rozsah"));
    CelyRok = new QRadioButton(range);
    CelyRok->setObjectName(QStringLiteral("CelyRok"));
    OdData = new QRadioButton(range);
    OdData->setObjectName(QStringLiteral("OdData"));
    PocetDni = new QSpinBox(range);
    PocetDni->setObjectName(QStringLiteral("PocetDni"));
    PocetDni->setRange(1, 3660);
    PocetDni->setValue(30);
    PocetDni->setSuffix(QStringLiteral(" dní"));
    PocetDni->setAccessibleName(QStringLiteral("Počet dní"));
    auto *span = new QHBoxLayout;
    span->addWidget(OdData);
    span->addWidget(PocetDni);
    span->addStretch();
    auto *rangeLayout = new QVBoxLayout(range);
    rangeLayout->addWidget(CelyRok);
    rangeLayout->addLayout(span);

    Soubor = new QLineEdit(this);
    Soubor->setObjectName(QStringLiteral("Soubor"));
    Soubor->setAccessibleName(QStringLiteral("Soubor"));
    Vybrat = new QPushButton(QStringLiteral("&Procházet…"), this);
    Vybrat->setObjectName(QStringLiteral("Vybrat"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(Soubor, 1);
    fileRow->addWidget(Vybrat);
    auto *fileCaption = new QLabel(QStringLiteral("&Soubor:"), this);
    fileCaption->setObjectName(QStringLiteral("Label1"));
    fileCaption->setBuddy(Soubor);

    Pripominka = new QCheckBox(QStringLiteral("Připo&menout v"), this);
    Pripominka->setObjectName(QStringLiteral("Pripominka"));
    CasPripominky = new QTimeEdit(QTime(7, 0), this);
    CasPripominky->setObjectName(QStringLiteral("CasPripominky"));
    CasPripominky->setDisplayFormat(QStringLiteral("H:mm"));
    CasPripominky->setAccessibleName(QStringLiteral("Čas připomínky"));
    auto *alarmRow = new QHBoxLayout;
    alarmRow->addWidget(Pripominka);
    alarmRow->addWidget(CasPripominky);
    alarmRow->addStretch();

    Tlacitka = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Tlacitka->setObjectName(QStringLiteral("Tlacitka"));
    Tlacitka->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Exportovat"));
    Tlacitka->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Exportovat"));
    Tlacitka->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    Tlacitka->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Storno"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(fileCaption);
    layout->addLayout(fileRow);
    layout->addLayout(alarmRow);
    layout->addStretch();
    layout->addWidget(Tlacitka);

    connect(Tlacitka, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Tlacitka, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Vybrat, &QPushButton::clicked, this, &TKalendar::VybratClick);
    for (QAbstractButton *b :
         {static_cast<QAbstractButton *>(OdData), static_cast<QAbstractButton *>(Pripominka)})
        connect(b, &QAbstractButton::toggled, this, &TKalendar::refreshStates);
    connect(Soubor, &QLineEdit::textChanged, this, &TKalendar::refreshStates);
}

void TKalendar::prepare(const QDate &shown, const QString &folder) {
    m_shown = shown;
    CelyRok->setText(QStringLiteral("&Celý rok %1").arg(shown.year()));
    OdData->setText(QStringLiteral("&Od %1 na").arg(shortDateText(shown)));
    CelyRok->setChecked(true);
    Soubor->setText(QDir(folder).filePath(calendarexport::defaultFileName(shown.year())));
    // Wide enough for the offered path (a longer one scrolls in the field).
    const int pathWidth = Soubor->fontMetrics().horizontalAdvance(Soubor->text()) +
                          2 * Soubor->fontMetrics().averageCharWidth();
    Soubor->setMinimumWidth(std::clamp(pathWidth, MinimumPathWidth, MaximumPathWidth));
    adjustSize();
    refreshStates();
}

TKalendar::Choice TKalendar::choice() const {
    Choice c;
    if (OdData->isChecked()) {
        c.from = m_shown;
        c.to = m_shown.addDays(PocetDni->value() - 1);
    } else {
        c.from = QDate(m_shown.year(), 1, 1);
        c.to = QDate(m_shown.year(), 12, 31);
    }
    c.path = Soubor->text().trimmed();
    if (Pripominka->isChecked())
        c.alarm = CasPripominky->time();
    return c;
}

void TKalendar::VybratClick() {
    const QString chosen = chooseFile(this, Soubor->text());
    if (!chosen.isEmpty())
        Soubor->setText(chosen);
}

void TKalendar::refreshStates() {
    PocetDni->setEnabled(OdData->isChecked());
    CasPripominky->setEnabled(Pripominka->isChecked());
    Tlacitka->button(QDialogButtonBox::Ok)->setEnabled(!Soubor->text().trimmed().isEmpty());
}
