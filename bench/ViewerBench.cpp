// The viewer on a statement run: reading, building and laying out every page against Qt's own HTML route, and
// printing every page to PDF through the page printer against QTextDocument::print.
#include "PagePrinter.h"
#include "RatioReporter.h"
#include "RtfReader.h"
#include "RtfStatementRun.h"
#include "RtfTextBuilder.h"
#include "TextPages.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

/// CORVANE_BENCH_PAGES overrides the size for a quick look.
int pages()
{
    static const int count = [] {
        const char* text = std::getenv("CORVANE_BENCH_PAGES");
        const int value = text ? std::atoi(text) : 0;
        return value > 0 ? value : 2000;
    }();
    return count;
}

const std::string& statementRun()
{
    static const std::string rtf = corvane::RtfStatementRun::generate(pages());
    return rtf;
}

/// The 96-dpi device both routes lay out on, so they break lines and pages alike.
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

/// Letter paper with the run's margins of three quarters of an inch.
void setPaper(QTextDocument& document)
{
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(72);
    document.rootFrame()->setFrameFormat(frame);
    document.setPageSize(QSizeF(816, 1056));
}

/// The whole run built into one QTextDocument, the way Qt usually holds a document: the baselines start from it.
std::unique_ptr<QTextDocument> wholeDocument()
{
    static const corvane::RtfDocument model = corvane::RtfReader::read(statementRun());
    corvane::RtfTextBuilder builder(model);
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12)); // the viewer's default, for empty lines
    builder.buildBody(0, model.sections.size(), *document);
    setPaper(*document);
    document->documentLayout()->setPaintDevice(layoutDevice());
    return document;
}

/// The same content as HTML, the way it is usually handed to Qt.
const QString& statementHtml()
{
    static const QString html = wholeDocument()->toHtml();
    return html;
}

std::unique_ptr<QTextDocument> htmlDocument()
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->documentLayout()->setPaintDevice(layoutDevice());
    document->setHtml(statementHtml());
    setPaper(*document);
    return document;
}

std::unique_ptr<QPrinter> pdfPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QDir::temp().filePath(QStringLiteral("corvane-viewer-bench.pdf")));
    return printer;
}

/// Ratios with fractional targets, which the shared reporter rounds away.
void printRatio(const corvane::bench::RatioReporter& reporter, const char* label, const char* measured,
                const char* baseline, double target)
{
    const double a = reporter.time(measured);
    const double b = reporter.time(baseline);
    if (a <= 0 || b <= 0) {
        std::printf("%-58s   (not measured)\n", label);
        return;
    }
    std::printf("%-58s %8.2fx   target <= %.1fx   %s\n", label, a / b, target, a / b <= target ? "met" : "MISSED");
}

int viewerPages = 0;
int htmlPages = 0;

void BM_ReadBuildLayout(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    for (auto _ : state) {
        const auto document = corvane::TextPages::fromRtf(rtf);
        viewerPages = document->pageCount(); // lays out every page
        benchmark::DoNotOptimize(viewerPages);
    }
}
BENCHMARK(BM_ReadBuildLayout)->Unit(benchmark::kMillisecond)->MinTime(2);

/// The reader alone, the part of the viewer's route that is not Qt's.
void BM_ReadOnly(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    for (auto _ : state)
        benchmark::DoNotOptimize(corvane::RtfReader::read(rtf).body().runs.size());
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond)->MinTime(2);

/// What the operator waits for: the run read and its first page painted, the rest still to be laid out.
void BM_FirstPageShown(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    QImage sheet(816, 1056, QImage::Format_RGB32);
    for (auto _ : state) {
        const auto document = corvane::TextPages::fromRtf(rtf);
        document->layOutMore(0);
        QPainter painter(&sheet);
        document->paintPage(painter, 0);
        benchmark::DoNotOptimize(document->pagesReady());
    }
}
BENCHMARK(BM_FirstPageShown)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_SetHtmlLayout(benchmark::State& state)
{
    (void)statementHtml();
    for (auto _ : state) {
        const auto document = htmlDocument();
        htmlPages = document->pageCount();
        benchmark::DoNotOptimize(htmlPages);
    }
}
BENCHMARK(BM_SetHtmlLayout)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_PagePrinterToPdf(benchmark::State& state)
{
    const auto document = corvane::TextPages::fromRtf(statementRun());
    const int count = document->pageCount();
    for (auto _ : state) {
        const auto printer = pdfPrinter();
        corvane::PagePrinter::preparePrinter(*printer, *document);
        benchmark::DoNotOptimize(corvane::PagePrinter::print(*document, *printer, 1, count));
    }
}
BENCHMARK(BM_PagePrinterToPdf)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_TextDocumentPrintToPdf(benchmark::State& state)
{
    const auto document = wholeDocument();
    (void)document->pageCount();
    for (auto _ : state) {
        const auto printer = pdfPrinter();
        document->print(printer.get());
    }
}
BENCHMARK(BM_TextDocumentPrintToPdf)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nStatement run, %d pages (%.1f MB RTF, %.1f MB as HTML), side by side in this run:\n", pages(),
                static_cast<double>(statementRun().size()) / 1e6,
                static_cast<double>(statementHtml().toUtf8().size()) / 1e6);
    std::printf("%-58s %8d / %d\n", "pages laid out (viewer / HTML route)", viewerPages, htmlPages);
    printRatio(reporter, "read + build + layout / setHtml + layout", "BM_ReadBuildLayout", "BM_SetHtmlLayout", 0.5);
    printRatio(reporter, "first page shown / whole run laid out", "BM_FirstPageShown", "BM_ReadBuildLayout", 1.0);
    printRatio(reporter, "page printer to PDF / QTextDocument::print to PDF", "BM_PagePrinterToPdf",
               "BM_TextDocumentPrintToPdf", 1.5);
    benchmark::Shutdown();
    QFile::remove(QDir::temp().filePath(QStringLiteral("corvane-viewer-bench.pdf")));
    return 0;
}
