#include "CustomFormRequests.h"

#include "CustomFormFile.h"
#include "PracticeServer.h"

#include <chrono>
#include <map>
#include <memory>

namespace corvane::reference {

namespace {

struct SeedForm {
    const char* active;
    const char* code;
    const char* name;
    const char* type;
    const char* modified;
    const char* docType;
};

const SeedForm seedForms[] = {
    {"1", "INTAKE", "New Patient Intake", "ENTRY", "01/12/2026", "FORM"},
    {"1", "HIPAA", "HIPAA Acknowledgement", "ENTRY", "11/03/2025", "FORM"},
    {"1", "STMT2", "Itemized Statement (logo)", "PRINT", "09/30/2025", "STMT"},
    {"1", "RCPT1", "Payment Receipt", "PRINT", "09/30/2025", "RCPT"},
    {"0", "INTAKE-OLD", "Intake (2019 layout)", "ENTRY", "02/14/2019", "FORM"},
};

std::string toHex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

std::string fromHex(std::string_view hex)
{
    const auto value = [](char c) {
        return c <= '9' ? c - '0' : c - 'A' + 10;
    };
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return bytes;
}

std::string today()
{
    const auto days = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const std::chrono::year_month_day date(days);
    const auto two = [](unsigned n) {
        return std::string(n < 10 ? "0" : "") + std::to_string(n);
    };
    return two(static_cast<unsigned>(date.month())) + "/" + two(static_cast<unsigned>(date.day())) + "/"
        + std::to_string(static_cast<int>(date.year()));
}

/// An image arriving in pieces, kept per operator until it is complete.
struct PendingImage {
    std::string code;
    std::string image;
    std::size_t nextPiece = 1;
    std::string data;
};

class CustomForms {
public:
    explicit CustomForms(Database& db)
        : m_db(db)
    {
    }

    void seed()
    {
        m_db.exec("CREATE TABLE IF NOT EXISTS custom_forms(code TEXT PRIMARY KEY, name TEXT NOT NULL, "
                  "type TEXT NOT NULL, active TEXT NOT NULL, modified TEXT NOT NULL, doc_type TEXT NOT NULL, "
                  "layout TEXT NOT NULL)");
        m_db.exec("CREATE TABLE IF NOT EXISTS custom_form_images(code TEXT NOT NULL, image TEXT NOT NULL, "
                  "data_hex TEXT NOT NULL, PRIMARY KEY(code, image))");
        m_db.exec("CREATE TABLE IF NOT EXISTS custom_form_menu(id INTEGER PRIMARY KEY CHECK(id = 1), "
                  "entries TEXT NOT NULL)");
        if (m_db.scalar("SELECT COUNT(*) FROM custom_forms", {}, "0") != "0")
            return;
        m_db.transaction([&] {
            for (const SeedForm& form : seedForms)
                m_db.query("INSERT INTO custom_forms VALUES(?, ?, ?, ?, ?, ?, '')",
                           {form.code, form.name, form.type, form.active, form.modified, form.docType});
            m_db.query("INSERT OR IGNORE INTO custom_form_menu(id, entries) VALUES(1, ?)",
                       {"INTAKE\tNew Patient Intake\tENTRY"});
        });
    }

    /// A pending image is complete once the operator's next request is not its next piece.
    void settle(const std::string& operatorCode)
    {
        const auto found = m_pending.find(operatorCode);
        if (found == m_pending.end())
            return;
        const PendingImage pending = std::move(found->second);
        m_pending.erase(found);
        store(pending);
    }

    void store(const PendingImage& image)
    {
        m_db.query("INSERT INTO custom_form_images(code, image, data_hex) VALUES(?, ?, ?) "
                   "ON CONFLICT(code, image) DO UPDATE SET data_hex = excluded.data_hex",
                   {image.code, image.image, toHex(image.data)});
    }

    Answer setLayout(const Request& request)
    {
        settle(request.operatorCode);
        const std::string& code = request.arg(1);
        const std::string& nameAndType = request.arg(2);
        const std::size_t colon = nameAndType.find(':');
        if (code.empty() || colon == std::string::npos || colon == 0)
            return Answer::text("|ERROR|Custom Forms|A form needs a code and a name.");
        const std::string layout = request.payloadAfter(3);
        const std::string existing = m_db.scalar("SELECT doc_type FROM custom_forms WHERE code = ?", {code}, "");
        m_db.query("INSERT INTO custom_forms(code, name, type, active, modified, doc_type, layout) "
                   "VALUES(?, ?, ?, '1', ?, ?, ?) ON CONFLICT(code) DO UPDATE SET name = excluded.name, "
                   "type = excluded.type, modified = excluded.modified, layout = excluded.layout",
                   {code, nameAndType.substr(0, colon), nameAndType.substr(colon + 1), today(), existing, layout});
        return Answer::text("1");
    }

    Answer setImagePiece(const Request& request, std::size_t piece)
    {
        const std::string& code = request.arg(1);
        const std::string& image = request.arg(2);
        auto found = m_pending.find(request.operatorCode);
        const bool continues = found != m_pending.end() && found->second.code == code && found->second.image == image
            && found->second.nextPiece == piece;
        if (!continues) {
            settle(request.operatorCode);
            if (piece != 1)
                return Answer::text("|ERROR|Custom Forms|Piece " + std::to_string(piece) + " of " + image
                                    + " arrived without the pieces before it.");
            if (m_db.scalar("SELECT COUNT(*) FROM custom_forms WHERE code = ?", {code}, "0") == "0")
                return Answer::text("|ERROR|Custom Forms|No form " + code + " to add the image to.");
            found = m_pending.emplace(request.operatorCode, PendingImage {code, image, 1, {}}).first;
        }
        PendingImage& pending = found->second;
        const std::string data = request.payloadAfter(3);
        pending.data += data;
        ++pending.nextPiece;
        // A piece shorter than a whole piece is the last one.
        if (data.size() < CustomFormUpload::pieceLength(code, image))
            settle(request.operatorCode);
        return Answer::text("1");
    }

    Answer list(const Request& request)
    {
        settle(request.operatorCode);
        std::vector<std::string> lines;
        m_db.query("SELECT active, code, name, type, modified, doc_type FROM custom_forms ORDER BY code", {},
                   [&](const std::vector<std::string>& row) {
                       lines.push_back(row[0] + "\t" + row[1] + "\t" + row[2] + "\t" + row[3] + "\t" + row[4] + "\t"
                                       + row[5]);
                   });
        return Answer::data(std::move(lines));
    }

    Answer menu(const Request& request)
    {
        settle(request.operatorCode);
        return Answer::text(m_db.scalar("SELECT entries FROM custom_form_menu WHERE id = 1", {}, ""));
    }

    Answer setMenu(const Request& request)
    {
        settle(request.operatorCode);
        m_db.query("INSERT INTO custom_form_menu(id, entries) VALUES(1, ?) "
                   "ON CONFLICT(id) DO UPDATE SET entries = excluded.entries",
                   {request.payloadAfter(1)});
        return Answer::text("1");
    }

    Answer layout(const Request& request)
    {
        settle(request.operatorCode);
        bool found = false;
        std::string text;
        m_db.query("SELECT layout FROM custom_forms WHERE code = ?", {request.arg(1)},
                   [&](const std::vector<std::string>& row) {
                       found = true;
                       text = row[0];
                   });
        return found ? Answer::text(text) : Answer::failure("Error: no form " + request.arg(1));
    }

    Answer image(const Request& request)
    {
        settle(request.operatorCode);
        bool found = false;
        std::string hex;
        m_db.query("SELECT data_hex FROM custom_form_images WHERE code = ? AND image = ?",
                   {request.arg(1), request.arg(2)}, [&](const std::vector<std::string>& row) {
                       found = true;
                       hex = row[0];
                   });
        return found ? Answer::text(fromHex(hex))
                     : Answer::failure("Error: no image " + request.arg(2) + " for form " + request.arg(1));
    }

private:
    Database& m_db;
    std::map<std::string, PendingImage> m_pending;
};

/// The number of an "I-n" piece, or 0.
std::size_t pieceNumber(const std::string& what)
{
    if (what.size() < 3 || what.compare(0, 2, "I-") != 0)
        return 0;
    std::size_t number = 0;
    for (std::size_t i = 2; i < what.size(); ++i) {
        if (what[i] < '0' || what[i] > '9' || number > 1000000)
            return 0;
        number = number * 10 + static_cast<std::size_t>(what[i] - '0');
    }
    return number;
}

} // namespace

void registerCustomFormRequests(PracticeServer& server)
{
    auto forms = std::make_shared<CustomForms>(server.database());
    forms->seed();

    server.addHandler("GET", "CUSTFORM", [forms](const Request& request) {
        const std::string& what = request.arg(0);
        if (what == "LIST")
            return forms->list(request);
        if (what == "H")
            return forms->menu(request);
        if (what == "T")
            return forms->layout(request);
        if (what == "I")
            return forms->image(request);
        return Answer::text("ERROR: UNKNOWN COMMAND");
    });

    server.addHandler("SET", "CUSTFORM", [forms](const Request& request) {
        const std::string& what = request.arg(0);
        if (what == "T")
            return forms->setLayout(request);
        if (what == "H")
            return forms->setMenu(request);
        if (const std::size_t piece = pieceNumber(what))
            return forms->setImagePiece(request, piece);
        return Answer::text("ERROR: UNKNOWN COMMAND");
    });
}

} // namespace corvane::reference
