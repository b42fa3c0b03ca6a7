#include "PagePrinter.h"

#include "DocumentPages.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace corvane {

namespace {

QPageLayout layoutFor(const QSizeF& pixels)
{
    const QSizeF points = pixels * (72.0 / 96.0);
    const bool landscape = points.width() > points.height();
    const QSizeF portrait = landscape ? points.transposed() : points;
    return QPageLayout(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

void PagePrinter::preparePrinter(QPrinter& printer, const DocumentPages& pages)
{
    printer.setFullPage(true);
    if (pages.pageCount() > 0)
        printer.setPageLayout(layoutFor(pages.pageSize(0)));
}

bool PagePrinter::print(const DocumentPages& pages, QPrinter& printer, int first, int last, const Progress& progress)
{
    const int count = pages.pageCount();
    first = std::max(1, first);
    last = std::min(count, last);
    if (count < 1 || first > last)
        return false;
    printer.setFullPage(true);
    QPainter painter;
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page - first, last - first + 1)) {
            if (painter.isActive())
                printer.abort();
            return false;
        }
        const QSizeF size = pages.pageSize(page - 1);
        const QPageLayout wanted = layoutFor(size);
        if (!printer.pageLayout().isEquivalentTo(wanted))
            printer.setPageLayout(wanted);
        if (!painter.isActive()) {
            if (!painter.begin(&printer))
                return false;
        } else if (!printer.newPage()) {
            return false;
        }
        // The printer's page may still differ (a paper the dialog chose): fit the page into it.
        const QRectF target = printer.pageLayout().fullRectPixels(printer.resolution());
        const qreal scale = std::min(target.width() / size.width(), target.height() / size.height());
        painter.save();
        painter.scale(scale, scale);
        pages.paintPage(painter, page - 1);
        painter.restore();
    }
    return painter.end();
}

} // namespace corvane
