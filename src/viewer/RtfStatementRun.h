#pragma once

#include <string>

namespace corvane {

/// A patient statement run as a practice server prints it: one section per statement, a logo and letterhead on
/// each statement's first page, a table of services with a repeated header row, tab-aligned aging columns
/// (right and decimal tabs), a remittance stub, and a footer with "Page n of m". Used by the benchmark and by
/// the reference server's documents; the same pages count always gives the same bytes.
class RtfStatementRun {
public:
    static std::string generate(int pages);
    /// The small logo every statement carries: a palette PNG of 120 x 40 pixels.
    static std::string logoPng();
};

} // namespace corvane
