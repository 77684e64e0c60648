#pragma once

#include "daytext/searchindex.h"
#include "daytext/searchsources.h"
#include "pages/appcontext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class SearchResults;

// The search window "Hledat": a field, the count of results and the list of found days, newest
// year first, updated as the user types. Enter or a double click shows the chosen day in the main
// window (resultChosen), and the window stays open; Esc closes it. The years are indexed once each,
// when the window first opens and again only when a year's file changes.
class THledani : public QWidget {
    Q_OBJECT
public:
    explicit THledani(const AppContext &context, QWidget *parent = nullptr);

    // Shows the window (or brings it to the front), brings the index up to date with the years the
    // program finds, and puts the focus into the field with its text selected.
    void open();

    // "Nalezeno: 1 den", "Nalezeno: 3 dny", "Nalezeno: 12 dnů"; empty while nothing is asked.
    static QString countText(qsizetype found);

Q_SIGNALS:
    // The user chose a result: the day to show, and whether its page or its week's, month's or
    // year's watchword.
    void resultChosen(const QDate &date, search::Kind kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void HledatTextChange();
    void VysledkyChoose(const QModelIndex &index);

private:
    // The keys of the field and the list: Enter chooses, Esc closes, the arrow and page keys of
    // the field move into the list, and typing in the list goes on in the field. True when the
    // key was taken.
    bool windowKey(QObject *watched, QKeyEvent *key);

    const AppContext &m_context;
    search::Index m_index;
    searchsources::IndexKeeper m_keeper;
    SearchResults *m_results = nullptr;

    // The controls, children of the window.
    QLineEdit *HledatText = nullptr;
    QLabel *Nalezeno = nullptr;
    QListView *Vysledky = nullptr;
    QLabel *Stav = nullptr; // the years that could not be read
};
