#pragma once

#include "DocumentPages.h"

#include <QByteArray>

#include <memory>

class QBuffer;
class QPdfDocument;

namespace corvane {

/// The pages of a PDF, rendered at the resolution they are painted at.
class PdfPages final : public DocumentPages {
public:
    ~PdfPages() override;
    /// Nothing when the bytes are not a PDF the reader can open.
    static std::unique_ptr<PdfPages> fromBytes(const QByteArray& bytes);

    int pageCount() const override;
    QSizeF pageSize(int page) const override;
    void paintPage(QPainter& painter, int page) const override;

private:
    PdfPages();
    QByteArray m_bytes;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfDocument> m_document;
};

} // namespace corvane
