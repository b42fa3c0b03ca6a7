// A fax queue of 100,000 jobs read chunk by chunk, against copying the same reply lines.
#include "FaxListing.h"
#include "FaxQueueTab.h"
#include "RatioReporter.h"

#include <string>
#include <vector>

namespace {

constexpr int jobs = 100000;
constexpr int chunk = 200;

/// The replies the server sends for the whole queue: a header on the "|OK||" line, 200 records, the end line.
const std::vector<std::vector<std::string>>& replies()
{
    static const std::vector<std::vector<std::string>> all = [] {
        std::vector<std::vector<std::string>> pages;
        for (int first = 1; first <= jobs; first += chunk) {
            std::vector<std::string> lines {"|OK||FX00200/0\tJob0WA\tFax0WA\tRecipient0WA\tCompany0WA\tEmail0WA"
                                            "\tMethod0WA\tPriority0WA\tQueued0WA\tSent0WA\tTries0WA"};
            for (int id = first; id < first + chunk; ++id) {
                const std::string n = std::to_string(id);
                lines.push_back(n + "1WA\t" + std::to_string(10000 + id) + "0WA\t(555) 310-" + n.substr(0, 4)
                                + "0WA\tDr. Helen Ortiz0WA\tSpringfield Cardiology0WA\thortiz@springcardio.example0WA"
                                + "\tFax0WA\tRegular0WA\t12/05/2026 08:000WA\t12/05/2026 08:010WA\t10WA");
            }
            lines.emplace_back("|END||");
            pages.push_back(std::move(lines));
        }
        return pages;
    }();
    return all;
}

std::size_t recordBytes()
{
    std::size_t bytes = 0;
    for (const auto& page : replies()) {
        for (std::size_t i = 1; i + 1 < page.size(); ++i)
            bytes += page[i].size();
    }
    return bytes;
}

double bytesHeldRatio = 0;

void BM_ReadAllChunks(benchmark::State& state)
{
    for (auto _ : state) {
        corvane::FaxQueueTab tab("SENT");
        for (const auto& page : replies())
            tab.take(corvane::FaxListing::read(page));
        benchmark::DoNotOptimize(tab.rowCount());
        bytesHeldRatio = static_cast<double>(tab.table().bytesHeld()) / static_cast<double>(recordBytes());
    }
}
BENCHMARK(BM_ReadAllChunks)->Unit(benchmark::kMillisecond);

void BM_CopyReplyLines(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::string> copy;
        copy.reserve(static_cast<std::size_t>(jobs));
        for (const auto& page : replies()) {
            for (std::size_t i = 1; i + 1 < page.size(); ++i)
                copy.push_back(page[i]);
        }
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyReplyLines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nFax queue, %d jobs in chunks of %d (%.1f MB of record lines), side by side in this run:\n", jobs,
                chunk, static_cast<double>(recordBytes()) / 1e6);
    reporter.printRatio("read and keep every chunk / copy the reply lines", "BM_ReadAllChunks", "BM_CopyReplyLines", 3);
    std::printf("%-58s %8.2fx   target <= 2x       %s\n", "bytes held per row / reply bytes of the row", bytesHeldRatio,
                bytesHeldRatio <= 2 ? "met" : "MISSED");
    benchmark::Shutdown();
    return 0;
}
