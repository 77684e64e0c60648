#include "dialogs/searchresults.h"

#include "platform/formatlocale.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QTextDocument>

namespace {

// The separator between a row's date and its words.
const QString kDash = QStringLiteral(" – ");

} // namespace

void SearchResults::setResults(QList<const search::Entry *> hits, QStringList words) {
    beginResetModel();
    m_hits = std::move(hits);
    m_words = std::move(words);
    endResetModel();
}

int SearchResults::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_hits.size());
}

QString SearchResults::dateLabel(const search::Entry &entry) {
    const int year = entry.date.year();
    switch (entry.kind) {
    case search::Kind::Week:
        return QStringLiteral("Kerlo týdne %1 (%2)").arg(entry.number).arg(year);
    case search::Kind::Month:
        return QStringLiteral("Kerlo měsíce: %1 %2")
            .arg(QLocale(QLocale::Czech).standaloneMonthName(entry.number, QLocale::LongFormat))
            .arg(year);
    case search::Kind::Year:
        return QStringLiteral("Kerlo roku %1").arg(year);
    case search::Kind::Day:
        break;
    }
    // The user's short date, with the whole year: the results span several years.
    QString format = formattingLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return formattingLocale().toString(entry.date, format);
}

QVariant SearchResults::data(const QModelIndex &index, int role) const {
    const search::Entry *e = entry(index.row());
    if (!e || index.column() != 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return dateLabel(*e) + kDash + search::snippet(e->text, m_words).text;
    case HtmlRole:
        return dateLabel(*e).toHtmlEscaped() + kDash + search::snippetHtml(search::snippet(e->text, m_words));
    case Qt::ToolTipRole:
        return e->text;
    default:
        return {};
    }
}

void SearchResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear(); // the frame, the selection and the focus, without the plain text
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QTextDocument *doc = layout(index, opt.font);
    QAbstractTextDocumentLayout::PaintContext context;
    const bool selected = opt.state & QStyle::State_Selected;
    context.palette = opt.palette;
    context.palette.setColor(
        QPalette::Text,
        opt.palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    painter->save();
    painter->translate(room.topLeft());
    painter->setClipRect(room.translated(-room.topLeft()));
    doc->documentLayout()->draw(painter, context);
    painter->restore();
}

QTextDocument *SearchResultDelegate::layout(const QModelIndex &index, const QFont &font) const {
    m_document.setDefaultFont(font);
    m_document.setDocumentMargin(2);
    m_document.setHtml(index.data(SearchResults::HtmlRole).toString());
    return &m_document;
}

QSize SearchResultDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
    QTextDocument *doc = layout(index, option.font);
    return QSize(int(doc->idealWidth()), int(doc->size().height()));
}
