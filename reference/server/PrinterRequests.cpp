#include "PrinterRequests.h"

#include "DocumentRequests.h"
#include "PracticeServer.h"

#include <string>
#include <vector>

namespace corvane::reference {

namespace {

constexpr const char* schema = R"SQL(
CREATE TABLE IF NOT EXISTS server_printers(position INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,
    description TEXT NOT NULL, port TEXT NOT NULL, eligible INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS remembered_printers(operator TEXT PRIMARY KEY, entry TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS print_log(id INTEGER PRIMARY KEY, document TEXT NOT NULL, printer TEXT NOT NULL,
    operator TEXT NOT NULL, printed_at TEXT NOT NULL);
)SQL";

struct SeedPrinter {
    const char* name;
    const char* description;
    const char* port;
    bool eligible;
};

// The label printer takes no documents: the viewer leaves it out of its list.
constexpr SeedPrinter seedPrinters[] = {
    {"Front Desk LaserJet", "HP LaserJet M404, front desk", "IP_10.0.0.21", true},
    {"Billing Office", "Statements, tray 2, duplex", "IP_10.0.0.22", true},
    {"Exam Room 2", "Zebra label printer", "USB001", false},
    {"Mail Room Bulk", "Bulk statements, 3-hole paper", "LPT1", true},
};

} // namespace

Answer serverPrint(Database& db, const Request& request)
{
    const std::string& document = request.arg(1);
    const std::string& printer = request.arg(2);
    if (!printableDocument(db, document))
        return Answer::failure("ERROR: No document " + document + " to print.");
    const std::string eligible
        = db.scalar("SELECT eligible FROM server_printers WHERE name = ?", {printer}, std::string());
    if (eligible.empty())
        return Answer::failure("ERROR: No printer " + printer + ".");
    if (eligible != "1")
        return Answer::failure("ERROR: Printer " + printer + " does not take documents.");
    db.query("INSERT INTO print_log(document, printer, operator, printed_at) "
             "VALUES(?, ?, ?, strftime('%m/%d/%Y %H:%M:%S', 'now', 'localtime'))",
             {document, printer, request.operatorCode});
    return Answer::text("1");
}

void registerPrinterRequests(PracticeServer& server)
{
    Database& db = server.database();
    db.exec(schema);
    if (db.scalar("SELECT COUNT(*) FROM server_printers", {}, "0") == "0") {
        db.transaction([&] {
            int position = 0;
            for (const SeedPrinter& printer : seedPrinters)
                db.query("INSERT INTO server_printers(position, name, description, port, eligible) "
                         "VALUES(?, ?, ?, ?, ?)",
                         {std::to_string(++position), printer.name, printer.description, printer.port,
                          printer.eligible ? "1" : "0"});
        });
    }

    server.addHandler("GET", "PRT", [&db](const Request& request) {
        const std::string& what = request.arg(0);
        if (what == "LIST") {
            std::vector<std::string> lines;
            db.query("SELECT name, description, port, eligible FROM server_printers ORDER BY position", {},
                     [&](const std::vector<std::string>& row) {
                         lines.push_back(row[0] + "\t" + row[1] + "\t" + row[2] + "\t" + (row[3] == "1" ? "Y" : "N"));
                     });
            return Answer::data(std::move(lines));
        }
        if (what == "TRAN")
            return Answer::text(db.scalar("SELECT entry FROM remembered_printers WHERE operator = ?",
                                          {request.operatorCode}, std::string()));
        return Answer::failure("ERROR: UNKNOWN COMMAND " + what);
    });

    server.addHandler("SETP", "PRT", [&db](const Request& request) {
        if (request.arg(0) != "TRAN")
            return Answer::failure("ERROR: UNKNOWN COMMAND " + request.arg(0));
        // The entry's own bars arrive as ";", so everything after "TRAN|" is the entry.
        const std::string entry = request.rest.substr(std::min(request.rest.size(), std::size_t {5}));
        if (entry.empty()) {
            db.query("DELETE FROM remembered_printers WHERE operator = ?", {request.operatorCode});
            return Answer::text("1");
        }
        db.query("INSERT INTO remembered_printers(operator, entry) VALUES(?, ?) "
                 "ON CONFLICT(operator) DO UPDATE SET entry = excluded.entry",
                 {request.operatorCode, entry});
        return Answer::text("1");
    });
}

} // namespace corvane::reference
