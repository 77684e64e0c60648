#pragma once

#include "daytext/searchindex.h"

#include <QAbstractListModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTextDocument>

// The rows of the search window: each found day (or week, month or year watchword) with its date
// and the words around the match. A row's text is what a screen reader reads; the list draws the
// same text with the matches in bold.
class SearchResults : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { HtmlRole = Qt::UserRole + 1 };

    using QAbstractListModel::QAbstractListModel;

    // The hits of a query (from search::Index::find) and its words.
    void setResults(QList<const search::Entry *> hits, QStringList words);
    const search::Entry *entry(int row) const { return m_hits.value(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // What a row says of its date: the day in the user's short date format with the whole year
    // ("07.03.2025"), or "Kerlo týdne 12 (2025)", "Kerlo měsíce: březen 2025", "Kerlo roku 2025".
    static QString dateLabel(const search::Entry &entry);

private:
    QList<const search::Entry *> m_hits;
    QStringList m_words;
};

// Draws a row's HTML (the matches in bold) on one line.
class SearchResultDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The row's text laid out; one document serves every row, as only the visible rows are drawn.
    QTextDocument *layout(const QModelIndex &index, const QFont &font) const;
    mutable QTextDocument m_document;
};
