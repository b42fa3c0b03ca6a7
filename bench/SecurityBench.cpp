// The Module Access reader on 5,000 programs in 200 modules, against the STW reader on a data string of the same size.
#include "ModuleAccess.h"
#include "RatioReporter.h"
#include "StwTable.h"

#include <string>

namespace {

constexpr int modules = 200;
constexpr int programsPerModule = 25;

const std::string& seclReply()
{
    static const std::string reply = [] {
        std::string s = "|OK||Module01kA000\tProgram01kA008\tDescription01kA032\tAccess01kA106\tAdd01kA106\t"
                        "Modify01kA106\tDelete01kA106\xE6";
        unsigned seed = 11;
        for (int m = 0; m < modules; ++m) {
            const std::string module = "     MOD" + std::to_string(1000 + m);
            s += module + "\t\tModule number " + std::to_string(m) + "\t1\t1\t1\t1\xE6";
            for (int p = 0; p < programsPerModule; ++p) {
                s += module + "\tP" + std::to_string(100000 + m * programsPerModule + p) + "\tProgram "
                    + std::to_string(p) + " of module " + std::to_string(m);
                for (int c = 0; c < 4; ++c) {
                    seed = seed * 1103515245u + 12345u;
                    s += (seed >> 16) % 3 ? "\t1" : "\t0";
                }
                if (p % 7 == 0)
                    s += ":P" + std::to_string(100000 + m * programsPerModule + p) + "=2,4";
                s += '\xE6';
            }
        }
        return s;
    }();
    return reply;
}

/// An STW data string of about the same size as the Module Access reply.
const std::string& stwData()
{
    static const std::string data = [] {
        std::string s = "\t";
        for (int c = 1; c <= 6; ++c)
            s += "Column" + std::to_string(c) + "01WZ010" + (c < 6 ? "\t" : "");
        s += '\xE6';
        unsigned seed = 7;
        for (int r = 1; s.size() < seclReply().size(); ++r) {
            s += std::to_string(r);
            for (int c = 1; c <= 6; ++c) {
                seed = seed * 1103515245u + 12345u;
                s += '\t';
                s += c > 2 ? ((seed >> 16) % 2 ? "1" : "0") : "Text " + std::to_string((seed >> 8) % 100000);
                s += c > 2 ? "04WZ1" : "01WZ0";
            }
            s += '\xE6';
        }
        s += "\t004WZ1\xE6";
        return s;
    }();
    return data;
}

/// What the grid asks of the page when every row has been painted once: the shown texts of columns 1 and 2 (the
/// window adds the indent and the bold header itself), and the state of every access cell.
std::size_t fill(const corvane::ModuleAccess& page)
{
    std::size_t sum = 0;
    for (int r = 1; r <= page.rowCount(); ++r) {
        const bool header = page.isHeader(r);
        sum += page.description(r).size() + page.program(r).size();
        for (int c = 3; c <= 6; ++c)
            sum += header ? static_cast<std::size_t>(page.headerState(r, c)) : page.access(r, c).enabled;
    }
    return sum;
}

// Both readers are handed the received text as the window hands it over (its copy is not timed, as for STW).
void BM_ModuleAccessParseAndFill(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string reply = seclReply();
        corvane::ModuleAccess page;
        state.ResumeTiming();
        page.load(std::move(reply), true);
        benchmark::DoNotOptimize(fill(page));
    }
}
BENCHMARK(BM_ModuleAccessParseAndFill)->Unit(benchmark::kMillisecond);

void BM_ModuleAccessParse(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string reply = seclReply();
        corvane::ModuleAccess page;
        state.ResumeTiming();
        page.load(std::move(reply), true);
        benchmark::DoNotOptimize(page.rowCount());
    }
}
BENCHMARK(BM_ModuleAccessParse)->Unit(benchmark::kMillisecond);

void BM_StwReadAndFill(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::string data = stwData();
        corvane::StwTable table;
        state.ResumeTiming();
        table.load(std::move(data), true);
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(BM_StwReadAndFill)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    corvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nModule Access reply, %d programs in %d modules (%.2f MB), STW data string of %.2f MB:\n",
                modules * programsPerModule, modules, static_cast<double>(seclReply().size()) / 1e6,
                static_cast<double>(stwData().size()) / 1e6);
    reporter.printRatio("Module Access parse + fill / STW read + fill", "BM_ModuleAccessParseAndFill",
                        "BM_StwReadAndFill", 3);
    std::printf("%-58s %8.2fx   (of which parsing)\n", "Module Access parse alone / STW read + fill",
                reporter.time("BM_ModuleAccessParse") / reporter.time("BM_StwReadAndFill"));
    benchmark::Shutdown();
    return 0;
}
