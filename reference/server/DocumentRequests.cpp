#include "DocumentRequests.h"

#include "PracticeServer.h"
#include "RtfStatementRun.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::reference {

namespace {

struct Provider {
    const char* name;
    int seed;
};

constexpr Provider providers[] = {{"Dr. Helen Reed", 3},     {"Dr. Marcus Okafor", 7}, {"Dr. Priya Natarajan", 11},
                                  {"Dr. Samuel Brandt", 13}, {"Lisa Moreno, NP", 17},  {"Dr. Akiko Tanaka", 19}};
constexpr const char* payers[]
    = {"Medicare Part B",  "Blue Cross PPO", "Aetna HMO", "Cigna Open Access", "Medicaid",
       "UnitedHealthcare", "Workers' Comp",  "Self Pay",  "Tricare",           "Humana Gold Plus"};

/// Dollars and cents from whole cents, with thousands separators.
std::string money(long cents)
{
    std::string whole = std::to_string(cents / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%02ld", cents % 100);
    return whole + fraction;
}

/// A repeatable amount for row and column, so every reply is the same.
long amount(int row, int column)
{
    return ((row * 7919L + column * 104729L) % 900000L) + 1250L * (column + 1);
}

std::string landscapeReport()
{
    // Letter paper turned: the report is wider than tall and says so.
    std::string rtf
        = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
          "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}"
          "{\\colortbl;\\red0\\green0\\blue0;\\red217\\green225\\blue242;\\red31\\green56\\blue100;}\n"
          "\\paperw15840\\paperh12240\\landscape\\margl720\\margr720\\margt720\\margb720\n"
          "{\\header\\pard\\plain\\qr\\f0\\fs16 Riverside Family Medicine\\tab Accounts receivable aging\\par}\n"
          "{\\footer\\pard\\plain\\qc\\f0\\fs16 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
          "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par}\n"
          "\\pard\\plain\\f0\\fs32\\b\\cf3 Accounts Receivable Aging by Provider and Payer\\par\n"
          "\\pard\\plain\\f0\\fs18 Run 12/05/2026 08:00 for all locations; amounts in dollars.\\par\\par\n";
    static const char* const headings[]
        = {"Provider", "Payer", "Current", "31-60", "61-90", "91-120", "Over 120", "Total"};
    const int edges[] = {2700, 5200, 6700, 8200, 9700, 11200, 12700, 14400};
    const auto rowStart = [&](bool header) {
        std::string row = "\\trowd\\trgaph72\\trleft0";
        if (header)
            row += "\\trhdr";
        for (int i = 0; i < 8; ++i) {
            row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10";
            if (header)
                row += "\\clcbpat2";
            row += "\\cellx" + std::to_string(edges[i]);
        }
        return row + "\n";
    };
    rtf += rowStart(true);
    for (int i = 0; i < 8; ++i)
        rtf += std::string("\\pard\\intbl") + (i >= 2 ? "\\qr" : "") + "\\b\\f0\\fs18 " + headings[i] + "\\b0\\cell";
    rtf += "\\row\n";
    int row = 0;
    long totals[6] = {};
    for (const Provider& provider : providers) {
        for (const char* payer : payers) {
            rtf += rowStart(false);
            rtf += std::string("\\pard\\intbl\\f0\\fs18 ") + provider.name + "\\cell\\pard\\intbl\\f0\\fs18 " + payer
                + "\\cell";
            long total = 0;
            for (int column = 0; column < 5; ++column) {
                const long cents = amount(row + provider.seed, column);
                total += cents;
                totals[column] += cents;
                rtf += "\\pard\\intbl\\qr\\f1\\fs18 " + money(cents) + "\\cell";
            }
            totals[5] += total;
            rtf += "\\pard\\intbl\\qr\\f1\\fs18\\b " + money(total) + "\\b0\\cell\\row\n";
            ++row;
        }
    }
    rtf += rowStart(false);
    rtf += "\\pard\\intbl\\b\\f0\\fs18 All providers\\cell\\pard\\intbl\\cell";
    for (long total : totals)
        rtf += "\\pard\\intbl\\qr\\f1\\fs18\\b " + money(total) + "\\cell";
    rtf += "\\row\n\\pard\\plain\\f0\\fs16\\par End of report.\\par}";
    return rtf;
}

std::string letter()
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0"
           "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}}"
           "{\\colortbl;\\red31\\green56\\blue100;}\n"
           "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1080\\margb1080\n"
           "\\pard\\plain\\qc\\f1\\fs28\\b\\cf1 Riverside Family Medicine\\par\n"
           "\\pard\\plain\\qc\\f1\\fs18 1200 Harbor Avenue, Suite 300 {\\bullet} Springfield, OR 97477 {\\bullet} "
           "(541) 555-0142\\par\\par\n"
           "\\pard\\plain\\f0\\fs24 December 5, 2026\\par\\par\n"
           "Ms. Dana Whitfield\\line 418 Alder Street\\line Eugene, OR 97401\\par\\par\n"
           "Re: Account 20-44817, services of October 14, 2026\\par\\par\n"
           "Dear Ms. Whitfield,\\par\\par\n"
           "\\pard\\plain\\qj\\f0\\fs24 Thank you for your recent visit. Your insurer, Blue Cross PPO, has processed "
           "the claim for the services listed below and has paid its share. The balance of {\\b $86.40} is your "
           "co{\\endash}insurance under your plan.\\par\\par\n"
           "\\pard\\plain\\tx1440\\tqr\\tx8640\\f0\\fs24 99214\\tab Office visit, established patient\\tab "
           "$165.00\\par\n"
           "\\pard\\plain\\tx1440\\tqr\\tx8640\\f0\\fs24 36415\\tab Venipuncture\\tab $21.00\\par\n"
           "\\pard\\plain\\tx1440\\tqr\\tx8640\\f0\\fs24 \\tab Insurance payment\\tab ($99.60)\\par\\par\n"
           "\\pard\\plain\\qj\\f0\\fs24 If you have questions about this balance or would like to set up a payment "
           "plan, please call our billing office at (541) 555-0148, Monday to Friday, 8 a.m. to 5 p.m.\\par\\par\n"
           "Sincerely,\\par\\par\\par\n"
           "Maria Alvarez\\line Billing Office Manager\\par}";
}

std::string htmlReport()
{
    std::string html
        = "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\"><title>Daily Deposit Report</title>\n"
          "<style>body{font-family:Arial,sans-serif;margin:24px}h1{color:#1f3864;font-size:20px}"
          "table{border-collapse:collapse;width:100%}th{background:#d9e1f2;text-align:left}"
          "th,td{border:1px solid #8ea9db;padding:4px 8px}td.n{text-align:right;font-family:monospace}"
          "tr:nth-child(even) td{background:#f3f6fb}</style></head>\n<body>\n"
          "<h1>Daily Deposit Report &ndash; 12/05/2026</h1>\n"
          "<p>Riverside Family Medicine, all locations. Batch 4471, posted by JSMITH.</p>\n"
          "<table><tr><th>Payer</th><th>Check</th><th>Patients</th><th class=\"n\">Amount</th></tr>\n";
    long total = 0;
    for (int i = 0; i < 10; ++i) {
        const long cents = amount(i, 3) / 3;
        total += cents;
        html += "<tr><td>" + std::string(payers[i]) + "</td><td>" + std::to_string(880140 + i * 37) + "</td><td>"
            + std::to_string(3 + (i * 5) % 11) + "</td><td class=\"n\">" + money(cents) + "</td></tr>\n";
    }
    html += "<tr><th colspan=\"3\">Total deposited</th><th class=\"n\">" + money(total)
        + "</th></tr>\n</table>\n<p>Prepared for the end-of-day close.</p>\n</body></html>\n";
    return html;
}

std::string textReport()
{
    // Three pages, a form feed before each new one, columns in blanks for a fixed-pitch font.
    std::string text;
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            text += '\f';
        char line[160];
        std::snprintf(line, sizeof line,
                      "RIVERSIDE FAMILY MEDICINE            CLAIMS SUBMITTED 12/05/2026   PAGE %d\r\n\r\n", page);
        text += line;
        text += "CLAIM     PATIENT                 PAYER                    BILLED      STATUS\r\n";
        text += "--------  ----------------------  --------------------  ----------  --------\r\n";
        for (int i = 0; i < 40; ++i) {
            const int row = (page - 1) * 40 + i;
            std::snprintf(line, sizeof line, "%08d  %-22s  %-20s  %10s  %s\r\n", 5104300 + row * 3,
                          (std::string("PATIENT ") + std::to_string(1000 + row * 17)).c_str(), payers[row % 10],
                          money(amount(row, 1) / 4).c_str(), row % 9 == 0 ? "HELD" : "SENT");
            text += line;
        }
    }
    return text;
}

std::string pdfStream(const std::string& content)
{
    return "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream";
}

/// A small two-page letter-size PDF written object by object, with a cross-reference table that points right.
std::string pdf()
{
    const std::string page1 = "BT /F1 20 Tf 72 700 Td (Explanation of Benefits) Tj ET\n"
                              "BT /F1 12 Tf 72 670 Td (Blue Cross PPO - claim 5104317 - patient Dana Whitfield) Tj ET\n"
                              "BT /F1 12 Tf 72 640 Td (99214 Office visit          billed 165.00   paid 78.60) Tj ET\n"
                              "BT /F1 12 Tf 72 622 Td (36415 Venipuncture          billed  21.00   paid 21.00) Tj ET\n"
                              "0.2 0.3 0.6 RG 2 w 72 600 m 540 600 l S\n";
    const std::string page2 = "BT /F1 20 Tf 72 700 Td (Remittance detail) Tj ET\n"
                              "BT /F1 12 Tf 72 670 Td (Patient responsibility 86.40, co-insurance) Tj ET\n";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 7 0 R >> >> "
        "/Contents 4 0 R >>",
        pdfStream(page1),
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 7 0 R >> >> "
        "/Contents 6 0 R >>",
        pdfStream(page2),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string out = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

const ServerDocument* findDocument(const std::string& number)
{
    const auto& documents = serverDocuments();
    const auto found = std::find_if(documents.begin(), documents.end(),
                                    [&](const ServerDocument& document) { return document.number == number; });
    return found == documents.end() ? nullptr : &*found;
}

} // namespace

const std::vector<ServerDocument>& serverDocuments()
{
    static const std::vector<ServerDocument> documents = {
        {statementRunDocument, "Patient statements", "RTF"},
        {landscapeReportDocument, "Aging by provider", "RTF"},
        {letterDocument, "Balance letter", "RTF:TXT"},
        {htmlReportDocument, "Daily deposit report", "HTML:BROWSER"},
        {textReportDocument, "Claims submitted", "TXT:TXT"},
        {pdfDocument, "Explanation of benefits", "PDF"},
    };
    return documents;
}

std::string serverDocumentBody(const std::string& number)
{
    if (number == statementRunDocument) {
        // Generated once: the same pages count always gives the same bytes.
        static const std::string run = RtfStatementRun::generate(statementRunPages);
        return run;
    }
    if (number == landscapeReportDocument)
        return landscapeReport();
    if (number == letterDocument)
        return letter();
    if (number == htmlReportDocument)
        return htmlReport();
    if (number == textReportDocument)
        return textReport();
    if (number == pdfDocument)
        return pdf();
    return {};
}

bool printableDocument(Database& db, const std::string& number)
{
    if (number.empty())
        return false;
    if (findDocument(number))
        return true;
    try {
        return db.scalar("SELECT COUNT(*) FROM fax_documents WHERE job = ?", {number}, "0") != "0";
    } catch (const std::exception&) {
        return false; // a server without the fax queue
    }
}

void registerDocumentRequests(PracticeServer& server)
{
    server.addHandler("GET", "DOC", [](const Request& request) {
        const std::string& what = request.arg(0);
        if (what == "LIST") {
            const auto& documents = serverDocuments();
            std::string jobId = documents.front().number + "\t";
            for (const auto& document : documents)
                jobId += document.number + ":";
            return Answer::text(jobId);
        }
        if (what == "FORMAT") {
            const ServerDocument* document = findDocument(request.arg(1));
            return document ? Answer::text(document->format)
                            : Answer::failure("ERROR: No document " + request.arg(1) + ".");
        }
        std::string body = serverDocumentBody(what);
        if (body.empty())
            return Answer::failure("ERROR: No document " + what + ".");
        return Answer::text(std::move(body));
    });
}

} // namespace corvane::reference
