#include "StwRequests.h"

#include "PracticeServer.h"
#include "Text.h"

#include <algorithm>
#include <set>

namespace corvane::reference {

namespace {

constexpr char record = static_cast<char>(230);
constexpr std::size_t pieceLength = 9000;

struct Column {
    const char* caption;
    const char* code;
    const char* width;
    bool required;
    bool unique;
    const char* lookup;
    const char* list;
};

const Column columns[] = {
    {"No.", "01kZ2", "04", false, false, "", ""},
    {"Active", "04WZ1", "05", false, false, "", ""},
    {"Diagnosis", "05WZ0", "09", true, false, "DG", ""},
    {"Diagnosis Description", "01kZ0", "24", false, false, "", ""},
    {"Procedure", "05WZ0", "08", true, false, "PC", ""},
    {"Procedure Description", "01kZ0", "24", false, false, "", ""},
    {"Fin. Class", "05WZ0", "07", false, false, "FL", ""},
    {"Class Description", "01kZ0", "14", false, false, "", ""},
    {"A/R Cat.", "05WZ0", "07", false, false, "AR", ""},
    {"Category Description", "01kZ0", "14", false, false, "", ""},
    {"Review", "04WZ1", "05", false, false, "", ""},
    {"Operator", "05WZ0", "08", false, false, "OP", ""},
    {"Operator Name", "01kZ0", "12", false, false, "", ""},
    {"Effective", "02WZ0", "09", false, false, "", ""},
    {"Fee", "08WZ2", "07", false, false, "", ""},
    {"Units", "09WZ2", "05", false, false, "", ""},
    {"Place", "03WZ0", "09", false, false, "", "Office,Hospital,Home,Telehealth"},
    {"Xref Code", "01WZ0", "08", true, true, "", ""},
};
constexpr int columnCount = static_cast<int>(std::size(columns));

std::string headerCell(const Column& c)
{
    std::string cell = std::string(c.caption) + c.code + c.width;
    if (c.required || c.unique || *c.lookup || *c.list)
        cell += std::string(c.required ? "Y" : "N") + (c.unique ? "Y" : "N") + "^" + c.lookup + "^^" + c.list;
    return cell;
}

bool isCheck(const Column& c)
{
    return c.code[1] == '4' || c.code[1] == '6';
}

/// A blank cell of each column: check and zero cells hold "0".
std::string blankCell(const Column& c)
{
    return std::string(isCheck(c) || c.code[1] == '9' ? "0" : "") + c.code;
}

std::vector<std::pair<std::string, std::string>> codes(Database& db, const std::string& table)
{
    std::vector<std::pair<std::string, std::string>> out;
    db.query("SELECT fields FROM code_table_rows WHERE table_name = ? ORDER BY position", {table},
             [&](const std::vector<std::string>& row) {
                 const auto fields = corvane::text::split(row[0], '\t');
                 out.emplace_back(std::string(fields[0]), fields.size() > 1 ? std::string(fields[1]) : "");
             });
    return out;
}

void seedRows(Database& db)
{
    const auto dg = codes(db, "DG");
    const auto pc = codes(db, "PC");
    const auto fl = codes(db, "FL");
    const auto ar = codes(db, "AR");
    const auto op = codes(db, "OP");
    const char* places[] = {"1Office", "1Hospital", "1Home", "1Telehealth"};
    unsigned seed = 20261205;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int row = 1; row <= 320; ++row) {
        const auto& d = dg[next(static_cast<unsigned>(dg.size()))];
        const auto& p = pc[next(static_cast<unsigned>(pc.size()))];
        const auto& f = fl[next(static_cast<unsigned>(fl.size()))];
        const auto& a = ar[next(static_cast<unsigned>(ar.size()))];
        const auto& o = op[next(static_cast<unsigned>(op.size()))];
        char date[16];
        std::snprintf(date, sizeof date, "%02u/%02u/%04u", 1 + next(12), 1 + next(28), 2019 + next(7));
        char fee[16];
        std::snprintf(fee, sizeof fee, "%u.%02u", 35 + next(400), next(4) * 25);
        char xref[16];
        std::snprintf(xref, sizeof xref, "X%04d", row);
        const std::vector<std::string> texts = {std::to_string(row),
                                                next(10) ? "1" : "0",
                                                d.first,
                                                d.second,
                                                p.first,
                                                p.second,
                                                f.first,
                                                f.second,
                                                a.first,
                                                a.second,
                                                next(6) ? "0" : "1",
                                                o.first,
                                                o.second,
                                                next(5) ? date : "",
                                                fee,
                                                std::to_string(1 + next(3)),
                                                places[next(4)],
                                                xref};
        std::string cells;
        for (int c = 0; c < columnCount; ++c) {
            if (c > 0)
                cells += '\t';
            cells += texts[static_cast<std::size_t>(c)] + columns[c].code;
        }
        db.query("INSERT INTO stw_rows(position, cells) VALUES(?, ?)", {std::to_string(row), cells});
    }
}

std::vector<std::string> gridLines(Database& db)
{
    std::vector<std::string> lines;
    std::string header;
    for (const Column& c : columns)
        header += "\t" + headerCell(c);
    lines.push_back(header + record);
    db.query("SELECT position, cells FROM stw_rows ORDER BY position", {},
             [&](const std::vector<std::string>& row) { lines.push_back(row[0] + "\t" + row[1] + record); });
    std::string blank;
    for (const Column& c : columns)
        blank += "\t" + blankCell(c);
    lines.push_back(blank + record);
    return lines;
}

/// The list number a list column's cells start with: n for the n-th column that has a list.
char listNumber(int col)
{
    char number = '0';
    for (int c = 0; c <= col; ++c) {
        if (*columns[c].list)
            ++number;
    }
    return number;
}

/// Reads a whole post into the grid's rows; an error text when the post cannot be taken.
std::string rowsOfPost(const std::string& saveText, std::vector<std::string>& rows)
{
    std::set<std::string> uniques;
    int number = 0;
    for (auto entry : corvane::text::split(saveText, record)) {
        if (entry.empty())
            continue;
        ++number;
        const auto fields = corvane::text::split(entry, '\t');
        if (static_cast<int>(fields.size()) != columnCount)
            return "Error: row " + std::to_string(number) + " has " + std::to_string(fields.size())
                + " fields, expected " + std::to_string(columnCount);
        std::string cells = std::to_string(number) + columns[0].code;
        for (int c = 1; c < columnCount; ++c) {
            std::string value(corvane::text::trim(fields[static_cast<std::size_t>(c)]));
            if (columns[c].required && value.empty())
                return "Error: row " + std::to_string(number) + ": " + columns[c].caption + " is required.";
            if (columns[c].unique && !value.empty() && !uniques.insert(corvane::text::upper(value)).second)
                return "Error: row " + std::to_string(number) + ": " + columns[c].caption + " " + value
                    + " is already used.";
            if (isCheck(columns[c]) && value != "1")
                value = "0";
            if (*columns[c].list && !value.empty())
                value.insert(value.begin(), listNumber(c));
            cells += "\t" + value + columns[c].code;
        }
        rows.push_back(std::move(cells));
    }
    return {};
}

void forgetPieces(Database& db, const std::string& operatorCode)
{
    db.query("DELETE FROM stw_pending WHERE operator = ?", {operatorCode});
}

/// Replaces the grid with the posted rows and forgets the operator's pieces in one transaction, so that a post is
/// stored whole or not at all, whenever the process stops.
void commit(Database& db, const std::string& operatorCode, const std::vector<std::string>& rows)
{
    db.transaction([&] {
        forgetPieces(db, operatorCode);
        db.exec("DELETE FROM stw_rows");
        for (std::size_t i = 0; i < rows.size(); ++i)
            db.query("INSERT INTO stw_rows(position, cells) VALUES(?, ?)", {std::to_string(i + 1), rows[i]});
    });
}

} // namespace

void registerStwRequests(PracticeServer& server)
{
    Database& db = server.database();
    db.exec("CREATE TABLE IF NOT EXISTS stw_rows(position INTEGER PRIMARY KEY, cells TEXT NOT NULL);"
            "CREATE TABLE IF NOT EXISTS stw_pending(operator TEXT PRIMARY KEY, piece INTEGER NOT NULL,"
            " buffer TEXT NOT NULL);");
    if (db.scalar("SELECT COUNT(*) FROM stw_rows", {}, "0") == "0"
        && db.scalar("SELECT COUNT(*) FROM seed_version WHERE version >= 1", {}, "0") != "0"
        && db.scalar("SELECT COUNT(*) FROM sys_settings WHERE name = 'STWSEEDED'", {}, "0") == "0") {
        db.transaction([&] {
            seedRows(db);
            db.exec("INSERT INTO sys_settings(name, value) VALUES('STWSEEDED', 'Y')");
        });
    }

    // Reading never completes a post: only its last piece does.
    server.addHandler("GET", "STW", [&db](const Request& request) {
        if (request.arg(0) != "1")
            return Answer::failure("Error: no STW grid " + request.arg(0));
        return Answer::data(gridLines(db));
    });

    // A post is the save text in pieces "|SET|STW|n|" of exactly 9000 characters, ended by the first shorter one;
    // a text that fills its pieces exactly is ended by an empty piece. Pieces wait per operator until then, and
    // piece 1 starts afresh, so the pieces of a post broken off are never stored.
    server.addHandler("SET", "STW", [&db](const Request& request) {
        const std::string& pieceText = request.arg(0);
        int piece = 0;
        for (char c : pieceText) {
            if (c < '0' || c > '9' || piece > 100000)
                return Answer::failure("Error: bad piece number " + pieceText);
            piece = piece * 10 + (c - '0');
        }
        if (piece < 1)
            return Answer::failure("Error: bad piece number " + pieceText);
        const std::string payload = request.rest.substr(std::min(request.rest.size(), pieceText.size() + 1));
        if (payload.size() > pieceLength) {
            forgetPieces(db, request.operatorCode);
            return Answer::failure("Error: piece " + pieceText + " is longer than " + std::to_string(pieceLength)
                                   + " characters");
        }
        std::string buffer;
        if (piece > 1) {
            int last = 0;
            db.query("SELECT piece, buffer FROM stw_pending WHERE operator = ?", {request.operatorCode},
                     [&](const std::vector<std::string>& row) {
                         last = std::stoi(row[0]);
                         buffer = row[1];
                     });
            if (last != piece - 1) {
                forgetPieces(db, request.operatorCode);
                return Answer::failure("Error: piece " + pieceText + " arrived without piece "
                                       + std::to_string(piece - 1));
            }
        }
        buffer += payload;
        if (payload.size() == pieceLength) {
            db.query("INSERT INTO stw_pending(operator, piece, buffer) VALUES(?, ?, ?) ON CONFLICT(operator) DO "
                     "UPDATE SET piece = excluded.piece, buffer = excluded.buffer",
                     {request.operatorCode, std::to_string(piece), buffer});
            return Answer::text("1");
        }
        std::vector<std::string> rows;
        const std::string error = rowsOfPost(buffer, rows);
        if (!error.empty()) {
            forgetPieces(db, request.operatorCode);
            return Answer::failure(error);
        }
        commit(db, request.operatorCode, rows);
        return Answer::text("1");
    });
}

} // namespace corvane::reference
