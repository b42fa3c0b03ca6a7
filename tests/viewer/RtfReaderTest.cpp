#include "RtfReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using namespace corvane;

namespace {

// Fonts 0-6 and colours 1-2 every test may use: Arial, Courier New, then East European, Symbol, Wingdings,
// Greek and Cyrillic fonts; red and blue.
std::string document(std::string_view body)
{
    return std::string("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                       "{\\f1\\fmodern\\fcharset0\\fprq1 Courier New;}{\\f2\\fswiss\\fcharset238 Arial CE;}"
                       "{\\f3\\ftech\\fcharset2 Symbol;}{\\f4\\fnil\\fcharset2 Wingdings;}"
                       "{\\f5\\fswiss\\fcharset161 Arial Greek;}{\\f6\\fswiss\\fcharset204 Arial Cyr;}}"
                       "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n")
        + std::string(body) + "}";
}

RtfDocument read(std::string_view body)
{
    return RtfReader::read(document(body));
}

const RtfCharFormat& formatOfRun(const RtfDocument& doc, std::size_t run, std::size_t story = 0)
{
    return doc.charFormats.at(doc.stories.at(story).runs.at(run).format);
}

const RtfParaFormat& formatOfParagraph(const RtfDocument& doc, std::size_t paragraph)
{
    return doc.paraFormats.at(doc.body().paragraphs.at(paragraph).format);
}

/// What must hold for any input: every index points inside the model.
void expectConsistent(const RtfDocument& doc)
{
    ASSERT_FALSE(doc.stories.empty());
    ASSERT_FALSE(doc.sections.empty());
    for (const RtfStory& story : doc.stories) {
        for (const RtfRun& run : story.runs) {
            ASSERT_LT(run.format, doc.charFormats.size());
            if (run.kind == RtfRunKind::Text) {
                ASSERT_LE(std::size_t {run.offset} + run.length, doc.text.size());
            }
            if (run.kind == RtfRunKind::Picture) {
                ASSERT_LT(run.offset, doc.pictures.size());
            }
        }
        for (const RtfParagraph& paragraph : story.paragraphs) {
            ASSERT_LE(std::size_t {paragraph.firstRun} + paragraph.runCount, story.runs.size());
            ASSERT_LT(paragraph.format, doc.paraFormats.size());
        }
        for (const RtfBlock& block : story.blocks)
            ASSERT_LT(block.index, block.kind == RtfBlockKind::Table ? story.tables.size() : story.paragraphs.size());
        for (const RtfTable& table : story.tables)
            ASSERT_LE(std::size_t {table.firstRow} + table.rowCount, story.rows.size());
        for (const RtfRow& row : story.rows) {
            ASSERT_LT(row.format, doc.rowFormats.size());
            ASSERT_EQ(row.cellCount, doc.rowFormats[row.format].cells.size());
            ASSERT_LE(std::size_t {row.firstCell} + row.cellCount, story.cells.size());
        }
        for (const RtfCell& cell : story.cells)
            ASSERT_LE(std::size_t {cell.firstParagraph} + cell.paragraphCount, story.paragraphs.size());
    }
    std::uint32_t next = 0;
    for (const RtfSection& section : doc.sections) {
        ASSERT_EQ(section.firstBlock, next);
        next += section.blockCount;
    }
    ASSERT_EQ(next, doc.body().blocks.size());
}

struct TextCase {
    const char* name;
    const char* body;
    const char* expected;
};

class RtfTextTest : public testing::TestWithParam<TextCase> { };

TEST_P(RtfTextTest, readsTheVisibleText)
{
    const RtfDocument doc = read(GetParam().body);
    EXPECT_EQ(doc.plainText(), GetParam().expected);
    expectConsistent(doc);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, RtfTextTest,
    testing::Values(
        TextCase {"plain", "Hello, world\\par", "Hello, world\n"},
        TextCase {"controlSymbols", "a\\{b\\}c\\\\d\\par", "a{b}c\\d\n"},
        TextCase {"spaceEndsAControlWord", "\\b bold\\b0  two\\par", "bold two\n"},
        TextCase {"specialSymbols", "a\\~b\\-c\\_d\\par",
                  "a\xC2\xA0"
                  "b\xC2\xAD"
                  "c\xE2\x80\x91"
                  "d\n"},
        TextCase {"namedCharacters", "\\lquote a\\rquote \\ldblquote b\\rdblquote \\emdash\\endash\\bullet\\par",
                  "\xE2\x80\x98"
                  "a\xE2\x80\x99\xE2\x80\x9C"
                  "b\xE2\x80\x9D\xE2\x80\x94\xE2\x80\x93\xE2\x80\xA2\n"},
        TextCase {"tabAndLine", "a\\tab b\\line c\\par",
                  "a\tb\xE2\x80\xA8"
                  "c\n"},
        TextCase {"backslashNewlineIsPar", "one\\\ntwo\\par", "one\ntwo\n"},
        TextCase {"lineBreaksInTheFileAreNotText", "one\r\ntwo\\par", "onetwo\n"},
        TextCase {"hexInWindows1252", "caf\\'e9 \\'80 \\'93q\\'94\\par",
                  "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D\n"},
        TextCase {"rawUpperBytesReadAsTheCodePage", "caf\xE9\\par", "caf\xC3\xA9\n"},
        TextCase {"hexInTheFontsCodePage", "{\\f2\\'b9}{\\f5\\'e1}{\\f6\\'e0}\\'b9\\par",
                  "\xC4\x85\xCE\xB1\xD0\xB0\xC2\xB9\n"},
        TextCase {"unicodeWithFallback", "\\u8364?x\\par",
                  "\xE2\x82\xAC"
                  "x\n"},
        TextCase {"fallbackMayBeAHexByte", "\\u8212\\'97x\\par", "\xE2\x80\x94x\n"},
        TextCase {"uc0SkipsNothing", "\\uc0\\u8364 x\\par",
                  "\xE2\x82\xAC"
                  "x\n"},
        TextCase {"uc2SkipsTwo", "\\uc2\\u8364\\'80\\'80x\\uc2\\u8364 ??y\\par",
                  "\xE2\x82\xAC"
                  "x\xE2\x82\xAC"
                  "y\n"},
        TextCase {"ucIsGroupScoped", "{\\uc2\\u8364??}\\u8364?x\\par",
                  "\xE2\x82\xAC\xE2\x82\xAC"
                  "x\n"},
        TextCase {"fallbackEndsAtAGroup", "\\uc3\\u8364?{x}\\par",
                  "\xE2\x82\xAC"
                  "x\n"},
        TextCase {"negativeUnicode", "\\u-223?\\par", "\xEF\xBC\xA1\n"},
        TextCase {"surrogatePair", "\\u-10179?\\u-8704?\\par", "\xF0\x9F\x98\x80\n"},
        TextCase {"loneHighSurrogate", "\\u-10179?x\\par", "\xEF\xBF\xBDx\n"},
        TextCase {"loneLowSurrogate", "\\u-8704?x\\par", "\xEF\xBF\xBDx\n"},
        TextCase {"symbolFontBullet", "{\\f3\\'b7}{\\f3 a}{\\f3\\u-3913?}\\par", "\xE2\x80\xA2\xCE\xB1\xE2\x80\xA2\n"},
        TextCase {"wingdingsBoxes", "{\\f4\\'a8\\'fe\\'fd\\'fc\\'6c}\\par",
                  "\xE2\x98\x90\xE2\x98\x91\xE2\x98\x92\xE2\x9C\x93\xE2\x97\x8F\n"},
        TextCase {"hiddenTextDropped", "a{\\v hidden}b\\v c\\v0 d\\par", "abd\n"},
        TextCase {"unknownWordKeepsItsText", "{\\foo bar}\\par", "bar\n"},
        TextCase {"ignorableDestinationSkipped", "{\\*\\unknown stuff {nested \\} } more}x\\par", "x\n"},
        TextCase {"knownDestinationsSkipped",
                  "{\\stylesheet{\\s0 Normal;}}{\\info{\\author Me}}{\\*\\generator W}{\\footnote note}"
                  "{\\listtable{\\list x}}x\\par",
                  "x\n"},
        TextCase {"binInABody", "a\\bin3 xyzb\\par", "ab\n"},
        TextCase {"binHidesBracesInASkippedGroup", "{\\*\\data \\bin4 {{}}}after\\par", "after\n"},
        TextCase {"fieldResultShown", "{\\field{\\*\\fldinst DATE \\\\@ \"M/d/yyyy\"}{\\fldrslt 03/31/2026}}\\par",
                  "03/31/2026\n"},
        TextCase {"symbolField", "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt x}}\\par",
                  "\xE2\x80\xA2\n"},
        TextCase {"pageFieldsInTheBody", "{\\field{\\*\\fldinst { PAGE }}{\\fldrslt 4}} \\chpgn\\par", "# #\n"},
        TextCase {"objectShowsItsResult", "{\\object\\objemb{\\*\\objclass Word}{\\*\\objdata 0102}{\\result R}}\\par",
                  "R\n"},
        TextCase {"nestedCellsFlattened", "\\trowd\\cellx2000\\pard\\intbl a\\nestcell b\\cell\\row", "a\nb\n"}),
    [](const testing::TestParamInfo<TextCase>& testCase) { return std::string(testCase.param.name); });

TEST(RtfReaderTest, tellsRtfFromOtherContent)
{
    EXPECT_TRUE(RtfReader::looksLikeRtf("{\\rtf1 x}"));
    EXPECT_TRUE(RtfReader::looksLikeRtf("\r\n  {\\rtf1"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("ERROR: no such document"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("{\\rt"));
}

TEST(RtfReaderTest, fontAndColourTables)
{
    const RtfDocument doc = RtfReader::read(
        "{\\rtf1\\ansi\\ansicpg1251\\deff1{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f1\\fswiss{\\*\\panose 020b0604020202020204}Arial{\\*\\falt Helvetica};}\\f2\\fmodern\\fprq1 Courier;"
        "{\\f3\\ftech\\fcharset2 Symbol;}{\\f7\\fnil\\fcharset238 Tahoma CE;}}"
        "{\\colortbl;\\red255\\green128\\blue0;;\\red1\\green2\\blue3;}\\'c0\\par}");
    ASSERT_EQ(doc.fonts.size(), 5u);
    EXPECT_EQ(doc.fonts[1].name, "Arial");
    EXPECT_EQ(doc.fonts[1].family, RtfFontFamily::Swiss);
    EXPECT_EQ(doc.fonts[2].name, "Courier");
    EXPECT_TRUE(doc.fonts[2].fixedPitch);
    EXPECT_EQ(doc.fonts[3].glyphs, RtfGlyphs::Symbol);
    EXPECT_EQ(doc.fonts[0].codePage, 1251) << "charset 0 reads in the document's code page";
    EXPECT_EQ(doc.fonts[4].number, 7);
    EXPECT_EQ(doc.fonts[4].codePage, 1250);
    EXPECT_EQ(doc.defaultFont, 1);
    EXPECT_EQ(doc.plainText(), "\xD0\x90\n");

    ASSERT_EQ(doc.colours.size(), 4u);
    EXPECT_TRUE(doc.colours[0].automatic);
    EXPECT_EQ(doc.colours[1].green, 128);
    EXPECT_TRUE(doc.colours[2].automatic);
    EXPECT_EQ(doc.colours[3].blue, 3);
}

TEST(RtfReaderTest, titleComesFromInfo)
{
    EXPECT_EQ(read("{\\info{\\title Statement \\'e9 run}{\\author X}}x\\par").title, "Statement \xC3\xA9 run");
}

struct CharCase {
    const char* name;
    const char* body;
    RtfCharFormat expected; ///< the whole format, so a word never changes more than its own property
};

class RtfCharFormatTest : public testing::TestWithParam<CharCase> { };

TEST_P(RtfCharFormatTest, formatsTheRun)
{
    const RtfDocument doc = read(std::string("{") + GetParam().body + " x}\\par");
    ASSERT_EQ(doc.body().runs.size(), 1u);
    EXPECT_EQ(formatOfRun(doc, 0), GetParam().expected);
}

const CharCase charCases[] = {
    {"bold", "\\b", {.font = 0, .bold = true}},
    {"boldOff", "\\b\\b0", {.font = 0}},
    {"italic", "\\i", {.font = 0, .italic = true}},
    {"underline", "\\ul", {.font = 0, .underline = RtfUnderline::Single}},
    {"underlineNone", "\\ul\\ulnone", {.font = 0}},
    {"doubleUnderline", "\\uldb", {.font = 0, .underline = RtfUnderline::Double}},
    {"wordUnderline", "\\ulw", {.font = 0, .underline = RtfUnderline::Words}},
    {"strike", "\\strike", {.font = 0, .strike = true}},
    {"caps", "\\caps", {.font = 0, .caps = true}},
    {"smallCaps", "\\scaps", {.font = 0, .smallCaps = true}},
    {"size", "\\fs17", {.font = 0, .halfPoints = 17}},
    {"font", "\\f1", {.font = 1}},
    {"unknownFontIsTheDefault", "\\f99", {.font = -1}},
    {"symbolTextUsesTheDefaultFont", "\\f3", {.font = 0}},
    {"colour", "\\cf1", {.font = 0, .colour = 0xFF0000u}},
    {"autoColour", "\\cf0", {.font = 0, .colour = rtfAutoColour}},
    {"colourOutOfTable", "\\cf9", {.font = 0, .colour = rtfAutoColour}},
    {"highlight", "\\highlight2", {.font = 0, .background = 0x0000FFu}},
    {"characterShading", "\\chcbpat1", {.font = 0, .background = 0xFF0000u}},
    {"superscript", "\\super", {.font = 0, .vertical = RtfVerticalPosition::Superscript}},
    {"subscript", "\\sub", {.font = 0, .vertical = RtfVerticalPosition::Subscript}},
    {"raised", "\\up6", {.font = 0, .baselineShift = 6}},
    {"lowered", "\\dn4", {.font = 0, .baselineShift = -4}},
    {"letterSpacing", "\\expndtw-20", {.font = 0, .letterSpacing = -20}},
    {"plainResets", "\\b\\i\\fs40\\cf1\\f1\\plain", {.font = 0}},
};

INSTANTIATE_TEST_SUITE_P(Formats, RtfCharFormatTest, testing::ValuesIn(charCases),
                         [](const testing::TestParamInfo<CharCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

TEST(RtfReaderTest, groupsRestoreTheOuterFormatting)
{
    const RtfDocument doc = read("a{\\b b{\\i c}d}e\\par");
    ASSERT_EQ(doc.body().runs.size(), 5u);
    EXPECT_FALSE(formatOfRun(doc, 0).bold);
    EXPECT_TRUE(formatOfRun(doc, 1).bold);
    EXPECT_TRUE(formatOfRun(doc, 2).bold && formatOfRun(doc, 2).italic);
    EXPECT_TRUE(formatOfRun(doc, 3).bold && !formatOfRun(doc, 3).italic);
    EXPECT_FALSE(formatOfRun(doc, 4).bold);
    EXPECT_EQ(doc.body().runs[0].format, doc.body().runs[4].format) << "equal formats are kept once";
}

TEST(RtfReaderTest, paragraphFormatting)
{
    const RtfDocument doc = read("\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa240\\sl360\\slmult1\\keep\\keepn a\\par"
                                 "\\pard\\qr\\sl-240 b\\par"
                                 "\\pard\\qj\\sl300\\pagebb\\cbpat2 c\\par"
                                 "{\\pard\\qc d\\par}e\\par"
                                 "\\pard\\tx1440\\tqr\\tx5000\\tqdec\\tx7000\\tqc\\tldot\\tx9000\\tb9500 f\\par");
    ASSERT_EQ(doc.body().paragraphs.size(), 6u);
    const RtfParaFormat& a = formatOfParagraph(doc, 0);
    EXPECT_EQ(a.alignment, RtfAlignment::Centre);
    EXPECT_EQ(a.leftIndent, 720);
    EXPECT_EQ(a.rightIndent, 360);
    EXPECT_EQ(a.firstLineIndent, -360);
    EXPECT_EQ(a.spaceBefore, 120);
    EXPECT_EQ(a.spaceAfter, 240);
    EXPECT_EQ(a.lineRule, RtfLineRule::Multiple);
    EXPECT_EQ(a.lineSpacing, 360);
    EXPECT_TRUE(a.keepTogether && a.keepWithNext);

    const RtfParaFormat& b = formatOfParagraph(doc, 1);
    EXPECT_EQ(b.alignment, RtfAlignment::Right);
    EXPECT_EQ(b.lineRule, RtfLineRule::Exactly);
    EXPECT_EQ(b.lineSpacing, 240);
    EXPECT_EQ(b.leftIndent, 0) << "\\pard resets";

    const RtfParaFormat& c = formatOfParagraph(doc, 2);
    EXPECT_EQ(c.alignment, RtfAlignment::Justify);
    EXPECT_EQ(c.lineRule, RtfLineRule::AtLeast);
    EXPECT_TRUE(c.pageBreakBefore);
    EXPECT_EQ(c.background, 0x0000FFu);

    EXPECT_EQ(formatOfParagraph(doc, 3).alignment, RtfAlignment::Centre);
    EXPECT_EQ(formatOfParagraph(doc, 4).alignment, RtfAlignment::Justify) << "the group's \\pard ended with it";

    const std::vector<RtfTabStop> expected {{1440, RtfTabKind::Left, RtfTabLeader::None},
                                            {5000, RtfTabKind::Right, RtfTabLeader::None},
                                            {7000, RtfTabKind::Decimal, RtfTabLeader::None},
                                            {9000, RtfTabKind::Centre, RtfTabLeader::Dots},
                                            {9500, RtfTabKind::Bar, RtfTabLeader::None}};
    EXPECT_EQ(formatOfParagraph(doc, 5).tabs, expected);
}

TEST(RtfReaderTest, defaultTabAndShadedParagraph)
{
    const RtfDocument doc = RtfReader::read("{\\rtf1\\deftab360{\\colortbl;\\red255\\green255\\blue255;}"
                                            "\\pard\\cbpat1\\shading2500 x\\par}");
    EXPECT_EQ(doc.defaultTab, 360);
    EXPECT_EQ(doc.paraFormats.at(doc.body().paragraphs.at(0).format).background, 0xBFBFBFu) << "25 % black over white";
}

TEST(RtfReaderTest, listTextIsTheParagraphsLabel)
{
    const RtfDocument doc = read("{\\*\\listtable{\\list{\\listlevel{\\leveltext \\'01\\u-3913 ?;}}}}"
                                 "{\\listtext\\pard\\plain\\f3\\'b7\\tab}\\pard\\li720 Item one\\par"
                                 "{\\pntext\\f0 2.\\tab}\\pard Item two\\par Plain\\par");
    ASSERT_EQ(doc.body().paragraphs.size(), 3u);
    EXPECT_EQ(doc.plainText(), "\xE2\x80\xA2\tItem one\n2.\tItem two\nPlain\n");
    const RtfParagraph& first = doc.body().paragraphs[0];
    ASSERT_EQ(first.labelRuns, 1u);
    EXPECT_EQ(doc.runText(doc.body().runs[first.firstRun]), "\xE2\x80\xA2\t");
    EXPECT_EQ(doc.runText(doc.body().runs[first.firstRun + 1]), "Item one") << "the label is a run of its own";
    EXPECT_EQ(doc.body().paragraphs[1].labelRuns, 1u);
    EXPECT_EQ(doc.body().paragraphs[2].labelRuns, 0u);
}

TEST(RtfReaderTest, hyperlinkMarksTheResult)
{
    const RtfDocument doc
        = read("{\\field{\\*\\fldinst HYPERLINK \"https://example.org/pay\"}{\\fldrslt {\\ul Pay online}}} now\\par");
    ASSERT_EQ(doc.links, std::vector<std::string> {"https://example.org/pay"});
    EXPECT_EQ(doc.plainText(), "Pay online now\n");
    EXPECT_EQ(formatOfRun(doc, 0).link, 0);
    EXPECT_EQ(formatOfRun(doc, 1).link, -1);
}

TEST(RtfReaderTest, headersAndFootersWithPageFields)
{
    const RtfDocument doc
        = read("{\\header\\pard\\qr Riverside\\par}"
               "{\\footer\\pard\\qc Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of {\\field{\\*\\fldinst NUMPAGES}"
               "{\\fldrslt 9}} ({\\field{\\*\\fldinst SECTIONPAGES}{\\fldrslt 2}})\\par}"
               "{\\headerf\\pard First page\\par}{\\footerl L\\par}{\\footerr R\\par}\\titlepg Body\\par");
    ASSERT_EQ(doc.sections.size(), 1u);
    const RtfSection& section = doc.sections[0];
    EXPECT_TRUE(section.titlePage);
    ASSERT_GT(section.headers.all, 0);
    ASSERT_GT(section.footers.all, 0);
    ASSERT_GT(section.headers.first, 0);
    EXPECT_GT(section.footers.left, 0);
    EXPECT_GT(section.footers.right, 0);
    EXPECT_EQ(doc.plainText(), "Body\n");
    EXPECT_EQ(doc.plainText(static_cast<std::size_t>(section.headers.all)), "Riverside\n");
    EXPECT_EQ(doc.plainText(static_cast<std::size_t>(section.headers.first)), "First page\n");
    const RtfStory& footer = doc.stories[static_cast<std::size_t>(section.footers.all)];
    std::vector<RtfRunKind> kinds;
    for (const RtfRun& run : footer.runs)
        kinds.push_back(run.kind);
    EXPECT_EQ(
        kinds,
        (std::vector<RtfRunKind> {RtfRunKind::Text, RtfRunKind::PageNumber, RtfRunKind::Text, RtfRunKind::PageCount,
                                  RtfRunKind::Text, RtfRunKind::SectionPageCount, RtfRunKind::Text}));
    EXPECT_EQ(doc.plainText(static_cast<std::size_t>(section.footers.all)), "Page # of # (#)\n");
    EXPECT_EQ(doc.paraFormats[footer.paragraphs[0].format].alignment, RtfAlignment::Centre);
}

TEST(RtfReaderTest, pageSetupAndSections)
{
    const RtfDocument doc = RtfReader::read(
        "{\\rtf1\\paperw15840\\paperh12240\\margl720\\margr720\\margt1080\\margb1080\\landscape"
        "\\sectd\\headery300\\pgnrestart\\pgnstarts3 One\\par\\sect"
        "\\sectd\\lndscpsxn0\\pgwsxn12240\\pghsxn15840\\marglsxn1800\\sbknone Two\\par\\page Three\\par\\sect"
        " Four\\par}");
    ASSERT_EQ(doc.sections.size(), 3u);
    const RtfPageSetup& first = doc.sections[0].page;
    EXPECT_EQ(first.paperWidth, 15840);
    EXPECT_EQ(first.marginLeft, 720);
    EXPECT_EQ(first.marginTop, 1080);
    EXPECT_EQ(first.headerDistance, 300);
    EXPECT_TRUE(first.isLandscape());
    EXPECT_EQ(doc.sections[0].pageNumberStart, 3);
    EXPECT_EQ(doc.sections[0].blockCount, 1u);

    const RtfSection& second = doc.sections[1];
    EXPECT_FALSE(second.page.isLandscape());
    EXPECT_EQ(second.page.marginLeft, 1800);
    EXPECT_EQ(second.page.marginTop, 1080) << "\\sectd goes back to the document's settings";
    EXPECT_EQ(second.breakKind, RtfSectionBreak::Continuous);
    EXPECT_EQ(second.pageNumberStart, -1);
    EXPECT_EQ(second.blockCount, 2u);
    EXPECT_TRUE(doc.body().paragraphs[2].pageBreakBefore) << "\\page before Three";
    EXPECT_EQ(doc.sections[2].blockCount, 1u) << "properties carry over until the next \\sectd";
    EXPECT_EQ(doc.sections[2].page.marginLeft, 1800);
}

TEST(RtfReaderTest, defaultPageIsLetterWithInchMargins)
{
    const RtfDocument doc = RtfReader::read("{\\rtf1 x\\par}");
    ASSERT_EQ(doc.sections.size(), 1u);
    EXPECT_EQ(doc.sections[0].page, RtfPageSetup {});
    EXPECT_EQ(RtfPageSetup {}.paperWidth, 12240);
    EXPECT_EQ(RtfPageSetup {}.marginLeft, 1440);
}

TEST(RtfReaderTest, pageBreakInsideAParagraphSplitsIt)
{
    const RtfDocument doc = read("Hello\\page World\\par");
    EXPECT_EQ(doc.plainText(), "Hello\nWorld\n");
    EXPECT_FALSE(doc.body().paragraphs[0].pageBreakBefore);
    EXPECT_TRUE(doc.body().paragraphs[1].pageBreakBefore);
}

// --- tables --------------------------------------------------------------------------------------------------------

const RtfTable& onlyTable(const RtfDocument& doc)
{
    EXPECT_EQ(doc.body().tables.size(), 1u);
    return doc.body().tables.at(0);
}

TEST(RtfReaderTest, simpleTableSharesOneRowDefinition)
{
    const RtfDocument doc = read("\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000"
                                 "\\pard\\intbl A\\cell B\\cell\\row"
                                 "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000"
                                 "\\pard\\intbl C\\par C2\\cell D\\cell\\row\\pard After\\par");
    EXPECT_EQ(doc.plainText(), "A\tB\nC\nC2\tD\nAfter\n");
    const RtfTable& table = onlyTable(doc);
    EXPECT_EQ(table.rowCount, 2u);
    EXPECT_EQ(table.columnCount, 2u);
    EXPECT_EQ(doc.rowFormats.size(), 1u);
    const RtfRowFormat& row = doc.rowFormats[0];
    EXPECT_EQ(row.left, -108);
    EXPECT_EQ(row.gap, 108);
    ASSERT_EQ(row.cells.size(), 2u);
    EXPECT_EQ(row.cells[1].rightEdge, 4000);
    ASSERT_EQ(doc.body().blocks.size(), 2u);
    EXPECT_EQ(doc.body().blocks[0].kind, RtfBlockKind::Table);
    EXPECT_EQ(doc.body().cells[2].paragraphCount, 2u);
}

TEST(RtfReaderTest, cellBordersShadingAndAlignment)
{
    const RtfDocument doc = read("\\trowd\\trqc\\trrh-400\\clvertalc\\clbrdrt\\brdrs\\brdrw10\\brdrcf1"
                                 "\\clbrdrb\\brdrdb\\brdrw30\\clcbpat2\\cellx2000"
                                 "\\clvertalb\\clbrdrl\\brdrdot\\clbrdrr\\brdrnone\\clshdng2500\\cellx4000"
                                 "\\pard\\intbl\\brdrb\\brdrs\\brdrw99 A\\cell B\\cell\\row");
    const RtfRowFormat& row = doc.rowFormats.at(0);
    EXPECT_EQ(row.alignment, RtfAlignment::Centre);
    EXPECT_EQ(row.height, -400);
    const RtfCellFormat& a = row.cells.at(0);
    EXPECT_EQ(a.verticalAlignment, RtfVerticalAlignment::Centre);
    EXPECT_EQ(a.borders[static_cast<int>(RtfSide::Top)], (RtfBorder {RtfBorderStyle::Single, 10, 0xFF0000u}));
    EXPECT_EQ(a.borders[static_cast<int>(RtfSide::Bottom)], (RtfBorder {RtfBorderStyle::Double, 30, rtfAutoColour}));
    EXPECT_EQ(a.borders[static_cast<int>(RtfSide::Left)].style, RtfBorderStyle::None);
    EXPECT_EQ(a.background, 0x0000FFu);
    const RtfCellFormat& b = row.cells.at(1);
    EXPECT_EQ(b.verticalAlignment, RtfVerticalAlignment::Bottom);
    EXPECT_EQ(b.borders[static_cast<int>(RtfSide::Left)].style, RtfBorderStyle::Dotted);
    EXPECT_EQ(b.borders[static_cast<int>(RtfSide::Right)].style, RtfBorderStyle::None);
    EXPECT_EQ(b.borders[static_cast<int>(RtfSide::Bottom)].width, 0) << "a paragraph border is not a cell's";
    EXPECT_EQ(b.background, 0xBFBFBFu);
}

TEST(RtfReaderTest, rowBordersFillWhatCellsLeaveOut)
{
    const RtfDocument doc = read("\\trowd\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\trbrdrv\\brdrdb"
                                 "\\clbrdrt\\brdrth\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row");
    const RtfRowFormat& row = doc.rowFormats.at(0);
    EXPECT_EQ(row.cells[0].borders[static_cast<int>(RtfSide::Top)].style, RtfBorderStyle::Thick);
    EXPECT_EQ(row.cells[1].borders[static_cast<int>(RtfSide::Top)].style, RtfBorderStyle::Single);
    EXPECT_EQ(row.cells[0].borders[static_cast<int>(RtfSide::Left)].style, RtfBorderStyle::Single);
    EXPECT_EQ(row.cells[1].borders[static_cast<int>(RtfSide::Left)].style, RtfBorderStyle::Double);
}

TEST(RtfReaderTest, headerRowsAreCounted)
{
    std::string body;
    for (int row = 0; row < 5; ++row) {
        body += std::string("\\trowd") + (row < 2 ? "\\trhdr" : "") + "\\cellx3000\\cellx6000\\pard\\intbl r"
            + std::to_string(row) + "\\cell x\\cell\\row";
    }
    const RtfDocument doc = read(body);
    const RtfTable& table = onlyTable(doc);
    EXPECT_EQ(table.rowCount, 5u);
    EXPECT_EQ(table.headerRows, 2u);
    EXPECT_TRUE(doc.rowFormats[doc.body().rows[0].format].header);
}

TEST(RtfReaderTest, horizontalAndVerticalMerges)
{
    const RtfDocument doc = read("\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clvmgf\\cellx3000"
                                 "\\pard\\intbl wide\\cell\\cell tall\\cell\\row"
                                 "\\trowd\\cellx1000\\cellx2000\\clvmrg\\cellx3000"
                                 "\\pard\\intbl a\\cell b\\cell\\cell\\row"
                                 "\\trowd\\cellx1000\\cellx2000\\clvmrg\\cellx3000"
                                 "\\pard\\intbl c\\cell d\\cell\\cell\\row"
                                 "\\trowd\\cellx1000\\cellx2000\\cellx3000"
                                 "\\pard\\intbl e\\cell f\\cell g\\cell\\row");
    const RtfTable& table = onlyTable(doc);
    ASSERT_EQ(table.rowCount, 4u);
    const std::vector<RtfCell>& cells = doc.body().cells;
    EXPECT_EQ(cells[0].columnSpan, 2u);
    EXPECT_TRUE(cells[1].covered);
    EXPECT_EQ(cells[2].rowSpan, 3u);
    EXPECT_TRUE(cells[5].covered);
    EXPECT_TRUE(cells[8].covered);
    EXPECT_FALSE(cells[11].covered);
    EXPECT_EQ(doc.plainText(), "wide\ttall\na\tb\nc\td\ne\tf\tg\n");
}

TEST(RtfReaderTest, changedCellEdgesStartANewTable)
{
    const RtfDocument doc = read("\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row"
                                 "\\trowd\\cellx4000\\pard\\intbl wide\\cell\\row"
                                 "\\trowd\\cellx4000\\pard\\intbl wide2\\cell\\row"
                                 "\\pard between\\par"
                                 "\\trowd\\cellx4000\\pard\\intbl again\\cell\\row");
    ASSERT_EQ(doc.body().tables.size(), 3u);
    EXPECT_EQ(doc.body().tables[1].rowCount, 2u);
    EXPECT_EQ(doc.body().tables[2].rowCount, 1u) << "a paragraph between rows ends the table";
    ASSERT_EQ(doc.body().blocks.size(), 4u);
}

TEST(RtfReaderTest, pageBreakBeforeARowStartsANewTable)
{
    const RtfDocument doc = read("\\trowd\\cellx2000\\pard\\intbl a\\cell\\row\\page"
                                 "\\trowd\\cellx2000\\pard\\intbl b\\cell\\row");
    ASSERT_EQ(doc.body().tables.size(), 2u);
    EXPECT_TRUE(doc.body().tables[1].pageBreakBefore);
    EXPECT_FALSE(doc.body().paragraphs[1].pageBreakBefore);
}

TEST(RtfReaderTest, damagedRowsStillGiveCells)
{
    struct Case {
        const char* body;
        const char* text;
        std::uint32_t columns;
    };
    const Case cases[] = {
        {"\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\row", "a\tb\n", 2},
        {"\\trowd\\cellx1000\\pard\\intbl a\\cell b\\cell c\\cell\\row", "a\tb\tc\n", 3},
        {"\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell\\row", "a\t\t\n", 3},
        {"\\trowd\\cellx1000\\pard\\intbl a\\cell\\pard after\\par", "a\nafter\n", 1},
        {"\\trowd\\cellx1000\\pard\\intbl a\\cell", "a\n", 1},
        {"\\pard\\intbl a\\par\\pard b\\par", "a\nb\n", 1},
    };
    for (const Case& c : cases) {
        const RtfDocument doc = read(c.body);
        EXPECT_EQ(doc.plainText(), c.text) << c.body;
        ASSERT_FALSE(doc.body().tables.empty()) << c.body;
        EXPECT_EQ(doc.body().tables[0].columnCount, c.columns) << c.body;
        expectConsistent(doc);
    }
}

TEST(RtfReaderTest, tableOfAHundredThousandRowsReadsInLinearTime)
{
    const auto table = [](int rows) {
        std::string body;
        for (int row = 0; row < rows; ++row) {
            body += "\\trowd\\trgaph70\\clbrdrb\\brdrs\\cellx1500\\clbrdrb\\brdrs\\cellx4000\\clbrdrb\\brdrs\\cellx6000"
                    "\\pard\\intbl\\ql ";
            body += std::to_string(row);
            body += "\\cell Office visit\\cell\\qr 125.00\\cell\\row\n";
        }
        return document(body);
    };
    const std::string small = table(10000);
    const std::string large = table(100000);
    const auto timed = [](const std::string& rtf, RtfDocument& doc) {
        const auto start = std::chrono::steady_clock::now();
        doc = RtfReader::read(rtf);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    RtfDocument doc;
    double smallTime = timed(small, doc);
    smallTime = std::min(smallTime, timed(small, doc));
    const double largeTime = timed(large, doc);
    const RtfTable& read = onlyTable(doc);
    EXPECT_EQ(read.rowCount, 100000u);
    EXPECT_EQ(doc.rowFormats.size(), 1u);
    EXPECT_EQ(doc.runText(doc.body().runs.at(doc.body().paragraphs.back().firstRun)), "125.00");
    // Ten times the rows: a quadratic reader would take about a hundred times as long.
    EXPECT_LT(largeTime, smallTime * 30) << smallTime << " s for 10,000 rows, " << largeTime << " s for 100,000";
}

// --- pictures ------------------------------------------------------------------------------------------------------

std::string hexOf(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += digits[static_cast<unsigned char>(c) >> 4];
        out += digits[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

void appendLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

/// A 2 x 2 bitmap: BITMAPINFOHEADER, colourCount palette entries, then rows of 4-byte-aligned pixels.
std::string dib(int bits, int colourCount)
{
    std::string out;
    appendLe(out, 40, 4);
    appendLe(out, 2, 4);
    appendLe(out, 2, 4);
    appendLe(out, 1, 2);
    appendLe(out, static_cast<std::uint32_t>(bits), 2);
    appendLe(out, 0, 4);
    appendLe(out, 0, 4);
    appendLe(out, 2835, 4);
    appendLe(out, 2835, 4);
    appendLe(out, static_cast<std::uint32_t>(colourCount), 4);
    appendLe(out, 0, 4);
    const int paletteEntries = colourCount != 0 ? colourCount : (bits <= 8 ? 1 << bits : 0);
    for (int i = 0; i < paletteEntries; ++i)
        appendLe(out, 0x00FF0000u + static_cast<std::uint32_t>(i), 4);
    const int rowBytes = ((2 * bits + 31) / 32) * 4;
    out += std::string(static_cast<std::size_t>(rowBytes * 2), '\x7F');
    return out;
}

std::uint32_t leAt(std::string_view bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;)
        v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

/// A copy, so that it outlives the document read for it.
RtfPicture onlyPicture(const RtfDocument& doc)
{
    EXPECT_EQ(doc.pictures.size(), 1u);
    return doc.pictures.at(0);
}

const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x78\0\0\0\x28\x02\x03\0\0\0", 29);

TEST(RtfPictureTest, pngFromHexAndFromBin)
{
    const RtfDocument hex
        = read("{\\pict\\pngblip\\picw120\\pich40\\picwgoal1800\\pichgoal600 " + hexOf(png) + "}\\par");
    const RtfPicture& picture = onlyPicture(hex);
    EXPECT_EQ(picture.kind, RtfPictureKind::Png);
    EXPECT_EQ(picture.bytes, png);
    EXPECT_EQ(picture.width, 1800);
    EXPECT_EQ(picture.height, 600);
    ASSERT_EQ(hex.body().runs.size(), 1u);
    EXPECT_EQ(hex.body().runs[0].kind, RtfRunKind::Picture);

    const RtfDocument bin
        = read("{\\pict\\pngblip\\picscalex50\\picscaley200\\bin" + std::to_string(png.size()) + " " + png + "}x\\par");
    const RtfPicture& fromBin = onlyPicture(bin);
    EXPECT_EQ(fromBin.bytes, png);
    EXPECT_EQ(fromBin.width, 120 * 15 / 2) << "size from the PNG header, scaled";
    EXPECT_EQ(fromBin.height, 40 * 15 * 2);
    EXPECT_EQ(bin.plainText(), "\xEF\xBF\xBCx\n");
}

TEST(RtfPictureTest, jpegKeptAsItIs)
{
    const std::string jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF", 10);
    const RtfPicture& picture = onlyPicture(read("{\\pict\\jpegblip\\picwgoal100\\pichgoal50 " + hexOf(jpeg) + "}"));
    EXPECT_EQ(picture.kind, RtfPictureKind::Jpeg);
    EXPECT_EQ(picture.bytes, jpeg);
}

TEST(RtfPictureTest, deviceIndependentBitmapsGetAFileHeader)
{
    struct Case {
        int bits, colours;
        std::uint32_t pixelOffset;
    };
    for (const Case c : {Case {24, 0, 54}, Case {8, 0, 54 + 1024}, Case {8, 2, 54 + 8}, Case {1, 0, 54 + 8}}) {
        const std::string bitmap = dib(c.bits, c.colours);
        const RtfPicture& picture = onlyPicture(read("{\\pict\\dibitmap0\\picw2\\pich2 " + hexOf(bitmap) + "}"));
        ASSERT_EQ(picture.kind, RtfPictureKind::Bmp) << c.bits;
        EXPECT_EQ(picture.bytes.substr(0, 2), "BM");
        EXPECT_EQ(leAt(picture.bytes, 2), 14 + bitmap.size());
        EXPECT_EQ(leAt(picture.bytes, 10), c.pixelOffset) << c.bits << " bits, " << c.colours << " colours";
        EXPECT_EQ(picture.bytes.substr(14), bitmap);
        EXPECT_EQ(picture.width, 30) << "\\picw is pixels for a bitmap";
    }
}

std::string wmfWithBitmap(std::string_view bitmap, bool placeable)
{
    std::string out;
    if (placeable) {
        appendLe(out, 0x9AC6CDD7u, 4);
        out += std::string(18, '\0');
    }
    appendLe(out, 1, 2);
    appendLe(out, 9, 2);
    appendLe(out, 0x300, 2);
    appendLe(out, 0, 4);
    appendLe(out, 0, 2);
    appendLe(out, 0, 4);
    appendLe(out, 0, 2);
    // META_SETMAPMODE, then META_STRETCHDIB, then META_EOF
    appendLe(out, 4, 4);
    appendLe(out, 0x0103, 2);
    appendLe(out, 8, 2);
    const std::size_t words = (6 + 4 + 2 + 16 + bitmap.size()) / 2;
    appendLe(out, static_cast<std::uint32_t>(words), 4);
    appendLe(out, 0x0F43, 2);
    appendLe(out, 0x00CC0020, 4);
    appendLe(out, 0, 2);
    out += std::string(16, '\0');
    out += bitmap;
    appendLe(out, 3, 4);
    appendLe(out, 0, 2);
    return out;
}

std::string emfWithBitmap(std::string_view bitmap)
{
    const std::size_t headerSize = 40;
    std::string out;
    appendLe(out, 1, 4); // EMR_HEADER, kept minimal
    appendLe(out, 16, 4);
    appendLe(out, 0, 4);
    appendLe(out, 0, 4);
    std::string record;
    appendLe(record, 81, 4); // EMR_STRETCHDIBITS
    appendLe(record, 0, 4);
    record += std::string(16 + 24, '\0');
    appendLe(record, 80, 4);
    appendLe(record, static_cast<std::uint32_t>(headerSize), 4);
    appendLe(record, static_cast<std::uint32_t>(80 + headerSize), 4);
    appendLe(record, static_cast<std::uint32_t>(bitmap.size() - headerSize), 4);
    record += std::string(80 - record.size(), '\0');
    record += bitmap;
    while (record.size() % 4 != 0)
        record += '\0';
    const auto size = static_cast<std::uint32_t>(record.size());
    for (int i = 0; i < 4; ++i)
        record[static_cast<std::size_t>(4 + i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    out += record;
    appendLe(out, 14, 4); // EMR_EOF
    appendLe(out, 20, 4);
    out += std::string(12, '\0');
    return out;
}

TEST(RtfPictureTest, bitmapsWrappedInMetafilesAreTakenOut)
{
    const std::string bitmap = dib(24, 0);
    for (const bool placeable : {false, true}) {
        const RtfPicture& picture = onlyPicture(read("{\\pict\\wmetafile8\\picw1000\\pich500\\picwgoal600\\pichgoal300 "
                                                     + hexOf(wmfWithBitmap(bitmap, placeable)) + "}"));
        ASSERT_EQ(picture.kind, RtfPictureKind::Bmp);
        EXPECT_EQ(picture.bytes.substr(14), bitmap);
        EXPECT_EQ(picture.width, 600);
    }
    const RtfPicture& fromEmf
        = onlyPicture(read("{\\pict\\emfblip\\picw1000\\pich500 " + hexOf(emfWithBitmap(bitmap)) + "}"));
    ASSERT_EQ(fromEmf.kind, RtfPictureKind::Bmp);
    EXPECT_EQ(fromEmf.bytes.substr(14), bitmap);
    EXPECT_EQ(fromEmf.width, 1000 * 1440 / 2540) << "\\picw is hundredths of a millimetre for a metafile";
}

TEST(RtfPictureTest, metafileWithoutBitmapKeepsItsSize)
{
    const RtfPicture& picture
        = onlyPicture(read("{\\pict\\wmetafile8\\picwgoal1440\\pichgoal720 010009000003030000000000}"));
    EXPECT_EQ(picture.kind, RtfPictureKind::Unsupported);
    EXPECT_TRUE(picture.bytes.empty());
    EXPECT_EQ(picture.width, 1440);
    EXPECT_EQ(picture.height, 720);
}

TEST(RtfPictureTest, shapePictureWinsOverItsFallbackAndRepeatsAreKeptOnce)
{
    const std::string logo = "{\\*\\shppict{\\pict\\pngblip\\picwgoal300\\pichgoal100 " + hexOf(png)
        + "}}{\\nonshppict{\\pict\\wmetafile8\\picwgoal300\\pichgoal100 0100}}";
    const RtfDocument doc = read(logo + "\\par" + logo + "\\par");
    EXPECT_EQ(onlyPicture(doc).kind, RtfPictureKind::Png);
    ASSERT_EQ(doc.body().runs.size(), 2u);
    EXPECT_EQ(doc.body().runs[0].offset, doc.body().runs[1].offset);
}

// --- damaged input -------------------------------------------------------------------------------------------------

TEST(RtfReaderTest, unbalancedBracesAndTrailingJunkAreTolerated)
{
    EXPECT_EQ(RtfReader::read("{\\rtf1 {\\b a\\par").plainText(), "a\n");
    EXPECT_EQ(RtfReader::read("{\\rtf1 a}}}}").plainText(), "a\n");
    EXPECT_EQ(RtfReader::read("{\\rtf1 a}garbage{\\b more}").plainText(), "a\n");
    EXPECT_EQ(RtfReader::read("{\\rtf1 }a}b\\par}").plainText(), "");
    EXPECT_EQ(RtfReader::read("{\\rtf1 {a}}}b\\par").plainText(), "a\n");
}

TEST(RtfReaderTest, tenThousandNestedGroups)
{
    const std::string deep
        = "{\\rtf1 " + std::string(10000, '{') + "\\b deep" + std::string(10000, '}') + " shallow\\par}";
    const RtfDocument doc = RtfReader::read(deep);
    EXPECT_EQ(doc.plainText(), "deep shallow\n");
    ASSERT_EQ(doc.body().runs.size(), 2u);
    EXPECT_TRUE(formatOfRun(doc, 0).bold);
    EXPECT_FALSE(formatOfRun(doc, 1).bold);
}

TEST(RtfReaderTest, nestingBeyondTheLimitStillCountsBraces)
{
    const std::size_t depth = RtfReader::maxDepth * 3;
    const std::string deep = "{\\rtf1 " + std::string(depth, '{') + "\\i x" + std::string(depth, '}') + "y\\par}";
    const RtfDocument doc = RtfReader::read(deep);
    EXPECT_EQ(doc.plainText(), "xy\n");
    EXPECT_FALSE(formatOfRun(doc, 1).italic);
}

TEST(RtfReaderTest, damagedInputGivesAConsistentModel)
{
    const char* const inputs[] = {
        "",
        "{",
        "}",
        "\\",
        "{\\rtf1\\",
        "{\\rtf1\\'",
        "{\\rtf1\\'4",
        "{\\rtf1\\'zz}",
        "{\\rtf1\\u",
        "{\\rtf1\\u-",
        "{\\rtf1\\u99999999999999999999?}",
        "{\\rtf1\\uc999999\\u65 abc}",
        "{\\rtf1\\bin999999999 ab}",
        "{\\rtf1\\bin-5 ab}",
        "{\\rtf1{\\*",
        "{\\rtf1{\\*}x}",
        "{\\rtf1{\\pict\\pngblip 89504e}",
        "{\\rtf1{\\pict\\dibitmap0 28000000ffffffff}}",
        "{\\rtf1{\\pict{\\pict\\pngblip 00}}}",
        "{\\rtf1{\\field{\\*\\fldinst PAGE",
        "{\\rtf1{\\fldrslt x}\\fldinst y}",
        "{\\rtf1{\\header{\\footer x}}\\cell\\row\\nestcell}",
        "{\\rtf1\\trowd\\clvmrg\\clmrg\\cellx-5\\cellx-10\\row\\cell\\cell\\row}",
        "{\\rtf1{\\fonttbl{\\f1{\\f2 A;}}}\\f1\\f2 x}",
        "{\\rtf1\\fs-5\\fs999999\\li-99999999999 x}",
        "{\\rtf1\\sect\\sect\\sect}",
        "{\\rtf1{\\listtext\\par\\cell}}",
        "{\\rtf1\\trowd\\cellx100{\\header\\intbl a\\cell}b\\cell\\row}",
        "{\\rtf1\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}",
        "{\\rtf1{\\pict\\dibitmap0\\picw99999999999\\pich1073741823\\picscalex9999 00}}",
        "{\\rtf1\\tx1073741823\\expndtw99999999\\trowd\\clbrdrt\\brdrw99999999\\cellx1073741823 x\\cell\\row}",
    };
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        expectConsistent(RtfReader::read(input));
    }
}

} // namespace
