#pragma once

#include <QSizeF>

class QPainter;

namespace corvane {

/// The one page painter of the viewer: the screen, the print preview and the printer all draw the same pages
/// through it. Page coordinates are pixels at 96 per inch with the origin at the paper's top left corner.
class DocumentPages {
public:
    virtual ~DocumentPages() = default;

    /// Every page, laying out what is still waiting.
    virtual int pageCount() const = 0;
    /// The pages known so far, laying out nothing: a long document shows its first pages while the rest waits.
    virtual int pagesReady() const { return pageCount(); }
    /// Lays out more of the document for about the given time; true once every page is known.
    virtual bool layOutMore(int milliseconds)
    {
        (void)milliseconds;
        return true;
    }
    /// The paper of a page (counted from 0), 96 pixels per inch.
    virtual QSizeF pageSize(int page) const = 0;
    virtual void paintPage(QPainter& painter, int page) const = 0;
    /// Lays the pages out on paper turned the other way; pages that cannot reflow are fitted when painted.
    virtual void setLandscape(bool landscape) { (void)landscape; }
    bool landscape() const
    {
        // The first page decides; it is laid out long before the last one.
        if (pagesReady() == 0 && pageCount() == 0)
            return false;
        const QSizeF size = pageSize(0);
        return size.width() > size.height();
    }
};

} // namespace corvane
