#pragma once

#include "RtfDocument.h"

#include <QImage>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cstddef>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace corvane {

/// Turns the reader's model into a QTextDocument: runs are inserted whole with formats shared by index, tables are
/// made with their size known, pictures become document resources. Lengths are converted at 96 pixels per inch
/// (one pixel is 15 twips), the unit the page painter lays out in.
class RtfTextBuilder {
public:
    explicit RtfTextBuilder(const RtfDocument& document);

    /// Fills target (emptied first) with the body's sections [firstSection, endSection), each that does not run on
    /// starting a new page; the paper and its margins are the caller's. Its page fields become page field objects: the
    /// body is laid out before its pages are known, so the pages draw the numbers.
    void buildBody(std::size_t firstSection, std::size_t endSection, QTextDocument& target);
    /// Fills target (emptied first) with a header or footer; its page fields show the numbers given.
    void buildBand(std::size_t story, QTextDocument& target, int pageNumber, int pageCount, int sectionPages);

    static double pixels(int twips) { return twips / 15.0; }
    /// Where each section of the last body built begins (positions in its document).
    const std::vector<int>& sectionStarts() const { return m_sectionStarts; }

private:
    void buildParagraph(const RtfStory& story, const RtfParagraph& paragraph, QTextCursor& cursor, bool first,
                        bool breakBefore);
    void buildTable(const RtfStory& story, const RtfTable& table, QTextCursor& cursor, bool breakBefore);
    const QTextCharFormat& charFormat(std::uint32_t index);
    const QTextBlockFormat& blockFormat(std::uint32_t index);
    void startDocument(QTextDocument& target);
    void buildBlocks(const RtfStory& story, std::uint32_t firstBlock, std::uint32_t endBlock, QTextCursor& cursor,
                     const std::vector<std::uint32_t>& sectionFirstBlocks, const std::vector<bool>& sectionBreaksPage);
    void addPictures(QTextDocument& target);

    const RtfDocument& m_document;
    std::vector<QTextCharFormat> m_charFormats;
    std::vector<QTextBlockFormat> m_blockFormats;
    std::vector<bool> m_charMade, m_blockMade;
    std::vector<QImage> m_pictures; ///< decoded once, shared by every document built
    bool m_body = false; ///< page fields become objects rather than numbers
    int m_pageNumber = 0, m_pageCount = 0, m_sectionPages = 0;
    std::vector<int> m_sectionStarts;
};

} // namespace corvane
