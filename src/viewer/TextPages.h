#pragma once

#include "DocumentPages.h"
#include "RtfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QString>

#include <memory>
#include <string_view>
#include <vector>

class QTextCursor;

namespace corvane {

class RtfTextBuilder;

/// Pages of a text document: RTF with its paper, margins, headers and footers; plain text in a fixed-pitch font
/// with form feeds as page breaks; HTML. The document is laid out once on a fixed 96-dpi device, so the screen,
/// the preview, the printer and the tests paginate alike.
class TextPages final : public DocumentPages {
public:
    ~TextPages() override;

    static std::unique_ptr<TextPages> fromRtf(std::string_view rtf);
    static std::unique_ptr<TextPages> fromPlainText(const QString& text);
    static std::unique_ptr<TextPages> fromHtml(const QString& html);

    int pageCount() const override;
    QSizeF pageSize(int page) const override;
    void paintPage(QPainter& painter, int page) const override;
    void setLandscape(bool landscape) override;
    QTextDocument* textDocument() override { return m_body.get(); }

    /// The page a position of the text lies on, and its rectangle on that page.
    int pageOf(const QTextCursor& cursor, QRectF* rectOnPage = nullptr) const;
    /// Matches painted highlighted, the current one stronger.
    void setHighlights(const QList<QTextCursor>& matches, const QTextCursor& current);
    /// The title the document gives itself, for a print job's name.
    const QString& title() const { return m_title; }

private:
    TextPages();
    void applyPage(const RtfPageSetup& page);
    /// Paper, margins and page size, without filling in the page fields.
    void setPageFormat(const RtfPageSetup& page);
    void computeSections() const;
    /// Writes the page number, page count or section page count into each page field of the body.
    void fillBodyFields();
    void paintBand(QPainter& painter, int story, int page, bool header) const;

    std::unique_ptr<RtfDocument> m_rtf;
    std::unique_ptr<RtfTextBuilder> m_builder;
    std::unique_ptr<QTextDocument> m_body;
    RtfPageSetup m_page;
    QString m_title;
    std::vector<int> m_sectionPositions;
    mutable std::vector<int> m_sectionFirstPage; ///< per section, computed after layout
    mutable bool m_sectionsKnown = false;
    QList<QAbstractTextDocumentLayout::Selection> m_selections;
};

} // namespace corvane
