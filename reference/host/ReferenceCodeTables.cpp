#include "ReferenceCodeTables.h"

#include "ReplyFraming.h"

namespace corvane::reference {

ReferenceCodeTable::ReferenceCodeTable(std::vector<std::vector<std::string>> rows)
    : m_rows(std::move(rows))
{
}

bool ReferenceCodeTable::GetRows(const std::string&, std::vector<std::vector<std::string>>& rows)
{
    rows = m_rows;
    return true;
}

ReferenceCodeTables::ReferenceCodeTables(std::shared_ptr<Quillon> link)
    : m_link(std::move(link))
{
}

bool ReferenceCodeTables::PrepareTable(const std::string& tableName)
{
    std::vector<std::string> lines;
    std::string error;
    bool success = false;
    m_link->DirectComm("|GET|CODETABLE|" + tableName + "|", lines, {}, error, success);
    if (!success || lines.empty() || ReplyFraming::isErrorLine(lines.front())) {
        m_tables.erase(tableName);
        return false;
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& line : lines) {
        if (line == "|OK||" || line == "|END|")
            continue;
        rows.push_back({line.substr(0, line.find('\t')), line});
    }
    m_tables[tableName] = std::make_shared<ReferenceCodeTable>(std::move(rows));
    return true;
}

std::shared_ptr<CodeTable> ReferenceCodeTables::GetTable(const std::string& tableName, long)
{
    const auto found = m_tables.find(tableName);
    return found == m_tables.end() ? nullptr : found->second;
}

std::shared_ptr<ReferenceCodeTable> ReferenceCodeTables::table(const std::string& tableName)
{
    if (!m_tables.count(tableName) && !PrepareTable(tableName))
        return nullptr;
    return m_tables[tableName];
}

} // namespace corvane::reference
