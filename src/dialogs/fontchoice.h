#pragma once

#include <QDialog>
#include <QFont>

class QComboBox;
class QFontComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// A font with its colour, as a stored colour value (colorvalue.h).
struct FontChoice {
    QFont font;
    int color = 0;
};

// Runs the font and colour dialogs of the settings dialog. The real one shows modal dialogs; a
// test gives its own that answers at once.
class FontColorChooser {
public:
    virtual ~FontColorChooser() = default;
    // Starts from `choice` and puts the user's choice into it; false (and `choice` untouched) when
    // the user cancels. With `styleEditable` off the style (bold, italic) stays as it came in.
    // Underline and strike-out are never offered: they stay as they came in.
    virtual bool chooseFont(QWidget *parent, const QString &caption, bool styleEditable,
                            FontChoice &choice) = 0;
    // Starts from `colorValue` and puts the chosen plain colour into it; false when cancelled.
    virtual bool chooseColor(QWidget *parent, int &colorValue) = 0;
};

class DialogFontColorChooser : public FontColorChooser {
public:
    bool chooseFont(QWidget *parent, const QString &caption, bool styleEditable, FontChoice &choice) override;
    bool chooseColor(QWidget *parent, int &colorValue) override;
};

// Our font dialog: a face (scalable faces that exist), a size, a style that can be locked, and a
// colour. The style list offers regular, italic, bold and bold italic.
class FontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    FontChoiceDialog(const FontChoice &start, bool styleEditable, QWidget *parent = nullptr);

    FontChoice choice() const;

    QFontComboBox *faceBox() const { return m_face; }
    QComboBox *sizeBox() const { return m_size; }
    QListWidget *styleList() const { return m_style; }
    QPushButton *colorButton() const { return m_colorButton; }
    // Sets the pending colour (as the colour button does after its dialog).
    void setColorValue(int colorValue);

private:
    void pickColor();
    void updateSample();

    FontChoice m_start;
    int m_color;
    bool m_faceChanged = false;
    QFontComboBox *m_face;
    QComboBox *m_size;
    QListWidget *m_style;
    QPushButton *m_colorButton;
    QLabel *m_sample;
};
