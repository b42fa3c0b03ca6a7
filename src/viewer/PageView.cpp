#include "PageView.h"

#include "DocumentPages.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace corvane {

namespace {
constexpr int gap = 16; // screen pixels between and around sheets
}

PageView::PageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(palette);
    viewport()->setBackgroundRole(QPalette::Window);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

void PageView::setPages(DocumentPages* pages)
{
    m_pages = pages;
    m_heightBefore.clear();
    m_lastPage = -1;
    verticalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
    notePage();
}

void PageView::setZoom(int percent)
{
    const int page = currentPage();
    m_zoom = std::clamp(percent, 10, 800);
    m_fit = Fit::None;
    updateScrollBars();
    showPage(page);
    viewport()->update();
}

void PageView::setFit(Fit fit)
{
    const int page = currentPage();
    m_fit = fit;
    updateScrollBars();
    showPage(page);
    viewport()->update();
}

qreal PageView::scale() const
{
    const qreal dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    if (m_fit == Fit::None || !m_pages || m_pages->pagesReady() == 0)
        return m_zoom / 100.0 * dpi / 96.0;
    const QSizeF page = m_pages->pageSize(0);
    const qreal width = std::max(50, viewport()->width() - 2 * gap) / page.width();
    if (m_fit == Fit::Width)
        return width;
    return std::min(width, std::max(50, viewport()->height() - 2 * gap) / page.height());
}

int PageView::pageCount() const
{
    return m_pages ? m_pages->pagesReady() : 0;
}

void PageView::measurePages() const
{
    const int count = pageCount();
    if (m_heightBefore.size() == static_cast<std::size_t>(count) + 1)
        return;
    m_heightBefore.assign(1, 0);
    m_widest = 0;
    for (int page = 0; page < count; ++page) {
        const QSizeF paper = m_pages->pageSize(page);
        m_heightBefore.push_back(m_heightBefore.back() + paper.height());
        m_widest = std::max(m_widest, paper.width());
    }
}

qreal PageView::pageTop(int page) const
{
    measurePages();
    page = std::clamp(page, 0, static_cast<int>(m_heightBefore.size()) - 1);
    return gap * (page + 1) + scale() * m_heightBefore[static_cast<std::size_t>(page)];
}

int PageView::pageAt(qreal y) const
{
    measurePages();
    const int count = pageCount();
    if (count == 0)
        return 0;
    // The last sheet whose top is at or above y.
    int low = 0, high = count - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (pageTop(middle) <= y)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

QRectF PageView::sheetRect(int page) const
{
    // Sheets are centred in the width of the widest one.
    measurePages();
    const qreal s = scale();
    const QSizeF size = m_pages->pageSize(page) * s;
    const qreal width = std::max<qreal>(m_widest * s + 2 * gap, viewport()->width());
    return QRectF((width - size.width()) / 2 - horizontalScrollBar()->value(),
                  pageTop(page) - verticalScrollBar()->value(), size.width(), size.height());
}

void PageView::updateScrollBars()
{
    if (!m_pages || m_pages->pagesReady() == 0) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    measurePages();
    const qreal total = pageTop(pageCount());
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(total) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0,
                                    std::max(0, static_cast<int>(m_widest * scale() + 2 * gap) - viewport()->width()));
}

int PageView::currentPage() const
{
    if (!m_pages || m_pages->pagesReady() == 0)
        return 0;
    // The page that holds the point a third of the way down the window.
    return pageAt(verticalScrollBar()->value() + viewport()->height() / 3.0);
}

void PageView::showPage(int page)
{
    if (!m_pages || m_pages->pagesReady() == 0)
        return;
    page = std::clamp(page, 0, m_pages->pagesReady() - 1);
    verticalScrollBar()->setValue(static_cast<int>(pageTop(page) - gap));
    notePage();
}

void PageView::showLastPage()
{
    if (!m_pages)
        return;
    const int last = m_pages->pageCount() - 1; // lays out what is still waiting
    updateScrollBars();
    showPage(last);
}

void PageView::showArea(int page, const QRectF& area)
{
    if (!m_pages)
        return;
    const qreal s = scale();
    const qreal top = pageTop(page) + area.top() * s;
    const qreal bottom = pageTop(page) + area.bottom() * s;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value() || bottom > bar->value() + viewport()->height())
        bar->setValue(static_cast<int>(top - viewport()->height() / 3.0));
    viewport()->update();
    notePage();
}

void PageView::refresh()
{
    m_heightBefore.clear(); // the papers may have turned
    updateScrollBars();
    viewport()->update();
    // The count may have grown while the rest of the document was laid out.
    m_lastPage = -1;
    notePage();
}

void PageView::notePage()
{
    const int page = currentPage();
    if (page == m_lastPage)
        return;
    m_lastPage = page;
    Q_EMIT pageChanged(page, pageCount());
}

void PageView::paintEvent(QPaintEvent*)
{
    if (!m_pages || m_pages->pagesReady() == 0)
        return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = scale();
    const int first = pageAt(verticalScrollBar()->value());
    for (int page = first; page < m_pages->pagesReady(); ++page) {
        const QRectF sheet = sheetRect(page);
        if (sheet.top() > viewport()->height())
            break;
        painter.fillRect(sheet.translated(3, 3), QColor(0x50, 0x50, 0x50));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(s, s);
        m_pages->paintPage(painter, page);
        painter.restore();
    }
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    notePage();
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        if (event->key() == Qt::Key_Home)
            showPage(0);
        else if (event->key() == Qt::Key_End)
            showLastPage();
        else
            QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(currentPage() + 1);
        break;
    case Qt::Key_PageUp:
        showPage(currentPage() - 1);
        break;
    case Qt::Key_Home:
        showPage(0);
        break;
    case Qt::Key_End:
        showLastPage();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        Q_EMIT zoomStepRequested(event->angleDelta().y() > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

} // namespace corvane
