#pragma once

#include <memory>
#include <string>
#include <vector>

namespace corvane {

/// One code table: a row per code, column 1 holding the code's fields separated by tabs.
class CodeTable {
public:
    virtual ~CodeTable() = default;

    /// Fills rows (each a list of columns); false when the rows could not be fetched.
    virtual bool GetRows(const std::string& contextKey, std::vector<std::vector<std::string>>& rows) = 0;
};

/// The host's code-tables component.
class CorvaneCodeTables {
public:
    virtual ~CorvaneCodeTables() = default;

    /// Loads the named table and makes it current; false when it could not be loaded.
    virtual bool PrepareTable(const std::string& tableName) = 0;
    /// The code-table object of that name, or null when no table has that name.
    virtual std::shared_ptr<CodeTable> GetTable(const std::string& tableName, long passThrough) = 0;
};

} // namespace corvane
