#include "dialogs/searchwindow.h"

#include "daytext/pagetext.h"
#include "dialogs/searchresults.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

THledani::THledani(const AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context) {
    setObjectName(QStringLiteral("Hledani"));
    setWindowTitle(QStringLiteral("Hledat"));
    resize(600, 400);

    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("&Hledaná slova:"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    HledatText = new QLineEdit(this);
    HledatText->setObjectName(QStringLiteral("HledatText"));
    HledatText->setAccessibleName(QStringLiteral("Hledaná slova"));
    HledatText->setAccessibleDescription(
        QStringLiteral("Slova z hesla, textu nebo odkazu; na velikosti písmen a diakritice nezáleží"));
    HledatText->setPlaceholderText(QStringLiteral("například: pastýř, žalm 23"));
    HledatText->setClearButtonEnabled(true);
    caption->setBuddy(HledatText);

    Nalezeno = new QLabel(this);
    Nalezeno->setObjectName(QStringLiteral("Nalezeno"));

    m_results = new SearchResults(this);
    Vysledky = new QListView(this);
    Vysledky->setObjectName(QStringLiteral("Vysledky"));
    Vysledky->setAccessibleName(QStringLiteral("Výsledky hledání"));
    Vysledky->setModel(m_results);
    Vysledky->setItemDelegate(new SearchResultDelegate(Vysledky));
    Vysledky->setUniformItemSizes(true);
    Vysledky->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Vysledky->setSelectionMode(QAbstractItemView::SingleSelection);
    Vysledky->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Stav = new QLabel(this);
    Stav->setObjectName(QStringLiteral("Stav"));
    Stav->setWordWrap(true);
    Stav->hide();

    layout->addWidget(caption);
    layout->addWidget(HledatText);
    layout->addWidget(Nalezeno);
    layout->addWidget(Vysledky, 1);
    layout->addWidget(Stav);
    setTabOrder(HledatText, Vysledky);

    connect(HledatText, &QLineEdit::textChanged, this, &THledani::HledatTextChange);
    connect(Vysledky, &QListView::doubleClicked, this, &THledani::VysledkyChoose);
    HledatText->installEventFilter(this);
    Vysledky->installEventFilter(this);
}

void THledani::open() {
    m_results->setResults({}, {}); // the rows point into the index, which may change now
    m_keeper.refresh(m_context, m_index);
    Stav->setText(m_keeper.unreadable().join(u'\n'));
    Stav->setVisible(!m_keeper.unreadable().isEmpty());
    HledatTextChange(); // the index may hold other years now
    show();
    raise();
    activateWindow();
    HledatText->setFocus();
    HledatText->selectAll();
}

QString THledani::countText(qsizetype found) {
    return QStringLiteral("Nalezeno: ") + pagetext::dayCount(found);
}

void THledani::HledatTextChange() {
    const QStringList words = search::queryWords(HledatText->text());
    m_results->setResults(m_index.find(words), words);
    Nalezeno->setText(words.isEmpty() ? QString() : countText(m_results->rowCount()));
    if (m_results->rowCount() > 0)
        Vysledky->setCurrentIndex(m_results->index(0));
}

void THledani::VysledkyChoose(const QModelIndex &index) {
    if (const search::Entry *e = m_results->entry(index.row()))
        Q_EMIT resultChosen(e->date, e->kind);
}

bool THledani::windowKey(QObject *watched, QKeyEvent *key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        VysledkyChoose(Vysledky->currentIndex());
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched != HledatText)
            return false;
        // From the field, the list's keys move through the results.
        Vysledky->setFocus();
        QCoreApplication::sendEvent(Vysledky, key);
        return true;
    default:
        break;
    }
    // Typing in the list goes on in the field.
    const bool typing = key->key() == Qt::Key_Backspace ||
                        (!key->text().isEmpty() && key->text().front().isPrint() &&
                         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)));
    if (watched != Vysledky || !typing)
        return false;
    HledatText->setFocus();
    QCoreApplication::sendEvent(HledatText, key);
    return true;
}

bool THledani::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && (watched == HledatText || watched == Vysledky))
        return windowKey(watched, static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}
