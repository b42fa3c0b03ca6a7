#include "AccessExport.h"

#include "EntityAccess.h"
#include "ModuleAccess.h"

namespace corvane {

namespace {

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void addLine(std::string& out, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            out += ',';
        out += AccessExport::csvField(field);
        first = false;
    }
    out += "\r\n";
}

} // namespace

std::string AccessExport::csvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string AccessExport::moduleAccessCsv(const ModuleAccess& page, std::string_view owner)
{
    std::string out;
    addLine(out, {"Access list", owner});
    addLine(out, {"Module", "Program", "Description", "Access", "Add", "Modify", "Delete"});
    for (int r = 1; r <= page.rowCount(); ++r) {
        const AccessRow& row = page.row(r);
        const std::string module = trimmed(row.module);
        const std::string description = trimmed(row.description);
        if (row.isHeader()) {
            addLine(out, {module, "", description});
            continue;
        }
        const auto flag = [&](int col) -> std::string_view {
            return page.access(r, col).on ? "Yes" : "No";
        };
        addLine(out, {module, row.program, description, flag(3), flag(4), flag(5), flag(6)});
    }
    return out;
}

std::string AccessExport::entityAccessCsv(const EntityAccess& page, std::string_view owner)
{
    std::string out;
    addLine(out, {"Entity access", owner});
    addLine(out, {"Entity", "Description", "Allowed"});
    for (const EntityEntry& entry : page.entries())
        addLine(out, {entry.code, entry.description, entry.allowed ? "Yes" : "No"});
    return out;
}

} // namespace corvane
