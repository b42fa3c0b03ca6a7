#pragma once

#include <functional>

class QPrinter;

namespace corvane {

class DocumentPages;

/// Sends pages to a printer (or a PDF file, or the print preview): the paper follows the pages, one printer page
/// per document page, no page after the last.
class PagePrinter {
public:
    /// Called before each page with the count done so far; returning false stops the job.
    using Progress = std::function<bool(int done, int total)>;

    /// Sets the printer's paper and orientation to the document's (before a print dialog, so it shows them).
    static void preparePrinter(QPrinter& printer, const DocumentPages& pages);
    /// Prints pages first to last (counted from 1, clamped to the document); false when nothing could be
    /// printed or progress stopped the job.
    static bool print(const DocumentPages& pages, QPrinter& printer, int first, int last,
                      const Progress& progress = {});
};

} // namespace corvane
