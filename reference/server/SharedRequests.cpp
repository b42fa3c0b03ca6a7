#include "SharedRequests.h"

#include "PracticeServer.h"
#include "SysRequests.h"

namespace corvane::reference {

namespace {

std::string preferenceOwner(const Request& request)
{
    return request.arg(0).empty() ? request.operatorCode : request.arg(0);
}

std::string yesNo(const std::string& flag)
{
    return flag == "1" ? "Y" : "N";
}

} // namespace

void registerSharedRequests(PracticeServer& server)
{
    Database& db = server.database();

    registerSysRequests(server);

    server.addHandler("GET", "PREFS", [&db](const Request& request) {
        return Answer::text(
            db.scalar("SELECT text FROM preferences WHERE operator = ?", {preferenceOwner(request)}, ""));
    });

    server.addHandler("SET", "PREFS", [&db](const Request& request) {
        const std::string owner = preferenceOwner(request);
        const std::string text = request.rest.substr(std::min(request.rest.size(), request.arg(0).size() + 1));
        if (db.scalar("SELECT COUNT(*) FROM operators WHERE code = ?", {owner}, "0") == "0")
            return Answer::text("|ERROR|Preferences|No operator " + owner + ".");
        db.query("INSERT INTO preferences(operator, text) VALUES(?, ?) "
                 "ON CONFLICT(operator) DO UPDATE SET text = excluded.text",
                 {owner, text});
        return Answer::text("1");
    });

    server.addHandler("GET", "CODETABLE", [&db](const Request& request) {
        const std::string& table = request.arg(0);
        if (table == "PRGL") {
            // The security programs as they stand (module headings left out): code, description, module.
            std::vector<std::string> lines;
            db.query("SELECT code || char(9) || description || char(9) || kind FROM security_programs "
                     "WHERE kind <> 'M' ORDER BY position, code",
                     {}, [&](const std::vector<std::string>& row) { lines.push_back(row[0]); });
            return Answer::data(std::move(lines));
        }
        if (db.scalar("SELECT COUNT(*) FROM code_tables WHERE table_name = ?", {table}, "0") == "0")
            return Answer::failure("Error: no code table " + table);
        std::vector<std::string> lines;
        db.query("SELECT fields FROM code_table_rows WHERE table_name = ? ORDER BY position", {table},
                 [&](const std::vector<std::string>& row) { lines.push_back(row[0]); });
        return Answer::data(std::move(lines));
    });

    server.addHandler("GET", "RIGHTS", [&db](const Request& request) {
        const std::string who = request.arg(0).empty() ? request.operatorCode : request.arg(0);
        std::vector<std::string> lines;
        // Each operator's own rights: Module Access edits and copies change them apart from the group's.
        db.query("SELECT program, may_add, may_delete, may_change, may_open FROM operator_rights "
                 "WHERE operator = ? ORDER BY program",
                 {who}, [&](const std::vector<std::string>& row) {
                     lines.push_back(row[0] + "\t" + yesNo(row[1]) + "\t" + yesNo(row[2]) + "\t" + yesNo(row[3]) + "\t"
                                     + yesNo(row[4]));
                 });
        return Answer::data(std::move(lines));
    });

    server.addHandler("GET", "OPERATOR", [&db](const Request& request) {
        return Answer::text(db.scalar("SELECT name FROM operators WHERE code = ?", {request.operatorCode}, ""));
    });

    server.addHandler("GET", "PRINTERS", [&db](const Request&) {
        std::vector<std::string> lines;
        db.query("SELECT name FROM printers ORDER BY name", {},
                 [&](const std::vector<std::string>& row) { lines.push_back(row[0]); });
        return Answer::data(std::move(lines));
    });
}

} // namespace corvane::reference
