#include "PdfPages.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>

namespace corvane {

PdfPages::PdfPages() = default;
PdfPages::~PdfPages() = default;

std::unique_ptr<PdfPages> PdfPages::fromBytes(const QByteArray& bytes)
{
    std::unique_ptr<PdfPages> pages(new PdfPages);
    pages->m_bytes = bytes;
    pages->m_buffer = std::make_unique<QBuffer>(&pages->m_bytes);
    pages->m_buffer->open(QIODevice::ReadOnly);
    pages->m_document = std::make_unique<QPdfDocument>();
    pages->m_document->load(pages->m_buffer.get());
    if (pages->m_document->status() != QPdfDocument::Status::Ready || pages->m_document->pageCount() < 1)
        return nullptr;
    return pages;
}

int PdfPages::pageCount() const
{
    return m_document->pageCount();
}

QSizeF PdfPages::pageSize(int page) const
{
    // Points to pixels at 96 per inch.
    return m_document->pagePointSize(page) * (96.0 / 72.0);
}

void PdfPages::paintPage(QPainter& painter, int page) const
{
    const QSizeF size = pageSize(page);
    // Rendered at the scale it is drawn at (at most three device pixels per page pixel).
    const qreal scale = std::clamp(std::abs(painter.worldTransform().m11()), 0.25, 3.0);
    const QImage image = m_document->render(page, (size * scale).toSize());
    painter.drawImage(QRectF(QPointF(0, 0), size), image);
}

} // namespace corvane
