#include "SchedulerRequests.h"

#include "PracticeServer.h"

#include <string_view>

namespace corvane::reference {

namespace {

constexpr std::string_view unknownCommand = "ERROR: UNKNOWN COMMAND";

const std::pair<const char*, const char*> seededSettings[] = {
    {"USECT", "0"},
    {"KEEPCTLOC", "0"},
    {"LOADCTLOGIN", "0"},
    {"SCHEDULER", "1\tSELF"},
    {"ELIGVENDOR", "0"},
    {"ELIGUSEBROWSER", "0"},
    {"ELIGTOS", "30^Health Benefit Plan Coverage"},
};

const char* const serviceTypes[] = {
    "1\tMedical Care",
    "30\tHealth Benefit Plan Coverage",
    "33\tChiropractic",
    "35\tDental Care",
    "47\tHospital",
    "88\tPharmacy",
    "98\tProfessional (Physician) Visit - Office",
    "AL\tVision (Optometry)",
    "MH\tMental Health",
    "UC\tUrgent Care",
};

// The Update Transactions defaults: show the dialog, Accept, 30 days, include paid and zero balance charges.
const std::pair<const char*, const char*> seededCodes[] = {
    {"DFVL3", "1:A:30:I:I"},
};

/// One column of the appointment defaults: caption, format code and the two digits after it (the column's width
/// in the header, the longest value in the rows).
struct ApptColumn {
    const char* caption;
    const char* format;
    const char* width;
    const char* limit;
};

// Column 1 names the appointment tab and is not changed; the others are what the scheduler offers by default.
const ApptColumn apptColumns[] = {
    {"Tab", "00kZ0", "08", "00"},     {"Caption", "01pZ0", "16", "20"},        {"Show", "04pZ1", "06", "00"},
    {"Minutes", "0ApZ2", "08", "00"}, {"Default Reason", "01pZ0", "24", "30"},
};

struct ApptRow {
    const char* tab;
    const char* values; ///< the values of columns 2 to 5, TAB-separated
};

const ApptRow standardRows[] = {
    {"NEW", "New Patient\t1\t45\tNew patient visit"}, {"FU", "Follow-up\t1\t15\tFollow-up visit"},
    {"PHY", "Physical\t1\t30\tAnnual physical"},      {"PROC", "Procedure\t1\t60\t"},
    {"TELE", "Telehealth\t0\t20\tVideo visit"},
};

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

std::string apptHeader()
{
    std::string line;
    for (const ApptColumn& column : apptColumns) {
        if (!line.empty())
            line += '\t';
        line += std::string(column.caption) + column.format + column.width;
    }
    return line;
}

std::string apptLine(const std::string& tab, const std::string& values)
{
    std::vector<std::string> cells = splitAt(values, '\t');
    cells.insert(cells.begin(), tab);
    cells.resize(std::size(apptColumns));
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += '\t';
        line += cells[c] + apptColumns[c].format + apptColumns[c].limit;
    }
    return line;
}

/// Why a saved row cannot be stored, or empty.
std::string apptRowFault(const std::vector<std::string>& values)
{
    if (values.size() != std::size(apptColumns) - 1)
        return "a row holds " + std::to_string(values.size()) + " values, not "
            + std::to_string(std::size(apptColumns) - 1);
    if (values[1] != "0" && values[1] != "1")
        return "Show is 0 or 1";
    if (values[2].size() > 3 || values[2].find_first_not_of("0123456789") != std::string::npos)
        return "Minutes is a number from 0 to 999";
    if (values[0].size() > 20 || values[3].size() > 30)
        return "a text is too long";
    return {};
}

void seed(Database& db)
{
    db.exec("CREATE TABLE IF NOT EXISTS code_entries(name TEXT PRIMARY KEY, value TEXT NOT NULL)");
    db.exec("CREATE TABLE IF NOT EXISTS scheduled_processes(name TEXT PRIMARY KEY, running INTEGER NOT NULL, "
            "runs INTEGER NOT NULL, changed TEXT NOT NULL)");
    db.exec("CREATE TABLE IF NOT EXISTS appt_defaults(position INTEGER PRIMARY KEY, tab TEXT NOT NULL, "
            "cell_values TEXT NOT NULL)");
    db.transaction([&] {
        for (const auto& [name, value] : seededSettings)
            db.query("INSERT OR IGNORE INTO sys_settings(name, value) VALUES(?, ?)", {name, value});
        for (const auto& [name, value] : seededCodes)
            db.query("INSERT OR IGNORE INTO code_entries(name, value) VALUES(?, ?)", {name, value});
        db.exec("INSERT OR IGNORE INTO code_tables(table_name, description) VALUES('ELGTOS', 'ELGTOS codes')");
        int position = 0;
        for (const char* line : serviceTypes) {
            const std::string row(line);
            db.query("INSERT OR IGNORE INTO code_table_rows(table_name, position, code, fields) VALUES(?, ?, ?, ?)",
                     {"ELGTOS", std::to_string(++position), row.substr(0, row.find('\t')), row});
        }
        for (const char* process : {"RPTSCH", "SUBSCH"})
            db.query("INSERT OR IGNORE INTO scheduled_processes VALUES(?, 0, 0, datetime('now'))", {process});
        position = 0;
        for (const ApptRow& row : standardRows)
            db.query("INSERT OR IGNORE INTO appt_defaults VALUES(?, ?, ?)",
                     {std::to_string(++position), row.tab, row.values});
    });
}

void registerProcess(PracticeServer& server, const std::string& process)
{
    Database& db = server.database();
    server.addHandler("GETP", process, [&db, process](const Request& request) {
        if (request.arg(0) != "RUNSTATUS")
            return Answer::text(std::string(unknownCommand));
        return Answer::text(db.scalar("SELECT running FROM scheduled_processes WHERE name = ?", {process}, "0"));
    });
    // The process runs until it is stopped: a start while it runs, or a stop while it is stopped, changes nothing
    // and answers 0.
    server.addHandler("SETP", process, [&db, process](const Request& request) {
        if (request.arg(0) != "RUN" || (request.arg(1) != "0" && request.arg(1) != "1"))
            return Answer::text(std::string(unknownCommand));
        const std::string wanted = request.arg(1);
        if (db.scalar("SELECT running FROM scheduled_processes WHERE name = ?", {process}, "0") == wanted)
            return Answer::text("0");
        db.query("UPDATE scheduled_processes SET running = ?, runs = runs + ?, changed = datetime('now') "
                 "WHERE name = ?",
                 {wanted, wanted, process});
        return Answer::text("1");
    });
}

} // namespace

void registerSchedulerRequests(PracticeServer& server)
{
    Database& db = server.database();
    seed(db);
    registerProcess(server, "RPTSCH");
    registerProcess(server, "SUBSCH");

    server.addHandler("GET", "CODE", [&db](const Request& request) {
        const std::string& name = request.arg(0);
        if (name.empty())
            return Answer::text("|ERROR|Codes|No code named.");
        return Answer::text(db.scalar("SELECT value FROM code_entries WHERE name = ?", {name}, ""));
    });

    server.addHandler("SET", "CODE", [&db](const Request& request) {
        const std::string& name = request.arg(0);
        if (name.empty())
            return Answer::text("|ERROR|Codes|No code named.");
        // The value runs to the end of the request; a closing bar is not part of it.
        std::string value = request.rest.substr(std::min(request.rest.size(), name.size() + 1));
        if (!value.empty() && value.back() == '|')
            value.pop_back();
        db.query("INSERT INTO code_entries(name, value) VALUES(?, ?) "
                 "ON CONFLICT(name) DO UPDATE SET value = excluded.value",
                 {name, value});
        return Answer::text("1");
    });

    server.addHandler("GET", "ASDATA", [&db](const Request& request) {
        if (request.arg(0) != "22")
            return Answer::failure("Error: no appointment data " + request.arg(0));
        std::vector<std::string> lines {apptHeader()};
        if (request.arg(1) == "DEF") {
            for (const ApptRow& row : standardRows)
                lines.push_back(apptLine(row.tab, row.values));
        } else {
            db.query("SELECT tab, cell_values FROM appt_defaults ORDER BY position", {},
                     [&](const std::vector<std::string>& row) { lines.push_back(apptLine(row[0], row[1])); });
        }
        return Answer::data(std::move(lines));
    });

    server.addHandler("SET", "ASDATA", [&db](const Request& request) {
        if (request.arg(0) != "22")
            return Answer::text("|ERROR|Appointment Defaults|No appointment data " + request.arg(0) + ".");
        const std::string data = request.rest.substr(std::min(request.rest.size(), request.arg(0).size() + 1));
        std::vector<std::string> rows = splitAt(data, '\x01');
        if (!rows.empty() && rows.back().empty())
            rows.pop_back();
        std::vector<std::string> tabs;
        db.query("SELECT tab FROM appt_defaults ORDER BY position", {},
                 [&](const std::vector<std::string>& row) { tabs.push_back(row[0]); });
        if (rows.size() != tabs.size())
            return Answer::text("|ERROR|Appointment Defaults|" + std::to_string(rows.size()) + " rows sent for "
                                + std::to_string(tabs.size()) + " appointment tabs.");
        std::vector<std::string> stored;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].empty() || rows[r].front() != '\t')
                return Answer::text("|ERROR|Appointment Defaults|Row " + std::to_string(r + 1) + " is malformed.");
            const std::string values = rows[r].substr(1);
            if (const std::string fault = apptRowFault(splitAt(values, '\t')); !fault.empty())
                return Answer::text("|ERROR|Appointment Defaults|" + tabs[r] + ": " + fault + ".");
            stored.push_back(values);
        }
        db.transaction([&] {
            for (std::size_t r = 0; r < stored.size(); ++r)
                db.query("UPDATE appt_defaults SET cell_values = ? WHERE tab = ?", {stored[r], tabs[r]});
        });
        return Answer::text("1");
    });
}

} // namespace corvane::reference
