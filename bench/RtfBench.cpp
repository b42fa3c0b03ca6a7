// The RTF reader on a statement run of 2,000 pages, against counting the braces and backslashes of the same bytes.
#include "RatioReporter.h"
#include "RtfReader.h"
#include "RtfStatementRun.h"

#include <cstdio>
#include <emmintrin.h>
#include <string>

namespace {

constexpr int pages = 2000;

const std::string& statementRun()
{
    static const std::string rtf = corvane::RtfStatementRun::generate(pages);
    return rtf;
}

/// What any reader must at least do: look at every byte and tell the structural ones apart.
std::size_t countStructure(const std::string& rtf)
{
    std::size_t count = 0;
    for (const char c : rtf)
        count += static_cast<std::size_t>(c == '{') + static_cast<std::size_t>(c == '}')
            + static_cast<std::size_t>(c == '\\');
    return count;
}

/// The same count sixteen bytes at a time.
std::size_t countStructureWide(const std::string& rtf)
{
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i backslash = _mm_set1_epi8('\\');
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + 16 <= rtf.size(); i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rtf.data() + i));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, open), _mm_cmpeq_epi8(chunk, close)),
                                          _mm_cmpeq_epi8(chunk, backslash));
        count += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(hits))));
    }
    for (; i < rtf.size(); ++i)
        count += rtf[i] == '{' || rtf[i] == '}' || rtf[i] == '\\';
    return count;
}

double heldPerInputByte = 0;

void BM_ReadIntoModel(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    for (auto _ : state) {
        const corvane::RtfDocument doc = corvane::RtfReader::read(rtf);
        benchmark::DoNotOptimize(doc.body().runs.size());
        heldPerInputByte = static_cast<double>(doc.bytesHeld()) / static_cast<double>(rtf.size());
    }
}
BENCHMARK(BM_ReadIntoModel)->Unit(benchmark::kMillisecond);

void BM_CountingPass(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    for (auto _ : state)
        benchmark::DoNotOptimize(countStructure(rtf));
}
BENCHMARK(BM_CountingPass)->Unit(benchmark::kMillisecond);

void BM_CountingPassWide(benchmark::State& state)
{
    const std::string& rtf = statementRun();
    for (auto _ : state)
        benchmark::DoNotOptimize(countStructureWide(rtf));
}
BENCHMARK(BM_CountingPassWide)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRTF statement run, %d pages (%.1f MB), side by side in this run:\n", pages,
                static_cast<double>(statementRun().size()) / 1e6);
    reporter.printRatio("read into the model / counting pass (byte by byte)", "BM_ReadIntoModel", "BM_CountingPass", 5);
    reporter.printRatio("read into the model / counting pass (16 bytes at a time)", "BM_ReadIntoModel",
                        "BM_CountingPassWide", 5);
    std::printf("%-58s %8.2f bytes\n", "model memory per input byte", heldPerInputByte);
    benchmark::Shutdown();
    return 0;
}
