// The settings find box on the catalogue repeated 100 times, one query per keystroke, against a plain substring
// scan of the same text for the same typed text.
#include "RatioReporter.h"
#include "SettingsSearch.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int repeats = 100;

const corvane::SettingsSearch& search()
{
    static const corvane::SettingsSearch repeated = [] {
        const corvane::SettingsSearch catalogue;
        corvane::SettingsSearch all;
        const std::string_view text = catalogue.text();
        for (int r = 1; r < repeats; ++r) {
            std::size_t start = 0;
            for (std::size_t i = 0; i < catalogue.size(); ++i) {
                const std::size_t end = text.find('\n', start);
                all.add(catalogue.entry(i).nodeKey, catalogue.entry(i).path, text.substr(start, end - start));
                start = end + 1;
            }
        }
        return all;
    }();
    return repeated;
}

// What an operator types, one keystroke at a time.
std::vector<std::string> keystrokes()
{
    const std::string typed = "autopost date";
    std::vector<std::string> prefixes;
    for (std::size_t n = 1; n <= typed.size(); ++n) {
        if (typed[n - 1] != ' ')
            prefixes.push_back(typed.substr(0, n));
    }
    return prefixes;
}

void BM_SearchPerKeystroke(benchmark::State& state)
{
    const auto& index = search();
    const auto typed = keystrokes();
    for (auto _ : state) {
        std::size_t found = 0;
        for (const std::string& query : typed)
            found += index.find(query).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["entries"] = static_cast<double>(index.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typed.size()));
}
BENCHMARK(BM_SearchPerKeystroke)->Unit(benchmark::kMicrosecond);

void BM_PlainSubstringScan(benchmark::State& state)
{
    const std::string_view text = search().text();
    const auto typed = keystrokes();
    for (auto _ : state) {
        std::size_t found = 0;
        for (const std::string& query : typed) {
            for (std::size_t at = text.find(query); at != std::string_view::npos; at = text.find(query, at + 1))
                ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typed.size()));
}
BENCHMARK(BM_PlainSubstringScan)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double keys = static_cast<double>(keystrokes().size());
    std::printf(
        "\nSettings search, catalogue x %d (%zu entries, %.1f KB of text), measured side by side in this run:\n",
        repeats, search().size(), static_cast<double>(search().text().size()) / 1e3);
    std::printf("%-58s %8.1f us\n", "search time per keystroke", reporter.time("BM_SearchPerKeystroke") / keys);
    reporter.printRatio("search per keystroke / plain substring scan", "BM_SearchPerKeystroke", "BM_PlainSubstringScan",
                        5);
    benchmark::Shutdown();
    return 0;
}
