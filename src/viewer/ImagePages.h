#pragma once

#include "DocumentPages.h"

#include <QImage>
#include <QList>

#include <memory>

class QByteArray;

namespace corvane {

/// Scanned pages and pictures: one image a page (every page of a multi-page TIFF), on Letter paper turned the way
/// the image is, scaled down to fit and centred.
class ImagePages final : public DocumentPages {
public:
    /// Nothing when no image could be read.
    static std::unique_ptr<ImagePages> fromBytes(const QByteArray& bytes);

    int pageCount() const override { return static_cast<int>(m_images.size()); }
    QSizeF pageSize(int page) const override;
    void paintPage(QPainter& painter, int page) const override;

private:
    QList<QImage> m_images;
};

} // namespace corvane
