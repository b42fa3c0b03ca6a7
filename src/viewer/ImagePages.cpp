#include "ImagePages.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace corvane {

namespace {
constexpr qreal letterShort = 816; // 8.5 inches at 96 pixels per inch
constexpr qreal letterLong = 1056; // 11 inches
constexpr qreal margin = 48;
} // namespace

std::unique_ptr<ImagePages> ImagePages::fromBytes(const QByteArray& bytes)
{
    auto pages = std::make_unique<ImagePages>();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The TIFF reader finds the pages after the first only when it has counted them before the first read.
    (void)reader.imageCount();
    // A guard against a damaged count: a scanned document has tens of pages, not thousands.
    for (int i = 0; i < 2000; ++i) {
        QImage image = reader.read();
        if (image.isNull())
            break;
        pages->m_images.append(image);
        if (!reader.jumpToNextImage())
            break;
    }
    if (pages->m_images.isEmpty())
        return nullptr;
    return pages;
}

QSizeF ImagePages::pageSize(int page) const
{
    const QImage& image = m_images.value(page);
    return image.width() > image.height() ? QSizeF(letterLong, letterShort) : QSizeF(letterShort, letterLong);
}

void ImagePages::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= m_images.size())
        return;
    const QImage& image = m_images[page];
    const QSizeF paper = pageSize(page);
    const QSizeF room(paper.width() - 2 * margin, paper.height() - 2 * margin);
    QSizeF size = image.size();
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    const QRectF target(QPointF((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2), size);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
}

} // namespace corvane
