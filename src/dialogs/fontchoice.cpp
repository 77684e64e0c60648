#include "dialogs/fontchoice.h"

#include "controls/windowparts.h"
#include "platform/colorvalue.h"
#include "platform/colorwords.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum Style { Regular, Italic, Bold, BoldItalic };

int styleOf(const QFont &font) {
    return (font.bold() ? Bold : Regular) | (font.italic() ? Italic : Regular);
}

QIcon swatch(int colorValue) {
    QPixmap pixmap(24, 14);
    pixmap.fill(colorvalue::toQColor(colorValue));
    return QIcon(pixmap);
}

int pointSizeOf(const QFont &font) {
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF());
    return 10;
}

} // namespace

FontChoiceDialog::FontChoiceDialog(const FontChoice &start, bool styleEditable, QWidget *parent)
    : QDialog(parent), m_start(start), m_color(start.color) {
    setObjectName(QStringLiteral("FontChoiceDialog"));

    m_face = new QFontComboBox(this);
    m_face->setObjectName(QStringLiteral("FontFace"));
    m_face->setFontFilters(QFontComboBox::ScalableFonts);
    // Only faces from the list: a typed name that does not exist cannot be chosen.
    m_face->setEditable(false);
    m_face->setCurrentFont(start.font);

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("FontSize"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setValidator(new QIntValidator(1, 999, m_size));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(size));
    m_size->setCurrentText(QString::number(pointSizeOf(start.font)));

    m_style = new QListWidget(this);
    m_style->setObjectName(QStringLiteral("FontStyle"));
    m_style->addItems({QStringLiteral("Obyčejné"), QStringLiteral("Kurzíva"), QStringLiteral("Tučné"),
                       QStringLiteral("Tučná kurzíva")});
    m_style->setCurrentRow(styleOf(start.font));
    m_style->setEnabled(styleEditable);
    m_style->setMaximumHeight(m_style->sizeHintForRow(0) * 4 + 2 * m_style->frameWidth() + 2);

    m_colorButton = new QPushButton(QStringLiteral("&Barva..."), this);
    m_colorButton->setObjectName(QStringLiteral("FontColor"));
    m_colorButton->setAutoDefault(false);

    m_sample = new QLabel(QStringLiteral("AaBbČčŘřŽž"), this);
    m_sample->setObjectName(QStringLiteral("FontSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(240, 60);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));

    auto caption = [this](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    auto *grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("&Písmo:"), m_face), 0, 0);
    grid->addWidget(m_face, 1, 0);
    grid->addWidget(caption(QStringLiteral("&Velikost:"), m_size), 0, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(caption(QStringLiteral("Řez pís&ma:"), m_style), 2, 0);
    grid->addWidget(m_style, 3, 0, 2, 1);
    grid->addWidget(m_colorButton, 3, 1, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontChoiceDialog::pickColor);
    connect(m_face, &QFontComboBox::currentFontChanged, this, [this] {
        m_faceChanged = true;
        updateSample();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, &FontChoiceDialog::updateSample);
    connect(m_style, &QListWidget::currentRowChanged, this, &FontChoiceDialog::updateSample);
    setColorValue(m_color); // the swatch, its words and the sample
}

FontChoice FontChoiceDialog::choice() const {
    FontChoice result{m_start.font, m_color};
    // A face that the user did not touch stays as it came, also when it is not installed here.
    if (m_faceChanged)
        result.font.setFamily(m_face->currentFont().family());
    bool ok = false;
    const int size = m_size->currentText().toInt(&ok);
    if (ok && size > 0)
        result.font.setPointSize(size);
    if (m_style->isEnabled() && m_style->currentRow() >= 0) {
        result.font.setBold(m_style->currentRow() & Bold);
        result.font.setItalic(m_style->currentRow() & Italic);
    }
    return result;
}

void FontChoiceDialog::setColorValue(int colorValue) {
    m_color = colorValue;
    m_colorButton->setIcon(swatch(m_color));
    m_colorButton->setAccessibleDescription(QStringLiteral("Barva písma: ") + colorwords::describe(m_color));
    updateSample();
}

void FontChoiceDialog::pickColor() {
    const QColor picked =
        QColorDialog::getColor(colorvalue::toQColor(m_color), this, QStringLiteral("Barva písma"));
    if (picked.isValid())
        setColorValue(colorvalue::fromQColor(picked));
}

void FontChoiceDialog::updateSample() {
    const FontChoice now = choice();
    m_sample->setFont(now.font);
    windowparts::setPaletteColor(*m_sample, QPalette::WindowText, now.color);
}

bool DialogFontColorChooser::chooseFont(QWidget *parent, const QString &caption, bool styleEditable,
                                        FontChoice &choice) {
    FontChoiceDialog dialog(choice, styleEditable, parent);
    dialog.setWindowTitle(caption);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

bool DialogFontColorChooser::chooseColor(QWidget *parent, int &colorValue) {
    const QColor picked =
        QColorDialog::getColor(colorvalue::toQColor(colorValue), parent, QStringLiteral("Barva podkladu"));
    if (!picked.isValid())
        return false;
    colorValue = colorvalue::fromQColor(picked);
    return true;
}
