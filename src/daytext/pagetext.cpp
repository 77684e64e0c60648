#include "daytext/pagetext.h"

#include "readings/passage.h"

#include <QMimeData>

namespace pagetext {

using rtf::detail::Align;

QString Page::heading() const {
    return paragraphs.isEmpty() ? QString() : paragraphs.first().text().trimmed();
}

QList<Passage> Page::passages() const {
    QList<Passage> out;
    Passage open;
    for (qsizetype i = 1; i < paragraphs.size(); ++i) {
        const rtf::Paragraph &p = paragraphs[i];
        if (p.align == Align::Right) {
            open.reference = p.text().trimmed();
            out.append(std::exchange(open, Passage()));
        } else {
            open.text += (open.text.isEmpty() ? QString() : QStringLiteral("\n")) + p.text().trimmed();
        }
    }
    if (!open.text.isEmpty())
        out.append(open);
    return out;
}

Page read(QByteArrayView rtf) {
    Page page;
    for (rtf::Paragraph &p : rtf::paragraphs(rtf)) {
        if (!p.isBlank())
            page.paragraphs.append(std::move(p));
    }
    return page;
}

QString readingsLine(const DayReadings &readings) {
    QStringList labels;
    for (const QString &reference : {readings.first, readings.second, readings.third}) {
        if (!reference.trimmed().isEmpty())
            labels.append(passage::labelText(passage::splitReference(reference)));
    }
    if (labels.isEmpty())
        return {};
    return QStringLiteral("Čtení na tento den: ") + labels.join(QStringLiteral("; "));
}

QString plainText(const Page &page, const QString &readings, bool withHeading) {
    QStringList lines;
    if (withHeading && !page.paragraphs.isEmpty())
        lines << page.heading() << QString();
    for (qsizetype i = 1; i < page.paragraphs.size(); ++i) {
        lines << page.paragraphs[i].text().trimmed();
        if (page.paragraphs[i].align == Align::Right)
            lines << QString();
    }
    if (!readings.isEmpty()) {
        if (!lines.isEmpty() && !lines.last().isEmpty())
            lines << QString();
        lines << readings;
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

namespace {

QString htmlRun(const rtf::Run &run) {
    QString text = run.text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
    if (run.italic)
        text = QStringLiteral("<i>") + text + QStringLiteral("</i>");
    if (run.bold)
        text = QStringLiteral("<b>") + text + QStringLiteral("</b>");
    return text;
}

QString htmlParagraph(const rtf::Paragraph &p) {
    static const char *const aligns[] = {"left", "center", "right", "justify"};
    QString inner;
    for (const rtf::Run &run : p.runs)
        inner += htmlRun(run);
    const QString style =
        p.align == Align::Left
            ? QString()
            : QStringLiteral(" style=\"text-align:%1\"").arg(QLatin1String(aligns[int(p.align)]));
    return QStringLiteral("<p%1>%2</p>\n").arg(style, inner.trimmed());
}

} // namespace

QString html(const Page &page, const QString &readings) {
    QString out = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n");
    for (const rtf::Paragraph &p : page.paragraphs)
        out += htmlParagraph(p);
    if (!readings.isEmpty())
        out += QStringLiteral("<p>%1</p>\n").arg(readings.toHtmlEscaped());
    return out + QStringLiteral("</body></html>\n");
}

QString dayCount(qsizetype n) {
    const char16_t *word = n == 1 ? u"den" : (n >= 2 && n <= 4) ? u"dny" : u"dnů";
    return QString::number(n) + u' ' + QString::fromUtf16(word);
}

QString passageText(const QString &reference, const QString &text) {
    return reference.trimmed() + u'\n' + text;
}

std::unique_ptr<QMimeData> mimeData(const Page &page, const QString &readings) {
    auto data = std::make_unique<QMimeData>();
    data->setText(plainText(page, readings));
    data->setHtml(html(page, readings));
    return data;
}

} // namespace pagetext
