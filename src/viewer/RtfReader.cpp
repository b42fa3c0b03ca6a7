#include "RtfReader.h"

#include "Log.h"
#include "RtfCodePage.h"
#include "RtfKeyword.h"
#include "RtfPictureData.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <limits>
#include <unordered_map>

namespace corvane {

namespace {

constexpr int maxTabs = 40;
constexpr std::size_t maxCellsPerRow = 4096;
constexpr std::size_t maxPictureBytes = std::size_t {64} << 20;
constexpr std::size_t maxTitle = 1000;
constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

/// Where a group's text goes.
enum class Dest : std::uint8_t { Body, Ignore, FontTable, ColourTable, Title, Picture, FieldInstruction, ListText };

/// Paragraph properties while reading; tab stops inline so that opening a group copies no heap memory.
struct ParaState {
    RtfAlignment alignment = RtfAlignment::Left;
    bool keepTogether = false, keepWithNext = false, pageBreakBefore = false, lineMultiple = false;
    std::uint8_t tabCount = 0;
    int leftIndent = 0, rightIndent = 0, firstLineIndent = 0, spaceBefore = 0, spaceAfter = 0, lineSpacing = 0;
    int pattern = -1, patternColour = -1, shading = 0;
    std::array<RtfTabStop, maxTabs> tabs {};

    bool operator==(const ParaState& other) const
    {
        return alignment == other.alignment && keepTogether == other.keepTogether && keepWithNext == other.keepWithNext
            && pageBreakBefore == other.pageBreakBefore && lineMultiple == other.lineMultiple
            && tabCount == other.tabCount && leftIndent == other.leftIndent && rightIndent == other.rightIndent
            && firstLineIndent == other.firstLineIndent && spaceBefore == other.spaceBefore
            && spaceAfter == other.spaceAfter && lineSpacing == other.lineSpacing && pattern == other.pattern
            && patternColour == other.patternColour && shading == other.shading
            && std::equal(tabs.begin(), tabs.begin() + tabCount, other.tabs.begin());
    }
};

struct State {
    RtfCharFormat chars; ///< font holds the \f number here; -1 for the document's default font
    ParaState para;
    bool hidden = false;
    bool inTable = false;
    Dest dest = Dest::Body;
    Dest outerDest = Dest::Body; ///< what \ud returns to inside \upr
    RtfTabKind tabKind = RtfTabKind::Left;
    RtfTabLeader tabLeader = RtfTabLeader::None;
    int skipCount = 1; ///< \uc
    int story = 0;
};

/// The part of a story that is still open: the paragraph being read and the table row being collected.
struct StoryBuilder {
    std::uint32_t paragraphStart = 0; ///< first run of the open paragraph
    std::uint32_t barrier = 0; ///< runs before this index are never extended
    std::uint32_t labelStart = none;
    std::uint16_t labelRuns = 0;
    bool pageBreak = false;
    bool cellOpen = false;
    std::uint32_t cellFirstParagraph = 0;
    std::vector<RtfCell> rowCells;
    int openTable = -1;
    std::vector<int> verticalOwner;
    std::size_t level = 0; ///< stack index of the group that holds a header or footer
};

struct FontInfo {
    const char16_t* upper = nullptr;
    RtfGlyphs glyphs = RtfGlyphs::Text;
};

enum class FieldKind : std::uint8_t { Other, Page, NumPages, SectionPages, Hyperlink, Symbol };

struct Field {
    std::size_t level = 0;
    Dest outer = Dest::Body;
    std::string instruction;
    FieldKind kind = FieldKind::Other;
    int link = -1;
    char32_t symbol = 0;
    bool done = false;
};

struct PictureBuild {
    bool active = false;
    std::size_t level = 0;
    RtfWord kind = RtfWord::Unknown;
    std::string bytes;
    int high = -1; ///< the first hex digit of a byte split across text chunks
    int pixelWidth = 0, pixelHeight = 0, goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
};

template<typename T> void mix(std::size_t& seed, const T& value)
{
    seed ^= std::hash<T> {}(value) + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2);
}

std::size_t hashOf(const RtfCharFormat& f)
{
    std::size_t seed = 0;
    mix(seed, f.font);
    mix(seed, f.halfPoints);
    mix(seed, f.colour);
    mix(seed, f.background);
    mix(seed, static_cast<long long>(f.letterSpacing) * 131 + f.baselineShift);
    mix(seed, f.link);
    mix(seed,
        (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.strike ? 4 : 0) | (f.caps ? 8 : 0) | (f.smallCaps ? 16 : 0)
            | static_cast<int>(f.underline) << 5 | static_cast<int>(f.vertical) << 9);
    return seed;
}

std::size_t hashOf(const RtfParaFormat& f)
{
    std::size_t seed = 0;
    mix(seed,
        static_cast<int>(f.alignment) | static_cast<int>(f.lineRule) << 3 | (f.keepTogether ? 64 : 0)
            | (f.keepWithNext ? 128 : 0) | (f.pageBreakBefore ? 256 : 0));
    mix(seed, f.leftIndent);
    mix(seed, f.rightIndent);
    mix(seed, f.firstLineIndent);
    mix(seed, f.spaceBefore);
    mix(seed, f.spaceAfter);
    mix(seed, f.lineSpacing);
    mix(seed, f.background);
    for (const RtfTabStop& tab : f.tabs)
        mix(seed,
            static_cast<long long>(tab.position) * 16 + static_cast<int>(tab.kind) * 4 + static_cast<int>(tab.leader));
    return seed;
}

std::size_t hashOf(const RtfRowFormat& f)
{
    std::size_t seed = 0;
    mix(seed, f.left);
    mix(seed, f.gap);
    mix(seed, f.height);
    mix(seed, static_cast<int>(f.alignment) | (f.header ? 8 : 0) | (f.keepTogether ? 16 : 0));
    for (const RtfCellFormat& cell : f.cells) {
        mix(seed, cell.rightEdge);
        mix(seed, cell.background);
        for (const RtfBorder& border : cell.borders)
            mix(seed, static_cast<long long>(border.width) * 8 + static_cast<int>(border.style));
    }
    return seed;
}

/// Keeps each distinct value once and hands out its index.
template<typename T> class Interner {
public:
    std::uint32_t intern(std::vector<T>& values, T value)
    {
        const std::size_t hash = hashOf(value);
        const auto [first, last] = m_byHash.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            if (values[it->second] == value)
                return it->second;
        }
        const auto index = static_cast<std::uint32_t>(values.size());
        values.push_back(std::move(value));
        m_byHash.emplace(hash, index);
        return index;
    }

private:
    std::unordered_multimap<std::size_t, std::uint32_t> m_byHash;
};

std::uint32_t rgb(const RtfColour& colour)
{
    return static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

/// A pattern colour over a background at a shading of 0-10000: the usual paint of \shading and \clshdng.
std::uint32_t shade(std::uint32_t pattern, std::uint32_t background, int shading)
{
    if (pattern == rtfAutoColour)
        pattern = 0x000000;
    if (background == rtfAutoColour)
        background = 0xFFFFFF;
    shading = std::clamp(shading, 0, 10000);
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int fore = static_cast<int>((pattern >> shift) & 0xFF);
        const int back = static_cast<int>((background >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((back * (10000 - shading) + fore * shading + 5000) / 10000) << shift;
    }
    return out;
}

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

/// The instruction's words, quotes removed; a backslash switch stays a word of its own.
std::vector<std::string> instructionWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size() && words.size() < 16) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            break;
        std::string word;
        if (text[i] == '"') {
            ++i;
            while (i < text.size() && text[i] != '"')
                word += text[i++];
            ++i;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t')
                word += text[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

class Parser {
public:
    explicit Parser(std::string_view rtf)
        : m_p(reinterpret_cast<const unsigned char*>(rtf.data()))
        , m_end(m_p + rtf.size())
    {
        m_doc.stories.emplace_back();
        m_builders.emplace_back();
        m_stack.reserve(64);
        m_stack.emplace_back();
        m_doc.text.reserve(rtf.size() / 4);
    }

    RtfDocument run()
    {
        while (m_p < m_end && !m_done) {
            const unsigned char c = *m_p;
            if (c == '\\') {
                ++m_p;
                control();
            } else if (c == '{') {
                ++m_p;
                openGroup();
            } else if (c == '}') {
                ++m_p;
                closeGroup();
            } else if (c == '\r' || c == '\n' || c == 0) {
                ++m_p;
            } else {
                const unsigned char* start = m_p++;
                while (m_p < m_end && plain(*m_p))
                    ++m_p;
                text(start, static_cast<std::size_t>(m_p - start));
            }
        }
        while (m_stack.size() > 1)
            closeGroup();
        if (!m_bodyFinished)
            finishBody(m_stack.back());
        for (RtfFont& font : m_doc.fonts) {
            if (font.codePage == 0)
                font.codePage = m_ansiCodePage;
        }
        // The vectors grew by doubling; a document is read once and then kept open, so the slack is given back.
        m_doc.text.shrink_to_fit();
        for (RtfStory& story : m_doc.stories) {
            story.blocks.shrink_to_fit();
            story.paragraphs.shrink_to_fit();
            story.runs.shrink_to_fit();
            story.tables.shrink_to_fit();
            story.rows.shrink_to_fit();
            story.cells.shrink_to_fit();
        }
        return std::move(m_doc);
    }

private:
    static bool plain(unsigned char c) { return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n' && c; }

    State& top() { return m_stack.back(); }

    // --- groups -------------------------------------------------------------------------------------------------

    void openGroup()
    {
        m_skip = 0;
        m_star = false;
        if (m_phantom > 0 || m_stack.size() >= RtfReader::maxDepth) {
            ++m_phantom;
            return;
        }
        m_stack.push_back(m_stack.back());
    }

    void closeGroup()
    {
        m_skip = 0;
        m_star = false;
        if (m_phantom > 0) {
            --m_phantom;
            return;
        }
        if (m_stack.size() <= 1)
            return; // a closing brace too many
        const std::size_t level = m_stack.size() - 1;
        State closing = std::move(m_stack.back());
        m_stack.pop_back();
        State& outer = m_stack.back();

        if (m_fontOpen && level <= m_fontLevel)
            commitFont();
        if (closing.dest == Dest::FieldInstruction && outer.dest != Dest::FieldInstruction)
            readInstruction();
        if (closing.dest == Dest::ListText && outer.dest != Dest::ListText)
            endLabel(closing);
        if (m_picture.active && m_picture.level == level)
            finishPicture(outer);
        while (!m_fields.empty() && m_fields.back().level >= level)
            finishField(outer);
        if (closing.story != outer.story && m_builders[static_cast<std::size_t>(closing.story)].level == level)
            finishStory(closing);
        if (m_stack.size() == 1) {
            // The document's own group has closed: what follows it is not part of it.
            finishBody(closing);
            m_done = true;
        }
    }

    /// Passes over the rest of a group without reading it (an ignorable or unwanted destination).
    void skipGroup()
    {
        if (m_stack.size() <= 1 && m_phantom == 0)
            return;
        int depth = 1;
        while (m_p < m_end) {
            const unsigned char c = *m_p++;
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0)
                    break;
            } else if (c == '\\' && m_p < m_end) {
                if (!isLetter(*m_p)) {
                    ++m_p;
                    continue;
                }
                const unsigned char* word = m_p;
                while (m_p < m_end && isLetter(*m_p))
                    ++m_p;
                const bool bin = m_p - word == 3 && std::memcmp(word, "bin", 3) == 0;
                const long long count = parameter(nullptr);
                if (bin)
                    m_p += std::min<long long>(std::max<long long>(count, 0), m_end - m_p);
            }
        }
        closeGroup();
    }

    // --- control words and symbols ------------------------------------------------------------------------------

    static bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    /// Reads an optional signed number and the one blank that may end a control word.
    long long parameter(bool* present)
    {
        bool negative = false;
        if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && *(m_p + 1) >= '0' && *(m_p + 1) <= '9') {
            negative = true;
            ++m_p;
        }
        long long value = 0;
        bool digits = false;
        while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
            if (value < 100000000000LL)
                value = value * 10 + (*m_p - '0');
            digits = true;
            ++m_p;
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        if (present != nullptr)
            *present = digits;
        return negative ? -value : value;
    }

    void control()
    {
        if (m_p >= m_end)
            return;
        if (!isLetter(*m_p)) {
            symbol(*m_p++);
            return;
        }
        const unsigned char* start = m_p;
        while (m_p < m_end && isLetter(*m_p))
            ++m_p;
        const std::size_t length = static_cast<std::size_t>(m_p - start);
        bool hasParameter = false;
        const long long raw = parameter(&hasParameter);
        const int value = static_cast<int>(std::clamp<long long>(raw, INT_MIN / 2, INT_MAX / 2));
        const RtfWord word
            = length <= 32 ? RtfKeyword::find({reinterpret_cast<const char*>(start), length}) : RtfWord::Unknown;
        if (m_skip > 0) {
            --m_skip;
            if (word == RtfWord::Bin)
                binary(value, false);
            return;
        }
        if (m_star) {
            m_star = false;
            if (word != RtfWord::FldInst && word != RtfWord::ShpPict && word != RtfWord::Ud) {
                skipGroup();
                return;
            }
        }
        act(word, hasParameter, value);
    }

    void symbol(unsigned char c)
    {
        if (c == '\'') {
            int byte = -1;
            if (m_p + 1 < m_end && hexValue(m_p[0]) >= 0 && hexValue(m_p[1]) >= 0) {
                byte = hexValue(m_p[0]) * 16 + hexValue(m_p[1]);
                m_p += 2;
            }
            if (m_skip > 0) {
                --m_skip;
                return;
            }
            if (byte >= 0) {
                const auto b = static_cast<unsigned char>(byte);
                text(&b, 1);
            }
            return;
        }
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (c) {
        case '*':
            m_star = true;
            return;
        case '\\':
        case '{':
        case '}':
            text(&c, 1);
            return;
        case '~':
            unicode(0x00A0);
            return;
        case '-':
            unicode(0x00AD);
            return;
        case '_':
            unicode(0x2011);
            return;
        case '\t':
            unicode('\t');
            return;
        case '\r':
        case '\n':
            paragraph();
            return;
        default:
            return;
        }
    }

    void binary(int count, bool keep)
    {
        const std::size_t n = std::min<std::size_t>(count > 0 ? static_cast<std::size_t>(count) : 0,
                                                    static_cast<std::size_t>(m_end - m_p));
        if (keep && m_picture.active && m_picture.bytes.size() + n <= maxPictureBytes)
            m_picture.bytes.append(reinterpret_cast<const char*>(m_p), n);
        m_p += n;
    }

    void act(RtfWord word, bool hasParameter, int value)
    {
        State& st = top();
        const bool on = !hasParameter || value != 0;
        switch (word) {
        case RtfWord::Unknown:
        case RtfWord::Rtf:
            return;
        // destinations
        case RtfWord::SkippedDestination:
            skipGroup();
            return;
        case RtfWord::FontTable:
            st.dest = Dest::FontTable;
            return;
        case RtfWord::ColourTable:
            st.dest = Dest::ColourTable;
            m_colour = {};
            return;
        case RtfWord::Info:
            st.dest = Dest::Ignore;
            return;
        case RtfWord::Title:
            st.dest = Dest::Title;
            m_doc.title.clear();
            return;
        case RtfWord::Pict:
            m_picture = {};
            m_picture.active = true;
            m_picture.level = m_stack.size() - 1;
            st.dest = Dest::Picture;
            return;
        case RtfWord::ShpPict:
        case RtfWord::Shp:
        case RtfWord::ShpRslt:
        case RtfWord::Object:
        case RtfWord::Result:
            return;
        case RtfWord::Field:
            if (m_fields.size() < 64) {
                Field field;
                field.level = m_stack.size() - 1;
                field.outer = st.dest;
                m_fields.push_back(std::move(field));
                st.dest = Dest::Ignore;
            }
            return;
        case RtfWord::FldInst:
            if (!m_fields.empty())
                st.dest = Dest::FieldInstruction;
            return;
        case RtfWord::FldRslt:
            fieldResult(st);
            return;
        case RtfWord::Header:
        case RtfWord::HeaderL:
        case RtfWord::HeaderR:
        case RtfWord::HeaderF:
        case RtfWord::Footer:
        case RtfWord::FooterL:
        case RtfWord::FooterR:
        case RtfWord::FooterF:
            beginHeader(word);
            return;
        case RtfWord::ListText:
        case RtfWord::PnText:
            if (st.dest == Dest::Body) {
                st.dest = Dest::ListText;
                StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
                builder.labelStart = static_cast<std::uint32_t>(story(st).runs.size());
            }
            return;
        case RtfWord::Upr:
            st.outerDest = st.dest;
            st.dest = Dest::Ignore;
            return;
        case RtfWord::Ud:
            st.dest = st.outerDest;
            return;
        // document and section
        case RtfWord::Ansi:
            setCodePage(1252);
            return;
        case RtfWord::Mac:
            setCodePage(10000);
            return;
        case RtfWord::Pc:
            setCodePage(437);
            return;
        case RtfWord::Pca:
            setCodePage(850);
            return;
        case RtfWord::AnsiCpg:
            setCodePage(RtfCodePage::isKnown(value) ? value : 1252);
            return;
        case RtfWord::Deff:
            m_deff = value;
            m_doc.defaultFont = fontIndex(value);
            forgetFont();
            return;
        case RtfWord::DefTab:
            if (value > 0)
                m_doc.defaultTab = value;
            return;
        case RtfWord::PaperW:
        case RtfWord::PaperH:
        case RtfWord::MargL:
        case RtfWord::MargR:
        case RtfWord::MargT:
        case RtfWord::MargB:
            pageValue(m_pageDefaults, word, value);
            pageValue(m_section.page, word, value);
            return;
        case RtfWord::Landscape:
            m_pageDefaults.landscape = true;
            m_section.page.landscape = true;
            return;
        case RtfWord::PgwSxn:
            pageValue(m_section.page, RtfWord::PaperW, value);
            return;
        case RtfWord::PghSxn:
            pageValue(m_section.page, RtfWord::PaperH, value);
            return;
        case RtfWord::MarglSxn:
            pageValue(m_section.page, RtfWord::MargL, value);
            return;
        case RtfWord::MargrSxn:
            pageValue(m_section.page, RtfWord::MargR, value);
            return;
        case RtfWord::MargtSxn:
            pageValue(m_section.page, RtfWord::MargT, value);
            return;
        case RtfWord::MargbSxn:
            pageValue(m_section.page, RtfWord::MargB, value);
            return;
        case RtfWord::LndscpSxn:
            m_section.page.landscape = on;
            return;
        case RtfWord::HeaderY:
            m_section.page.headerDistance = std::max(value, 0);
            return;
        case RtfWord::FooterY:
            m_section.page.footerDistance = std::max(value, 0);
            return;
        case RtfWord::TitlePg:
            m_section.titlePage = on;
            return;
        case RtfWord::PgnStarts:
            m_pageNumberStart = std::max(value, 0);
            m_pageNumberStartGiven = true;
            return;
        case RtfWord::PgnRestart:
            m_pageNumberRestart = true;
            return;
        case RtfWord::PgnCont:
            m_pageNumberRestart = false;
            return;
        case RtfWord::SbkNone:
            m_section.breakKind = RtfSectionBreak::Continuous;
            return;
        case RtfWord::SbkCol:
            m_section.breakKind = RtfSectionBreak::Column;
            return;
        case RtfWord::SbkPage:
            m_section.breakKind = RtfSectionBreak::Page;
            return;
        case RtfWord::SbkEven:
            m_section.breakKind = RtfSectionBreak::EvenPage;
            return;
        case RtfWord::SbkOdd:
            m_section.breakKind = RtfSectionBreak::OddPage;
            return;
        case RtfWord::Sect:
            sectionBreak(st);
            return;
        case RtfWord::Sectd:
            m_section.page = m_pageDefaults;
            m_section.breakKind = RtfSectionBreak::Page;
            m_section.titlePage = false;
            m_pageNumberStart = 1;
            m_pageNumberStartGiven = false;
            m_pageNumberRestart = false;
            return;
        // fonts and colours
        case RtfWord::F:
            if (st.dest == Dest::FontTable) {
                commitFont();
                m_font = {};
                m_font.number = value;
                m_font.codePage = 0; // the document's, known by the end
                m_fontOpen = true;
                m_fontLevel = m_stack.size() - 1;
            } else {
                st.chars.font = value;
            }
            return;
        case RtfWord::FNil:
        case RtfWord::FRoman:
        case RtfWord::FSwiss:
        case RtfWord::FModern:
        case RtfWord::FScript:
        case RtfWord::FDecor:
        case RtfWord::FTech:
        case RtfWord::FBidi:
            m_font.family = static_cast<RtfFontFamily>(static_cast<int>(word) - static_cast<int>(RtfWord::FNil));
            return;
        case RtfWord::FCharset:
            m_font.charset = value;
            m_font.codePage = RtfCodePage::forCharset(value);
            return;
        case RtfWord::Fprq:
            m_font.fixedPitch = value == 1;
            return;
        case RtfWord::Cpg:
            if (RtfCodePage::isKnown(value))
                m_font.codePage = value;
            return;
        case RtfWord::Red:
            m_colour.red = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            m_colourSet = true;
            return;
        case RtfWord::Green:
            m_colour.green = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            m_colourSet = true;
            return;
        case RtfWord::Blue:
            m_colour.blue = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            m_colourSet = true;
            return;
        // characters
        case RtfWord::Plain:
            st.chars = {};
            st.hidden = false;
            return;
        case RtfWord::Fs:
            st.chars.halfPoints = hasParameter && value > 0 ? std::min(value, 3276) : 24;
            return;
        case RtfWord::B:
            st.chars.bold = on;
            return;
        case RtfWord::I:
            st.chars.italic = on;
            return;
        case RtfWord::Ul:
            st.chars.underline = on ? RtfUnderline::Single : RtfUnderline::None;
            return;
        case RtfWord::UlNone:
            st.chars.underline = RtfUnderline::None;
            return;
        case RtfWord::UlD:
            st.chars.underline = on ? RtfUnderline::Dotted : RtfUnderline::None;
            return;
        case RtfWord::UlDash:
            st.chars.underline = on ? RtfUnderline::Dashed : RtfUnderline::None;
            return;
        case RtfWord::UlDb:
            st.chars.underline = on ? RtfUnderline::Double : RtfUnderline::None;
            return;
        case RtfWord::UlW:
            st.chars.underline = on ? RtfUnderline::Words : RtfUnderline::None;
            return;
        case RtfWord::UlTh:
            st.chars.underline = on ? RtfUnderline::Thick : RtfUnderline::None;
            return;
        case RtfWord::UlWave:
            st.chars.underline = on ? RtfUnderline::Wave : RtfUnderline::None;
            return;
        case RtfWord::Strike:
        case RtfWord::StrikeD:
            st.chars.strike = on;
            return;
        case RtfWord::Caps:
            st.chars.caps = on;
            return;
        case RtfWord::Scaps:
            st.chars.smallCaps = on;
            return;
        case RtfWord::V:
            st.hidden = on;
            return;
        case RtfWord::Cf:
            st.chars.colour = colourAt(value);
            return;
        case RtfWord::Cb:
        case RtfWord::Highlight:
        case RtfWord::ChCbPat:
            st.chars.background = colourAt(value);
            return;
        case RtfWord::Super:
            st.chars.vertical = RtfVerticalPosition::Superscript;
            return;
        case RtfWord::Sub:
            st.chars.vertical = RtfVerticalPosition::Subscript;
            return;
        case RtfWord::NoSuperSub:
            st.chars.vertical = RtfVerticalPosition::Baseline;
            return;
        case RtfWord::Up:
            st.chars.baselineShift = hasParameter ? std::clamp(value, -1000, 1000) : 6;
            return;
        case RtfWord::Dn:
            st.chars.baselineShift = hasParameter ? -std::clamp(value, -1000, 1000) : -6;
            return;
        case RtfWord::ExpndTw:
            st.chars.letterSpacing = std::clamp(value, -20000, 20000);
            return;
        case RtfWord::Expnd:
            st.chars.letterSpacing = std::clamp(value, -4000, 4000) * 5;
            return;
        case RtfWord::Uc:
            st.skipCount = std::clamp(value, 0, 255);
            return;
        case RtfWord::U:
            unicodeWord(value);
            return;
        // paragraphs
        case RtfWord::Par:
            paragraph();
            return;
        case RtfWord::Pard:
            st.para = {};
            st.inTable = false;
            st.tabKind = RtfTabKind::Left;
            st.tabLeader = RtfTabLeader::None;
            return;
        case RtfWord::Ql:
            st.para.alignment = RtfAlignment::Left;
            return;
        case RtfWord::Qc:
            st.para.alignment = RtfAlignment::Centre;
            return;
        case RtfWord::Qr:
            st.para.alignment = RtfAlignment::Right;
            return;
        case RtfWord::Qj:
        case RtfWord::Qd:
            st.para.alignment = RtfAlignment::Justify;
            return;
        case RtfWord::Li:
            st.para.leftIndent = value;
            return;
        case RtfWord::Ri:
            st.para.rightIndent = value;
            return;
        case RtfWord::Fi:
            st.para.firstLineIndent = value;
            return;
        case RtfWord::Sb:
            st.para.spaceBefore = value;
            return;
        case RtfWord::Sa:
            st.para.spaceAfter = value;
            return;
        case RtfWord::Sl:
            st.para.lineSpacing = value;
            return;
        case RtfWord::SlMult:
            st.para.lineMultiple = on;
            return;
        case RtfWord::Keep:
            st.para.keepTogether = on;
            return;
        case RtfWord::KeepN:
            st.para.keepWithNext = on;
            return;
        case RtfWord::PageBb:
            st.para.pageBreakBefore = on;
            return;
        case RtfWord::InTbl:
            st.inTable = on;
            return;
        case RtfWord::Tab:
            unicode('\t');
            return;
        case RtfWord::Tx:
        case RtfWord::Tb:
            if (st.para.tabCount < maxTabs) {
                st.para.tabs[st.para.tabCount++]
                    = {value, word == RtfWord::Tb ? RtfTabKind::Bar : st.tabKind, st.tabLeader};
            }
            st.tabKind = RtfTabKind::Left;
            st.tabLeader = RtfTabLeader::None;
            return;
        case RtfWord::Tqr:
            st.tabKind = RtfTabKind::Right;
            return;
        case RtfWord::Tqc:
            st.tabKind = RtfTabKind::Centre;
            return;
        case RtfWord::TqDec:
            st.tabKind = RtfTabKind::Decimal;
            return;
        case RtfWord::TlDot:
            st.tabLeader = RtfTabLeader::Dots;
            return;
        case RtfWord::TlHyph:
            st.tabLeader = RtfTabLeader::Hyphens;
            return;
        case RtfWord::TlUl:
            st.tabLeader = RtfTabLeader::Underline;
            return;
        case RtfWord::TlTh:
            st.tabLeader = RtfTabLeader::Thick;
            return;
        case RtfWord::TlEq:
            st.tabLeader = RtfTabLeader::Equals;
            return;
        case RtfWord::Line:
            unicode(0x2028);
            return;
        case RtfWord::Page:
            pageBreak(st);
            return;
        case RtfWord::CbPat:
            st.para.pattern = value;
            return;
        case RtfWord::CfPat:
            st.para.patternColour = value;
            return;
        case RtfWord::Shading:
            st.para.shading = value;
            return;
        // tables
        case RtfWord::Cell:
            if (isText(st.dest))
                endCell(st);
            return;
        case RtfWord::NestCell:
        case RtfWord::NestRow:
            // Nested tables are flattened: their cells become paragraphs of the outer cell.
            if (isText(st.dest)
                && story(st).runs.size() > m_builders[static_cast<std::size_t>(st.story)].paragraphStart)
                endParagraph(st, true);
            return;
        case RtfWord::Row:
            if (isText(st.dest))
                endRow(st);
            return;
        case RtfWord::Trowd:
            // Kept rather than replaced: a long table declares a row thousands of times.
            m_row.cells.clear();
            m_row.left = m_row.gap = m_row.height = 0;
            m_row.alignment = RtfAlignment::Left;
            m_row.header = m_row.keepTogether = false;
            m_cell = {};
            m_cellShading = {};
            m_rowBorders = {};
            m_border = nullptr;
            return;
        case RtfWord::TrGaph:
            m_row.gap = value;
            return;
        case RtfWord::TrLeft:
            m_row.left = value;
            return;
        case RtfWord::Trql:
            m_row.alignment = RtfAlignment::Left;
            return;
        case RtfWord::Trqc:
            m_row.alignment = RtfAlignment::Centre;
            return;
        case RtfWord::Trqr:
            m_row.alignment = RtfAlignment::Right;
            return;
        case RtfWord::TrRh:
            m_row.height = value;
            return;
        case RtfWord::TrHdr:
            m_row.header = on;
            return;
        case RtfWord::TrKeep:
            m_row.keepTogether = on;
            return;
        case RtfWord::CellX:
            cellEdge(value);
            return;
        case RtfWord::ClBrdrT:
        case RtfWord::ClBrdrL:
        case RtfWord::ClBrdrB:
        case RtfWord::ClBrdrR: {
            static constexpr RtfSide sides[] = {RtfSide::Top, RtfSide::Left, RtfSide::Bottom, RtfSide::Right};
            m_border
                = &m_cell.borders[static_cast<int>(sides[static_cast<int>(word) - static_cast<int>(RtfWord::ClBrdrT)])];
            *m_border = {RtfBorderStyle::Single, 0, rtfAutoColour};
            return;
        }
        case RtfWord::TrBrdrT:
        case RtfWord::TrBrdrL:
        case RtfWord::TrBrdrB:
        case RtfWord::TrBrdrR:
        case RtfWord::TrBrdrH:
        case RtfWord::TrBrdrV:
            m_border
                = &m_rowBorders[static_cast<std::size_t>(static_cast<int>(word) - static_cast<int>(RtfWord::TrBrdrT))];
            *m_border = {RtfBorderStyle::Single, 0, rtfAutoColour};
            return;
        case RtfWord::BrdrPara:
            // Paragraph borders are not drawn; their settings must not land on a cell's.
            m_border = &m_ignoredBorder;
            return;
        case RtfWord::BrdrS:
            setBorderStyle(RtfBorderStyle::Single);
            return;
        case RtfWord::BrdrTh:
            setBorderStyle(RtfBorderStyle::Thick);
            return;
        case RtfWord::BrdrDb:
            setBorderStyle(RtfBorderStyle::Double);
            return;
        case RtfWord::BrdrDot:
            setBorderStyle(RtfBorderStyle::Dotted);
            return;
        case RtfWord::BrdrDash:
            setBorderStyle(RtfBorderStyle::Dashed);
            return;
        case RtfWord::BrdrNone:
            setBorderStyle(RtfBorderStyle::None);
            return;
        case RtfWord::BrdrW:
            if (m_border != nullptr)
                m_border->width = std::clamp(value, 0, 1440);
            return;
        case RtfWord::BrdrCf:
            if (m_border != nullptr)
                m_border->colour = colourAt(value);
            return;
        case RtfWord::ClCbPat:
            m_cellShading.pattern = value;
            return;
        case RtfWord::ClCfPat:
            m_cellShading.patternColour = value;
            return;
        case RtfWord::ClShdng:
            m_cellShading.shading = value;
            return;
        case RtfWord::ClVertAlT:
            m_cell.verticalAlignment = RtfVerticalAlignment::Top;
            return;
        case RtfWord::ClVertAlC:
            m_cell.verticalAlignment = RtfVerticalAlignment::Centre;
            return;
        case RtfWord::ClVertAlB:
            m_cell.verticalAlignment = RtfVerticalAlignment::Bottom;
            return;
        case RtfWord::ClMgf:
            m_cell.mergeFirst = true;
            return;
        case RtfWord::ClMrg:
            m_cell.mergedLeft = true;
            return;
        case RtfWord::ClVmgf:
            m_cell.verticalMergeFirst = true;
            return;
        case RtfWord::ClVmrg:
            m_cell.mergedAbove = true;
            return;
        // pictures
        case RtfWord::PngBlip:
        case RtfWord::JpegBlip:
        case RtfWord::EmfBlip:
        case RtfWord::WMetafile:
        case RtfWord::DiBitmap:
        case RtfWord::WBitmap:
        case RtfWord::OtherPicture:
            if (st.dest == Dest::Picture)
                m_picture.kind = word;
            return;
        case RtfWord::PicW:
            m_picture.pixelWidth = std::clamp(value, 0, 100000);
            return;
        case RtfWord::PicH:
            m_picture.pixelHeight = std::clamp(value, 0, 100000);
            return;
        case RtfWord::PicWGoal:
            m_picture.goalWidth = std::clamp(value, 0, 1 << 24);
            return;
        case RtfWord::PicHGoal:
            m_picture.goalHeight = std::clamp(value, 0, 1 << 24);
            return;
        case RtfWord::PicScaleX:
            m_picture.scaleX = value > 0 ? std::min(value, 10000) : 100;
            return;
        case RtfWord::PicScaleY:
            m_picture.scaleY = value > 0 ? std::min(value, 10000) : 100;
            return;
        case RtfWord::Bin:
            binary(value, st.dest == Dest::Picture);
            return;
        // characters by name
        case RtfWord::EmDash:
            unicode(0x2014);
            return;
        case RtfWord::EnDash:
            unicode(0x2013);
            return;
        case RtfWord::Bullet:
            unicode(0x2022);
            return;
        case RtfWord::LQuote:
            unicode(0x2018);
            return;
        case RtfWord::RQuote:
            unicode(0x2019);
            return;
        case RtfWord::LDblQuote:
            unicode(0x201C);
            return;
        case RtfWord::RDblQuote:
            unicode(0x201D);
            return;
        case RtfWord::EmSpace:
            unicode(0x2003);
            return;
        case RtfWord::EnSpace:
            unicode(0x2002);
            return;
        case RtfWord::QmSpace:
            unicode(0x2005);
            return;
        case RtfWord::Zwj:
            unicode(0x200D);
            return;
        case RtfWord::Zwnj:
            unicode(0x200C);
            return;
        case RtfWord::ChPgn:
            if (isText(st.dest))
                fieldRun(st, RtfRunKind::PageNumber);
            return;
        }
    }

    // --- text ---------------------------------------------------------------------------------------------------

    static bool isText(Dest dest) { return dest == Dest::Body || dest == Dest::ListText; }

    RtfStory& story(const State& st) { return m_doc.stories[static_cast<std::size_t>(st.story)]; }

    void text(const unsigned char* p, std::size_t n)
    {
        if (m_skip > 0) {
            const std::size_t skipped = std::min<std::size_t>(n, static_cast<std::size_t>(m_skip));
            m_skip -= static_cast<int>(skipped);
            p += skipped;
            n -= skipped;
            if (n == 0)
                return;
        }
        m_star = false;
        State& st = top();
        switch (st.dest) {
        case Dest::Body:
        case Dest::ListText:
            bodyText(st, p, n);
            return;
        case Dest::Picture:
            pictureHex(p, n);
            return;
        case Dest::FontTable:
            fontText(p, n);
            return;
        case Dest::ColourTable:
            for (std::size_t i = 0; i < n; ++i) {
                if (p[i] == ';') {
                    m_colour.automatic = !m_colourSet;
                    m_doc.colours.push_back(m_colour);
                    m_colour = {};
                    m_colourSet = false;
                }
            }
            return;
        case Dest::Title:
            if (m_doc.title.size() < maxTitle)
                decode(p, n, fontInfo(-1), m_doc.title);
            return;
        case Dest::FieldInstruction:
            if (!m_fields.empty() && m_fields.back().instruction.size() < 4096)
                m_fields.back().instruction.append(reinterpret_cast<const char*>(p), n);
            return;
        case Dest::Ignore:
            return;
        }
    }

    void bodyText(State& st, const unsigned char* p, std::size_t n)
    {
        if (st.hidden)
            return;
        const FontInfo& font = fontInfo(st.chars.font);
        if (font.glyphs == RtfGlyphs::Text) {
            std::size_t ascii = 0;
            while (ascii < n && p[ascii] < 0x80)
                ++ascii;
            if (ascii == n) {
                emit(st, reinterpret_cast<const char*>(p), n);
                return;
            }
        }
        m_scratch.clear();
        decode(p, n, font, m_scratch);
        emit(st, m_scratch.data(), m_scratch.size());
    }

    static void decode(const unsigned char* p, std::size_t n, const FontInfo& font, std::string& out)
    {
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char c = p[i];
            if (font.glyphs == RtfGlyphs::Symbol)
                RtfCodePage::appendUtf8(out, c < 0x20 ? c : RtfCodePage::symbolGlyph(c));
            else if (font.glyphs == RtfGlyphs::Wingdings)
                RtfCodePage::appendUtf8(out, c < 0x20 ? c : RtfCodePage::wingdingsGlyph(c));
            else if (c < 0x80)
                out += static_cast<char>(c);
            else
                RtfCodePage::appendUtf8(out, font.upper[c - 0x80]);
        }
    }

    /// A character given as Unicode (\uN, \emdash, \tab …): no code page applies.
    void unicode(char32_t codePoint)
    {
        State& st = top();
        m_scratch.clear();
        RtfCodePage::appendUtf8(m_scratch, codePoint);
        switch (st.dest) {
        case Dest::Body:
        case Dest::ListText:
            if (!st.hidden)
                emit(st, m_scratch.data(), m_scratch.size());
            return;
        case Dest::FontTable:
            if (m_fontOpen && m_font.name.size() < 256)
                m_font.name += m_scratch;
            return;
        case Dest::Title:
            if (m_doc.title.size() < maxTitle)
                m_doc.title += m_scratch;
            return;
        case Dest::FieldInstruction:
            if (!m_fields.empty() && m_fields.back().instruction.size() < 4096)
                m_fields.back().instruction += m_scratch;
            return;
        default:
            return;
        }
    }

    void unicodeWord(int value)
    {
        State& st = top();
        m_skip = st.skipCount;
        char32_t codePoint = static_cast<char32_t>(value < 0 ? value + 65536 : value);
        if (value < -32768 || value > 65535)
            codePoint = 0xFFFD;
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            if (m_high != 0)
                unicode(0xFFFD);
            m_high = codePoint;
            return;
        }
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            codePoint = m_high != 0 ? 0x10000 + ((m_high - 0xD800) << 10) + (codePoint - 0xDC00) : 0xFFFD;
            m_high = 0;
            unicode(codePoint);
            return;
        }
        // Word writes symbol-font characters in the private area at U+F020-U+F0FF.
        if (codePoint >= 0xF020 && codePoint <= 0xF0FF && isText(st.dest)) {
            const FontInfo& font = fontInfo(st.chars.font);
            if (font.glyphs == RtfGlyphs::Symbol)
                codePoint = RtfCodePage::symbolGlyph(static_cast<unsigned char>(codePoint & 0xFF));
            else if (font.glyphs == RtfGlyphs::Wingdings)
                codePoint = RtfCodePage::wingdingsGlyph(static_cast<unsigned char>(codePoint & 0xFF));
        }
        unicode(codePoint);
    }

    void emit(State& st, const char* p, std::size_t n)
    {
        if (m_high != 0) {
            m_high = 0;
            emit(st, "\xEF\xBF\xBD", 3);
        }
        std::string& text = m_doc.text;
        if (text.size() + n > std::numeric_limits<std::uint32_t>::max()) {
            m_done = true;
            return;
        }
        const std::uint32_t format = charFormat(st);
        RtfStory& s = story(st);
        const StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        if (s.runs.size() > builder.barrier) {
            RtfRun& last = s.runs.back();
            if (last.kind == RtfRunKind::Text && last.format == format && last.offset + last.length == text.size()) {
                last.length += static_cast<std::uint32_t>(n);
                text.append(p, n);
                return;
            }
        }
        s.runs.push_back(
            {static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(n), format, RtfRunKind::Text});
        text.append(p, n);
    }

    void fieldRun(State& st, RtfRunKind kind)
    {
        if (st.hidden)
            return;
        story(st).runs.push_back({0, 0, charFormat(st), kind});
    }

    // --- fonts, colours, formats --------------------------------------------------------------------------------

    void setCodePage(int codePage)
    {
        m_ansiCodePage = codePage;
        forgetFont();
    }

    void forgetFont()
    {
        m_cachedFont = INT_MIN;
        m_lastCharValid = false;
    }

    const FontInfo& fontInfo(int number)
    {
        if (number == m_cachedFont)
            return m_cachedInfo;
        m_cachedFont = number;
        m_cachedInfo = {RtfCodePage::upperHalf(m_ansiCodePage), RtfGlyphs::Text};
        const int index = fontIndex(number);
        if (index >= 0) {
            const RtfFont& font = m_doc.fonts[static_cast<std::size_t>(index)];
            m_cachedInfo.glyphs = font.glyphs;
            m_cachedInfo.upper = RtfCodePage::upperHalf(font.codePage != 0 ? font.codePage : m_ansiCodePage);
        }
        return m_cachedInfo;
    }

    int fontIndex(int number) const
    {
        const auto found = m_fontIndex.find(number == -1 ? m_deff : number);
        return found == m_fontIndex.end() ? -1 : found->second;
    }

    void fontText(const unsigned char* p, std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i) {
            if (p[i] == ';') {
                commitFont();
                continue;
            }
            if (!m_fontOpen || m_font.name.size() >= 256)
                continue;
            const FontInfo info {RtfCodePage::upperHalf(m_font.codePage != 0 ? m_font.codePage : m_ansiCodePage),
                                 RtfGlyphs::Text};
            decode(p + i, 1, info, m_font.name);
        }
    }

    void commitFont()
    {
        if (!m_fontOpen)
            return;
        m_fontOpen = false;
        m_font.name = std::string(trimmed(m_font.name));
        if (startsWithNoCase(m_font.name, "SYMBOL"))
            m_font.glyphs = RtfGlyphs::Symbol;
        else if (startsWithNoCase(m_font.name, "WINGDINGS") && m_font.name.size() == 9)
            m_font.glyphs = RtfGlyphs::Wingdings;
        if (m_fontIndex.count(m_font.number) == 0 && m_doc.fonts.size() < 32768) {
            m_fontIndex[m_font.number] = static_cast<int>(m_doc.fonts.size());
            m_doc.fonts.push_back(m_font);
            m_doc.defaultFont = fontIndex(m_deff);
        }
        forgetFont();
    }

    std::uint32_t colourAt(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= m_doc.colours.size())
            return rtfAutoColour;
        const RtfColour& colour = m_doc.colours[static_cast<std::size_t>(index)];
        return colour.automatic ? rtfAutoColour : rgb(colour);
    }

    std::uint32_t charFormat(const State& st)
    {
        if (m_lastCharValid && st.chars == m_lastChar)
            return m_lastCharIndex;
        RtfCharFormat format = st.chars;
        // Symbol-font text has been mapped to Unicode already; it is drawn in the ordinary font.
        format.font = fontInfo(format.font).glyphs == RtfGlyphs::Text ? fontIndex(format.font) : m_doc.defaultFont;
        m_lastChar = st.chars;
        m_lastCharIndex = m_charFormats.intern(m_doc.charFormats, format);
        m_lastCharValid = true;
        return m_lastCharIndex;
    }

    std::uint32_t paraFormat(const State& st)
    {
        // Rows alternate a few paragraph formats (left and right aligned cells): a handful of recent ones are kept.
        for (const RecentPara& recent : m_recentParas) {
            if (recent.valid && recent.key == st.para)
                return recent.index;
        }
        const ParaState& p = st.para;
        RtfParaFormat format;
        format.alignment = p.alignment;
        format.leftIndent = p.leftIndent;
        format.rightIndent = p.rightIndent;
        format.firstLineIndent = p.firstLineIndent;
        format.spaceBefore = p.spaceBefore;
        format.spaceAfter = p.spaceAfter;
        if (p.lineSpacing > 0) {
            format.lineRule = p.lineMultiple ? RtfLineRule::Multiple : RtfLineRule::AtLeast;
            format.lineSpacing = p.lineSpacing;
        } else if (p.lineSpacing < 0) {
            format.lineRule = RtfLineRule::Exactly;
            format.lineSpacing = -p.lineSpacing;
        }
        format.keepTogether = p.keepTogether;
        format.keepWithNext = p.keepWithNext;
        format.pageBreakBefore = p.pageBreakBefore;
        format.background = backgroundOf(p.pattern, p.patternColour, p.shading);
        format.tabs.assign(p.tabs.begin(), p.tabs.begin() + p.tabCount);
        RecentPara& slot = m_recentParas[m_nextRecentPara++ % m_recentParas.size()];
        slot.key = p;
        slot.index = m_paraFormats.intern(m_doc.paraFormats, std::move(format));
        slot.valid = true;
        return slot.index;
    }

    std::uint32_t backgroundOf(int pattern, int patternColour, int shading) const
    {
        if (shading > 0)
            return shade(colourAt(patternColour), colourAt(pattern), shading);
        return colourAt(pattern);
    }

    // --- paragraphs, cells, rows --------------------------------------------------------------------------------

    void paragraph()
    {
        State& st = top();
        if (st.dest == Dest::Body)
            endParagraph(st, st.inTable);
    }

    RtfParagraph openParagraph(State& st)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        RtfStory& s = story(st);
        RtfParagraph paragraph {builder.paragraphStart,
                                static_cast<std::uint32_t>(s.runs.size()) - builder.paragraphStart, paraFormat(st),
                                builder.labelRuns, builder.pageBreak};
        builder.pageBreak = false;
        builder.labelRuns = 0;
        builder.labelStart = none;
        builder.paragraphStart = builder.barrier = static_cast<std::uint32_t>(s.runs.size());
        return paragraph;
    }

    void endParagraph(State& st, bool inCell)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        RtfStory& s = story(st);
        if (inCell) {
            const RtfParagraph paragraph = openParagraph(st);
            if (!builder.cellOpen) {
                builder.cellOpen = true;
                builder.cellFirstParagraph = static_cast<std::uint32_t>(s.paragraphs.size());
            }
            s.paragraphs.push_back(paragraph);
            return;
        }
        closeRow(st);
        const RtfParagraph paragraph = openParagraph(st);
        s.blocks.push_back({RtfBlockKind::Paragraph, static_cast<std::uint32_t>(s.paragraphs.size())});
        s.paragraphs.push_back(paragraph);
        builder.openTable = -1;
    }

    void endLabel(const State& closing)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(closing.story)];
        const auto runs = static_cast<std::uint32_t>(story(closing).runs.size());
        if (builder.labelStart != none && runs >= builder.paragraphStart)
            builder.labelRuns
                = static_cast<std::uint16_t>(std::min<std::uint32_t>(runs - builder.paragraphStart, 0xFFFF));
        builder.labelStart = none;
        builder.barrier = runs;
    }

    void endCell(State& st)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        endParagraph(st, true);
        const auto paragraphs = static_cast<std::uint32_t>(story(st).paragraphs.size());
        if (builder.rowCells.size() < maxCellsPerRow)
            builder.rowCells.push_back({builder.cellFirstParagraph, paragraphs - builder.cellFirstParagraph});
        else
            builder.rowCells.back().paragraphCount = paragraphs - builder.rowCells.back().firstParagraph;
        builder.cellOpen = false;
    }

    void endRow(State& st)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        if (story(st).runs.size() > builder.paragraphStart || builder.cellOpen)
            endCell(st);
        finishRow(st);
    }

    /// A table row left open when a paragraph outside the table (or the end) comes: it ends there.
    void closeRow(State& st)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        if (builder.cellOpen) {
            const auto paragraphs = static_cast<std::uint32_t>(story(st).paragraphs.size());
            if (builder.rowCells.size() < maxCellsPerRow)
                builder.rowCells.push_back({builder.cellFirstParagraph, paragraphs - builder.cellFirstParagraph});
            builder.cellOpen = false;
        }
        if (!builder.rowCells.empty())
            finishRow(st);
    }

    void cellEdge(int edge)
    {
        if (m_row.cells.size() >= maxCellsPerRow)
            return;
        m_cell.rightEdge = edge;
        m_cell.background = backgroundOf(m_cellShading.pattern, m_cellShading.patternColour, m_cellShading.shading);
        m_row.cells.push_back(m_cell);
        m_cell = {};
        m_cellShading = {};
        m_border = nullptr;
    }

    void setBorderStyle(RtfBorderStyle style)
    {
        if (m_border != nullptr)
            m_border->style = style;
    }

    static bool sameEdges(const RtfRowFormat& a, const RtfRowFormat& b)
    {
        if (a.left != b.left || a.cells.size() != b.cells.size())
            return false;
        for (std::size_t i = 0; i < a.cells.size(); ++i) {
            if (a.cells[i].rightEdge != b.cells[i].rightEdge)
                return false;
        }
        return true;
    }

    void finishRow(State& st)
    {
        StoryBuilder& builder = m_builders[static_cast<std::size_t>(st.story)];
        RtfStory& s = story(st);
        if (builder.rowCells.empty())
            return;
        RtfRowFormat& format = m_rowScratch;
        format = m_row;
        const std::size_t columns = std::max(builder.rowCells.size(), format.cells.size());
        while (format.cells.size() < columns) {
            RtfCellFormat extra;
            extra.rightEdge = (format.cells.empty() ? format.left : format.cells.back().rightEdge) + 1440;
            format.cells.push_back(extra);
        }
        while (builder.rowCells.size() < columns)
            builder.rowCells.push_back({static_cast<std::uint32_t>(s.paragraphs.size()), 0});
        applyRowBorders(format);
        if (!m_lastRowValid || !(format == m_lastRow)) {
            m_lastRow = format;
            m_lastRowValid = true;
            m_lastRowIndex = m_rowFormats.intern(m_doc.rowFormats, format);
        }
        const std::uint32_t formatIndex = m_lastRowIndex;
        const RtfRowFormat& def = m_doc.rowFormats[formatIndex];

        // A page break before the first cell's text is a break before the table.
        bool breakBefore = false;
        const RtfCell& firstCell = builder.rowCells.front();
        if (firstCell.paragraphCount > 0 && firstCell.firstParagraph < s.paragraphs.size()) {
            RtfParagraph& first = s.paragraphs[firstCell.firstParagraph];
            breakBefore = first.pageBreakBefore;
            first.pageBreakBefore = false;
        }

        bool join = builder.openTable >= 0 && !breakBefore && !s.blocks.empty()
            && s.blocks.back().kind == RtfBlockKind::Table
            && s.blocks.back().index == static_cast<std::uint32_t>(builder.openTable);
        if (join) {
            const RtfTable& table = s.tables[static_cast<std::size_t>(builder.openTable)];
            join = sameEdges(m_doc.rowFormats[s.rows[table.firstRow].format], def);
        }
        if (!join) {
            builder.openTable = static_cast<int>(s.tables.size());
            s.blocks.push_back({RtfBlockKind::Table, static_cast<std::uint32_t>(s.tables.size())});
            s.tables.push_back(
                {static_cast<std::uint32_t>(s.rows.size()), 0, static_cast<std::uint32_t>(columns), 0, breakBefore});
            builder.verticalOwner.assign(columns, -1);
        }
        RtfTable& table = s.tables[static_cast<std::size_t>(builder.openTable)];
        s.rows.push_back(
            {static_cast<std::uint32_t>(s.cells.size()), static_cast<std::uint32_t>(columns), formatIndex});
        int horizontalOwner = -1;
        for (std::size_t c = 0; c < columns; ++c) {
            RtfCell cell = builder.rowCells[c];
            const RtfCellFormat& cf = def.cells[c];
            const int index = static_cast<int>(s.cells.size());
            if (cf.mergedLeft && horizontalOwner >= 0) {
                RtfCell& owner = s.cells[static_cast<std::size_t>(horizontalOwner)];
                if (owner.columnSpan < 0xFFFF)
                    ++owner.columnSpan;
                cell.covered = true;
            } else {
                horizontalOwner = index;
            }
            int& above = builder.verticalOwner[c];
            if (cf.mergedAbove && above >= 0 && !cell.covered) {
                RtfCell& owner = s.cells[static_cast<std::size_t>(above)];
                if (owner.rowSpan < 0xFFFF)
                    ++owner.rowSpan;
                cell.covered = true;
            } else if (cf.mergedAbove && above >= 0) {
                // covered from the left already: keeps the merge above going for the next row
            } else {
                above = cf.verticalMergeFirst && !cell.covered ? index : -1;
            }
            s.cells.push_back(cell);
        }
        ++table.rowCount;
        if (def.header && table.headerRows + 1 == table.rowCount)
            ++table.headerRows;
        builder.rowCells.clear();
        builder.cellOpen = false;
    }

    /// Row borders (\trbrdr…) stand in for the cell borders a row leaves out.
    void applyRowBorders(RtfRowFormat& format) const
    {
        const auto [rowTop, rowLeft, rowBottom, rowRight, horizontal, vertical] = m_rowBorders;
        const auto fill = [](RtfBorder& border, const RtfBorder& from) {
            if (border.style == RtfBorderStyle::None && from.style != RtfBorderStyle::None)
                border = from;
        };
        for (std::size_t c = 0; c < format.cells.size(); ++c) {
            RtfCellFormat& cell = format.cells[c];
            fill(cell.borders[static_cast<int>(RtfSide::Top)], rowTop);
            fill(cell.borders[static_cast<int>(RtfSide::Bottom)], rowBottom);
            fill(cell.borders[static_cast<int>(RtfSide::Top)], horizontal);
            fill(cell.borders[static_cast<int>(RtfSide::Bottom)], horizontal);
            fill(cell.borders[static_cast<int>(RtfSide::Left)], c == 0 ? rowLeft : vertical);
            fill(cell.borders[static_cast<int>(RtfSide::Right)], c + 1 == format.cells.size() ? rowRight : vertical);
        }
    }

    void pageBreak(State& st)
    {
        if (st.story != 0 || st.dest != Dest::Body)
            return;
        if (story(st).runs.size() > m_builders[0].paragraphStart)
            endParagraph(st, st.inTable);
        m_builders[0].pageBreak = true;
    }

    // --- sections, headers and footers --------------------------------------------------------------------------

    static void pageValue(RtfPageSetup& page, RtfWord word, int value)
    {
        value = std::clamp(value, 0, 31680 * 4);
        switch (word) {
        case RtfWord::PaperW:
            if (value > 0)
                page.paperWidth = value;
            return;
        case RtfWord::PaperH:
            if (value > 0)
                page.paperHeight = value;
            return;
        case RtfWord::MargL:
            page.marginLeft = value;
            return;
        case RtfWord::MargR:
            page.marginRight = value;
            return;
        case RtfWord::MargT:
            page.marginTop = value;
            return;
        case RtfWord::MargB:
            page.marginBottom = value;
            return;
        default:
            return;
        }
    }

    void closeBodyParagraph(State& st)
    {
        if (story(st).runs.size() > m_builders[static_cast<std::size_t>(st.story)].paragraphStart)
            endParagraph(st, false);
        closeRow(st);
    }

    void sectionBreak(State& st)
    {
        if (st.story != 0 || !isText(st.dest))
            return;
        closeBodyParagraph(st);
        commitSection();
    }

    void commitSection()
    {
        const auto blocks = static_cast<std::uint32_t>(m_doc.stories[0].blocks.size());
        m_section.firstBlock = m_sectionStart;
        m_section.blockCount = blocks - m_sectionStart;
        // The first section starts at its \pgnstarts even without \pgnrestart.
        const bool restart = m_pageNumberRestart || (m_doc.sections.empty() && m_pageNumberStartGiven);
        m_section.pageNumberStart = restart ? m_pageNumberStart : -1;
        m_doc.sections.push_back(m_section);
        m_sectionStart = blocks;
        m_builders[0].openTable = -1;
    }

    void finishBody(State& st)
    {
        if (m_bodyFinished)
            return;
        m_bodyFinished = true;
        State body = st;
        body.story = 0;
        body.dest = Dest::Body;
        closeBodyParagraph(body);
        if (m_doc.sections.empty() || m_doc.stories[0].blocks.size() > m_sectionStart)
            commitSection();
    }

    void beginHeader(RtfWord word)
    {
        State& st = top();
        if (st.story != 0 || st.dest != Dest::Body || m_doc.stories.size() >= 4096) {
            skipGroup();
            return;
        }
        const int index = static_cast<int>(m_doc.stories.size());
        m_doc.stories.emplace_back();
        m_builders.emplace_back();
        m_builders.back().level = m_stack.size() - 1;
        st.story = index;
        st.para = {};
        st.inTable = false;
        switch (word) {
        case RtfWord::Header:
            m_section.headers.all = index;
            break;
        case RtfWord::HeaderL:
            m_section.headers.left = index;
            break;
        case RtfWord::HeaderR:
            m_section.headers.right = index;
            break;
        case RtfWord::HeaderF:
            m_section.headers.first = index;
            break;
        case RtfWord::Footer:
            m_section.footers.all = index;
            break;
        case RtfWord::FooterL:
            m_section.footers.left = index;
            break;
        case RtfWord::FooterR:
            m_section.footers.right = index;
            break;
        default:
            m_section.footers.first = index;
            break;
        }
    }

    void finishStory(State& closing)
    {
        if (story(closing).runs.size() > m_builders[static_cast<std::size_t>(closing.story)].paragraphStart)
            endParagraph(closing, false);
        closeRow(closing);
    }

    // --- fields -------------------------------------------------------------------------------------------------

    void readInstruction()
    {
        if (m_fields.empty())
            return;
        Field& field = m_fields.back();
        const std::vector<std::string> words = instructionWords(field.instruction);
        if (words.empty())
            return;
        const std::string& name = words[0];
        if (startsWithNoCase(name, "PAGE") && name.size() == 4) {
            field.kind = FieldKind::Page;
        } else if (startsWithNoCase(name, "NUMPAGES") && name.size() == 8) {
            field.kind = FieldKind::NumPages;
        } else if (startsWithNoCase(name, "SECTIONPAGES") && name.size() == 12) {
            field.kind = FieldKind::SectionPages;
        } else if (startsWithNoCase(name, "HYPERLINK") && name.size() == 9 && words.size() > 1) {
            std::string target;
            for (std::size_t i = 1; i < words.size(); ++i) {
                if (words[i] == "\\l" && i + 1 < words.size()) {
                    target += '#' + words[++i];
                } else if (!words[i].empty() && words[i][0] != '\\' && target.empty()) {
                    target = words[i];
                }
            }
            if (!target.empty() && m_doc.links.size() < 65536) {
                field.kind = FieldKind::Hyperlink;
                field.link = static_cast<int>(m_doc.links.size());
                m_doc.links.push_back(std::move(target));
            }
        } else if (startsWithNoCase(name, "SYMBOL") && name.size() == 6 && words.size() > 1) {
            const long code = std::strtol(words[1].c_str(), nullptr, 0);
            std::string fontName;
            for (std::size_t i = 2; i + 1 < words.size(); ++i) {
                if (words[i] == "\\f")
                    fontName = words[i + 1];
            }
            if (code > 0 && code < 0x110000) {
                field.kind = FieldKind::Symbol;
                if (code < 256 && startsWithNoCase(fontName, "SYMBOL"))
                    field.symbol = RtfCodePage::symbolGlyph(static_cast<unsigned char>(code));
                else if (code < 256 && startsWithNoCase(fontName, "WINGDINGS"))
                    field.symbol = RtfCodePage::wingdingsGlyph(static_cast<unsigned char>(code));
                else if (code >= 0x80 && code < 256)
                    field.symbol = RtfCodePage::upperHalf(m_ansiCodePage)[code - 0x80];
                else
                    field.symbol = static_cast<char32_t>(code);
            }
        }
    }

    void fieldResult(State& st)
    {
        if (m_fields.empty())
            return;
        Field& field = m_fields.back();
        st.dest = field.outer;
        switch (field.kind) {
        case FieldKind::Page:
        case FieldKind::NumPages:
        case FieldKind::SectionPages:
        case FieldKind::Symbol:
            // The result is only the value when the document was saved; the page fields are computed per page.
            if (!field.done && isText(st.dest))
                fieldValue(st, field);
            st.dest = Dest::Ignore;
            return;
        case FieldKind::Hyperlink:
            st.chars.link = field.link;
            return;
        case FieldKind::Other:
            return;
        }
    }

    void fieldValue(State& st, Field& field)
    {
        field.done = true;
        switch (field.kind) {
        case FieldKind::Page:
            fieldRun(st, RtfRunKind::PageNumber);
            return;
        case FieldKind::NumPages:
            fieldRun(st, RtfRunKind::PageCount);
            return;
        case FieldKind::SectionPages:
            fieldRun(st, RtfRunKind::SectionPageCount);
            return;
        case FieldKind::Symbol: {
            std::string symbol;
            RtfCodePage::appendUtf8(symbol, field.symbol);
            if (!st.hidden)
                emit(st, symbol.data(), symbol.size());
            return;
        }
        default:
            return;
        }
    }

    void finishField(State& outer)
    {
        Field field = std::move(m_fields.back());
        m_fields.pop_back();
        if (!field.done && field.kind != FieldKind::Other && field.kind != FieldKind::Hyperlink && isText(outer.dest))
            fieldValue(outer, field);
    }

    // --- pictures -----------------------------------------------------------------------------------------------

    void pictureHex(const unsigned char* p, std::size_t n)
    {
        if (!m_picture.active)
            return;
        std::string& bytes = m_picture.bytes;
        if (bytes.size() + n / 2 + 1 > maxPictureBytes)
            return;
        int high = m_picture.high;
        for (std::size_t i = 0; i < n; ++i) {
            const int v = hexValue(p[i]);
            if (v < 0)
                continue;
            if (high < 0) {
                high = v;
            } else {
                bytes += static_cast<char>(high * 16 + v);
                high = -1;
            }
        }
        m_picture.high = high;
    }

    static int u32be(std::string_view bytes, std::size_t at)
    {
        if (at + 4 > bytes.size())
            return 0;
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v > 100000 ? 0 : static_cast<int>(v);
    }

    static int s32le(std::string_view bytes, std::size_t at)
    {
        if (at + 4 > bytes.size())
            return 0;
        std::uint32_t v = 0;
        for (std::size_t i = 4; i-- > 0;)
            v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        const auto value = static_cast<std::int32_t>(v);
        return value < -100000 || value > 100000 ? 0 : std::abs(value);
    }

    void finishPicture(State& outer)
    {
        PictureBuild build = std::move(m_picture);
        m_picture = {};
        RtfPicture picture;
        bool bitmap = true;
        switch (build.kind) {
        case RtfWord::PngBlip:
            if (build.bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0) {
                picture.kind = RtfPictureKind::Png;
                picture.bytes = std::move(build.bytes);
            }
            break;
        case RtfWord::JpegBlip:
            if (build.bytes.compare(0, 2, "\xFF\xD8") == 0) {
                picture.kind = RtfPictureKind::Jpeg;
                picture.bytes = std::move(build.bytes);
            }
            break;
        case RtfWord::DiBitmap:
            picture.bytes = RtfPictureData::bmpFromDib(build.bytes);
            break;
        case RtfWord::WMetafile:
            bitmap = false;
            picture.bytes = RtfPictureData::bmpFromWmf(build.bytes);
            break;
        case RtfWord::EmfBlip:
            bitmap = false;
            picture.bytes = RtfPictureData::bmpFromEmf(build.bytes);
            break;
        default:
            bitmap = build.kind == RtfWord::WBitmap;
            break;
        }
        if (picture.kind == RtfPictureKind::Unsupported && !picture.bytes.empty())
            picture.kind = RtfPictureKind::Bmp;

        // Goal sizes are twips; \picw and \pich are pixels for bitmaps and hundredths of a millimetre for metafiles.
        int width = build.goalWidth, height = build.goalHeight;
        if (width == 0)
            width = bitmap ? build.pixelWidth * 15 : static_cast<int>(build.pixelWidth * 1440LL / 2540);
        if (height == 0)
            height = bitmap ? build.pixelHeight * 15 : static_cast<int>(build.pixelHeight * 1440LL / 2540);
        if (width == 0 || height == 0) {
            if (picture.kind == RtfPictureKind::Png) {
                width = u32be(picture.bytes, 16) * 15;
                height = u32be(picture.bytes, 20) * 15;
            } else if (picture.kind == RtfPictureKind::Bmp) {
                width = s32le(picture.bytes, 18) * 15;
                height = s32le(picture.bytes, 22) * 15;
            }
        }
        picture.width = static_cast<int>(std::min<long long>(1LL * width * build.scaleX / 100, 1 << 24));
        picture.height = static_cast<int>(std::min<long long>(1LL * height * build.scaleY / 100, 1 << 24));
        if (!isText(outer.dest) || outer.hidden)
            return;
        if (picture.kind == RtfPictureKind::Unsupported && (picture.width == 0 || picture.height == 0))
            return;
        const std::uint32_t index = pictureIndex(std::move(picture));
        story(outer).runs.push_back({index, 0, charFormat(outer), RtfRunKind::Picture});
    }

    std::uint32_t pictureIndex(RtfPicture picture)
    {
        const std::size_t hash = std::hash<std::string_view> {}(picture.bytes) ^ static_cast<std::size_t>(picture.width)
            ^ static_cast<std::size_t>(picture.height) << 20;
        const auto [first, last] = m_pictures.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            const RtfPicture& known = m_doc.pictures[it->second];
            if (known.kind == picture.kind && known.width == picture.width && known.height == picture.height
                && known.bytes == picture.bytes)
                return it->second;
        }
        const auto index = static_cast<std::uint32_t>(m_doc.pictures.size());
        m_doc.pictures.push_back(std::move(picture));
        m_pictures.emplace(hash, index);
        return index;
    }

    // --- members ------------------------------------------------------------------------------------------------

    struct Shading {
        int pattern = -1, patternColour = -1, shading = 0;
    };

    const unsigned char* m_p;
    const unsigned char* m_end;
    RtfDocument m_doc;
    std::vector<State> m_stack;
    std::vector<StoryBuilder> m_builders;
    std::size_t m_phantom = 0;
    bool m_done = false;
    bool m_star = false;
    bool m_bodyFinished = false;
    int m_skip = 0;
    char32_t m_high = 0;
    std::string m_scratch;

    int m_ansiCodePage = 1252;
    int m_deff = 0;
    std::unordered_map<int, int> m_fontIndex;
    RtfFont m_font;
    bool m_fontOpen = false;
    std::size_t m_fontLevel = 0;
    int m_cachedFont = INT_MIN;
    FontInfo m_cachedInfo;
    RtfColour m_colour;
    bool m_colourSet = false;

    Interner<RtfCharFormat> m_charFormats;
    RtfCharFormat m_lastChar;
    std::uint32_t m_lastCharIndex = 0;
    bool m_lastCharValid = false;
    struct RecentPara {
        ParaState key;
        std::uint32_t index = 0;
        bool valid = false;
    };
    Interner<RtfParaFormat> m_paraFormats;
    std::array<RecentPara, 4> m_recentParas {};
    std::size_t m_nextRecentPara = 0;
    Interner<RtfRowFormat> m_rowFormats;
    RtfRowFormat m_lastRow;
    std::uint32_t m_lastRowIndex = 0;
    bool m_lastRowValid = false;

    RtfRowFormat m_row;
    RtfRowFormat m_rowScratch;
    RtfCellFormat m_cell;
    Shading m_cellShading;
    std::array<RtfBorder, 6> m_rowBorders {};
    RtfBorder m_ignoredBorder;
    RtfBorder* m_border = nullptr;

    RtfPageSetup m_pageDefaults;
    RtfSection m_section;
    std::uint32_t m_sectionStart = 0;
    int m_pageNumberStart = 1;
    bool m_pageNumberStartGiven = false;
    bool m_pageNumberRestart = false;

    std::vector<Field> m_fields;
    PictureBuild m_picture;
    std::unordered_multimap<std::size_t, std::uint32_t> m_pictures;
};

} // namespace

RtfDocument RtfReader::read(std::string_view rtf)
{
    try {
        return Parser(rtf).run();
    } catch (...) {
        Log::error("ERR in CorvaneDialogs.RtfReader.read    ", Log::describeCurrentException());
        RtfDocument empty;
        empty.stories.emplace_back();
        empty.sections.emplace_back();
        return empty;
    }
}

bool RtfReader::looksLikeRtf(std::string_view bytes)
{
    while (!bytes.empty()
           && (bytes.front() == ' ' || bytes.front() == '\t' || bytes.front() == '\r' || bytes.front() == '\n'))
        bytes.remove_prefix(1);
    return bytes.substr(0, 5) == "{\\rtf";
}

} // namespace corvane
