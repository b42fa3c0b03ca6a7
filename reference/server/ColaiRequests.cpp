#include "ColaiRequests.h"

#include "PracticeServer.h"

#include <algorithm>

namespace corvane::reference {

namespace {

// Dave Kim of the collections group was half-way through the 60-day list.
constexpr const char* seededRecord = "L60^Self-pay 60 to 89 days:Robert Chen:10452:1:S::::S^11/01/2026,11/30/2026:"
                                     "I^PM01,PM02,,,:A^,,,,:S^5000,250000:S^30,120:A^,,,,:A^,,,,:A^,,,,:"
                                     "Y^PM10,12/01/2026:N^,";

} // namespace

void registerColaiRequests(PracticeServer& server)
{
    Database& db = server.database();
    db.exec("CREATE TABLE IF NOT EXISTS colai_status(operator TEXT PRIMARY KEY, record TEXT NOT NULL)");
    if (db.scalar("SELECT COUNT(*) FROM sys_settings WHERE name = 'COLAISEEDED'", {}, "0") == "0") {
        db.transaction([&] {
            db.query("INSERT OR IGNORE INTO colai_status(operator, record) VALUES('DKIM', ?)", {seededRecord});
            db.exec("INSERT INTO sys_settings(name, value) VALUES('COLAISEEDED', 'Y')");
        });
    }

    server.addHandler("GET", "COLAI", [&db](const Request& request) {
        if (request.arg(0) != "STATUS")
            return Answer::failure("Error: unknown COLAI request " + request.arg(0));
        return Answer::text(
            db.scalar("SELECT record FROM colai_status WHERE operator = ?", {request.operatorCode}, ""));
    });

    server.addHandler("SET", "COLAI", [&db](const Request& request) {
        if (request.arg(0) != "SETTING")
            return Answer::failure("Error: unknown COLAI request " + request.arg(0));
        const std::string record = request.rest.substr(std::min(request.rest.size(), std::size_t(8)));
        if (std::count(record.begin(), record.end(), ':') != 17)
            return Answer::text("|ERROR|Collections|The collection status needs 18 fields:it was not saved.");
        db.query("INSERT INTO colai_status(operator, record) VALUES(?, ?) "
                 "ON CONFLICT(operator) DO UPDATE SET record = excluded.record",
                 {request.operatorCode, record});
        return Answer::text("1");
    });
}

} // namespace corvane::reference
