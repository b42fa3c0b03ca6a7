#include "SeedData.h"

#include "Database.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane::reference {

namespace {

constexpr const char* schema = R"SQL(
CREATE TABLE IF NOT EXISTS security_groups(code TEXT PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS operators(code TEXT PRIMARY KEY, name TEXT NOT NULL,
    group_code TEXT NOT NULL REFERENCES security_groups(code));
CREATE TABLE IF NOT EXISTS group_rights(group_code TEXT NOT NULL REFERENCES security_groups(code),
    program TEXT NOT NULL, may_add INTEGER NOT NULL, may_delete INTEGER NOT NULL, may_change INTEGER NOT NULL,
    may_open INTEGER NOT NULL, PRIMARY KEY(group_code, program));
CREATE TABLE IF NOT EXISTS sys_settings(name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS preferences(operator TEXT PRIMARY KEY, text TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS code_tables(table_name TEXT PRIMARY KEY, description TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS code_table_rows(table_name TEXT NOT NULL REFERENCES code_tables(table_name),
    position INTEGER NOT NULL, code TEXT NOT NULL, fields TEXT NOT NULL, PRIMARY KEY(table_name, code));
CREATE TABLE IF NOT EXISTS printers(name TEXT PRIMARY KEY);
CREATE TABLE IF NOT EXISTS seed_version(version INTEGER NOT NULL);
)SQL";

using Rows = std::vector<std::string>;

const std::vector<std::pair<std::string, std::string>> groups = {
    {"ADMIN", "Administrators"}, {"MGR", "Practice Managers"}, {"BILLING", "Billing Office"},
    {"CODER", "Coding"},         {"COLLECT", "Collections"},   {"FRONT", "Front Desk"},
    {"RECEP", "Reception"},      {"CLIN", "Clinical Staff"},   {"AUDIT", "Auditors"},
    {"VIEW", "View Only"},
};

struct OperatorSeed {
    const char* code;
    const char* name;
    const char* group;
};
const OperatorSeed operators[] = {
    {"JSMITH", "Jane Smith", "ADMIN"},    {"MJONES", "Maria Jones", "BILLING"}, {"RPATEL", "Raj Patel", "FRONT"},
    {"DKIM", "David Kim", "COLLECT"},     {"LGARCIA", "Luis Garcia", "VIEW"},   {"AOKAFOR", "Ada Okafor", "MGR"},
    {"TNGUYEN", "Thanh Nguyen", "CODER"}, {"SBROWN", "Sarah Brown", "CLIN"},
};

// Program, then per group: add, delete, change, open (1/0) in group order of `groups`.
const std::vector<std::pair<std::string, std::string>> rights = {
    {"STW", "1111 1111 1011 1011 0001 0001 0001 0001 0001 0001"},
    {"COLAI", "1111 1111 1111 0001 1111 0001 0000 0000 0001 0001"},
    {"SECURITY", "1111 0011 0000 0000 0000 0000 0000 0000 0001 0000"},
    {"SYSSET", "1111 0011 0001 0001 0001 0000 0000 0000 0001 0001"},
    {"CHGSLIP", "1111 1111 1111 1111 0001 0001 0001 0001 0001 0001"},
    {"ALTFEE", "1111 1111 1111 0011 0001 0001 0000 0000 0001 0001"},
    {"FAXQ", "1111 1111 1111 0011 1111 1111 1111 1111 0001 0001"},
    {"PRGL", "1111 0001 0001 0001 0001 0001 0001 0001 0001 0001"},
};

const std::vector<std::pair<std::string, std::vector<std::string>>> codeTables = {
    {"OP", {}}, // filled from the operators
    {"PRM",
     {"01\tN\tRiverside Family Medicine", "02\tN\tRiverside Pediatrics", "03\tY\tRiverside Anesthesia Associates",
      "04\tN\tRiverside Orthopedics"}},
    {"ST", {"RPT\tReports", "WIN\tWindows", "UTL\tUtilities", "BAT\tBatch jobs", "INT\tInterfaces"}},
    {"PM",
     {"PM01\tFirst notice: balance past due\tL", "PM02\tSecond notice: please call our office\tL",
      "PM03\tFinal notice before collection agency\tL", "PM10\tLeft voicemail about balance\tP",
      "PM11\tSpoke with guarantor, payment promised\tP", "PM20\tPayment plan set up\tS",
      "PM30\tReferred to collection agency\tS"}},
    {"LIST",
     {"L30\tSelf-pay 30 to 59 days", "L60\tSelf-pay 60 to 89 days", "L90\tSelf-pay over 90 days",
      "LINS\tInsurance denials to work", "LPLAN\tPayment plans behind schedule"}},
    {"AR",
     {"SELF\tSelf pay", "INS\tInsurance pending", "SEC\tSecondary insurance", "COLL\tIn collections",
      "BD\tBad debt written off"}},
    {"FL",
     {"COM\tCommercial", "MCR\tMedicare", "MCD\tMedicaid", "SP\tSelf-pay", "WC\tWorkers' compensation",
      "TRI\tTricare"}},
    {"DG",
     {"E11.9\tType 2 diabetes mellitus without complications",
      "E78.5\tHyperlipidemia, unspecified",
      "I10\tEssential (primary) hypertension",
      "J06.9\tAcute upper respiratory infection, unspecified",
      "J45.909\tUnspecified asthma, uncomplicated",
      "M54.50\tLow back pain, unspecified",
      "M25.561\tPain in right knee",
      "R05.9\tCough, unspecified",
      "R51.9\tHeadache, unspecified",
      "Z00.00\tEncounter for general adult medical examination without abnormal findings",
      "Z00.129\tEncounter for routine child health examination without abnormal findings",
      "Z23\tEncounter for immunization",
      "F41.1\tGeneralized anxiety disorder",
      "F32.A\tDepression, unspecified",
      "K21.9\tGastro-esophageal reflux disease without esophagitis",
      "N39.0\tUrinary tract infection, site not specified",
      "E66.9\tObesity, unspecified",
      "G43.909\tMigraine, unspecified, not intractable",
      "H66.90\tOtitis media, unspecified, unspecified ear",
      "L03.115\tCellulitis of right lower limb",
      "S93.401A\tSprain of right ankle, initial encounter",
      "E03.9\tHypothyroidism, unspecified",
      "I25.10\tAtherosclerotic heart disease of native coronary artery",
      "J02.9\tAcute pharyngitis, unspecified",
      "R10.9\tUnspecified abdominal pain"}},
    {"PC",
     {"99202\tOffice visit, new patient, straightforward",
      "99203\tOffice visit, new patient, low complexity",
      "99204\tOffice visit, new patient, moderate complexity",
      "99212\tOffice visit, established, straightforward",
      "99213\tOffice visit, established, low complexity",
      "99214\tOffice visit, established, moderate complexity",
      "99215\tOffice visit, established, high complexity",
      "99381\tPreventive visit, new patient, infant",
      "99395\tPreventive visit, established, 18-39 years",
      "99396\tPreventive visit, established, 40-64 years",
      "90471\tImmunization administration, first vaccine",
      "90686\tInfluenza vaccine, quadrivalent",
      "36415\tRoutine venipuncture",
      "80053\tComprehensive metabolic panel",
      "85025\tComplete blood count",
      "81002\tUrinalysis, non-automated, without microscopy",
      "93000\tElectrocardiogram with interpretation",
      "87880\tStrep test, rapid",
      "20610\tArthrocentesis, major joint",
      "11721\tDebridement of nails, six or more",
      "17110\tDestruction of benign lesions, up to 14",
      "29125\tShort arm splint, static",
      "00400\tAnesthesia for procedures on the integumentary system",
      "J1100\tInjection, dexamethasone 1 mg",
      "G0439\tAnnual wellness visit, subsequent"}},
};

const std::vector<std::pair<std::string, std::string>> settings = {
    {"PRACTICENAME", "Riverside Medical Group"},
    {"100PRICESET", "1"},
    {"DAYSOUT", "30"},
    {"STATEMENTCYCLE", "M"},
    {"FAXCOVER", "Riverside Medical Group, 410 River Road, Springfield"},
};

void seed(Database& db)
{
    for (const auto& [code, name] : groups)
        db.query("INSERT INTO security_groups(code, name) VALUES(?, ?)", {code, name});
    for (const auto& op : operators) {
        db.query("INSERT INTO operators(code, name, group_code) VALUES(?, ?, ?)", {op.code, op.name, op.group});
        db.query("INSERT INTO preferences(operator, text) VALUES(?, ?)", {op.code, "ZOOM=100\r\n"});
    }
    for (const auto& [program, flags] : rights) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::string four = flags.substr(g * 5, 4);
            db.query(
                "INSERT INTO group_rights VALUES(?, ?, ?, ?, ?, ?)",
                {groups[g].first, program, four.substr(0, 1), four.substr(1, 1), four.substr(2, 1), four.substr(3, 1)});
        }
    }
    for (const auto& [name, value] : settings)
        db.query("INSERT INTO sys_settings(name, value) VALUES(?, ?)", {name, value});
    for (const auto& [table, rows] : codeTables) {
        db.query("INSERT INTO code_tables(table_name, description) VALUES(?, ?)", {table, table + " codes"});
        std::vector<std::string> lines = rows;
        if (table == "OP") {
            for (const auto& op : operators)
                lines.push_back(std::string(op.code) + "\t" + op.name + "\t" + op.group);
        }
        int position = 0;
        for (const auto& line : lines) {
            const std::string code = line.substr(0, line.find('\t'));
            db.query("INSERT INTO code_table_rows(table_name, position, code, fields) VALUES(?, ?, ?, ?)",
                     {table, std::to_string(++position), code, line});
        }
    }
    for (const char* printer : {"Front Desk LaserJet", "Billing Office", "Exam Room 2"})
        db.query("INSERT INTO printers(name) VALUES(?)", {printer});
}

} // namespace

void createSchemaAndSeed(Database& db)
{
    db.exec(schema);
    if (db.scalar("SELECT COUNT(*) FROM seed_version", {}, "0") != "0")
        return;
    db.transaction([&] {
        seed(db);
        db.exec("INSERT INTO seed_version(version) VALUES(1)");
    });
}

} // namespace corvane::reference
