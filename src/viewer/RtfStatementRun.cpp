#include "RtfStatementRun.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane {

namespace {

constexpr int logoWidth = 120;
constexpr int logoHeight = 40;
constexpr int firstPageRows = 20;
constexpr int laterPageRows = 34;

void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::uint32_t crc32(std::string_view bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void appendChunk(std::string& png, std::string_view type, std::string_view data)
{
    appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::string body(type);
    body.append(data);
    png += body;
    appendBigEndian(png, crc32(body));
}

/// Deterministic numbers for names, codes and amounts.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed)
        : m_state(seed)
    {
    }
    int next(int bound)
    {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<int>((m_state >> 8) % static_cast<std::uint32_t>(bound));
    }

private:
    std::uint32_t m_state;
};

std::string amount(long long cents)
{
    const bool negative = cents < 0;
    if (negative)
        cents = -cents;
    std::string whole = std::to_string(cents / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    const int fraction = static_cast<int>(cents % 100);
    return (negative ? "-" : "") + whole + '.' + (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

std::string hex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
        if (i % 64 == 63)
            out += "\r\n";
    }
    return out;
}

constexpr std::string_view services[][2] = {
    {"99213", "Office visit, established patient, low complexity"},
    {"99214", "Office visit, established patient, moderate complexity"},
    {"85025", "Complete blood count with differential"},
    {"80053", "Comprehensive metabolic panel"},
    {"93000", "Electrocardiogram, routine, with interpretation"},
    {"90471", "Immunization administration"},
    {"36415", "Routine venipuncture"},
    {"71046", "Chest X-ray, two views"},
};

constexpr std::string_view surnames[] = {"Alvarez",   "Brennan",   "Castillo", "Dubois", "Eriksen",
                                         "Fernández", "Gallagher", "Horvath",  "Ibáñez", "Jovanović"};
constexpr std::string_view givenNames[] = {"María", "Thomas", "Aisha", "Luis", "Grace", "Noah", "Zoë", "Peter"};

/// UTF-8 names written as RTF: Windows-1252 letters as \'hh, anything else as \uN with a "?" fallback.
std::string rtfText(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::uint32_t cp = (c & 0x1F) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
        i += 2;
        static constexpr char digits[] = "0123456789abcdef";
        if (cp < 0x100) {
            out += "\\'";
            out += digits[cp >> 4];
            out += digits[cp & 15];
        } else {
            out += "\\u" + std::to_string(cp) + '?';
        }
    }
    return out;
}

const char* const tableRowDefinition = "\\trowd\\trgaph70\\trleft0\\trrh280"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx1150"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx1950"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx5500"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx6650"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx7800"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx8950"
                                       "\\clbrdrb\\brdrs\\brdrw5\\brdrcf3\\cellx10080\n";

void appendHeaderRow(std::string& out)
{
    out += "\\trowd\\trgaph70\\trleft0\\trrh300\\trhdr"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx1150"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx1950"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx5500"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx6650"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx7800"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx8950"
           "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clcbpat3\\cellx10080\n"
           "\\pard\\intbl\\ql\\plain\\f0\\fs16\\b Date\\cell Code\\cell Description\\cell"
           "\\pard\\intbl\\qr\\plain\\f0\\fs16\\b Charges\\cell Payments\\cell Adjustments\\cell Balance\\cell\\row\n";
}

struct Statement {
    int number = 0;
    int pages = 1;
    std::string patient;
    long long balance = 0;
};

void appendServiceRow(std::string& out, Sequence& random, Statement& statement, int day)
{
    const auto& service = services[random.next(8)];
    const long long charge = 2500 + random.next(30000);
    const int kind = random.next(4);
    const long long payment = kind == 0 ? charge * 8 / 10 : 0;
    const long long adjustment = kind == 1 ? charge / 5 : 0;
    statement.balance += charge - payment - adjustment;
    const int month = 1 + (day / 28) % 12;
    const int dayOfMonth = 1 + day % 28;
    out += tableRowDefinition;
    out += "\\pard\\intbl\\ql\\plain\\f0\\fs17 ";
    out += (month < 10 ? "0" : "") + std::to_string(month) + '/' + (dayOfMonth < 10 ? "0" : "")
        + std::to_string(dayOfMonth) + "/2026\\cell ";
    out += service[0];
    out += "\\cell ";
    out += service[1];
    out += "\\cell\\pard\\intbl\\qr\\plain\\f0\\fs17 ";
    out += amount(charge) + "\\cell " + (payment != 0 ? amount(-payment) : std::string()) + "\\cell "
        + (adjustment != 0 ? amount(-adjustment) : std::string()) + "\\cell " + amount(statement.balance)
        + "\\cell\\row\n";
}

void appendFirstPageTop(std::string& out, const Statement& statement, const std::string& logoHex)
{
    out += "\\pard\\plain\\ql\\f0\\fs20{\\*\\shppict{\\pict\\pngblip\\picw120\\pich40\\picwgoal1800\\pichgoal600\r\n";
    out += logoHex;
    out += "}}{\\nonshppict{\\pict\\wmetafile8\\picw3175\\pich1058 0100090000}}\\tab{\\b\\fs28\\cf2 Riverside Family "
           "Medicine}\\par\n"
           "\\pard\\plain\\qr\\f0\\fs18 1200 Harbor Avenue, Suite 300\\line Springfield, OR 97477\\line "
           "Phone (541) 555-0142\\par\n"
           "\\pard\\plain\\sb240\\f0\\fs20 ";
    out += rtfText(statement.patient);
    out += "\\line 4" + std::to_string(100 + statement.number % 800)
        + " Willow Creek Road\\line Eugene, OR 97401\\par\n"
          "\\pard\\plain\\sb240\\tx6480\\tqr\\tx10080\\f0\\fs20 Statement date:\\tab 03/31/2026\\par\n"
          "\\pard\\plain\\tx6480\\tqr\\tx10080\\f0\\fs20 Account number:\\tab "
        + std::to_string(700000 + statement.number)
        + "\\par\n"
          "\\pard\\plain\\sa120\\tx6480\\tqr\\tx10080\\f0\\fs20 Questions? Call our billing office "
          "{\\f3\\'b7} Mon{\\endash}Fri 8{\\emdash}5\\tab Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
          "{\\field{\\*\\fldinst SECTIONPAGES}{\\fldrslt 1}}\\par\n";
}

void appendSummary(std::string& out, Sequence& random, const Statement& statement)
{
    long long buckets[5] = {};
    long long left = statement.balance;
    for (int i = 4; i > 0; --i) {
        buckets[i] = left > 0 ? left * random.next(30) / 100 : 0;
        left -= buckets[i];
    }
    buckets[0] = left;
    out += "\\pard\\plain\\sb240\\tqr\\tx2000\\tqr\\tx4000\\tqr\\tx6000\\tqr\\tx8000\\tqr\\tx10080\\f0\\fs18\\b"
           "\\tab Current\\tab 31{\\endash}60 days\\tab 61{\\endash}90 days\\tab 91{\\endash}120 days\\tab "
           "Over 120\\par\n"
           "\\pard\\plain\\tqdec\\tx1700\\tqdec\\tx3700\\tqdec\\tx5700\\tqdec\\tx7700\\tqdec\\tx9700\\f0\\fs18";
    for (const long long bucket : buckets)
        out += "\\tab " + amount(bucket);
    out += "\\par\n\\pard\\plain\\sb120\\sa240\\tqr\\tx10080\\f0\\fs22\\b Amount due\\tab "
           "$"
        + amount(statement.balance)
        + "\\par\n"
          "\\pard\\plain\\qc\\f2\\fs16 - - - - - - - - - - - - - - - - Please detach and return this portion with "
          "your payment - - - - - - - - - - - - - - - -\\par\n"
          "\\pard\\plain\\sb120\\tx1440\\tx6480\\tqr\\tx10080\\f0\\fs18 Patient:\\tab "
        + rtfText(statement.patient) + "\\tab Amount due:\\tab $" + amount(statement.balance)
        + "\\par\n"
          "\\pard\\plain\\tx1440\\tx6480\\tqr\\tx10080\\f0\\fs18 Account:\\tab "
        + std::to_string(700000 + statement.number) + "\\tab Amount enclosed:\\tab $____________\\par\n";
}

} // namespace

std::string RtfStatementRun::logoPng()
{
    static const std::string png = [] {
        std::string pixels;
        for (int y = 0; y < logoHeight; ++y) {
            pixels += '\0';
            for (int byte = 0; byte < logoWidth / 4; ++byte) {
                int packed = 0;
                for (int k = 0; k < 4; ++k) {
                    const int x = byte * 4 + k;
                    const int dx = x - 20, dy = y - 20;
                    int colour = 0;
                    if (dx * dx + dy * dy < 256)
                        colour = (dx > -3 && dx < 3) || (dy > -3 && dy < 3) ? 3 : 2;
                    else if (x > 44 && x < 114 && (y % 10) > 3 && (y % 10) < 7)
                        colour = 1;
                    packed = packed << 2 | colour;
                }
                pixels += static_cast<char>(packed);
            }
        }
        // zlib with one stored block: the logo stays byte-for-byte the same without a deflate implementation.
        std::string zlib = "\x78\x01";
        zlib += '\x01';
        const auto length = static_cast<std::uint16_t>(pixels.size());
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib += pixels;
        std::uint32_t a = 1, b = 0;
        for (const char c : pixels) {
            a = (a + static_cast<unsigned char>(c)) % 65521;
            b = (b + a) % 65521;
        }
        appendBigEndian(zlib, b << 16 | a);

        std::string out = "\x89PNG\r\n\x1A\n";
        std::string header;
        appendBigEndian(header, logoWidth);
        appendBigEndian(header, logoHeight);
        header += std::string("\x02\x03\x00\x00\x00", 5);
        appendChunk(out, "IHDR", header);
        appendChunk(out, "PLTE", std::string_view("\xFF\xFF\xFF\x1F\x49\x7D\x2E\x8B\x57\xFF\xFF\xFF", 12));
        appendChunk(out, "IDAT", zlib);
        appendChunk(out, "IEND", {});
        return out;
    }();
    return png;
}

std::string RtfStatementRun::generate(int pages)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(pages > 0 ? pages : 1) * 9000);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720\n"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
           "{\\f2\\fmodern\\fcharset0\\fprq1 Courier New;}{\\f3\\ftech\\fcharset2 Symbol;}}\n"
           "{\\colortbl;\\red0\\green0\\blue0;\\red31\\green73\\blue125;\\red217\\green217\\blue217;}\n"
           "{\\*\\generator Corvane statement run;}{\\info{\\title Patient statements}}\n"
           "\\paperw12240\\paperh15840\\margl1080\\margr1080\\margt1080\\margb1080\\headery540\\footery540\n";
    const std::string logoHex = hex(logoPng());
    Sequence random(20260331);
    int done = 0;
    for (int number = 1; done < pages; ++number) {
        Statement statement;
        statement.number = number;
        statement.pages = std::min(1 + (number % 5 == 0 ? 2 : number % 3 == 0 ? 1 : 0), pages - done);
        statement.patient = std::string(givenNames[random.next(8)]) + ' ' + std::string(surnames[random.next(10)]);
        out += number == 1 ? "\\sectd" : "\\sect\\sectd";
        out += "\\pgnrestart\\pgnstarts1\n"
               "{\\footer\\pard\\plain\\qc\\f0\\fs16 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
               "{\\field{\\*\\fldinst SECTIONPAGES}{\\fldrslt 1}}\\par}\n";
        appendFirstPageTop(out, statement, logoHex);
        int day = random.next(300);
        for (int page = 0; page < statement.pages; ++page) {
            if (page > 0) {
                out += "\\pard\\plain\\f0\\fs18\\page Statement for " + rtfText(statement.patient)
                    + ", continued\\par\n";
            }
            appendHeaderRow(out);
            const int rows = page == 0 ? firstPageRows : laterPageRows;
            for (int row = 0; row < rows; ++row)
                appendServiceRow(out, random, statement, day++);
        }
        appendSummary(out, random, statement);
        done += statement.pages;
    }
    out += "}\n";
    return out;
}

} // namespace corvane
