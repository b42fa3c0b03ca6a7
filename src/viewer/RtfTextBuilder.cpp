#include "RtfTextBuilder.h"

#include "PageFieldObject.h"

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace corvane {

namespace {

QColor colour(std::uint32_t rgb)
{
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QString pictureName(std::uint32_t index)
{
    return QStringLiteral("rtfpicture:%1").arg(index);
}

QTextCharFormat::UnderlineStyle underlineStyle(RtfUnderline underline)
{
    switch (underline) {
    case RtfUnderline::None:
        return QTextCharFormat::NoUnderline;
    case RtfUnderline::Dotted:
        return QTextCharFormat::DotLine;
    case RtfUnderline::Dashed:
        return QTextCharFormat::DashUnderline;
    case RtfUnderline::Wave:
        return QTextCharFormat::WaveUnderline;
    default:
        return QTextCharFormat::SingleUnderline;
    }
}

QTextFrameFormat::BorderStyle borderStyle(RtfBorderStyle style)
{
    switch (style) {
    case RtfBorderStyle::None:
        return QTextFrameFormat::BorderStyle_None;
    case RtfBorderStyle::Double:
        return QTextFrameFormat::BorderStyle_Double;
    case RtfBorderStyle::Dotted:
        return QTextFrameFormat::BorderStyle_Dotted;
    case RtfBorderStyle::Dashed:
        return QTextFrameFormat::BorderStyle_Dashed;
    default:
        return QTextFrameFormat::BorderStyle_Solid;
    }
}

Qt::Alignment alignment(RtfAlignment align)
{
    switch (align) {
    case RtfAlignment::Centre:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justify:
        return Qt::AlignJustify;
    default:
        return Qt::AlignLeft;
    }
}

/// A picture the viewer cannot read: an empty frame of its size, so the layout around it stays as printed.
QImage emptyFrame(int width, int height)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    return image;
}

} // namespace

RtfTextBuilder::RtfTextBuilder(const RtfDocument& document)
    : m_document(document)
    , m_charFormats(document.charFormats.size())
    , m_blockFormats(document.paraFormats.size())
    , m_charMade(document.charFormats.size(), false)
    , m_blockMade(document.paraFormats.size(), false)
{
}

const QTextCharFormat& RtfTextBuilder::charFormat(std::uint32_t index)
{
    static const QTextCharFormat plain;
    if (index >= m_charFormats.size())
        return plain;
    if (m_charMade[index])
        return m_charFormats[index];
    const RtfCharFormat& rtf = m_document.charFormats[index];
    QTextCharFormat format;
    const int fontIndex = rtf.font >= 0 ? rtf.font : m_document.defaultFont;
    if (fontIndex >= 0 && fontIndex < static_cast<int>(m_document.fonts.size())) {
        const RtfFont& font = m_document.fonts[static_cast<std::size_t>(fontIndex)];
        if (!font.name.empty())
            format.setFontFamilies(QStringList {QString::fromUtf8(font.name.data(), qsizetype(font.name.size()))});
        if (font.fixedPitch || font.family == RtfFontFamily::Modern)
            format.setFontStyleHint(QFont::TypeWriter);
        else if (font.family == RtfFontFamily::Swiss)
            format.setFontStyleHint(QFont::SansSerif);
        else if (font.family == RtfFontFamily::Roman)
            format.setFontStyleHint(QFont::Serif);
    }
    format.setFontPointSize(std::max(1, rtf.halfPoints) / 2.0);
    if (rtf.bold)
        format.setFontWeight(QFont::Bold);
    if (rtf.italic)
        format.setFontItalic(true);
    if (rtf.strike)
        format.setFontStrikeOut(true);
    if (rtf.underline != RtfUnderline::None)
        format.setUnderlineStyle(underlineStyle(rtf.underline));
    if (rtf.caps)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (rtf.smallCaps)
        format.setFontCapitalization(QFont::SmallCaps);
    if (rtf.colour != rtfAutoColour)
        format.setForeground(colour(rtf.colour));
    if (rtf.background != rtfAutoColour)
        format.setBackground(colour(rtf.background));
    if (rtf.letterSpacing != 0) {
        format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        format.setFontLetterSpacing(pixels(rtf.letterSpacing));
    }
    if (rtf.vertical == RtfVerticalPosition::Superscript || rtf.baselineShift > 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (rtf.vertical == RtfVerticalPosition::Subscript || rtf.baselineShift < 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (rtf.link >= 0 && rtf.link < static_cast<int>(m_document.links.size())) {
        const std::string& href = m_document.links[static_cast<std::size_t>(rtf.link)];
        format.setAnchor(true);
        format.setAnchorHref(QString::fromUtf8(href.data(), qsizetype(href.size())));
    }
    m_charFormats[index] = format;
    m_charMade[index] = true;
    return m_charFormats[index];
}

const QTextBlockFormat& RtfTextBuilder::blockFormat(std::uint32_t index)
{
    static const QTextBlockFormat plain;
    if (index >= m_blockFormats.size())
        return plain;
    if (m_blockMade[index])
        return m_blockFormats[index];
    const RtfParaFormat& rtf = m_document.paraFormats[index];
    QTextBlockFormat format;
    format.setAlignment(alignment(rtf.alignment));
    format.setLeftMargin(pixels(rtf.leftIndent));
    format.setRightMargin(pixels(rtf.rightIndent));
    format.setTextIndent(pixels(rtf.firstLineIndent));
    format.setTopMargin(pixels(rtf.spaceBefore));
    format.setBottomMargin(pixels(rtf.spaceAfter));
    switch (rtf.lineRule) {
    case RtfLineRule::AtLeast:
        format.setLineHeight(pixels(rtf.lineSpacing), QTextBlockFormat::MinimumHeight);
        break;
    case RtfLineRule::Exactly:
        format.setLineHeight(pixels(std::abs(rtf.lineSpacing)), QTextBlockFormat::FixedHeight);
        break;
    case RtfLineRule::Multiple:
        if (rtf.lineSpacing > 0)
            format.setLineHeight(rtf.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        break;
    case RtfLineRule::Auto:
        break;
    }
    if (rtf.keepTogether)
        format.setNonBreakableLines(true);
    if (rtf.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (rtf.background != rtfAutoColour)
        format.setBackground(colour(rtf.background));
    if (!rtf.tabs.empty()) {
        QList<QTextOption::Tab> tabs;
        // RTF measures tab stops from the text's left edge, Qt from the paragraph's indent.
        const double indent = pixels(rtf.leftIndent);
        for (const RtfTabStop& stop : rtf.tabs) {
            const double position = std::max(0.0, pixels(stop.position) - indent);
            switch (stop.kind) {
            case RtfTabKind::Right:
                tabs.append(QTextOption::Tab(position, QTextOption::RightTab));
                break;
            case RtfTabKind::Centre:
                tabs.append(QTextOption::Tab(position, QTextOption::CenterTab));
                break;
            case RtfTabKind::Decimal:
                tabs.append(QTextOption::Tab(position, QTextOption::DelimiterTab, QLatin1Char('.')));
                break;
            case RtfTabKind::Left:
                tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
                break;
            case RtfTabKind::Bar:
                break;
            }
        }
        std::sort(tabs.begin(), tabs.end(),
                  [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
        format.setTabPositions(tabs);
    }
    m_blockFormats[index] = format;
    m_blockMade[index] = true;
    return m_blockFormats[index];
}

void RtfTextBuilder::addPictures(QTextDocument& target)
{
    if (m_pictures.size() != m_document.pictures.size()) {
        m_pictures.clear();
        for (const RtfPicture& picture : m_document.pictures) {
            QImage image;
            if (picture.kind != RtfPictureKind::Unsupported)
                image.loadFromData(reinterpret_cast<const uchar*>(picture.bytes.data()),
                                   qsizetype(picture.bytes.size()));
            if (image.isNull())
                image = emptyFrame(static_cast<int>(pixels(picture.width)), static_cast<int>(pixels(picture.height)));
            m_pictures.push_back(std::move(image));
        }
    }
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        target.addResource(QTextDocument::ImageResource, QUrl(pictureName(static_cast<std::uint32_t>(i))),
                           m_pictures[i]);
}

void RtfTextBuilder::startDocument(QTextDocument& target)
{
    if (!target.isEmpty())
        target.clear();
    target.setUndoRedoEnabled(false);
    QTextOption option = target.defaultTextOption();
    option.setTabStopDistance(pixels(m_document.defaultTab > 0 ? m_document.defaultTab : 720));
    target.setDefaultTextOption(option);
    addPictures(target);
}

void RtfTextBuilder::buildBand(std::size_t storyIndex, QTextDocument& target, int pageNumber, int pageCount,
                               int sectionPages)
{
    m_body = false;
    m_pageNumber = pageNumber;
    m_pageCount = pageCount;
    m_sectionPages = sectionPages > 0 ? sectionPages : pageCount;
    startDocument(target);
    target.setDocumentMargin(0);
    if (storyIndex >= m_document.stories.size())
        return;
    const RtfStory& story = m_document.stories[storyIndex];
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    buildBlocks(story, 0, static_cast<std::uint32_t>(story.blocks.size()), cursor, {}, {});
    cursor.endEditBlock();
}

void RtfTextBuilder::buildBody(std::size_t firstSection, std::size_t endSection, QTextDocument& target)
{
    m_body = true;
    m_sectionStarts.clear();
    startDocument(target);
    if (m_document.stories.empty())
        return;
    const RtfStory& story = m_document.stories.front();
    std::uint32_t firstBlock = 0;
    auto endBlock = static_cast<std::uint32_t>(story.blocks.size());
    std::vector<std::uint32_t> sectionFirstBlocks;
    std::vector<bool> sectionBreaksPage;
    endSection = std::min(endSection, m_document.sections.size());
    if (firstSection < endSection) {
        firstBlock = m_document.sections[firstSection].firstBlock;
        const RtfSection& last = m_document.sections[endSection - 1];
        endBlock = std::min(endBlock, last.firstBlock + last.blockCount);
        for (std::size_t s = firstSection; s < endSection; ++s) {
            const RtfSectionBreak kind = m_document.sections[s].breakKind;
            sectionFirstBlocks.push_back(m_document.sections[s].firstBlock);
            sectionBreaksPage.push_back(kind != RtfSectionBreak::Continuous && kind != RtfSectionBreak::Column);
        }
    }
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    buildBlocks(story, firstBlock, endBlock, cursor, sectionFirstBlocks, sectionBreaksPage);
    cursor.endEditBlock();
}

void RtfTextBuilder::buildBlocks(const RtfStory& story, std::uint32_t firstBlock, std::uint32_t endBlock,
                                 QTextCursor& cursor, const std::vector<std::uint32_t>& sectionFirstBlocks,
                                 const std::vector<bool>& sectionBreaksPage)
{
    std::size_t nextSection = 0;
    bool first = true;
    for (std::uint32_t b = firstBlock; b < endBlock && b < story.blocks.size(); ++b) {
        const RtfBlock& block = story.blocks[b];
        bool breakBefore = false;
        while (nextSection < sectionFirstBlocks.size() && sectionFirstBlocks[nextSection] <= b) {
            // A paragraph starts in the block it is given or in a new one; a table after the cursor.
            m_sectionStarts.push_back(cursor.position() + (first ? 0 : 1));
            breakBefore = breakBefore || (nextSection > 0 && sectionBreaksPage[nextSection]);
            ++nextSection;
        }
        if (block.kind == RtfBlockKind::Table) {
            if (block.index < story.tables.size())
                buildTable(story, story.tables[block.index], cursor, breakBefore);
            // The cursor now stands in the empty block after the table: the next paragraph takes it.
            first = true;
            continue;
        }
        if (block.index >= story.paragraphs.size())
            continue;
        buildParagraph(story, story.paragraphs[block.index], cursor, first, breakBefore);
        first = false;
    }
}

void RtfTextBuilder::buildParagraph(const RtfStory& story, const RtfParagraph& paragraph, QTextCursor& cursor,
                                    bool first, bool breakBefore)
{
    QTextBlockFormat format = blockFormat(paragraph.format);
    if (paragraph.pageBreakBefore || breakBefore)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    if (first)
        cursor.setBlockFormat(format);
    else
        cursor.insertBlock(format);
    const std::uint32_t end = std::min<std::uint32_t>(paragraph.firstRun + paragraph.runCount,
                                                      static_cast<std::uint32_t>(story.runs.size()));
    for (std::uint32_t r = paragraph.firstRun; r < end; ++r) {
        const RtfRun& run = story.runs[r];
        const QTextCharFormat& chars = charFormat(run.format);
        switch (run.kind) {
        case RtfRunKind::Text: {
            const std::string_view text = m_document.runText(run);
            cursor.insertText(QString::fromUtf8(text.data(), qsizetype(text.size())), chars);
            break;
        }
        case RtfRunKind::Picture:
            if (run.offset < m_document.pictures.size()) {
                const RtfPicture& picture = m_document.pictures[run.offset];
                QTextImageFormat image;
                image.setName(pictureName(run.offset));
                image.setWidth(pixels(picture.width));
                image.setHeight(pixels(picture.height));
                cursor.insertImage(image);
            }
            break;
        case RtfRunKind::PageNumber:
        case RtfRunKind::PageCount:
        case RtfRunKind::SectionPageCount: {
            if (m_body) {
                QTextCharFormat field = chars;
                field.setObjectType(PageFieldObject::objectType);
                field.setProperty(PageFieldObject::kindProperty, static_cast<int>(run.kind));
                cursor.insertText(QString(QChar::ObjectReplacementCharacter), field);
                break;
            }
            const int value = run.kind == RtfRunKind::PageNumber ? m_pageNumber
                : run.kind == RtfRunKind::PageCount              ? m_pageCount
                                                                 : m_sectionPages;
            cursor.insertText(value > 0 ? QString::number(value) : QString(), chars);
            break;
        }
        }
    }
}

void RtfTextBuilder::buildTable(const RtfStory& story, const RtfTable& table, QTextCursor& cursor, bool breakBefore)
{
    if (table.rowCount == 0 || table.columnCount == 0 || table.firstRow >= story.rows.size())
        return;
    const RtfRow& firstRow = story.rows[table.firstRow];
    const RtfRowFormat* rowFormat
        = firstRow.format < m_document.rowFormats.size() ? &m_document.rowFormats[firstRow.format] : nullptr;

    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(rowFormat ? pixels(rowFormat->gap) : 0);
    format.setHeaderRowCount(static_cast<int>(table.headerRows));
    if (table.pageBreakBefore || breakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (rowFormat) {
        format.setLeftMargin(std::max(0.0, pixels(rowFormat->left)));
        if (rowFormat->alignment == RtfAlignment::Centre)
            format.setAlignment(Qt::AlignHCenter);
        else if (rowFormat->alignment == RtfAlignment::Right)
            format.setAlignment(Qt::AlignRight);
        QList<QTextLength> widths;
        int previous = rowFormat->left;
        for (const RtfCellFormat& cell : rowFormat->cells) {
            widths.append(QTextLength(QTextLength::FixedLength, std::max(1.0, pixels(cell.rightEdge - previous))));
            previous = cell.rightEdge;
        }
        while (widths.size() < static_cast<qsizetype>(table.columnCount))
            widths.append(QTextLength(QTextLength::VariableLength, 0));
        format.setColumnWidthConstraints(widths);
    }

    // A table directly after another block needs a block of its own to follow it; QTextCursor adds that.
    QTextTable* qtable
        = cursor.insertTable(static_cast<int>(table.rowCount), static_cast<int>(table.columnCount), format);
    const std::uint32_t lastRow
        = std::min<std::uint32_t>(table.firstRow + table.rowCount, static_cast<std::uint32_t>(story.rows.size()));
    for (std::uint32_t r = table.firstRow; r < lastRow; ++r) {
        const RtfRow& row = story.rows[r];
        const RtfRowFormat* cellsFormat
            = row.format < m_document.rowFormats.size() ? &m_document.rowFormats[row.format] : nullptr;
        const int tableRow = static_cast<int>(r - table.firstRow);
        for (std::uint32_t c = 0; c < row.cellCount && c < table.columnCount; ++c) {
            if (row.firstCell + c >= story.cells.size())
                break;
            const RtfCell& cell = story.cells[row.firstCell + c];
            if (cell.covered)
                continue;
            QTextTableCell qcell = qtable->cellAt(tableRow, static_cast<int>(c));
            if (cellsFormat && c < cellsFormat->cells.size()) {
                const RtfCellFormat& rtfCell = cellsFormat->cells[c];
                QTextTableCellFormat cellFormat;
                const RtfBorder& top = rtfCell.borders[static_cast<int>(RtfSide::Top)];
                const RtfBorder& left = rtfCell.borders[static_cast<int>(RtfSide::Left)];
                const RtfBorder& bottom = rtfCell.borders[static_cast<int>(RtfSide::Bottom)];
                const RtfBorder& right = rtfCell.borders[static_cast<int>(RtfSide::Right)];
                const auto side = [](const RtfBorder& border, auto setWidth, auto setStyle, auto setBrush) {
                    if (border.style == RtfBorderStyle::None)
                        return;
                    setWidth(std::max(1.0, border.width / 15.0));
                    setStyle(borderStyle(border.style));
                    setBrush(border.colour == rtfAutoColour ? QBrush(Qt::black) : QBrush(colour(border.colour)));
                };
                side(
                    top, [&](double w) { cellFormat.setTopBorder(w); },
                    [&](QTextFrameFormat::BorderStyle s) { cellFormat.setTopBorderStyle(s); },
                    [&](const QBrush& b) { cellFormat.setTopBorderBrush(b); });
                side(
                    left, [&](double w) { cellFormat.setLeftBorder(w); },
                    [&](QTextFrameFormat::BorderStyle s) { cellFormat.setLeftBorderStyle(s); },
                    [&](const QBrush& b) { cellFormat.setLeftBorderBrush(b); });
                side(
                    bottom, [&](double w) { cellFormat.setBottomBorder(w); },
                    [&](QTextFrameFormat::BorderStyle s) { cellFormat.setBottomBorderStyle(s); },
                    [&](const QBrush& b) { cellFormat.setBottomBorderBrush(b); });
                side(
                    right, [&](double w) { cellFormat.setRightBorder(w); },
                    [&](QTextFrameFormat::BorderStyle s) { cellFormat.setRightBorderStyle(s); },
                    [&](const QBrush& b) { cellFormat.setRightBorderBrush(b); });
                if (rtfCell.background != rtfAutoColour)
                    cellFormat.setBackground(colour(rtfCell.background));
                if (rtfCell.verticalAlignment == RtfVerticalAlignment::Centre)
                    cellFormat.setVerticalAlignment(QTextCharFormat::AlignMiddle);
                else if (rtfCell.verticalAlignment == RtfVerticalAlignment::Bottom)
                    cellFormat.setVerticalAlignment(QTextCharFormat::AlignBottom);
                qcell.setFormat(cellFormat);
            }
            QTextCursor cellCursor = qcell.firstCursorPosition();
            const std::uint32_t lastParagraph = std::min<std::uint32_t>(
                cell.firstParagraph + cell.paragraphCount, static_cast<std::uint32_t>(story.paragraphs.size()));
            for (std::uint32_t p = cell.firstParagraph; p < lastParagraph; ++p)
                buildParagraph(story, story.paragraphs[p], cellCursor, p == cell.firstParagraph, false);
            if (cell.rowSpan > 1 || cell.columnSpan > 1)
                qtable->mergeCells(tableRow, static_cast<int>(c), cell.rowSpan, cell.columnSpan);
        }
    }
    cursor = qtable->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}

} // namespace corvane
