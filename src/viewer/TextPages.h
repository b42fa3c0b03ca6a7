#pragma once

#include "DocumentPages.h"
#include "RtfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class QTextCursor;

namespace corvane {

class PageFieldObject;
class RtfTextBuilder;

/// Pages of a text document: RTF with its paper, margins, headers and footers; plain text in a fixed-pitch font
/// with form feeds as page breaks; HTML. Each run of RTF sections that starts on a new page, and each run of
/// sheets of a long text report, is a document of its own (a chunk), built and laid out when its pages are first
/// wanted: a statement run shows its first page long before its last one is laid out, and no chunk is laid out
/// twice. Everything is laid out on a fixed 96-dpi device, so the screen, the preview, the printer and the tests
/// paginate alike.
class TextPages final : public DocumentPages {
public:
    ~TextPages() override;

    static std::unique_ptr<TextPages> fromRtf(std::string_view rtf);
    static std::unique_ptr<TextPages> fromPlainText(const QString& text);
    static std::unique_ptr<TextPages> fromHtml(const QString& html);

    int pageCount() const override;
    int pagesReady() const override;
    bool layOutMore(int milliseconds) override;
    QSizeF pageSize(int page) const override;
    void paintPage(QPainter& painter, int page) const override;
    void setLandscape(bool landscape) override;

    /// The next match after `after` (before it, backwards), or the first (last) one when `after` is null.
    QTextCursor find(const QString& text, const QTextCursor& after, QTextDocument::FindFlags flags = {}) const;
    /// The text of every page; the chunks of a document are separated by a line break.
    QString plainText() const;
    /// The page a position of the text lies on, and its rectangle on that page.
    int pageOf(const QTextCursor& cursor, QRectF* rectOnPage = nullptr) const;
    /// Matches painted highlighted, the current one stronger.
    void setHighlights(const QList<QTextCursor>& matches, const QTextCursor& current);
    /// The number a page field of the given kind shows on a page (counted from 0).
    int fieldValue(int page, RtfRunKind kind) const;
    /// The title the document gives itself, for a print job's name.
    const QString& title() const { return m_title; }

private:
    /// A run of sections that starts on a new page, laid out as a document of its own.
    struct Chunk {
        std::unique_ptr<QTextDocument> document; ///< made when first wanted
        std::size_t firstSection = 0, endSection = 0;
        RtfPageSetup page;
        std::vector<int> sectionPositions; ///< where its sections begin in its document
        std::vector<int> sectionFirstPage; ///< counted from the chunk's first page, once laid out
        std::vector<int> sectionFirstNumber; ///< the page number each section's first page shows, once laid out
        int firstPage = 0, pages = 0; ///< once laid out
        QStringList sheets; ///< plain text still to be built: its sheets, each starting a page
    };
    /// Where a page lies: its chunk, and the section it belongs to with that section's pages [first, end).
    struct Place {
        std::size_t chunk = 0;
        int pageInChunk = 0;
        std::size_t section = 0;
        int sectionFirst = 0, sectionEnd = 0;
        int number = 0; ///< the page number the page shows
    };

    TextPages();
    void ensureBuilt(std::size_t chunk) const;
    void buildSheets(Chunk& chunk) const;
    void layOutNext() const;
    void ensureReady(int page) const;
    void applyPaper(Chunk& chunk) const;
    std::size_t chunkOf(const QTextDocument* document) const;
    Place place(int page) const;
    int pagesSoFar() const;
    /// The number of pages once every chunk is laid out; 0 (shown as nothing) until then.
    int pageCountKnown() const;
    int fieldDigits(const QTextDocument* document, int kind) const;
    qreal bandHeight(int story, const RtfPageSetup& page) const;
    void paintBand(QPainter& painter, int story, const Place& where, bool header) const;

    std::unique_ptr<RtfDocument> m_rtf;
    std::unique_ptr<RtfTextBuilder> m_builder;
    std::unique_ptr<PageFieldObject> m_fields;
    mutable std::vector<Chunk> m_chunks;
    mutable std::size_t m_laidOut = 0; ///< chunks laid out, counted from the first
    mutable std::unordered_map<const QTextDocument*, std::size_t> m_chunkOf;
    mutable std::unordered_map<int, qreal> m_bandHeights; ///< per header or footer story, for the paper in use
    QString m_title;
    QList<QAbstractTextDocumentLayout::Selection> m_selections;
};

} // namespace corvane
