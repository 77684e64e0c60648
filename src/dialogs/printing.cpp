#include "dialogs/printing.h"

#include "platform/errors.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace printing {

namespace {

QString failed(const QString &reason) {
    return QStringLiteral("Tisk se nezdařil: %1").arg(reason);
}

} // namespace

int printDocument(const QTextDocument &document, QPrinter &printer, const QString &title) {
    if (!printer.isValid())
        throw KerlaError(failed(QStringLiteral("není k dispozici žádná tiskárna.")));
    printer.setDocName(title);
    printer.setFullPage(false);
    // The printable area is the page less what the printer cannot reach; we add nothing.
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());

    const QRect area = printer.pageRect(QPrinter::DevicePixel).toRect();
    if (area.width() <= 0 || area.height() <= 0)
        throw KerlaError(failed(QStringLiteral("tiskárna neudává žádnou plochu pro tisk.")));

    // The text is laid out for the printer's resolution, on pages the size of the printable area.
    std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setDocumentMargin(0);
    pages->setPageSize(QSizeF(area.size()));
    const int pageCount = pages->pageCount();

    QPainter painter;
    if (!painter.begin(&printer))
        throw KerlaError(failed(QStringLiteral("tiskovou úlohu nelze zahájit.")));

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const qreal height = area.height();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            throw KerlaError(failed(QStringLiteral("nelze začít další stránku.")));
        }
        const QRectF slice(0, page * height, area.width(), height);
        painter.save();
        painter.setClipRect(QRectF(0, 0, area.width(), height));
        painter.translate(0, -slice.top());
        context.clip = slice;
        pages->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw KerlaError(failed(QStringLiteral("tiskovou úlohu nelze dokončit.")));
    return pageCount;
}

} // namespace printing
