#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace corvane::bench {

/// Prints Google Benchmark's table, keeps each benchmark's time per iteration, and at the end prints the
/// ratios asked for, all measured in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    double time(const std::string& name) const
    {
        const auto found = m_seconds.find(name);
        return found == m_seconds.end() ? 0.0 : found->second;
    }

    /// Prints how many times slower `measured` is than `baseline` against the target.
    void printRatio(const std::string& label, const std::string& measured, const std::string& baseline, double target,
                    bool lowerIsBetter = true) const
    {
        const double a = time(measured);
        const double b = time(baseline);
        if (a <= 0 || b <= 0) {
            std::printf("%-58s   (not measured)\n", label.c_str());
            return;
        }
        const double ratio = a / b;
        const bool met = lowerIsBetter ? ratio <= target : ratio >= target;
        std::printf("%-58s %8.2fx   target %s%.0fx   %s\n", label.c_str(), ratio, lowerIsBetter ? "<= " : ">= ", target,
                    met ? "met" : "MISSED");
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace corvane::bench
