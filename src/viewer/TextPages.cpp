#include "TextPages.h"

#include "RtfReader.h"
#include "RtfTextBuilder.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>

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

std::unique_ptr<QTextDocument> newDocument(bool withLayout = true)
{
    substituteOfficeFonts();
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    if (withLayout)
        document->documentLayout()->setPaintDevice(layoutDevice());
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    document->setDefaultFont(font);
    return document;
}

} // namespace

TextPages::TextPages() = default;
TextPages::~TextPages() = default;

std::unique_ptr<TextPages> TextPages::fromRtf(std::string_view rtf)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    pages->m_rtf = std::make_unique<RtfDocument>(RtfReader::read(rtf));
    pages->m_builder = std::make_unique<RtfTextBuilder>(*pages->m_rtf);
    // Built before the document has a layout, and given its paper before the first layout, so that the whole
    // document is laid out once rather than once for the build and again for the paper.
    pages->m_body = newDocument(false);
    pages->m_builder->build(0, *pages->m_body);
    pages->m_sectionPositions = pages->m_builder->sectionStarts();
    pages->m_title = QString::fromStdString(pages->m_rtf->title);
    pages->setPageFormat(pages->m_rtf->sections.empty() ? RtfPageSetup() : pages->m_rtf->sections.front().page);
    pages->m_body->documentLayout()->setPaintDevice(layoutDevice());
    pages->fillBodyFields();
    return pages;
}

std::unique_ptr<TextPages> TextPages::fromPlainText(const QString& text)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    pages->m_body = newDocument();
    QFont fixed(QStringLiteral("Courier New"), 10);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    pages->m_body->setDefaultFont(fixed);
    // Reports separate their pages with form feeds.
    QTextCursor cursor(pages->m_body.get());
    const QStringList sheets = text.split(QChar(12));
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (i > 0) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(format);
        }
        QString sheet = sheets[i];
        sheet.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (i + 1 < sheets.size() && sheet.endsWith(QLatin1Char('\n')))
            sheet.chop(1);
        // Only a sheet's first line breaks the page; the lines after it must not inherit that.
        const qsizetype firstEnd = sheet.indexOf(QLatin1Char('\n'));
        cursor.insertText(sheet.left(firstEnd));
        if (firstEnd >= 0) {
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText(sheet.mid(firstEnd + 1));
        }
    }
    RtfPageSetup page;
    page.marginLeft = page.marginRight = page.marginTop = page.marginBottom = 1080;
    pages->applyPage(page);
    return pages;
}

std::unique_ptr<TextPages> TextPages::fromHtml(const QString& html)
{
    std::unique_ptr<TextPages> pages(new TextPages);
    pages->m_body = newDocument();
    pages->m_body->setHtml(html);
    pages->m_title = pages->m_body->metaInformation(QTextDocument::DocumentTitle);
    pages->applyPage(RtfPageSetup());
    return pages;
}

void TextPages::applyPage(const RtfPageSetup& page)
{
    setPageFormat(page);
    if (m_rtf)
        fillBodyFields();
}

void TextPages::setPageFormat(const RtfPageSetup& page)
{
    m_page = page;
    m_sectionsKnown = false;
    QTextFrameFormat frame = m_body->rootFrame()->frameFormat();
    frame.setLeftMargin(RtfTextBuilder::pixels(page.marginLeft));
    frame.setRightMargin(RtfTextBuilder::pixels(page.marginRight));
    frame.setTopMargin(RtfTextBuilder::pixels(page.marginTop));
    frame.setBottomMargin(RtfTextBuilder::pixels(page.marginBottom));
    m_body->rootFrame()->setFrameFormat(frame);
    m_body->setPageSize(QSizeF(RtfTextBuilder::pixels(page.paperWidth), RtfTextBuilder::pixels(page.paperHeight)));
}

void TextPages::fillBodyFields()
{
    struct Field {
        int position;
        int length;
        int kind;
        QTextCharFormat format;
    };
    std::vector<Field> fields;
    for (QTextBlock block = m_body->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant kind = fragment.charFormat().property(RtfTextBuilder::pageFieldProperty);
            if (kind.isValid())
                fields.push_back({fragment.position(), fragment.length(), kind.toInt(), fragment.charFormat()});
        }
    }
    if (fields.empty())
        return;
    m_sectionsKnown = false;
    computeSections();
    const int pages = pageCount();
    QTextCursor cursor(m_body.get());
    cursor.beginEditBlock();
    // From the end, so that a number of another length does not move the fields still to come.
    for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
        cursor.setPosition(field->position);
        const int page = pageOf(cursor);
        int value = pages;
        if (field->kind == static_cast<int>(RtfRunKind::PageNumber)) {
            value = page + 1;
        } else if (field->kind == static_cast<int>(RtfRunKind::SectionPageCount)) {
            const auto next = std::upper_bound(m_sectionFirstPage.begin(), m_sectionFirstPage.end(), page);
            const int first = next == m_sectionFirstPage.begin() ? 0 : *(next - 1);
            value = (next == m_sectionFirstPage.end() ? pages : *next) - first;
        }
        const QString number = QString::number(value);
        cursor.setPosition(field->position + field->length, QTextCursor::KeepAnchor);
        cursor.insertText(number, field->format);
        const int moved = static_cast<int>(number.size()) - field->length;
        for (int& start : m_sectionPositions) {
            if (start > field->position)
                start += moved;
        }
    }
    cursor.endEditBlock();
    m_sectionsKnown = false;
}

void TextPages::setLandscape(bool landscape)
{
    if (landscape == (m_page.paperWidth > m_page.paperHeight))
        return;
    RtfPageSetup turned = m_page;
    std::swap(turned.paperWidth, turned.paperHeight);
    turned.landscape = landscape;
    applyPage(turned);
}

int TextPages::pageCount() const
{
    return std::max(1, m_body->pageCount());
}

QSizeF TextPages::pageSize(int) const
{
    return m_body->pageSize();
}

int TextPages::pageOf(const QTextCursor& cursor, QRectF* rectOnPage) const
{
    const QTextBlock block = m_body->findBlock(cursor.position());
    if (!block.isValid())
        return 0;
    QRectF rect = m_body->documentLayout()->blockBoundingRect(block);
    if (const QTextLayout* layout = block.layout()) {
        const QTextLine line = layout->lineForTextPosition(cursor.position() - block.position());
        if (line.isValid()) {
            const qreal x = line.cursorToX(cursor.position() - block.position());
            rect = QRectF(rect.left() + x, rect.top() + line.y(), 1, line.height());
        }
    }
    const qreal height = m_body->pageSize().height();
    const int page = std::clamp(static_cast<int>(rect.top() / height), 0, pageCount() - 1);
    if (rectOnPage)
        *rectOnPage = rect.translated(0, -page * height);
    return page;
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

void TextPages::computeSections() const
{
    if (m_sectionsKnown)
        return;
    m_sectionsKnown = true;
    m_sectionFirstPage.clear();
    const qreal height = m_body->pageSize().height();
    for (const int position : m_sectionPositions) {
        const QTextBlock block = m_body->findBlock(std::min(position, m_body->characterCount() - 1));
        const qreal top = block.isValid() ? m_body->documentLayout()->blockBoundingRect(block).top() : 0;
        m_sectionFirstPage.push_back(static_cast<int>(top / height));
    }
}

void TextPages::paintBand(QPainter& painter, int story, int page, bool header) const
{
    if (!m_rtf || story < 0 || !m_builder)
        return;
    computeSections();
    // The section the page belongs to, its first page and its own page count.
    std::size_t section = 0;
    while (section + 1 < m_sectionFirstPage.size() && m_sectionFirstPage[section + 1] <= page)
        ++section;
    const int firstPage = section < m_sectionFirstPage.size() ? m_sectionFirstPage[section] : 0;
    const int nextFirst = section + 1 < m_sectionFirstPage.size() ? m_sectionFirstPage[section + 1] : pageCount();
    const RtfSection& rtfSection = m_rtf->sections[std::min(section, m_rtf->sections.size() - 1)];
    int number = page + 1;
    if (rtfSection.pageNumberStart >= 0)
        number = rtfSection.pageNumberStart + (page - firstPage);

    QTextDocument band;
    band.documentLayout()->setPaintDevice(layoutDevice());
    band.setDefaultFont(m_body->defaultFont());
    m_builder->build(static_cast<std::size_t>(story), band, number, pageCount(), nextFirst - firstPage);
    const qreal width = RtfTextBuilder::pixels(m_page.paperWidth - m_page.marginLeft - m_page.marginRight);
    band.setTextWidth(width);
    const qreal y = header ? RtfTextBuilder::pixels(m_page.headerDistance)
                           : RtfTextBuilder::pixels(m_page.paperHeight - m_page.footerDistance) - band.size().height();
    painter.save();
    painter.translate(RtfTextBuilder::pixels(m_page.marginLeft), y);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    band.documentLayout()->draw(&painter, context);
    painter.restore();
}

void TextPages::paintPage(QPainter& painter, int page) const
{
    const QSizeF paper = m_body->pageSize();
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), paper), Qt::IntersectClip);
    painter.translate(0, -page * paper.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * paper.height(), paper.width(), paper.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    context.selections = m_selections;
    m_body->documentLayout()->draw(&painter, context);
    painter.restore();

    if (!m_rtf || m_rtf->sections.empty())
        return;
    computeSections();
    std::size_t section = 0;
    while (section + 1 < m_sectionFirstPage.size() && m_sectionFirstPage[section + 1] <= page)
        ++section;
    const RtfSection& rtfSection = m_rtf->sections[std::min(section, m_rtf->sections.size() - 1)];
    const bool firstOfSection = section < m_sectionFirstPage.size() && m_sectionFirstPage[section] == page;
    const auto pick = [&](const RtfHeaderSet& set) {
        if (rtfSection.titlePage && firstOfSection)
            return set.first;
        if ((page + 1) % 2 == 0 && set.left >= 0)
            return set.left;
        if ((page + 1) % 2 == 1 && set.right >= 0)
            return set.right;
        return set.all;
    };
    paintBand(painter, pick(rtfSection.headers), page, true);
    paintBand(painter, pick(rtfSection.footers), page, false);
}

} // namespace corvane
