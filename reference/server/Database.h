#pragma once

#include <functional>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::reference {

/// A thin owner of one SQLite connection with prepared-statement helpers.
class Database {
public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql);
    /// Runs sql with text parameters bound in order; calls row for each result row (columns as text).
    void query(const std::string& sql, const std::vector<std::string>& params,
               const std::function<void(const std::vector<std::string>&)>& row = {});
    /// The first column of the first row, or fallback.
    std::string scalar(const std::string& sql, const std::vector<std::string>& params, const std::string& fallback);
    void transaction(const std::function<void()>& body);

private:
    sqlite3* m_db = nullptr;
};

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace corvane::reference
