#include "SysRequests.h"

#include "PracticeServer.h"
#include "SettingNumber.h"
#include "SettingValue.h"
#include "SettingsCatalogue.h"

#include <string_view>

namespace corvane::reference {

namespace {

constexpr std::string_view unknownCommand = "ERROR: UNKNOWN COMMAND";
constexpr std::string_view configUnset = "#EMPTY#";

// A small practice's settings, each of the kind the settings window reads it as.
const std::pair<const char*, const char*> seededSettings[] = {
    {"AIDAYS", "90"},
    {"LOCKUPTIMEOUT", "15"},
    {"ZELMSGDAYS", "30"},
    {"POSTCHGAMTCALC", "A"},
    {"MEDICARESEQPERCENT", "2"},
    {"AUTOPOSTDATERANGE", "7"},
    {"EISXIDAYS", "0"},
    {"PWDDAYS", "90"},
    {"PWDWARN", "7"},
    {"DG10DATE", "10/01/2015"},
    {"CCARDGATEWAY", "https://gateway.example.com/pay"},
    {"ZELSUPPORTURL", "https://support.example.com"},
    {"AIRCLICKOPTNAME", "Open in Workflow"},
    {"AUTOPOSTSET", "STANDARD"},
    {"AUTOPOSTEDSET", "STANDARD"},
    {"AUTOPOSTMSGCHARS", "40"},
    {"PROTECTED", "POSTCHGAMTCALC;DASERVICEURL"},
    {"CMDAS", "1"},
    {"POSTDUP", "1"},
    {"CHGSLIP", "3"},
    {"SOUNDALERT", "0"},
    {"DEMOINSPOL", "1"},
    {"POSPAYDEF", "MCR^Medicare"},
    {"DEFTAXPROC", ""},
};

const std::pair<const char*, const char*> seededConfiguration[] = {
    {"STP,NEGBAL", "1"},
};

const char* const postingSets[] = {"STANDARD", "SURGERY", "ANESTHESIA", "CLINIC-EAST"};

struct ServerPage {
    const char* section;
    const char* caption;
    const char* handle;
    const char* body;
};

const ServerPage serverPages[] = {
    {"General", "Claim Scrubber Rules", "scrubber",
     "<h1>Claim Scrubber Rules</h1><p>Claims are checked against 42 payer rules before submission.</p>"},
    {"Integrations", "Patient Portal", "portal",
     "<h1>Patient Portal</h1><p>Statements and appointment reminders are offered to portal users.</p>"},
};

std::string serverItemList()
{
    std::string list;
    for (const ServerPage& page : serverPages) {
        list += std::string(page.section) + "\t" + page.caption + "\t" + page.handle;
        list += '\xE6';
    }
    return list;
}

std::string storedValue(Database& db, const std::string& name, bool& found)
{
    found = false;
    std::string value;
    db.query("SELECT value FROM sys_settings WHERE name = ?", {name}, [&](const std::vector<std::string>& row) {
        value = row[0];
        found = true;
    });
    return value;
}

// The server keeps numbers numbers: a numeric key refuses any other text, as the practice database's own checks
// would, with a status reply the window shows.
std::string refusal(const std::string& key, const std::string& value)
{
    const SettingKey* entry = SettingsCatalogue::findKey(key);
    if (!entry || !SettingValue::isNumeric(entry->kind) || value.empty())
        return {};
    if (SettingNumber::parseStored(value))
        return {};
    return "|ERROR|System Settings|" + key + " takes a number:\"" + value + "\" was not saved.";
}

void seed(Database& db)
{
    db.exec("CREATE TABLE IF NOT EXISTS config_store(name TEXT PRIMARY KEY, value TEXT NOT NULL)");
    if (db.scalar("SELECT COUNT(*) FROM sys_settings WHERE name = 'SYSSETTINGSSEEDED'", {}, "0") != "0")
        return;
    db.transaction([&] {
        for (const auto& [name, value] : seededSettings)
            db.query("INSERT OR IGNORE INTO sys_settings(name, value) VALUES(?, ?)", {name, value});
        for (const auto& [name, value] : seededConfiguration)
            db.query("INSERT OR IGNORE INTO config_store(name, value) VALUES(?, ?)", {name, value});
        // Databases seeded before the price set flag became a number.
        db.exec("UPDATE sys_settings SET value = '1' WHERE name = '100PRICESET' AND value = 'Y'");
        db.exec("INSERT INTO sys_settings(name, value) VALUES('SYSSETTINGSSEEDED', 'Y')");
    });
}

} // namespace

void registerSysRequests(PracticeServer& server)
{
    Database& db = server.database();
    seed(db);

    server.addHandler("GET", "SYS", [&db](const Request& request) {
        const std::string& names = request.arg(0);
        if (names.empty())
            return Answer::failure("Error: no setting named");
        // "A,B,C" reads several keys at once: "A=1,B=2,C=3,", absent keys left out.
        std::string reply;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = names.find(',', start);
            const std::string name
                = names.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            bool found = false;
            const std::string value = storedValue(db, name, found);
            if (found)
                reply += name + "=" + value + ",";
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        return Answer::text(reply);
    });

    server.addHandler("SET", "SYS", [&db](const Request& request) {
        std::string name = request.arg(0);
        std::string value;
        const std::size_t equals = name.find('=');
        if (equals != std::string::npos) {
            // "|SET|SYS|KEY=value|", or without the closing bar: the value runs to the end of the request.
            value = request.rest.substr(equals + 1);
            if (!value.empty() && value.back() == '|')
                value.pop_back();
            name.resize(equals);
        } else {
            value = request.rest.substr(std::min(request.rest.size(), name.size() + 1));
        }
        if (name.empty())
            return Answer::text("|ERROR|System Settings|No setting named.");
        if (const std::string refused = refusal(name, value); !refused.empty())
            return Answer::text(refused);
        db.query("INSERT INTO sys_settings(name, value) VALUES(?, ?) "
                 "ON CONFLICT(name) DO UPDATE SET value = excluded.value",
                 {name, value});
        return Answer::text("1");
    });

    server.addHandler("GET", "MSCG", [&db](const Request& request) {
        const std::string& name = request.arg(0);
        if (name.empty())
            return Answer::text(std::string(unknownCommand));
        return Answer::text(
            db.scalar("SELECT value FROM config_store WHERE name = ?", {name}, std::string(configUnset)));
    });

    server.addHandler("SET", "MSCG", [&db](const Request& request) {
        const std::string& name = request.arg(0);
        if (name.empty())
            return Answer::text("|ERROR|Configuration|No name given.");
        if (request.arg(1) == "DEL") {
            db.query("DELETE FROM config_store WHERE name = ?", {name});
            return Answer::text("1");
        }
        if (!request.arg(1).empty())
            return Answer::text(std::string(unknownCommand));
        db.query("INSERT INTO config_store(name, value) VALUES(?, ?) "
                 "ON CONFLICT(name) DO UPDATE SET value = excluded.value",
                 {name, request.arg(2)});
        return Answer::text("1");
    });

    server.addHandler("GET", "FUNC", [](const Request& request) {
        const std::string& function = request.arg(0);
        if (function == "GETLIST^TKSETUTILS3" || function == "GETLIST^TKSETTINGS1")
            return Answer::text(serverItemList());
        return Answer::text(std::string(unknownCommand));
    });

    // The page of a server item, as the browser page shows it.
    server.addHandler("SET", "WEB", [](const Request& request) {
        for (const ServerPage& page : serverPages) {
            if (request.arg(0) == page.handle)
                return Answer::text(std::string("<html><head><title>") + page.caption + "</title></head><body>"
                                    + page.body + "</body></html>");
        }
        return Answer::text("ERROR: no page " + request.arg(0));
    });

    server.addHandler("GET", "POSTSETS", [](const Request&) {
        return Answer::data(std::vector<std::string>(std::begin(postingSets), std::end(postingSets)));
    });
}

} // namespace corvane::reference
