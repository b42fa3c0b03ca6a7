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

    /// Fills target (emptied first) with one story; page fields show pageNumber, pageCount and sectionPages.
    void build(std::size_t story, QTextDocument& target, int pageNumber = 0, int pageCount = 0, int sectionPages = 0);

    static double pixels(int twips) { return twips / 15.0; }
    /// The character property that marks a page field of the body (its value is the run kind); the body is laid
    /// out before its pages are known, so the pages fill these in afterwards.
    static constexpr int pageFieldProperty = 0x100000 + 17;
    /// Where each section of the body begins in the last body built (document positions).
    const std::vector<int>& sectionStarts() const { return m_sectionStarts; }

private:
    void buildParagraph(const RtfStory& story, const RtfParagraph& paragraph, QTextCursor& cursor, bool first,
                        bool breakBefore);
    void buildTable(const RtfStory& story, const RtfTable& table, QTextCursor& cursor, bool breakBefore);
    const QTextCharFormat& charFormat(std::uint32_t index);
    const QTextBlockFormat& blockFormat(std::uint32_t index);
    void addPictures(QTextDocument& target);

    const RtfDocument& m_document;
    std::vector<QTextCharFormat> m_charFormats;
    std::vector<QTextBlockFormat> m_blockFormats;
    std::vector<bool> m_charMade, m_blockMade;
    int m_pageNumber = 0, m_pageCount = 0, m_sectionPages = 0;
    std::vector<int> m_sectionStarts;
};

} // namespace corvane
