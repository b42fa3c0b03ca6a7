#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// An RTF document as the reader leaves it. All lengths are twips (1/1440 inch) unless a name says otherwise, all
// text is UTF-8, and colours are resolved to 0xRRGGBB values (or rtfAutoColour). The model is flat: text lives in
// one buffer, formats are shared by index, and a story (the body or one header or footer) holds its paragraphs,
// runs and tables in plain vectors, so a statement run of thousands of pages costs a few vectors, not an object
// per character.

inline constexpr std::uint32_t rtfAutoColour = 0xFF000000u;

enum class RtfFontFamily : std::uint8_t { Nil, Roman, Swiss, Modern, Script, Decor, Tech, Bidi };

/// Which glyph map the font's bytes go through: text fonts use their code page, the two symbol fonts their own
/// Unicode maps.
enum class RtfGlyphs : std::uint8_t { Text, Symbol, Wingdings };

struct RtfFont {
    int number = 0; ///< the \fN number the document uses
    std::string name;
    RtfFontFamily family = RtfFontFamily::Nil;
    int charset = 0;
    int codePage = 1252; ///< the code page its \'hh bytes are read in
    bool fixedPitch = false;
    RtfGlyphs glyphs = RtfGlyphs::Text;
};

struct RtfColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool automatic = false; ///< an empty entry (usually the first): the viewer's own text colour
};

enum class RtfUnderline : std::uint8_t { None, Single, Double, Words, Dotted, Dashed, Thick, Wave };
enum class RtfVerticalPosition : std::uint8_t { Baseline, Superscript, Subscript };

struct RtfCharFormat {
    int font = -1; ///< index into RtfDocument::fonts; -1 for the viewer's default font
    int halfPoints = 24;
    std::uint32_t colour = rtfAutoColour;
    std::uint32_t background = rtfAutoColour; ///< highlight or character shading; auto for none
    int letterSpacing = 0; ///< \expndtw, may be negative
    int baselineShift = 0; ///< \up / \dn in half points, positive raises
    int link = -1; ///< index into RtfDocument::links when the text is a hyperlink
    bool bold = false, italic = false, strike = false, caps = false, smallCaps = false;
    RtfUnderline underline = RtfUnderline::None;
    RtfVerticalPosition vertical = RtfVerticalPosition::Baseline;

    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfAlignment : std::uint8_t { Left, Centre, Right, Justify };
enum class RtfTabKind : std::uint8_t { Left, Centre, Right, Decimal, Bar };
enum class RtfTabLeader : std::uint8_t { None, Dots, Hyphens, Underline, Thick, Equals };
/// How RtfParaFormat::lineSpacing reads: Auto ignores it; AtLeast and Exactly are twips; Multiple is 240ths of
/// single spacing (240 = single, 480 = double).
enum class RtfLineRule : std::uint8_t { Auto, AtLeast, Exactly, Multiple };

struct RtfTabStop {
    int position = 0;
    RtfTabKind kind = RtfTabKind::Left;
    RtfTabLeader leader = RtfTabLeader::None;

    bool operator==(const RtfTabStop&) const = default;
};

struct RtfParaFormat {
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0, rightIndent = 0, firstLineIndent = 0;
    int spaceBefore = 0, spaceAfter = 0;
    RtfLineRule lineRule = RtfLineRule::Auto;
    int lineSpacing = 0;
    bool keepTogether = false, keepWithNext = false, pageBreakBefore = false;
    std::uint32_t background = rtfAutoColour; ///< paragraph shading
    std::vector<RtfTabStop> tabs; ///< in the order given, positions as written

    bool operator==(const RtfParaFormat&) const = default;
};

enum class RtfRunKind : std::uint8_t {
    Text, ///< text[offset, offset + length); may hold TAB and U+2028 (a line break within the paragraph)
    Picture, ///< offset is the index into RtfDocument::pictures
    PageNumber, ///< the PAGE field or \chpgn: the number of the page it is painted on
    PageCount, ///< the NUMPAGES field: the pages of the whole document
    SectionPageCount, ///< the SECTIONPAGES field
};

struct RtfRun {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t format = 0; ///< index into RtfDocument::charFormats
    RtfRunKind kind = RtfRunKind::Text;
};

struct RtfParagraph {
    std::uint32_t firstRun = 0;
    std::uint32_t runCount = 0;
    std::uint32_t format = 0; ///< index into RtfDocument::paraFormats
    std::uint16_t labelRuns = 0; ///< the first runs are the list label (bullet or number and its tab)
    bool pageBreakBefore = false; ///< a \page came before this paragraph (besides \pagebb in the format)
};

enum class RtfBorderStyle : std::uint8_t { None, Single, Double, Dotted, Dashed, Thick };

struct RtfBorder {
    RtfBorderStyle style = RtfBorderStyle::None;
    int width = 0; ///< \brdrw, twips
    std::uint32_t colour = rtfAutoColour;

    bool operator==(const RtfBorder&) const = default;
};

enum class RtfVerticalAlignment : std::uint8_t { Top, Centre, Bottom };
enum class RtfSide : std::uint8_t { Top, Left, Bottom, Right };

struct RtfCellFormat {
    int rightEdge = 0; ///< \cellx: from the left margin, \trleft included
    RtfBorder borders[4]; ///< indexed by RtfSide
    std::uint32_t background = rtfAutoColour;
    RtfVerticalAlignment verticalAlignment = RtfVerticalAlignment::Top;
    bool mergeFirst = false, mergedLeft = false; ///< \clmgf, \clmrg
    bool verticalMergeFirst = false, mergedAbove = false; ///< \clvmgf, \clvmrg

    bool operator==(const RtfCellFormat&) const = default;
};

/// A row's definition (\trowd … \cellx); rows that declare the same share one.
struct RtfRowFormat {
    int left = 0; ///< \trleft
    int gap = 0; ///< \trgaph: half the space between cells
    int height = 0; ///< \trrh: positive at least, negative exactly
    RtfAlignment alignment = RtfAlignment::Left; ///< \trqc, \trqr
    bool header = false, keepTogether = false;
    std::vector<RtfCellFormat> cells;

    bool operator==(const RtfRowFormat&) const = default;
};

struct RtfCell {
    std::uint32_t firstParagraph = 0;
    std::uint32_t paragraphCount = 0;
    std::uint16_t rowSpan = 1, columnSpan = 1; ///< the spans of the cell that starts a merge
    bool covered = false; ///< part of a merge started by a cell to the left or above: paint nothing
};

struct RtfRow {
    std::uint32_t firstCell = 0;
    std::uint32_t cellCount = 0; ///< equals the format's cell count
    std::uint32_t format = 0; ///< index into RtfDocument::rowFormats
};

/// Consecutive rows that declare the same cell edges; a change of edges starts the next table directly below.
struct RtfTable {
    std::uint32_t firstRow = 0;
    std::uint32_t rowCount = 0;
    std::uint32_t columnCount = 0;
    std::uint32_t headerRows = 0; ///< leading rows marked \trhdr, repeated on each page
    bool pageBreakBefore = false; ///< a \page came right before the table
};

enum class RtfBlockKind : std::uint8_t { Paragraph, Table };

struct RtfBlock {
    RtfBlockKind kind = RtfBlockKind::Paragraph;
    std::uint32_t index = 0; ///< into the story's paragraphs or tables
};

/// The body, or one header or footer: blocks in reading order.
struct RtfStory {
    std::vector<RtfBlock> blocks;
    std::vector<RtfParagraph> paragraphs;
    std::vector<RtfRun> runs;
    std::vector<RtfTable> tables;
    std::vector<RtfRow> rows;
    std::vector<RtfCell> cells;
};

enum class RtfPictureKind : std::uint8_t {
    Png,
    Jpeg,
    Bmp, ///< a whole BMP file: a device-independent bitmap, or one found inside a WMF or EMF
    Unsupported, ///< a metafile without a bitmap, or a kind not read: paint an empty frame of the size
};

struct RtfPicture {
    RtfPictureKind kind = RtfPictureKind::Unsupported;
    std::string bytes; ///< a file that QImage reads as it is
    int width = 0, height = 0; ///< the size to paint, twips (goal size times scale)
};

enum class RtfSectionBreak : std::uint8_t { Page, Continuous, Column, EvenPage, OddPage };

struct RtfPageSetup {
    int paperWidth = 12240, paperHeight = 15840;
    int marginLeft = 1440, marginRight = 1440, marginTop = 1440, marginBottom = 1440;
    int headerDistance = 720, footerDistance = 720; ///< \headery, \footery: from the paper's edge
    bool landscape = false; ///< \landscape or \lndscpsxn

    bool isLandscape() const { return landscape || paperWidth > paperHeight; }
    bool operator==(const RtfPageSetup&) const = default;
};

/// Story indexes of one kind of header or footer; -1 where the section has none.
struct RtfHeaderSet {
    int all = -1; ///< \header / \footer: every page
    int left = -1, right = -1, first = -1;
};

struct RtfSection {
    RtfPageSetup page;
    RtfSectionBreak breakKind = RtfSectionBreak::Page;
    bool titlePage = false; ///< \titlepg: the first page uses the "first" header and footer
    int pageNumberStart = -1; ///< \pgnstarts with \pgnrestart; -1 continues the numbering
    RtfHeaderSet headers, footers;
    std::uint32_t firstBlock = 0, blockCount = 0; ///< its part of the body story
};

struct RtfDocument {
    std::string text;
    std::vector<RtfFont> fonts;
    std::vector<RtfColour> colours;
    std::vector<RtfCharFormat> charFormats;
    std::vector<RtfParaFormat> paraFormats;
    std::vector<RtfRowFormat> rowFormats;
    std::vector<RtfPicture> pictures; ///< identical pictures (a logo on every statement) are kept once
    std::vector<std::string> links;
    std::vector<RtfStory> stories; ///< stories[0] is the body
    std::vector<RtfSection> sections; ///< at least one, covering the body's blocks in order
    std::string title; ///< \info's \title, for a print job's name
    int defaultTab = 720;
    int defaultFont = -1; ///< index into fonts (\deff)

    const RtfStory& body() const { return stories.front(); }
    std::string_view runText(const RtfRun& run) const;
    /// The visible text of a story for find and for tests: paragraphs end in '\n', a cell's last paragraph in
    /// '\t' instead when another cell follows in the row; pictures show as U+FFFC and fields as '#'.
    std::string plainText(std::size_t story = 0) const;
    /// The bytes the model holds, for the memory figures.
    std::size_t bytesHeld() const;
};

} // namespace corvane
