#pragma once

#include "CorvaneCodeTables.h"
#include "Quillon.h"

#include <map>
#include <memory>

namespace corvane::reference {

/// A code table fetched from the server: rows of {code, tab-separated fields}.
class ReferenceCodeTable final : public CodeTable {
public:
    explicit ReferenceCodeTable(std::vector<std::vector<std::string>> rows);
    bool GetRows(const std::string& contextKey, std::vector<std::vector<std::string>>& rows) override;
    const std::vector<std::vector<std::string>>& rows() const { return m_rows; }

private:
    std::vector<std::vector<std::string>> m_rows;
};

/// The code-tables component: fetches tables with "|GET|CODETABLE|name|" and keeps them until prepared again.
class ReferenceCodeTables final : public CorvaneCodeTables {
public:
    explicit ReferenceCodeTables(std::shared_ptr<Quillon> link);

    bool PrepareTable(const std::string& tableName) override;
    std::shared_ptr<CodeTable> GetTable(const std::string& tableName, long passThrough) override;
    /// The table, prepared on first use; null when the server has no such table.
    std::shared_ptr<ReferenceCodeTable> table(const std::string& tableName);

private:
    std::shared_ptr<Quillon> m_link;
    std::map<std::string, std::shared_ptr<ReferenceCodeTable>> m_tables;
};

} // namespace corvane::reference
