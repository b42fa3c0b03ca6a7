#include "DocumentRequests.h"
#include "HostFixture.h"
#include "ImagePages.h"
#include "PdfPages.h"
#include "TempDir.h"
#include "frmViewer.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <QTextDocument>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>

namespace corvane {
namespace {

constexpr int webTimeout = 30000; // the first page of a test run starts the web engine's processes

/// Paints one page on white and counts the pixels that are not white: a page that paints nothing counts 0.
int inkedPixels(const DocumentPages& pages, int page)
{
    const QSize size = pages.pageSize(page).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pages.paintPage(painter, page);
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 200)
                ++inked;
        }
    }
    return inked;
}

QByteArray png(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

/// An uncompressed little-endian grey TIFF of several pages, one directory each (Qt writes only single pages).
QByteArray multiPageTiff(int pages, int width, int height)
{
    QByteArray out("II*\0", 4);
    auto put16 = [&out](std::uint16_t v) {
        out.append(char(v & 0xFF)).append(char(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(std::uint16_t(v & 0xFFFF));
        put16(std::uint16_t(v >> 16));
    };
    put32(8);
    const int entries = 9;
    const int directorySize = 2 + entries * 12 + 4;
    for (int page = 0; page < pages; ++page) {
        const auto directory = static_cast<std::uint32_t>(out.size());
        const std::uint32_t pixels = directory + directorySize;
        const std::uint32_t next = page + 1 < pages ? pixels + std::uint32_t(width * height) : 0;
        auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
            put16(tag);
            put16(type);
            put32(1);
            if (type == 3) {
                put16(std::uint16_t(value));
                put16(0);
            } else {
                put32(value);
            }
        };
        put16(entries);
        entry(256, 3, std::uint32_t(width));
        entry(257, 3, std::uint32_t(height));
        entry(258, 3, 8); // bits per sample
        entry(259, 3, 1); // no compression
        entry(262, 3, 1); // black is zero
        entry(273, 4, pixels);
        entry(277, 3, 1); // samples per pixel
        entry(278, 3, std::uint32_t(height));
        entry(279, 4, std::uint32_t(width * height));
        put32(next);
        // Each page dark except a white band, so every page has ink.
        for (int y = 0; y < height; ++y)
            out.append(QByteArray(width, y < height / 4 ? char(255) : char(page * 40)));
    }
    return out;
}

class ViewerViewsTest : public test::HostFixture {
protected:
    void TearDown() override
    {
        frmViewer::releaseHeldWindows();
        HostFixture::TearDown();
    }

    void open(frmViewer& window, const std::string& document, const std::string& format)
    {
        frmViewer::Inputs inputs;
        inputs.document = document;
        inputs.format = format;
        window.ShowCode(inputs);
    }

    /// The text of the web page once it holds expected (polled: loading is asynchronous).
    static QString waitForPageText(QWebEngineView* view, const QString& expected)
    {
        // Shared: a late answer may arrive after this returns.
        auto text = std::make_shared<QString>();
        const bool found = QTest::qWaitFor(
            [&] {
                view->page()->toPlainText([text](const QString& t) { *text = t; });
                QTest::qWait(50);
                return text->contains(expected);
            },
            webTimeout);
        return found ? *text : QString();
    }

    static int visibleViewers()
    {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmViewer*>(widget) && widget->isVisible())
                ++count;
        }
        return count;
    }

    test::TempDir folder;
};

// The HTML view runs Qt WebEngine, which itself trips AddressSanitizer; these tests are left out of the sanitizer
// run by their suite name.
class WebEngineViewTest : public ViewerViewsTest { };

TEST_F(WebEngineViewTest, BrowserShowsHtmlFromMemoryAndFromAFile)
{
    {
        frmViewer window;
        open(window, "<html><body><p>Remittance advice for Ana Lopez</p></body></html>", "HTML:BROWSER");
        ASSERT_NE(window.browser(), nullptr);
        EXPECT_EQ(window.pages(), nullptr);
        EXPECT_TRUE(waitForPageText(window.browser(), QStringLiteral("Remittance advice"))
                        .contains(QStringLiteral("Ana Lopez")));
        window.close();
    }
    {
        const std::string path = folder.file("report.html");
        std::ofstream(path) << "<html><body><h1>Day sheet</h1><p>Charges 1,234.00</p></body></html>";
        frmViewer window;
        open(window, path, "HTML:BROWSER:FILE");
        ASSERT_NE(window.browser(), nullptr);
        EXPECT_TRUE(waitForPageText(window.browser(), QStringLiteral("Day sheet"))
                        .contains(QStringLiteral("Charges 1,234.00")));
        EXPECT_TRUE(window.browser()->url().isLocalFile());
        EXPECT_EQ(window.browser()->url().toLocalFile(), QString::fromStdString(path));
        window.close();
    }
    EXPECT_TRUE(prompter->prompts.empty());
}

TEST_F(WebEngineViewTest, NewWindowFromAPageClosesThePageOnlyWhenItAsks)
{
    for (const bool closes : {true, false}) {
        SCOPED_TRACE(closes ? "closeform yes" : "closeform no");
        const std::string html = std::string("<html><body><form><input type=\"hidden\" name=\"closeform\" value=\"")
            + (closes ? "YES" : "no") + "\"></form><p>Claim list</p></body></html>";
        frmViewer window;
        open(window, html, "HTML:BROWSER");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_FALSE(waitForPageText(window.browser(), QStringLiteral("Claim list")).isEmpty());
        ASSERT_EQ(visibleViewers(), 1);

        window.browser()->page()->runJavaScript(QStringLiteral("window.open('about:blank', '_blank');"));
        EXPECT_TRUE(QTest::qWaitFor([] { return visibleViewers() >= 2 || visibleViewers() == 0; }, webTimeout));
        if (closes) {
            EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.isVisible(); }, webTimeout));
            EXPECT_FALSE(window.resultFlag());
        } else {
            // Give a wrong close every chance to happen before checking it did not.
            QTest::qWait(1000);
            EXPECT_TRUE(window.isVisible());
        }
        EXPECT_EQ(visibleViewers(), closes ? 1 : 2); // the new window stays open either way
        frmViewer::releaseHeldWindows();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return visibleViewers() == (window.isVisible() ? 1 : 0); }, 5000));
        window.close();
    }
}

TEST_F(ViewerViewsTest, PdfPagesCountSizeAndPaint)
{
    const std::string served = reference::serverDocumentBody(reference::pdfDocument);
    auto pages = PdfPages::fromBytes(QByteArray::fromStdString(served));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->pageCount(), 2);
    EXPECT_NEAR(pages->pageSize(0).width(), 816, 1);
    EXPECT_NEAR(pages->pageSize(0).height(), 1056, 1);
    EXPECT_GT(inkedPixels(*pages, 0), 100);
    EXPECT_GT(inkedPixels(*pages, 1), 100);

    // A PDF Qt itself wrote: three landscape pages.
    const QString path = QString::fromStdString(folder.file("three.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageOrientation(QPageLayout::Landscape);
        QTextDocument document;
        document.setHtml(QStringLiteral("<p>first</p><p style=\"page-break-before:always\">second</p>"
                                        "<p style=\"page-break-before:always\">third</p>"));
        document.print(&printer);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    auto printed = PdfPages::fromBytes(file.readAll());
    ASSERT_NE(printed, nullptr);
    EXPECT_EQ(printed->pageCount(), 3);
    EXPECT_TRUE(printed->landscape());
    EXPECT_GT(inkedPixels(*printed, 2), 0);

    EXPECT_EQ(PdfPages::fromBytes(QByteArray("%PDF-1.4 but nothing after it")), nullptr);
}

TEST_F(ViewerViewsTest, ImagePagesOneAPageTurnedTheWayTheImageIs)
{
    auto wide = ImagePages::fromBytes(png(QSize(600, 300)));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->pageCount(), 1);
    EXPECT_TRUE(wide->landscape());
    EXPECT_GT(inkedPixels(*wide, 0), 1000);

    auto tall = ImagePages::fromBytes(png(QSize(300, 600)));
    ASSERT_NE(tall, nullptr);
    EXPECT_FALSE(tall->landscape());

    EXPECT_EQ(ImagePages::fromBytes(QByteArray("\x89PNG not really", 15)), nullptr);

    if (!QImageReader::supportedImageFormats().contains("tiff"))
        GTEST_SKIP() << "no TIFF reader here";
    auto scanned = ImagePages::fromBytes(multiPageTiff(3, 200, 260));
    ASSERT_NE(scanned, nullptr);
    EXPECT_EQ(scanned->pageCount(), 3);
    for (int page = 0; page < 3; ++page)
        EXPECT_GT(inkedPixels(*scanned, page), 1000) << "page " << page;
}

TEST_F(ViewerViewsTest, WindowShowsPdfAndPicturesOnPages)
{
    {
        frmViewer window;
        open(window, reference::serverDocumentBody(reference::pdfDocument), "PDF");
        EXPECT_EQ(window.kind(), DocumentKind::Pdf);
        EXPECT_EQ(window.pageCount(), 2);
        window.close();
    }
    {
        frmViewer window;
        open(window, png(QSize(100, 80)).toStdString(), "IMAGE");
        EXPECT_EQ(window.kind(), DocumentKind::Image);
        EXPECT_EQ(window.pageCount(), 1);
        window.close();
    }
    EXPECT_TRUE(prompter->prompts.empty());
}

} // namespace
} // namespace corvane
