#include "SecuritySeed.h"

#include "Database.h"

#include <string>
#include <vector>

namespace corvane::reference {

namespace {

constexpr const char* schema = R"SQL(
CREATE TABLE IF NOT EXISTS security_group_numbers(number INTEGER PRIMARY KEY,
    group_code TEXT NOT NULL UNIQUE REFERENCES security_groups(code));
CREATE TABLE IF NOT EXISTS security_programs(code TEXT PRIMARY KEY, kind TEXT NOT NULL, description TEXT NOT NULL,
    position INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS security_locks(program TEXT NOT NULL, access INTEGER NOT NULL, PRIMARY KEY(program, access));
CREATE TABLE IF NOT EXISTS operator_rights(operator TEXT NOT NULL REFERENCES operators(code), program TEXT NOT NULL,
    may_add INTEGER NOT NULL, may_delete INTEGER NOT NULL, may_change INTEGER NOT NULL, may_open INTEGER NOT NULL,
    PRIMARY KEY(operator, program));
CREATE TABLE IF NOT EXISTS entity_access(operator TEXT NOT NULL REFERENCES operators(code), entity TEXT NOT NULL,
    allowed INTEGER NOT NULL, PRIMARY KEY(operator, entity));
CREATE TABLE IF NOT EXISTS trans_fields(anesthesia INTEGER NOT NULL, code TEXT NOT NULL, caption TEXT NOT NULL,
    position INTEGER NOT NULL, PRIMARY KEY(anesthesia, code));
CREATE TABLE IF NOT EXISTS trans_groups(anesthesia INTEGER NOT NULL, position INTEGER NOT NULL,
    group_code TEXT NOT NULL, fields TEXT NOT NULL, PRIMARY KEY(anesthesia, position));
CREATE TABLE IF NOT EXISTS trans_field_rights(owner_kind TEXT NOT NULL, owner TEXT NOT NULL,
    anesthesia INTEGER NOT NULL, field TEXT NOT NULL, allowed INTEGER NOT NULL,
    PRIMARY KEY(owner_kind, owner, anesthesia, field));
CREATE TABLE IF NOT EXISTS trans_group_limits(owner_kind TEXT NOT NULL, owner TEXT NOT NULL,
    anesthesia INTEGER NOT NULL, group_code TEXT NOT NULL, days TEXT NOT NULL, end_of_month INTEGER NOT NULL,
    PRIMARY KEY(owner_kind, owner, anesthesia, group_code));
)SQL";

// Group numbers follow the order the groups were created in.
const char* const groupOrder[]
    = {"ADMIN", "MGR", "BILLING", "CODER", "COLLECT", "FRONT", "RECEP", "CLIN", "AUDIT", "VIEW"};

struct ProgramSeed {
    const char* kind; ///< "M" for a module heading, else the module (a program type of code table ST)
    const char* code;
    const char* description;
    const char* rights; ///< per group in number order: add, delete, change, open; empty: already seeded
    const char* locks; ///< access columns fixed for every operator and group: 1 Access, 2 Add, 3 Modify, 4 Delete
};

const ProgramSeed programs[] = {
    {"M", "WIN", "Windows", "", ""},
    {"WIN", "STW", "Codes Cross Reference", "", ""},
    {"WIN", "COLAI", "Collections", "", ""},
    {"WIN", "CHGSLIP", "Charge slip sets", "", ""},
    {"WIN", "ALTFEE", "Alternate fees", "", ""},
    {"WIN", "FAXQ", "Fax and e-mail queue", "", ""},
    {"M", "UTL", "Utilities", "", ""},
    {"UTL", "SECURITY", "Security settings", "", "24"},
    {"UTL", "SYSSET", "System settings", "", "24"},
    {"UTL", "PRGL", "Security programs", "", "4"},
    {"M", "RPT", "Reports", "", ""},
    {"RPT", "AGING", "Aging report", "0001 0001 0001 0000 0001 0000 0000 0000 0001 0001", "3"},
    {"RPT", "DAYSHEET", "Day sheet", "0001 0001 0001 0000 0000 0001 0001 0000 0001 0001", "3"},
    {"RPT", "PRODRPT", "Production report", "0001 0001 0000 0000 0000 0000 0000 0000 0001 0000", "3"},
    {"M", "BAT", "Batch jobs", "", ""},
    {"BAT", "STMTRUN", "Statement run", "1111 1011 1011 0000 0001 0000 0000 0000 0001 0000", ""},
    {"BAT", "CLAIMRUN", "Claim run", "1111 1011 1011 0001 0000 0000 0000 0000 0001 0000", ""},
    {"M", "INT", "Interfaces", "", ""},
    {"INT", "ERA835", "Remittance import", "1111 1011 1011 0000 0000 0000 0000 0000 0001 0000", ""},
    {"INT", "ELIG270", "Eligibility requests", "1111 1011 1011 0000 0001 1011 1011 0001 0001 0000", ""},
};

struct FieldSeed {
    const char* code;
    const char* caption;
};
const std::vector<FieldSeed> fields = {
    {"DOS", "Date of service"}, {"PROV", "Rendering provider"}, {"REFPROV", "Referring provider"},
    {"LOC", "Location"},        {"POS", "Place of service"},    {"DX", "Diagnosis codes"},
    {"CPT", "Procedure code"},  {"MOD", "Modifiers"},           {"UNITS", "Units"},
    {"AMT", "Charge amount"},   {"INS", "Insurance plan"},      {"AUTH", "Authorization number"},
};
const std::vector<FieldSeed> anesthesiaFields = {
    {"ASTART", "Anesthesia start time"},
    {"ASTOP", "Anesthesia stop time"},
    {"ASA", "Physical status"},
    {"CRNA", "Supervised CRNA"},
};

struct GroupSeed {
    const char* code;
    const char* fields; ///< tab-separated, four slots
};
const GroupSeed groups[] = {
    {"CLIN", "DOS\tPROV\tREFPROV\tLOC"},
    {"CODE", "DX\tCPT\tMOD\tUNITS"},
    {"MONEY", "AMT\t\t\t"},
    {"INS", "INS\tAUTH\t\t"},
    {"PLACE", "POS\t\t\t"},
};
const GroupSeed anesthesiaGroups[] = {
    {"CLIN", "DOS\tPROV\tLOC\t"}, {"CODE", "DX\tCPT\tMOD\t"}, {"TIME", "ASTART\tASTOP\t\t"},
    {"STAT", "ASA\tCRNA\t\t"},    {"MONEY", "AMT\tINS\t\t"},
};

void seedPrograms(Database& db)
{
    int position = 0;
    for (const auto& program : programs) {
        db.query("INSERT OR IGNORE INTO security_programs(code, kind, description, position) VALUES(?, ?, ?, ?)",
                 {program.code, program.kind, program.description, std::to_string(position += 10)});
        for (const char* lock = program.locks; *lock; ++lock)
            db.query("INSERT OR IGNORE INTO security_locks(program, access) VALUES(?, ?)",
                     {program.code, std::string(1, *lock)});
        const std::string flags = program.rights;
        for (std::size_t g = 0; !flags.empty() && g < std::size(groupOrder); ++g) {
            const std::string four = flags.substr(g * 5, 4);
            db.query("INSERT OR IGNORE INTO group_rights VALUES(?, ?, ?, ?, ?, ?)",
                     {groupOrder[g], program.code, four.substr(0, 1), four.substr(1, 1), four.substr(2, 1),
                      four.substr(3, 1)});
        }
    }
}

void seedOwners(Database& db)
{
    db.exec("INSERT OR IGNORE INTO operators(code, name, group_code) VALUES('VQ', 'View Query', 'VIEW')");
    db.exec("INSERT OR IGNORE INTO preferences(operator, text) VALUES('VQ', 'ZOOM=100\r\n')");
    db.exec("INSERT OR IGNORE INTO code_table_rows(table_name, position, code, fields) "
            "SELECT 'OP', COALESCE(MAX(position), 0) + 1, 'VQ', 'VQ' || char(9) || 'View Query' || char(9) || 'VIEW' "
            "FROM code_table_rows WHERE table_name = 'OP'");
    for (std::size_t g = 0; g < std::size(groupOrder); ++g)
        db.query("INSERT OR IGNORE INTO security_group_numbers(number, group_code) VALUES(?, ?)",
                 {std::to_string(g), groupOrder[g]});
    db.exec("INSERT OR IGNORE INTO operator_rights "
            "SELECT o.code, r.program, r.may_add, r.may_delete, r.may_change, r.may_open "
            "FROM operators o JOIN group_rights r ON r.group_code = o.group_code");
    // Everyone may open the practices except the anesthesia one; front desk and view-only staff the first only.
    db.exec("INSERT OR IGNORE INTO entity_access(operator, entity, allowed) "
            "SELECT o.code, t.code, CASE WHEN o.group_code IN ('ADMIN', 'MGR', 'BILLING') THEN 1 "
            "WHEN o.group_code IN ('FRONT', 'VIEW') THEN t.code = '01' ELSE t.code <> '03' END "
            "FROM operators o JOIN code_table_rows t ON t.table_name = 'PRM'");
}

void seedTransactions(Database& db)
{
    for (int anesthesia = 0; anesthesia <= 1; ++anesthesia) {
        int position = 0;
        std::vector<FieldSeed> all = fields;
        if (anesthesia)
            all.insert(all.end(), anesthesiaFields.begin(), anesthesiaFields.end());
        for (const auto& field : all)
            db.query("INSERT OR IGNORE INTO trans_fields(anesthesia, code, caption, position) VALUES(?, ?, ?, ?)",
                     {std::to_string(anesthesia), field.code, field.caption, std::to_string(++position)});
        position = 0;
        for (const auto& group : anesthesia ? anesthesiaGroups : groups)
            db.query("INSERT OR IGNORE INTO trans_groups(anesthesia, position, group_code, fields) VALUES(?, ?, ?, ?)",
                     {std::to_string(anesthesia), std::to_string(++position), group.code, group.fields});
    }
    // Operators and groups alike: clinical and coding fields may be changed, for 30 days (administrators a year);
    // money at the end of the month.
    const std::string owners = "SELECT 'O' AS kind, code AS owner, group_code FROM operators UNION ALL "
                               "SELECT 'G', CAST(number AS TEXT), group_code FROM security_group_numbers";
    db.exec("INSERT OR IGNORE INTO trans_field_rights(owner_kind, owner, anesthesia, field, allowed) "
            "SELECT w.kind, w.owner, f.anesthesia, f.code, "
            "w.group_code = 'ADMIN' OR f.code IN ('DOS', 'PROV', 'REFPROV', 'LOC', 'DX', 'CPT', 'MOD', 'UNITS') "
            "FROM ("
            + owners + ") w JOIN trans_fields f");
    db.exec("INSERT OR IGNORE INTO trans_group_limits(owner_kind, owner, anesthesia, group_code, days, end_of_month) "
            "SELECT w.kind, w.owner, g.anesthesia, g.group_code, "
            "CASE WHEN w.group_code = 'ADMIN' THEN '365' ELSE '30' END, g.group_code = 'MONEY' "
            "FROM ("
            + owners + ") w JOIN trans_groups g");
}

} // namespace

void createSecuritySchemaAndSeed(Database& db)
{
    db.exec(schema);
    if (db.scalar("SELECT COUNT(*) FROM sys_settings WHERE name = 'SECURITYSEEDED'", {}, "0") != "0")
        return;
    db.transaction([&] {
        seedPrograms(db);
        seedOwners(db);
        seedTransactions(db);
        db.exec("INSERT INTO sys_settings(name, value) VALUES('SECURITYSEEDED', 'Y')");
    });
}

} // namespace corvane::reference
