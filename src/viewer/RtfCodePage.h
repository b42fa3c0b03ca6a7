#pragma once

#include <cstdint>
#include <string>

namespace corvane {

/// Byte-to-Unicode tables for the code pages RTF documents name (\ansicpg, \fcharset), and the glyph maps of the
/// Symbol and Wingdings fonts, which do not exist on Linux and so are shown as the Unicode characters they draw.
class RtfCodePage {
public:
    /// The table for bytes 128-255 of a single-byte code page; Windows-1252's for a page it does not know.
    static const char16_t* upperHalf(int codePage);
    static bool isKnown(int codePage);
    /// The code page a font's \fcharset stands for; 0 when it means "the document's own" (0 ANSI, 1 default).
    static int forCharset(int charset);
    /// What a byte in the Symbol font draws; U+FFFD for the few positions without a glyph.
    static char32_t symbolGlyph(unsigned char byte);
    /// What a byte in the Wingdings font draws; a bullet for glyphs without a Unicode counterpart.
    static char32_t wingdingsGlyph(unsigned char byte);
    static void appendUtf8(std::string& out, char32_t codePoint);
};

} // namespace corvane
