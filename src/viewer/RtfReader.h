#pragma once

#include "RtfDocument.h"

#include <cstddef>
#include <string_view>

namespace corvane {

/// Reads RTF into an RtfDocument in one pass with an explicit group stack, so neither deep nesting nor a long
/// table costs more than its bytes. Damaged input (unbalanced braces, truncation, junk after the document) gives
/// what could be read; nothing throws.
class RtfReader {
public:
    static RtfDocument read(std::string_view rtf);
    /// True when the bytes begin, after blanks, with "{\rtf".
    static bool looksLikeRtf(std::string_view bytes);
    /// Groups nested deeper than this still count their braces, but share the state of the deepest one kept.
    static constexpr std::size_t maxDepth = 20000;
};

} // namespace corvane
