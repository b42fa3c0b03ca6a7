// The grid over 100,000 x 14 cells, against a QStandardItemModel holding the same cells.
#include "CorvaneGrid.h"
#include "RatioReporter.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>

#include <cstdint>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int rows = 100000;
constexpr int columns = 14;

std::string cellText(int row, int col)
{
    return "R" + std::to_string(row) + "C" + std::to_string(col);
}

/// How a window keeps its cells: one text buffer and an offset per cell; the grid asks for what it paints.
class CompactTable final : public corvane::GridStyleSource {
public:
    CompactTable()
    {
        m_offsets.reserve(static_cast<std::size_t>(rows) * columns + 1);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= columns; ++c) {
                m_offsets.push_back(static_cast<std::uint32_t>(m_text.size()));
                m_text += cellText(r, c);
            }
        }
        m_offsets.push_back(static_cast<std::uint32_t>(m_text.size()));
    }

    void GetStyleRowCol(int row, int col, corvane::CellStyle& style) override
    {
        if (row == 0 || col == 0) {
            style.value = QString::number(row == 0 ? col : row);
            return;
        }
        const std::size_t cell = static_cast<std::size_t>(row - 1) * columns + static_cast<std::size_t>(col - 1);
        const std::uint32_t begin = m_offsets[cell];
        style.value = QString::fromLatin1(m_text.data() + begin, static_cast<qsizetype>(m_offsets[cell + 1] - begin));
    }
    bool StoreValueRowCol(int, int, const QString&) override { return false; }
    QString text(int row, int col) const
    {
        const std::size_t cell = static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(col);
        return QString::fromLatin1(m_text.data() + m_offsets[cell],
                                   static_cast<qsizetype>(m_offsets[cell + 1] - m_offsets[cell]));
    }
    std::size_t bytes() const { return m_text.capacity() + m_offsets.capacity() * sizeof(std::uint32_t); }

private:
    std::string m_text;
    std::vector<std::uint32_t> m_offsets;
};

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

void paintOnce(QTableView& view)
{
    view.resize(1000, 600);
    view.show();
    QApplication::processEvents();
    view.viewport()->repaint();
}

std::size_t gridBytes = 0;
std::size_t standardBytes = 0;

// The window already holds its cells when it fills its grid; both sides start from the same table.
CompactTable& cells()
{
    static CompactTable table;
    return table;
}

void BM_GridFillAndPaint(benchmark::State& state)
{
    CompactTable& table = cells();
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        corvane::CorvaneGrid grid;
        grid.setStyleSource(&table);
        grid.setColumnCount(columns);
        grid.setRowCount(rows);
        paintOnce(grid);
        gridBytes = heapInUse() - before + table.bytes();
    }
}
BENCHMARK(BM_GridFillAndPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StandardItemModelFillAndPaint(benchmark::State& state)
{
    const CompactTable& table = cells();
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        QStandardItemModel model(rows, columns);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c)
                model.setItem(r, c, new QStandardItem(table.text(r, c)));
        }
        QTableView view;
        view.setModel(&model);
        paintOnce(view);
        standardBytes = heapInUse() - before;
    }
}
BENCHMARK(BM_StandardItemModelFillAndPaint)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nGrid, %d x %d cells, measured side by side in this run:\n", rows, columns);
    reporter.printRatio("QStandardItemModel fill + paint / grid fill + paint", "BM_StandardItemModelFillAndPaint",
                        "BM_GridFillAndPaint", 20, false);
    const double memoryRatio = gridBytes ? static_cast<double>(standardBytes) / static_cast<double>(gridBytes) : 0;
    std::printf("%-58s %8.2fx   target >= 10x   %s\n", "QStandardItemModel memory / grid memory", memoryRatio,
                memoryRatio >= 10 ? "met" : "MISSED");
    std::printf("   (grid with its owner's compact cells: %.1f MB, QStandardItemModel: %.1f MB)\n", gridBytes / 1e6,
                standardBytes / 1e6);
    benchmark::Shutdown();
    return 0;
}
