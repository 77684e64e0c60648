#include "daytext/searchindex.h"

#include <algorithm>

namespace search {

namespace {

// The letter without its diacritics, in lower case; a null character for a combining mark.
QChar foldedChar(QChar c) {
    if (c.unicode() < 0x80)
        return c.toLower();
    if (c.category() == QChar::Mark_NonSpacing)
        return QChar();
    while (c.decompositionTag() == QChar::Canonical) {
        const QString parts = c.decomposition();
        if (parts.isEmpty() || parts[0] == c)
            break;
        c = parts[0];
    }
    return c.toCaseFolded();
}

} // namespace

QString fold(QStringView text, QList<qsizetype> *origins) {
    QString out;
    out.reserve(text.size());
    if (origins) {
        origins->clear();
        origins->reserve(text.size());
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = foldedChar(text[i]);
        if (c.isNull())
            continue;
        out += c;
        if (origins)
            origins->append(i);
    }
    return out;
}

QStringList queryWords(const QString &query) {
    QStringList words = fold(query).split(u' ', Qt::SkipEmptyParts);
    for (QString &w : words)
        w = w.trimmed();
    words.removeAll(QString());
    words.removeDuplicates();
    return words;
}

QList<Span> occurrences(const QString &text, const QStringList &words) {
    QList<qsizetype> origins;
    const QString folded = fold(text, &origins);
    QList<Span> found;
    for (const QString &word : words) {
        for (qsizetype at = folded.indexOf(word); at >= 0; at = folded.indexOf(word, at + 1)) {
            const qsizetype start = origins[at];
            const qsizetype end = at + word.size() < origins.size() ? origins[at + word.size()] : text.size();
            found.append({start, end - start});
        }
    }
    std::sort(found.begin(), found.end(), [](const Span &a, const Span &b) { return a.start < b.start; });
    QList<Span> merged;
    for (const Span &s : found) {
        if (!merged.isEmpty() && s.start <= merged.last().start + merged.last().length) {
            Span &last = merged.last();
            last.length = std::max(last.start + last.length, s.start + s.length) - last.start;
        } else {
            merged.append(s);
        }
    }
    return merged;
}

Snippet snippet(const QString &text, const QStringList &words, qsizetype width) {
    const QList<Span> all = occurrences(text, words);
    const qsizetype first = all.isEmpty() ? 0 : all.first().start;
    qsizetype from = std::max<qsizetype>(0, first - width / 3);
    qsizetype to = std::min(text.size(), from + width);
    from = std::max<qsizetype>(0, std::min(from, to - width));
    // Cut between words.
    if (from > 0)
        from = text.lastIndexOf(u' ', from) + 1;
    if (to < text.size()) {
        const qsizetype space = text.lastIndexOf(u' ', to);
        if (space > from && (all.isEmpty() || space >= all.first().start + all.first().length))
            to = space;
    }
    Snippet out;
    const QString ellipsis(QChar(0x2026));
    const qsizetype shift = from > 0 ? 1 - from : -from;
    out.text = (from > 0 ? ellipsis : QString()) + text.mid(from, to - from) +
               (to < text.size() ? ellipsis : QString());
    for (const Span &s : all) {
        if (s.start >= from && s.start + s.length <= to)
            out.matches.append({s.start + shift, s.length});
    }
    return out;
}

QString snippetHtml(const Snippet &snippet) {
    QString html;
    qsizetype at = 0;
    for (const Span &s : snippet.matches) {
        html += snippet.text.mid(at, s.start - at).toHtmlEscaped();
        html += QStringLiteral("<b>") + snippet.text.mid(s.start, s.length).toHtmlEscaped() +
                QStringLiteral("</b>");
        at = s.start + s.length;
    }
    return html + snippet.text.mid(at).toHtmlEscaped();
}

void Index::setYear(int year, QList<Entry> entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        // A week, month or year watchword comes before the day it begins on.
        return a.date != b.date ? a.date < b.date : a.kind > b.kind;
    });
    Year y;
    y.folded.reserve(entries.size());
    for (const Entry &e : entries)
        y.folded.append(fold(e.text));
    y.entries = std::move(entries);
    m_years.insert_or_assign(year, std::move(y));
}

void Index::removeYear(int year) {
    m_years.erase(year);
}

QList<int> Index::years() const {
    QList<int> out;
    for (const auto &[year, entries] : m_years)
        out.append(year);
    return out;
}

qsizetype Index::size() const {
    qsizetype n = 0;
    for (const auto &[year, y] : m_years)
        n += y.entries.size();
    return n;
}

QList<const Entry *> Index::find(const QStringList &words) const {
    QList<const Entry *> hits;
    if (words.isEmpty())
        return hits;
    for (const auto &[number, year] : m_years) {
        for (qsizetype i = 0; i < year.entries.size(); ++i) {
            const QString &text = year.folded[i];
            const bool all =
                std::all_of(words.begin(), words.end(), [&](const QString &w) { return text.contains(w); });
            if (all)
                hits.append(&year.entries[i]);
        }
    }
    return hits;
}

} // namespace search
