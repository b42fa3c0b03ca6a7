#include "SecurityRequests.h"

#include "PracticeServer.h"
#include "SecuritySeed.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace corvane::reference {

namespace {

constexpr char recordSeparator = static_cast<char>(230);
constexpr const char* seclHeader = "Module01kA000\tProgram01kA008\tDescription01kA032\tAccess01kA106\tAdd01kA106\t"
                                   "Modify01kA106\tDelete01kA106";

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

// Records of a payload: split at byte 230, empty ones (the end of the text) dropped.
std::vector<std::string> records(const std::string& text)
{
    std::vector<std::string> out;
    for (auto& record : split(text, recordSeparator)) {
        if (!record.empty())
            out.push_back(std::move(record));
    }
    return out;
}

std::string join(const std::vector<std::string>& pieces, const std::string& separator)
{
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

// The payload after the given number of arguments of the request's rest.
std::string payload(const Request& request, std::size_t arguments)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < arguments; ++i) {
        const std::size_t bar = request.rest.find('|', at);
        if (bar == std::string::npos)
            return {};
        at = bar + 1;
    }
    return request.rest.substr(at);
}

Answer refused(const std::string& title, const std::string& message)
{
    return Answer::text("|ERROR|" + title + "|" + message);
}

bool isFlag(const std::string& text)
{
    return text == "0" || text == "1";
}

/// Whose rights a request addresses: an operator or a security group (by its number).
struct Owner {
    bool group = false;
    std::string code; ///< operator code or group number
    std::string groupCode; ///< the group's own code

    const char* table() const { return group ? "group_rights" : "operator_rights"; }
    const char* keyColumn() const { return group ? "group_code" : "operator"; }
    const std::string& key() const { return group ? groupCode : code; }
    std::string kindLetter() const { return group ? "G" : "O"; }
};

std::optional<Owner> findOwner(Database& db, const std::string& kind, const std::string& code)
{
    Owner owner;
    if (kind == "O" || kind == "U") {
        if (db.scalar("SELECT COUNT(*) FROM operators WHERE code = ?", {code}, "0") == "0")
            return std::nullopt;
        owner.code = code;
        return owner;
    }
    if (kind == "G") {
        owner.group = true;
        owner.code = code;
        owner.groupCode
            = db.scalar("SELECT group_code FROM security_group_numbers WHERE CAST(number AS TEXT) = ?", {code}, "");
        if (owner.groupCode.empty())
            return std::nullopt;
        return owner;
    }
    return std::nullopt;
}

// Access, Add, Modify, Delete as "1"/"0".
using Flags = std::array<std::string, 4>;

std::map<std::string, Flags> readRights(Database& db, const Owner& owner)
{
    std::map<std::string, Flags> rights;
    db.query(std::string("SELECT program, may_open, may_add, may_change, may_delete FROM ") + owner.table() + " WHERE "
                 + owner.keyColumn() + " = ?",
             {owner.key()}, [&](const std::vector<std::string>& row) {
                 rights[row[0]] = {row[1], row[2], row[3], row[4]};
             });
    return rights;
}

void writeRights(Database& db, const Owner& owner, const std::string& program, const Flags& flags)
{
    db.query(std::string("INSERT INTO ") + owner.table() + "(" + owner.keyColumn()
                 + ", program, may_add, may_delete, may_change, may_open) VALUES(?, ?, ?, ?, ?, ?) ON CONFLICT("
                 + owner.keyColumn()
                 + ", program) DO UPDATE SET may_add = excluded.may_add, may_delete = excluded.may_delete, "
                   "may_change = excluded.may_change, may_open = excluded.may_open",
             {owner.key(), program, flags[1], flags[3], flags[2], flags[0]});
}

struct Program {
    std::string kind;
    std::string code;
    std::string description;
    int position = 0;
};

std::vector<Program> programList(Database& db)
{
    std::vector<Program> list;
    db.query("SELECT kind, code, description, position FROM security_programs ORDER BY position, code", {},
             [&](const std::vector<std::string>& row) {
                 list.push_back({row[0], row[1], row[2], std::stoi(row[3])});
             });
    return list;
}

std::map<std::string, std::set<int>> lockMap(Database& db)
{
    std::map<std::string, std::set<int>> locks;
    db.query("SELECT program, access FROM security_locks", {},
             [&](const std::vector<std::string>& row) { locks[row[0]].insert(std::stoi(row[1])); });
    return locks;
}

bool isProgram(Database& db, const std::string& code)
{
    return db.scalar("SELECT COUNT(*) FROM security_programs WHERE code = ? AND kind <> 'M'", {code}, "0") != "0";
}

bool maySaveSecurity(Database& db, const std::string& operatorCode)
{
    return db.scalar("SELECT may_change FROM operator_rights WHERE operator = ? AND program = 'PRGL'", {operatorCode},
                     "0")
        == "1";
}

bool viewOnly(const Owner& owner)
{
    return !owner.group && owner.code == "VQ";
}

std::string fiveDigits(int value)
{
    std::string digits = std::to_string(value % 100000);
    return std::string(5 - digits.size(), '0') + digits;
}

// The module access reply: a header record, then per module its header row (with the lock list of its programs)
// and its program rows.
Answer moduleAccess(Database& db, const Owner& owner)
{
    const auto rights = readRights(db, owner);
    const auto locks = lockMap(db);
    const auto list = programList(db);
    std::vector<std::string> lines {std::string(seclHeader) + recordSeparator};
    for (const auto& module : list) {
        if (module.kind != "M")
            continue;
        Flags any {"0", "0", "0", "0"};
        std::vector<std::string> rows;
        std::vector<std::string> lockEntries;
        for (const auto& program : list) {
            if (program.kind != module.code)
                continue;
            const auto found = rights.find(program.code);
            const Flags flags = found == rights.end() ? Flags {"0", "0", "0", "0"} : found->second;
            for (std::size_t c = 0; c < 4; ++c) {
                if (flags[c] == "1")
                    any[c] = "1";
            }
            rows.push_back(fiveDigits(program.position) + module.code + "\t" + program.code + "\t" + program.description
                           + "\t" + join({flags.begin(), flags.end()}, "\t") + recordSeparator);
            const auto locked = locks.find(program.code);
            if (locked != locks.end()) {
                std::vector<std::string> numbers;
                for (int n : locked->second)
                    numbers.push_back(std::to_string(n));
                lockEntries.push_back(program.code + "=" + join(numbers, ","));
            }
        }
        std::string header = fiveDigits(module.position) + module.code + "\t\t" + module.description + "\t"
            + join({any.begin(), any.end()}, "\t");
        if (!lockEntries.empty())
            header += ":" + join(lockEntries, "\t");
        lines.push_back(header + recordSeparator);
        lines.insert(lines.end(), rows.begin(), rows.end());
    }
    return Answer::data(std::move(lines));
}

Answer saveModuleAccess(Database& db, const Request& request)
{
    const std::string title = "Module Access";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    const auto owner = findOwner(db, request.arg(0), request.arg(1));
    if (!owner)
        return refused(title, "No operator or group " + request.arg(0) + " " + request.arg(1) + ".");
    if (viewOnly(*owner))
        return refused(title, "Settings for VQ are read only.");
    const auto rows = records(payload(request, 2));
    if (rows.empty())
        return refused(title, "No program rights were sent:nothing was saved.");
    const auto locks = lockMap(db);
    db.transaction([&] {
        const auto stored = readRights(db, *owner);
        for (const auto& row : rows) {
            const auto fields = split(row, '\t');
            if (fields.size() != 7 || !std::all_of(fields.begin() + 3, fields.end(), isFlag))
                throw std::runtime_error("a module access row is not in its form: " + row);
            const std::string& program = fields[1];
            if (!isProgram(db, program))
                throw std::runtime_error("no security program " + program);
            Flags flags {fields[3], fields[4], fields[5], fields[6]};
            const auto locked = locks.find(program);
            const auto before = stored.find(program);
            for (int c = 0; c < 4; ++c) {
                if (locked != locks.end() && locked->second.count(c + 1))
                    flags[c] = before == stored.end() ? "0" : before->second[c];
            }
            writeRights(db, *owner, program, flags);
        }
    });
    return Answer::text("1");
}

// Entity access: practices and locations of code table PRM.
Answer entityAccess(Database& db, const std::string& operatorCode)
{
    if (db.scalar("SELECT COUNT(*) FROM operators WHERE code = ?", {operatorCode}, "0") == "0")
        return Answer::failure("Error: no operator " + operatorCode);
    std::vector<std::string> entries;
    db.query("SELECT COALESCE(a.allowed, 0), t.code, t.fields "
             "FROM code_table_rows t LEFT JOIN entity_access a ON a.entity = t.code AND a.operator = ? "
             "WHERE t.table_name = 'PRM' ORDER BY t.position",
             {operatorCode}, [&](const std::vector<std::string>& row) {
                 // Code table PRM: code, anesthesia flag, name.
                 const auto fields = split(row[2], '\t');
                 entries.push_back(row[0] + "\t" + row[1] + "\t" + (fields.size() > 2 ? fields[2] : std::string()));
             });
    return Answer::text(join(entries, std::string(1, recordSeparator)));
}

Answer saveEntityAccess(Database& db, const Request& request)
{
    const std::string title = "Entity Access";
    const std::string& code = request.arg(0);
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    if (db.scalar("SELECT COUNT(*) FROM operators WHERE code = ?", {code}, "0") == "0")
        return refused(title, "No operator " + code + ".");
    if (code == "VQ")
        return refused(title, "Settings for VQ are read only.");
    db.transaction([&] {
        for (const auto& record : records(payload(request, 1))) {
            const auto fields = split(record, '\t');
            if (fields.size() != 2 || !isFlag(fields[0]))
                throw std::runtime_error("an entity record is not in its form: " + record);
            if (db.scalar("SELECT COUNT(*) FROM code_table_rows WHERE table_name = 'PRM' AND code = ?", {fields[1]},
                          "0")
                == "0")
                throw std::runtime_error("no entity " + fields[1]);
            db.query("INSERT INTO entity_access(operator, entity, allowed) VALUES(?, ?, ?) "
                     "ON CONFLICT(operator, entity) DO UPDATE SET allowed = excluded.allowed",
                     {code, fields[1], fields[0]});
        }
    });
    return Answer::text("1");
}

std::optional<int> anesthesiaFlag(const std::string& text)
{
    if (text == "0" || text == "1")
        return text == "1" ? 1 : 0;
    return std::nullopt;
}

std::map<std::string, std::string> fieldCaptions(Database& db, int anesthesia)
{
    std::map<std::string, std::string> captions;
    db.query("SELECT code, caption FROM trans_fields WHERE anesthesia = ?", {std::to_string(anesthesia)},
             [&](const std::vector<std::string>& row) { captions[row[0]] = row[1]; });
    return captions;
}

Answer transGroups(Database& db, int anesthesia)
{
    std::vector<std::string> entries;
    db.query("SELECT code, caption FROM trans_fields WHERE anesthesia = ? ORDER BY position",
             {std::to_string(anesthesia)},
             [&](const std::vector<std::string>& row) { entries.push_back(row[0] + "-" + row[1]); });
    std::string reply = join(entries, ":") + recordSeparator;
    db.query("SELECT group_code, fields FROM trans_groups WHERE anesthesia = ? ORDER BY position",
             {std::to_string(anesthesia)},
             [&](const std::vector<std::string>& row) { reply += row[0] + "\t" + row[1] + recordSeparator; });
    return Answer::text(reply);
}

Answer saveTransGroups(Database& db, const Request& request, int anesthesia)
{
    const std::string title = "Transaction Groups";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    const auto captions = fieldCaptions(db, anesthesia);
    std::vector<std::pair<std::string, std::string>> groups;
    std::set<std::string> used;
    for (const auto& row : records(payload(request, 1))) {
        auto cells = split(row, '\t');
        cells.resize(std::max<std::size_t>(cells.size(), 5));
        if (std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); }))
            continue;
        if (cells[0].empty())
            return refused(title, "A group without a code cannot be saved.");
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if (cells[c].empty())
                continue;
            if (!captions.count(cells[c]))
                return refused(title, "There is no modify-transaction field " + cells[c] + ".");
            if (!used.insert(cells[c]).second)
                return refused(title, "The field " + cells[c] + " is in more than one group.");
        }
        if (cells.size() > 5)
            return refused(title, "A group holds at most four fields.");
        groups.emplace_back(cells[0], join({cells.begin() + 1, cells.end()}, "\t"));
    }
    if (groups.size() > 5)
        return refused(title, "There are at most five transaction groups.");
    db.transaction([&] {
        db.query("DELETE FROM trans_groups WHERE anesthesia = ?", {std::to_string(anesthesia)});
        int position = 0;
        for (const auto& [code, fields] : groups)
            db.query("INSERT INTO trans_groups(anesthesia, position, group_code, fields) VALUES(?, ?, ?, ?)",
                     {std::to_string(anesthesia), std::to_string(++position), code, fields});
    });
    return Answer::text("1");
}

Answer transSettings(Database& db, const Owner& owner, int anesthesia)
{
    const std::string mode = std::to_string(anesthesia);
    std::vector<std::string> fieldRecords;
    db.query("SELECT f.code, f.caption, COALESCE(r.allowed, 0) FROM trans_fields f "
             "LEFT JOIN trans_field_rights r ON r.field = f.code AND r.anesthesia = f.anesthesia "
             "AND r.owner_kind = ? AND r.owner = ? WHERE f.anesthesia = ? ORDER BY f.position",
             {owner.kindLetter(), owner.code, mode}, [&](const std::vector<std::string>& row) {
                 fieldRecords.push_back(row[0] + "\t" + row[1] + "\t" + row[2]);
             });
    const auto captions = fieldCaptions(db, anesthesia);
    std::vector<std::string> groupRecords;
    db.query("SELECT g.group_code, g.fields, COALESCE(l.days, ''), COALESCE(l.end_of_month, 0) FROM trans_groups g "
             "LEFT JOIN trans_group_limits l ON l.group_code = g.group_code AND l.anesthesia = g.anesthesia "
             "AND l.owner_kind = ? AND l.owner = ? WHERE g.anesthesia = ? ORDER BY g.position LIMIT 5",
             {owner.kindLetter(), owner.code, mode}, [&](const std::vector<std::string>& row) {
                 std::vector<std::string> names;
                 for (const auto& field : split(row[1], '\t')) {
                     const auto caption = captions.find(field);
                     names.push_back(caption == captions.end() ? std::string() : caption->second);
                 }
                 names.resize(4);
                 groupRecords.push_back(row[0] + "\t" + join(names, "\t") + "\t" + row[2] + "\t" + row[3]);
             });
    const std::string separator(1, recordSeparator);
    return Answer::text(join(fieldRecords, separator) + separator + separator + join(groupRecords, separator));
}

Answer saveTransSettings(Database& db, const Request& request)
{
    const std::string title = "Modify Transaction";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    const auto owner = findOwner(db, request.arg(0), request.arg(1));
    const auto anesthesia = anesthesiaFlag(request.arg(2));
    if (!owner || !anesthesia)
        return refused(title, "No operator or group " + request.arg(0) + " " + request.arg(1) + ".");
    if (viewOnly(*owner))
        return refused(title, "Settings for VQ are read only.");
    const std::string data = payload(request, 3);
    const std::string partBreak(2, recordSeparator);
    const std::size_t split_at = data.find(partBreak);
    if (split_at == std::string::npos)
        return refused(title, "The settings are not in their form:nothing was saved.");
    const std::string mode = std::to_string(*anesthesia);
    const auto captions = fieldCaptions(db, *anesthesia);
    db.transaction([&] {
        for (const auto& record : records(data.substr(0, split_at))) {
            const auto fields = split(record, '\t');
            if (fields.size() != 3 || !isFlag(fields[2]) || !captions.count(fields[0]))
                throw std::runtime_error("a field record is not in its form: " + record);
            db.query("INSERT INTO trans_field_rights(owner_kind, owner, anesthesia, field, allowed) "
                     "VALUES(?, ?, ?, ?, ?) ON CONFLICT(owner_kind, owner, anesthesia, field) "
                     "DO UPDATE SET allowed = excluded.allowed",
                     {owner->kindLetter(), owner->code, mode, fields[0], fields[2]});
        }
        for (const auto& record : split(data.substr(split_at + partBreak.size()), recordSeparator)) {
            const auto fields = split(record, '\t');
            // Rows the page had no group for come with an empty code.
            if (fields.empty() || fields[0].empty())
                continue;
            if (fields.size() != 7 || !isFlag(fields[6]))
                throw std::runtime_error("a group record is not in its form: " + record);
            if (db.scalar("SELECT COUNT(*) FROM trans_groups WHERE anesthesia = ? AND group_code = ?",
                          {mode, fields[0]}, "0")
                == "0")
                throw std::runtime_error("no transaction group " + fields[0]);
            const std::string& days = fields[5];
            if (days.size() > 3 || !std::all_of(days.begin(), days.end(), [](char c) { return c >= '0' && c <= '9'; }))
                throw std::runtime_error("days must be a number of at most three digits: " + days);
            db.query("INSERT INTO trans_group_limits(owner_kind, owner, anesthesia, group_code, days, end_of_month) "
                     "VALUES(?, ?, ?, ?, ?, ?) ON CONFLICT(owner_kind, owner, anesthesia, group_code) "
                     "DO UPDATE SET days = excluded.days, end_of_month = excluded.end_of_month",
                     {owner->kindLetter(), owner->code, mode, fields[0], days, fields[6]});
        }
    });
    return Answer::text("1");
}

Answer programCatalogue(Database& db)
{
    std::vector<std::string> entries;
    const auto list = programList(db);
    for (const auto& module : list) {
        if (module.kind != "M")
            continue;
        entries.push_back("M\t" + module.code + "\t" + module.description);
        for (const auto& program : list) {
            if (program.kind == module.code)
                entries.push_back(program.kind + "\t" + program.code + "\t" + program.description);
        }
    }
    return Answer::text(join(entries, std::string(1, recordSeparator)) + recordSeparator);
}

// "code:description:type:R:A:M:D:mode[:groups]"
Answer addProgram(Database& db, const Request& request)
{
    const std::string title = "Security Programs";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    const auto fields = split(request.rest, ':');
    if (fields.size() < 8 || fields.size() > 9)
        return refused(title, "The new program is not in its form:nothing was saved.");
    const std::string& code = fields[0];
    const std::string& type = fields[2];
    const std::string& mode = fields[7];
    if (code.empty() || fields[1].empty())
        return refused(title, "A security program needs a code and a description.");
    if (db.scalar("SELECT COUNT(*) FROM security_programs WHERE upper(code) = upper(?)", {code}, "0") != "0")
        return refused(title, "Program " + code + " already exists.");
    if (db.scalar("SELECT COUNT(*) FROM code_table_rows WHERE table_name = 'ST' AND code = ?", {type}, "0") == "0")
        return refused(title, "Type " + type + " is not a valid security program type.");
    if (!std::all_of(fields.begin() + 3, fields.begin() + 7, isFlag) || (mode != "A" && mode != "S" && mode != "N")
        || (mode == "S") != (fields.size() == 9))
        return refused(title, "The new program is not in its form:nothing was saved.");
    std::set<std::string> chosen;
    if (mode == "S") {
        for (const auto& number : split(fields[8], ',')) {
            if (db.scalar("SELECT COUNT(*) FROM security_group_numbers WHERE CAST(number AS TEXT) = ?", {number}, "0")
                == "0")
                return refused(title, "There is no security group " + number + ".");
            chosen.insert(number);
        }
    }
    db.transaction([&] {
        // A program hangs under the module of its type; the module is added the first time one needs it.
        if (db.scalar("SELECT COUNT(*) FROM security_programs WHERE code = ? AND kind = 'M'", {type}, "0") == "0")
            db.query("INSERT INTO security_programs(code, kind, description, position) "
                     "SELECT ?, 'M', substr(fields, instr(fields, char(9)) + 1), "
                     "(SELECT COALESCE(MAX(position), 0) + 1000 FROM security_programs) "
                     "FROM code_table_rows WHERE table_name = 'ST' AND code = ?",
                     {type, type});
        // After the module's last program; what follows moves down to make room.
        const std::string last
            = db.scalar("SELECT MAX(position) FROM security_programs WHERE code = ? OR kind = ?", {type, type}, "0");
        db.query("UPDATE security_programs SET position = position + 10 WHERE position > ?", {last});
        db.query("INSERT INTO security_programs(code, kind, description, position) VALUES(?, ?, ?, ? + 1)",
                 {code, type, fields[1], last});
        db.query("SELECT CAST(number AS TEXT), group_code FROM security_group_numbers", {},
                 [&](const std::vector<std::string>& row) {
                     const bool applies = mode == "A" || chosen.count(row[0]);
                     const Flags flags
                         = applies ? Flags {fields[3], fields[4], fields[5], fields[6]} : Flags {"0", "0", "0", "0"};
                     writeRights(db, Owner {true, row[0], row[1]}, code, flags);
                 });
        db.query("INSERT INTO operator_rights SELECT o.code, r.program, r.may_add, r.may_delete, r.may_change, "
                 "r.may_open FROM operators o JOIN group_rights r ON r.group_code = o.group_code WHERE r.program = ?",
                 {code});
    });
    return Answer::text("1");
}

std::optional<Owner> copyParty(Database& db, const std::string& text)
{
    if (text.size() < 3 || text[1] != '-')
        return std::nullopt;
    return findOwner(db, text.substr(0, 1), text.substr(2));
}

// "from|to|entity flag|programs"
Answer copySettings(Database& db, const Request& request)
{
    const std::string title = "Copy Security Settings";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    const auto from = copyParty(db, request.arg(0));
    const auto to = copyParty(db, request.arg(1));
    if (!from || !to || !isFlag(request.arg(2)))
        return refused(title, "The copy request does not name an operator or group to copy from and to.");
    if (!from->group && to->group)
        return refused(title, "Settings of an operator cannot be copied to a group.");
    if (from->group == to->group && from->code == to->code)
        return refused(title, "Settings cannot be copied onto themselves.");
    if (viewOnly(*to))
        return refused(title, "Settings for VQ are read only.");
    std::vector<std::string> programs;
    for (const auto& code : split(payload(request, 3), ',')) {
        // Module headings come with their programs; anything else unknown is passed over.
        if (isProgram(db, code))
            programs.push_back(code);
    }
    const bool entity = request.arg(2) == "1" && !from->group && !to->group;
    if (programs.empty() && !entity)
        return refused(title, "There is nothing to copy.");
    db.transaction([&] {
        const auto source = readRights(db, *from);
        for (const auto& program : programs) {
            const auto found = source.find(program);
            writeRights(db, *to, program, found == source.end() ? Flags {"0", "0", "0", "0"} : found->second);
        }
        if (entity) {
            db.query("DELETE FROM entity_access WHERE operator = ?", {to->code});
            db.query("INSERT INTO entity_access(operator, entity, allowed) "
                     "SELECT ?, entity, allowed FROM entity_access WHERE operator = ?",
                     {to->code, from->code});
        }
    });
    return Answer::text("1");
}

// "A", or "S|" and group numbers separated by ":": every operator of those groups gets the group's rights.
Answer distributeSettings(Database& db, const Request& request)
{
    const std::string title = "Distribute Security Settings";
    if (!maySaveSecurity(db, request.operatorCode))
        return refused(title, "You may not change security settings.");
    std::vector<std::string> numbers;
    if (request.arg(0) == "A") {
        db.query("SELECT CAST(number AS TEXT) FROM security_group_numbers", {},
                 [&](const std::vector<std::string>& row) { numbers.push_back(row[0]); });
    } else if (request.arg(0) == "S") {
        for (const auto& number : split(request.arg(1), ':')) {
            if (!number.empty())
                numbers.push_back(number);
        }
    }
    if (numbers.empty())
        return refused(title, "No security group was chosen:nothing was distributed.");
    std::vector<std::string> groupCodes;
    for (const auto& number : numbers) {
        const auto owner = findOwner(db, "G", number);
        if (!owner)
            return refused(title, "There is no security group " + number + ".");
        groupCodes.push_back(owner->groupCode);
    }
    db.transaction([&] {
        for (const auto& group : groupCodes) {
            db.query("DELETE FROM operator_rights WHERE operator IN "
                     "(SELECT code FROM operators WHERE group_code = ? AND code <> 'VQ')",
                     {group});
            db.query("INSERT INTO operator_rights SELECT o.code, r.program, r.may_add, r.may_delete, r.may_change, "
                     "r.may_open FROM operators o JOIN group_rights r ON r.group_code = o.group_code "
                     "WHERE o.group_code = ? AND o.code <> 'VQ'",
                     {group});
        }
    });
    return Answer::text("1");
}

} // namespace

void registerSecurityRequests(PracticeServer& server)
{
    Database& db = server.database();
    createSecuritySchemaAndSeed(db);

    server.addHandler("GET", "SECL", [&db](const Request& request) {
        const auto owner = findOwner(db, request.arg(0), request.arg(1));
        if (!owner)
            return Answer::failure("Error: no operator or group " + request.arg(0) + " " + request.arg(1));
        return moduleAccess(db, *owner);
    });
    server.addHandler("SET", "SECL", [&db](const Request& request) { return saveModuleAccess(db, request); });

    server.addHandler("GET", "OPENT", [&db](const Request& request) { return entityAccess(db, request.arg(0)); });
    server.addHandler("SET", "OPENT", [&db](const Request& request) { return saveEntityAccess(db, request); });

    server.addHandler("GET", "MODG", [&db](const Request& request) {
        const auto anesthesia = anesthesiaFlag(request.arg(0));
        if (!anesthesia)
            return Answer::failure("Error: MODG needs 0 or 1");
        return transGroups(db, *anesthesia);
    });
    server.addHandler("SET", "MODG", [&db](const Request& request) {
        const auto anesthesia = anesthesiaFlag(request.arg(0));
        if (!anesthesia)
            return refused("Transaction Groups", "MODG needs 0 or 1.");
        return saveTransGroups(db, request, *anesthesia);
    });

    server.addHandler("GET", "MODS", [&db](const Request& request) {
        const auto owner = findOwner(db, request.arg(0), request.arg(1));
        const auto anesthesia = anesthesiaFlag(request.arg(2));
        if (!owner || !anesthesia)
            return Answer::failure("Error: no operator or group " + request.arg(0) + " " + request.arg(1));
        return transSettings(db, *owner, *anesthesia);
    });
    server.addHandler("SET", "MODS", [&db](const Request& request) { return saveTransSettings(db, request); });

    server.addHandler("GET", "SECT", [&db](const Request&) { return programCatalogue(db); });
    server.addHandler("SET", "SECP", [&db](const Request& request) { return addProgram(db, request); });
    server.addHandler("SET", "SECC", [&db](const Request& request) { return copySettings(db, request); });
    server.addHandler("SET", "SECGD", [&db](const Request& request) { return distributeSettings(db, request); });
}

} // namespace corvane::reference
