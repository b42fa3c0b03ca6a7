#include "TextPages.h"

#include "PageFieldObject.h"
#include "RtfReader.h"
#include "RtfTextBuilder.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

/// Every text document is laid out on this device, whatever paints it later.
QPaintDevice* layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

/// Documents name the fonts of the office machines they were written on; the metric-compatible free fonts keep
/// their line breaks and page breaks where the author saw them.
void substituteOfficeFonts()
{
    static const bool done = [] {
        const std::pair<const char*, const char*> pairs[] = {{"Arial", "Liberation Sans"},
                                                             {"Helvetica", "Liberation Sans"},
                                                             {"Times New Roman", "Liberation Serif"},
                                                             {"Times", "Liberation Serif"},
                                                             {"Courier New", "Liberation Mono"},
                                                             {"Courier", "Liberation Mono"},
                                                             {"Calibri", "Carlito"},
                                                             {"Cambria", "Caladea"}};
        for (const auto& [name, substitute] : pairs)
            QFont::insertSubstitution(QString::fromLatin1(name), QString::fromLatin1(substitute));
        return true;
    }();
    (void)done;
}

/// A document with its layout on the layout device before it has any content, so that what is built into it is
/// laid out once, on the right device and paper.
std::unique_ptr<QTextDocument> newDocument()
{
    substituteOfficeFonts();
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->documentLayout()->setPaintDevice(layoutDevice());
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    document->setDefaultFont(font);
    return document;
}

int digitsOf(int value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

/// About the fewest characters a page of a business document holds: field widths are reserved for the page
/// numbers this many characters could fill, so a real number is rarely longer than its room.
constexpr qsizetype charactersPerPage = 2000;

/// Sheets of a text report laid out together as one document.
constexpr qsizetype sheetsPerChunk = 16;

/// Sections smaller than this (in runs and table cells) share their document with the ones after them, so that a
/// document of thousands of one-line sections is not thousands of documents.
constexpr std::size_t chunkWeight = 150;

std::size_t sectionWeight(const RtfDocument& document, const RtfSection& section)
{
    const RtfStory& body = document.body();
    std::size_t weight = 0;
    const std::size_t end
        = std::min<std::size_t>(section.firstBlock + std::size_t(section.blockCount), body.blocks.size());
    for (std::size_t b = section.firstBlock; b < end; ++b) {
        const RtfBlock& block = body.blocks[b];
        if (block.kind == RtfBlockKind::Paragraph) {
            weight += block.index < body.paragraphs.size() ? body.paragraphs[block.index].runCount : 0;
        } else if (block.index < body.tables.size()) {
            const RtfTable& table = body.tables[block.index];
            const std::size_t rowsEnd
                = std::min<std::size_t>(table.firstRow + std::size_t(table.rowCount), body.rows.size());
            for (std::size_t r = table.firstRow; r < rowsEnd; ++r)
                weight += body.rows[r].cellCount;
        }
    }
    return weight;
}

} // namespace

TextPages::TextPages() = default;
TextPages::~TextPages() = default;

std::unique_ptr<TextPages> TextPages::fromRtf(std::string_view rtf)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    TextPages* self = pages.get();
    pages->m_rtf = std::make_unique<RtfDocument>(RtfReader::read(rtf));
    pages->m_builder = std::make_unique<RtfTextBuilder>(*pages->m_rtf);
    pages->m_fields = std::make_unique<PageFieldObject>(
        [self](const QTextDocument* document, int kind) { return self->fieldDigits(document, kind); },
        [self](const QTextDocument* document, qreal y, int kind) {
            const std::size_t index = self->chunkOf(document);
            if (index >= self->m_laidOut)
                return 0;
            const Chunk& chunk = self->m_chunks[index];
            const qreal height = document->pageSize().height();
            const int page = height > 0 ? std::clamp(static_cast<int>(y / height), 0, chunk.pages - 1) : 0;
            return self->fieldValue(chunk.firstPage + page, static_cast<RtfRunKind>(kind));
        });
    pages->m_title = QString::fromStdString(pages->m_rtf->title);
    const std::vector<RtfSection>& sections = pages->m_rtf->sections;
    std::size_t weight = 0; // of the chunk being filled
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const bool runsOn = s > 0
            && (sections[s].breakKind == RtfSectionBreak::Continuous
                || sections[s].breakKind == RtfSectionBreak::Column);
        // A section that starts a page on the same paper joins a chunk that is still small; the chunk breaks the
        // page before it.
        const bool joins = s > 0 && weight < chunkWeight && sections[s].page == pages->m_chunks.back().page;
        if (runsOn || joins) {
            pages->m_chunks.back().endSection = s + 1;
            weight += sectionWeight(*pages->m_rtf, sections[s]);
            continue;
        }
        weight = sectionWeight(*pages->m_rtf, sections[s]);
        Chunk chunk;
        chunk.firstSection = s;
        chunk.endSection = s + 1;
        chunk.page = sections[s].page;
        pages->m_chunks.push_back(std::move(chunk));
    }
    if (pages->m_chunks.empty())
        pages->m_chunks.emplace_back();
    return pages;
}

std::unique_ptr<TextPages> TextPages::fromPlainText(const QString& text)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    RtfPageSetup page;
    page.marginLeft = page.marginRight = page.marginTop = page.marginBottom = 1080;
    // Reports separate their pages with form feeds; a line break just before one ends the sheet, not a line.
    QStringList sheets = text.split(QChar(12));
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        QString& sheet = sheets[i];
        sheet.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (i + 1 < sheets.size() && sheet.endsWith(QLatin1Char('\n')))
            sheet.chop(1);
    }
    for (qsizetype i = 0; i < sheets.size(); i += sheetsPerChunk) {
        Chunk chunk;
        chunk.page = page;
        chunk.sheets = sheets.mid(i, sheetsPerChunk);
        pages->m_chunks.push_back(std::move(chunk));
    }
    return pages;
}

void TextPages::buildSheets(Chunk& chunk) const
{
    QTextDocument& document = *chunk.document;
    QFont fixed(QStringLiteral("Courier New"), 10);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    document.setDefaultFont(fixed);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < chunk.sheets.size(); ++i) {
        const QString& sheet = chunk.sheets[i];
        if (i > 0) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(format);
        }
        // Only a sheet's first line breaks the page; the lines after it must not inherit that.
        const qsizetype firstEnd = sheet.indexOf(QLatin1Char('\n'));
        cursor.insertText(sheet.left(firstEnd));
        if (firstEnd >= 0) {
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText(sheet.mid(firstEnd + 1));
        }
    }
    cursor.endEditBlock();
    chunk.sheets.clear();
}

std::unique_ptr<TextPages> TextPages::fromHtml(const QString& html)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    Chunk chunk;
    chunk.document = newDocument();
    QTextDocument* document = chunk.document.get();
    pages->m_chunkOf[document] = 0;
    pages->m_chunks.push_back(std::move(chunk));
    document->setHtml(html);
    pages->m_title = document->metaInformation(QTextDocument::DocumentTitle);
    // setHtml sets the document's own margin; the paper's margins are the ones that count.
    pages->applyPaper(pages->m_chunks.front());
    return pages;
}

void TextPages::applyPaper(Chunk& chunk) const
{
    const RtfPageSetup& page = chunk.page;
    int top = page.marginTop, bottom = page.marginBottom;
    if (m_rtf && chunk.firstSection < m_rtf->sections.size()) {
        // A header or footer taller than its margin pushes the body away from it, as on the printed page.
        qreal header = 0, footer = 0;
        for (std::size_t s = chunk.firstSection; s < chunk.endSection && s < m_rtf->sections.size(); ++s) {
            for (const RtfHeaderSet* set : {&m_rtf->sections[s].headers, &m_rtf->sections[s].footers}) {
                qreal& tallest = set == &m_rtf->sections[s].headers ? header : footer;
                for (const int story : {set->all, set->left, set->right, set->first})
                    tallest = std::max(tallest, story >= 0 ? bandHeight(story, page) : 0.0);
            }
        }
        if (header > 0)
            top = std::max(top, page.headerDistance + static_cast<int>(std::ceil(header * 15)));
        if (footer > 0)
            bottom = std::max(bottom, page.footerDistance + static_cast<int>(std::ceil(footer * 15)));
    }
    QTextDocument& document = *chunk.document;
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(RtfTextBuilder::pixels(page.marginLeft));
    frame.setRightMargin(RtfTextBuilder::pixels(page.marginRight));
    frame.setTopMargin(RtfTextBuilder::pixels(top));
    frame.setBottomMargin(RtfTextBuilder::pixels(bottom));
    document.rootFrame()->setFrameFormat(frame);
    document.setPageSize(QSizeF(RtfTextBuilder::pixels(page.paperWidth), RtfTextBuilder::pixels(page.paperHeight)));
}

qreal TextPages::bandHeight(int story, const RtfPageSetup& page) const
{
    const auto known = m_bandHeights.find(story);
    if (known != m_bandHeights.end())
        return known->second;
    QTextDocument band;
    band.documentLayout()->setPaintDevice(layoutDevice());
    m_builder->buildBand(static_cast<std::size_t>(story), band, 8, 88, 8);
    band.setTextWidth(RtfTextBuilder::pixels(page.paperWidth - page.marginLeft - page.marginRight));
    const qreal height = band.isEmpty() ? 0 : band.size().height();
    m_bandHeights.emplace(story, height);
    return height;
}

void TextPages::ensureBuilt(std::size_t index) const
{
    Chunk& chunk = m_chunks[index];
    if (chunk.document)
        return;
    chunk.document = newDocument();
    m_chunkOf[chunk.document.get()] = index;
    if (!m_builder) {
        applyPaper(chunk);
        buildSheets(chunk);
        return;
    }
    chunk.document->documentLayout()->registerHandler(PageFieldObject::objectType, m_fields.get());
    applyPaper(chunk);
    m_builder->buildBody(chunk.firstSection, chunk.endSection, *chunk.document);
    chunk.sectionPositions = m_builder->sectionStarts();
}

void TextPages::layOutNext() const
{
    const std::size_t index = m_laidOut;
    ensureBuilt(index);
    Chunk& chunk = m_chunks[index];
    QTextDocument& document = *chunk.document;
    chunk.pages = std::max(1, document.pageCount());
    chunk.firstPage = index == 0 ? 0 : m_chunks[index - 1].firstPage + m_chunks[index - 1].pages;
    chunk.sectionFirstPage.clear();
    chunk.sectionFirstNumber.clear();
    const qreal height = document.pageSize().height();
    for (const int position : chunk.sectionPositions) {
        const QTextBlock block = document.findBlock(std::min(position, document.characterCount() - 1));
        const qreal top = block.isValid() ? document.documentLayout()->blockBoundingRect(block).top() : 0;
        const int first = std::clamp(static_cast<int>(top / height), 0, chunk.pages - 1);
        // A section numbers its pages from its own start, or goes on from the section before it.
        const std::size_t section = chunk.firstSection + chunk.sectionFirstPage.size();
        const int start = m_rtf && section < m_rtf->sections.size() ? m_rtf->sections[section].pageNumberStart : -1;
        int number = chunk.firstPage + first + 1;
        if (start >= 0) {
            number = start;
        } else if (!chunk.sectionFirstNumber.empty()) {
            number = chunk.sectionFirstNumber.back() + first - chunk.sectionFirstPage.back();
        } else if (index > 0 && !m_chunks[index - 1].sectionFirstNumber.empty()) {
            const Chunk& previous = m_chunks[index - 1];
            number = previous.sectionFirstNumber.back() + chunk.firstPage
                - (previous.firstPage + previous.sectionFirstPage.back());
        }
        chunk.sectionFirstPage.push_back(first);
        chunk.sectionFirstNumber.push_back(number);
    }
    m_laidOut = index + 1;
}

bool TextPages::layOutMore(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (m_laidOut < m_chunks.size()) {
        layOutNext();
        if (clock.elapsed() >= milliseconds)
            break;
    }
    return m_laidOut == m_chunks.size();
}

void TextPages::ensureReady(int page) const
{
    while (m_laidOut < m_chunks.size() && pagesSoFar() <= page)
        layOutNext();
}

int TextPages::pagesSoFar() const
{
    if (m_laidOut == 0)
        return 0;
    const Chunk& last = m_chunks[m_laidOut - 1];
    return last.firstPage + last.pages;
}

int TextPages::pageCountKnown() const
{
    return m_laidOut == m_chunks.size() ? pagesSoFar() : 0;
}

int TextPages::pageCount() const
{
    while (m_laidOut < m_chunks.size())
        layOutNext();
    return std::max(1, pagesSoFar());
}

int TextPages::pagesReady() const
{
    return pagesSoFar();
}

QSizeF TextPages::pageSize(int page) const
{
    // A page not laid out yet is given the paper of the next chunk: nothing is laid out to answer.
    std::size_t index = m_laidOut < m_chunks.size() ? m_laidOut : m_chunks.size() - 1;
    if (page < pagesSoFar())
        index = place(page).chunk;
    const RtfPageSetup& paper = m_chunks[index].page;
    return {RtfTextBuilder::pixels(paper.paperWidth), RtfTextBuilder::pixels(paper.paperHeight)};
}

void TextPages::setLandscape(bool landscape)
{
    bool changed = false;
    for (Chunk& chunk : m_chunks) {
        if (landscape == (chunk.page.paperWidth > chunk.page.paperHeight))
            continue;
        std::swap(chunk.page.paperWidth, chunk.page.paperHeight);
        chunk.page.landscape = landscape;
        changed = true;
    }
    if (!changed)
        return;
    m_bandHeights.clear();
    for (Chunk& chunk : m_chunks) {
        if (chunk.document)
            applyPaper(chunk);
    }
    m_laidOut = 0;
}

std::size_t TextPages::chunkOf(const QTextDocument* document) const
{
    const auto found = m_chunkOf.find(document);
    return found == m_chunkOf.end() ? m_chunks.size() : found->second;
}

TextPages::Place TextPages::place(int page) const
{
    Place where;
    const auto laidOut = m_chunks.begin() + static_cast<std::ptrdiff_t>(m_laidOut);
    const auto next = std::upper_bound(m_chunks.begin(), laidOut, page,
                                       [](int p, const Chunk& chunk) { return p < chunk.firstPage; });
    where.chunk = next == m_chunks.begin() ? 0 : static_cast<std::size_t>(next - m_chunks.begin()) - 1;
    const Chunk& chunk = m_chunks[where.chunk];
    where.pageInChunk = page - chunk.firstPage;
    std::size_t section = 0;
    while (section + 1 < chunk.sectionFirstPage.size() && chunk.sectionFirstPage[section + 1] <= where.pageInChunk)
        ++section;
    where.section = chunk.firstSection + section;
    where.sectionFirst
        = chunk.firstPage + (section < chunk.sectionFirstPage.size() ? chunk.sectionFirstPage[section] : 0);
    where.sectionEnd = chunk.firstPage
        + (section + 1 < chunk.sectionFirstPage.size() ? chunk.sectionFirstPage[section + 1] : chunk.pages);
    where.number
        = (section < chunk.sectionFirstNumber.size() ? chunk.sectionFirstNumber[section] : where.sectionFirst + 1)
        + (page - where.sectionFirst);
    return where;
}

int TextPages::fieldValue(int page, RtfRunKind kind) const
{
    ensureReady(page);
    if (page < 0 || page >= pagesSoFar())
        return 0;
    const Place where = place(page);
    if (kind == RtfRunKind::PageCount)
        return pageCountKnown();
    if (kind == RtfRunKind::SectionPageCount)
        return where.sectionEnd - where.sectionFirst;
    return where.number;
}

int TextPages::fieldDigits(const QTextDocument* document, int kind) const
{
    if (!m_rtf)
        return 1;
    const std::size_t index = chunkOf(document);
    const bool restarts = index < m_chunks.size() && m_chunks[index].firstSection < m_rtf->sections.size()
        && m_rtf->sections[m_chunks[index].firstSection].pageNumberStart >= 0;
    const bool withinChunk = kind == static_cast<int>(RtfRunKind::SectionPageCount)
        || (kind == static_cast<int>(RtfRunKind::PageNumber) && restarts);
    const qsizetype characters
        = withinChunk && document ? document->characterCount() : static_cast<qsizetype>(m_rtf->text.size());
    return digitsOf(static_cast<int>(std::min<qsizetype>(characters / charactersPerPage + 1, 1000000000)));
}

int TextPages::pageOf(const QTextCursor& cursor, QRectF* rectOnPage) const
{
    const std::size_t index = chunkOf(cursor.document());
    if (index >= m_chunks.size())
        return 0;
    while (m_laidOut <= index)
        layOutNext();
    const Chunk& chunk = m_chunks[index];
    const QTextDocument& document = *chunk.document;
    const QTextBlock block = document.findBlock(cursor.position());
    if (!block.isValid())
        return chunk.firstPage;
    QRectF rect = document.documentLayout()->blockBoundingRect(block);
    if (const QTextLayout* layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(cursor.position() - block.position());
        if (line.isValid()) {
            const qreal x = line.cursorToX(cursor.position() - block.position());
            rect = QRectF(rect.left() + x, rect.top() + line.y(), 1, line.height());
        }
    }
    const qreal height = document.pageSize().height();
    const int page = std::clamp(static_cast<int>(rect.top() / height), 0, chunk.pages - 1);
    if (rectOnPage)
        *rectOnPage = rect.translated(0, -page * height);
    return chunk.firstPage + page;
}

QTextCursor TextPages::find(const QString& text, const QTextCursor& after, QTextDocument::FindFlags flags) const
{
    if (m_chunks.empty() || text.isEmpty())
        return {};
    const bool backward = flags.testFlag(QTextDocument::FindBackward);
    const std::size_t from = after.isNull() ? (backward ? m_chunks.size() - 1 : 0) : chunkOf(after.document());
    if (from >= m_chunks.size())
        return {};
    // Chunks are built as the search reaches them: a match near the start builds nothing further on.
    for (std::size_t i = from;; backward ? --i : ++i) {
        ensureBuilt(i);
        const QTextDocument& document = *m_chunks[i].document;
        QTextCursor found;
        if (i == from && !after.isNull())
            found = document.find(text, after, flags);
        else
            found = document.find(text, backward ? document.characterCount() - 1 : 0, flags);
        if (!found.isNull())
            return found;
        if (backward ? i == 0 : i + 1 == m_chunks.size())
            return {};
    }
}

QString TextPages::plainText() const
{
    QString text;
    for (std::size_t i = 0; i < m_chunks.size(); ++i) {
        ensureBuilt(i);
        if (i > 0)
            text += QLatin1Char('\n');
        text += m_chunks[i].document->toPlainText();
    }
    return text;
}

void TextPages::setHighlights(const QList<QTextCursor>& matches, const QTextCursor& current)
{
    m_selections.clear();
    QTextCharFormat match;
    match.setBackground(QColor(0xFF, 0xEE, 0x80));
    for (const QTextCursor& cursor : matches)
        m_selections.append({cursor, match});
    if (!current.isNull() && current.hasSelection()) {
        QTextCharFormat strong;
        strong.setBackground(QColor(0xFF, 0x96, 0x32));
        m_selections.append({current, strong});
    }
}

void TextPages::paintBand(QPainter& painter, int story, const Place& where, bool header) const
{
    if (!m_rtf || story < 0 || !m_builder)
        return;
    const RtfPageSetup& paper = m_chunks[where.chunk].page;
    QTextDocument band;
    band.documentLayout()->setPaintDevice(layoutDevice());
    band.setDefaultFont(m_chunks[where.chunk].document->defaultFont());
    m_builder->buildBand(static_cast<std::size_t>(story), band, where.number, pageCountKnown(),
                         where.sectionEnd - where.sectionFirst);
    band.setTextWidth(RtfTextBuilder::pixels(paper.paperWidth - paper.marginLeft - paper.marginRight));
    const qreal y = header ? RtfTextBuilder::pixels(paper.headerDistance)
                           : RtfTextBuilder::pixels(paper.paperHeight - paper.footerDistance) - band.size().height();
    painter.save();
    painter.translate(RtfTextBuilder::pixels(paper.marginLeft), y);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    band.documentLayout()->draw(&painter, context);
    painter.restore();
}

void TextPages::paintPage(QPainter& painter, int page) const
{
    ensureReady(page);
    if (page < 0 || page >= pagesSoFar())
        return;
    const Place where = place(page);
    const Chunk& chunk = m_chunks[where.chunk];
    const QTextDocument& document = *chunk.document;
    const QSizeF paper = document.pageSize();
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), paper), Qt::IntersectClip);
    painter.translate(0, -where.pageInChunk * paper.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, where.pageInChunk * paper.height(), paper.width(), paper.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    for (const auto& selection : m_selections) {
        if (selection.cursor.document() == &document)
            context.selections.append(selection);
    }
    document.documentLayout()->draw(&painter, context);
    painter.restore();

    if (!m_rtf || m_rtf->sections.empty())
        return;
    const RtfSection& section = m_rtf->sections[std::min(where.section, m_rtf->sections.size() - 1)];
    const bool firstOfSection = where.sectionFirst == page;
    const auto pick = [&](const RtfHeaderSet& set) {
        if (section.titlePage && firstOfSection)
            return set.first;
        if ((page + 1) % 2 == 0 && set.left >= 0)
            return set.left;
        if ((page + 1) % 2 == 1 && set.right >= 0)
            return set.right;
        return set.all;
    };
    paintBand(painter, pick(section.headers), where, true);
    paintBand(painter, pick(section.footers), where, false);
}

} // namespace corvane
