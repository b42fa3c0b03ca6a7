#include "PatientSetupRequests.h"

#include "PracticeServer.h"

#include <set>
#include <string_view>

namespace corvane::reference {

namespace {

constexpr char recordSeparator = '\xE6';

const std::pair<const char*, const char*> headerFields[] = {
    {"NAME", "Patient Name"},
    {"ACCT", "Account #"},
    {"DOB", "Date of Birth"},
    {"AGE", "Age"},
    {"SEX", "Sex"},
    {"PHONE", "Home Phone"},
    {"CELL", "Cell Phone"},
    {"PRIINS", "Primary Insurance"},
    {"SECINS", "Secondary Insurance"},
    {"COPAY", "Copay"},
    {"BAL", "Account Balance"},
    {"PATBAL", "Patient Balance"},
    {"LASTVISIT", "Last Visit"},
    {"NEXTAPPT", "Next Appointment"},
    {"VISITS", "Visits"},
    {"PCP", "Primary Care Physician"},
    {"REFPHYS", "Referring Physician"},
    {"ALERT", "Alerts"},
};

// The factory layout: two rows of five; the balance slot carries a display option the settings page does not edit.
const char* const factoryHeader = "NAME\xE6"
                                  "ACCT\xE6"
                                  "DOB\xE6"
                                  "AGE\xE6"
                                  "SEX\xE6"
                                  "PRIINS\xE6"
                                  "SECINS\xE6"
                                  "BAL\tRED\xE6"
                                  "LASTVISIT\xE6"
                                  "PCP";

struct DemoField {
    const char* code;
    const char* caption;
    const char* value;
    const char* key;
    const char* hide;
    const char* stop;
    const char* required;
    const char* more; ///< fields after the ones the settings page edits
};

const DemoField demoFields[] = {
    {"LNAME", "Last Name", "", "L", "0", "1", "1", ""},
    {"FNAME", "First Name", "", "F", "0", "1", "1", ""},
    {"MI", "Middle Initial", "", "", "0", "1", "0", ""},
    {"DOB", "Date of Birth", "", "D", "0", "1", "1", ""},
    {"SEX", "Sex", "", "X", "0", "1", "1", ""},
    {"SSN", "Social Security #", "", "", "0", "0", "0", "\tMASK=###-##-####"},
    {"ADDR1", "Address", "", "A", "0", "1", "0", ""},
    {"CITY", "City", "Springfield", "", "0", "1", "0", ""},
    {"STATE", "State", "IL", "", "0", "1", "0", "\tMAXLEN=2"},
    {"ZIP", "Zip Code", "", "Z", "0", "1", "0", ""},
    {"PHONE", "Home Phone", "", "P", "0", "1", "0", ""},
    {"CELL", "Cell Phone", "", "C", "0", "1", "0", ""},
    {"EMAIL", "E-mail", "", "E", "0", "1", "0", ""},
    {"LANG", "Language", "English", "", "0", "0", "0", ""},
    {"RACE", "Race", "", "", "0", "0", "0", ""},
    {"ETHNIC", "Ethnicity", "", "", "0", "0", "0", ""},
    {"MARITAL", "Marital Status", "", "", "1", "0", "0", ""},
    {"EMPLOYER", "Employer", "", "", "1", "0", "0", ""},
    {"FINCLASS", "Financial Class", "COM", "", "0", "1", "1", ""},
    {"ARCLASS", "A/R Class", "SELF", "", "0", "0", "0", ""},
    {"REFPHYS", "Referring Physician", "", "R", "0", "1", "0", ""},
    {"PCP", "Primary Care Physician", "", "", "0", "1", "0", ""},
};

struct LookupTable {
    const char* name;
    std::vector<const char*> rows;
};

const LookupTable lookupTables[] = {
    {"IDT",
     {"INS\tInsurance Card", "ID\tPhoto ID", "REF\tReferral Letter", "LAB\tLab Result", "RAD\tRadiology Report",
      "EOB\tExplanation of Benefits", "CONS\tConsent Form", "CORR\tCorrespondence", "PORT\tPortal Upload"}},
    {"FLR3",
     {"253\tSequestration - reduction in federal payment", "45\tCharge exceeds fee schedule",
      "97\tBenefit included in another service", "2\tCoinsurance amount", "3\tCopay amount"}},
    {"FLTY",
     {"CASH\tCash payment\tPRP", "CHECK\tCheck payment\tPRP", "CC\tCredit card payment\tPRP",
      "COPAY\tCopay credit\tPRP", "INSP\tInsurance payment\tINP", "ADJ\tContractual adjustment\tADJ",
      "WO\tSmall balance write-off\tADJ", "RFND\tRefund\tREF"}},
};

std::vector<std::string_view> splitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        pieces.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return pieces;
        start = at + 1;
    }
}

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

void seed(Database& db)
{
    db.exec("CREATE TABLE IF NOT EXISTS patient_header(owner TEXT PRIMARY KEY, layout TEXT NOT NULL)");
    db.exec("CREATE TABLE IF NOT EXISTS demo_defaults(position INTEGER PRIMARY KEY, fields TEXT NOT NULL)");
    if (db.scalar("SELECT COUNT(*) FROM sys_settings WHERE name = 'PATIENTSETUPSEEDED'", {}, "0") != "0")
        return;
    db.transaction([&] {
        for (const LookupTable& table : lookupTables) {
            db.query("INSERT OR IGNORE INTO code_tables(table_name, description) VALUES(?, ?)",
                     {table.name, std::string(table.name) + " codes"});
            int position = 0;
            for (const char* line : table.rows) {
                const std::string text(line);
                db.query("INSERT OR IGNORE INTO code_table_rows(table_name, position, code, fields) "
                         "VALUES(?, ?, ?, ?)",
                         {table.name, std::to_string(++position), text.substr(0, text.find('\t')), text});
            }
        }
        int position = 0;
        for (const DemoField& f : demoFields)
            db.query("INSERT OR IGNORE INTO demo_defaults(position, fields) VALUES(?, ?)",
                     {std::to_string(++position),
                      std::string(f.code) + "\t" + f.caption + "\t" + f.value + "\t" + f.key + "\t" + f.hide + "\t"
                          + f.stop + "\t" + f.required + f.more});
        // An operator who arranged a header of their own, which "apply to all" replaces.
        db.query("INSERT OR IGNORE INTO patient_header(owner, layout) VALUES('MJONES', ?)",
                 {"NAME\xE6"
                  "ACCT\xE6"
                  "BAL\xE6"
                  "PATBAL\xE6"
                  "COPAY"});
        db.query("INSERT OR IGNORE INTO sys_settings(name, value) VALUES('WRKFLWIMAGE', ?)", {"INS,REF,LAB:O:90"});
        db.query("INSERT OR IGNORE INTO sys_settings(name, value) VALUES('CUSTOMRECEIPTFORM', 'RCPT1')", {});
        db.query("INSERT INTO sys_settings(name, value) VALUES('PATIENTSETUPSEEDED', 'Y')", {});
    });
}

std::string availableFields()
{
    std::string line;
    for (const auto& [code, caption] : headerFields) {
        if (!line.empty())
            line += recordSeparator;
        line += std::string(code) + "\t" + caption;
    }
    return line;
}

/// Why a demographics defaults text cannot be stored, or empty.
std::string demoRefusal(std::string_view rows)
{
    std::set<std::string> keys;
    for (const std::string_view row : splitAt(rows, recordSeparator)) {
        if (row.empty())
            continue;
        const auto fields = splitAt(row, '\t');
        if (fields.size() < 7)
            return "A row holds fewer than seven fields: " + std::string(fields[0]);
        const std::string key = upper(fields[3]);
        if (!key.empty() && !keys.insert(key).second)
            return "Key " + key + " is used by more than one field.";
        if (fields[4] == "1" && fields[6] == "1")
            return std::string(fields[1]) + " cannot be hidden and required.";
    }
    return {};
}

} // namespace

void registerPatientSetupRequests(PracticeServer& server)
{
    Database& db = server.database();
    seed(db);

    server.addHandler("GET", "PATSET", [&db](const Request& request) {
        const std::string owner = request.arg(0).empty() ? request.operatorCode : request.arg(0);
        const std::string fallback
            = db.scalar("SELECT layout FROM patient_header WHERE owner = 'DEFAULT'", {}, factoryHeader);
        const std::string layout = db.scalar("SELECT layout FROM patient_header WHERE owner = ?", {owner}, fallback);
        return Answer::data({availableFields(), layout});
    });

    // "|SET|PATSET|DEFAULT|CLEAR||" goes back to the factory layout; "|SET|PATSET|DEFAULT||ALL|" layout stores the
    // default and drops every operator's own; "|SET|PATSET|DEFAULT|||" layout stores the default.
    server.addHandler("SET", "PATSET", [&db](const Request& request) {
        if (request.arg(0) != "DEFAULT")
            return Answer::text("|ERROR|Configure Header|Only the default header can be set here.");
        if (request.arg(1) == "CLEAR") {
            db.query("DELETE FROM patient_header WHERE owner = 'DEFAULT'", {});
            return Answer::text("1");
        }
        const std::string layout = request.payloadAfter(3);
        if (layout.empty())
            return Answer::text("|ERROR|Configure Header|The header holds no fields.");
        db.transaction([&] {
            db.query("INSERT INTO patient_header(owner, layout) VALUES('DEFAULT', ?) "
                     "ON CONFLICT(owner) DO UPDATE SET layout = excluded.layout",
                     {layout});
            if (request.arg(2) == "ALL")
                db.query("DELETE FROM patient_header WHERE owner <> 'DEFAULT'", {});
        });
        return Answer::text("1");
    });

    server.addHandler("GET", "DMDF", [&db](const Request&) {
        std::string rows;
        db.query("SELECT fields FROM demo_defaults ORDER BY position", {}, [&](const std::vector<std::string>& row) {
            rows += row[0];
            rows += recordSeparator;
        });
        return Answer::text(rows);
    });

    server.addHandler("SET", "DMDF", [&db](const Request& request) {
        const std::string rows = request.payloadAfter(0);
        if (const std::string refused = demoRefusal(rows); !refused.empty())
            return Answer::text("|ERROR|Demographics Defaults|" + refused);
        db.transaction([&] {
            db.query("DELETE FROM demo_defaults", {});
            int position = 0;
            for (const std::string_view row : splitAt(rows, recordSeparator)) {
                if (!row.empty())
                    db.query("INSERT INTO demo_defaults(position, fields) VALUES(?, ?)",
                             {std::to_string(++position), std::string(row)});
            }
        });
        return Answer::text("1");
    });
}

} // namespace corvane::reference
