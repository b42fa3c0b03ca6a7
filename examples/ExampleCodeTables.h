#pragma once

#include <CorvaneDialogsMgr.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

/// Code tables held in memory: one row per code, column 1 the code's fields separated by tabs.
class ExampleCodeTable final : public corvane::CodeTable {
public:
    explicit ExampleCodeTable(std::vector<std::string> codes)
        : m_codes(std::move(codes))
    {
    }

    bool GetRows(const std::string&, std::vector<std::vector<std::string>>& rows) override
    {
        rows.clear();
        for (const auto& code : m_codes)
            rows.push_back({std::string(), code});
        return true;
    }

private:
    std::vector<std::string> m_codes;
};

class ExampleCodeTables final : public corvane::CorvaneCodeTables {
public:
    ExampleCodeTables()
    {
        m_tables["PRM"] = std::make_shared<ExampleCodeTable>(std::vector<std::string> {"E1\tN\tNorthside Clinic"});
    }

    bool PrepareTable(const std::string& tableName) override { return m_tables.count(tableName) > 0; }

    std::shared_ptr<corvane::CodeTable> GetTable(const std::string& tableName, long) override
    {
        const auto found = m_tables.find(tableName);
        return found == m_tables.end() ? nullptr : found->second;
    }

private:
    std::map<std::string, std::shared_ptr<corvane::CodeTable>> m_tables;
};
