#pragma once

#include <QAbstractScrollArea>
#include <QRectF>

#include <vector>

namespace corvane {

class DocumentPages;

/// The document as sheets of paper one below the other, zoomed as a whole (fixed point sizes scale too), at one of
/// the zoom steps or fitted to the width or the whole page.
class PageView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };

    explicit PageView(QWidget* parent = nullptr);

    /// The pages to show (not owned); nothing shows an empty grey area.
    void setPages(DocumentPages* pages);
    DocumentPages* pages() const { return m_pages; }
    void setZoom(int percent);
    void setFit(Fit fit);
    Fit fit() const { return m_fit; }
    /// Pixels on screen per page pixel.
    qreal scale() const;

    int currentPage() const;
    /// The pages shown so far: a long document grows while the rest of it is laid out.
    int pageCount() const;
    void showPage(int page);
    void showLastPage();
    /// Scrolls the rectangle of a page (page pixels) into view.
    void showArea(int page, const QRectF& area);
    /// Repaints after the pages changed (highlights, layout).
    void refresh();

Q_SIGNALS:
    void pageChanged(int page, int count);
    /// Ctrl+wheel: one zoom step in (1) or out (-1).
    void zoomStepRequested(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QRectF sheetRect(int page) const;
    /// Measures the papers of the pages shown, once per change of pages: sheets may differ in size (a landscape
    /// section, pictures turned the way they are).
    void measurePages() const;
    /// Where a sheet starts, in scroll coordinates, and the sheet at a height.
    qreal pageTop(int page) const;
    int pageAt(qreal y) const;
    void updateScrollBars();
    void notePage();

    DocumentPages* m_pages = nullptr;
    int m_zoom = 100;
    Fit m_fit = Fit::None;
    int m_lastPage = -1;
    mutable std::vector<qreal> m_heightBefore; ///< per page and one past the last: unscaled heights above it
    mutable qreal m_widest = 0;
};

} // namespace corvane
