#pragma once

#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

template<typename OnSeparator> void scanSeparators(std::string_view data, OnSeparator&& onSeparator)
{
    const char* const begin = data.data();
    const std::size_t size = data.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: one compare per separator, a bit mask, then only the set bits are visited.
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i record = _mm_set1_epi8(static_cast<char>(230));
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, tab), _mm_cmpeq_epi8(chunk, record))));
        while (mask) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            mask &= mask - 1;
            const std::size_t at = i + bit;
            onSeparator(at, begin[at] != '\t');
        }
    }
#endif
    for (; i < size; ++i) {
        if (begin[i] == '\t' || begin[i] == static_cast<char>(230))
            onSeparator(i, begin[i] != '\t');
    }
}

} // namespace corvane
