#include "Database.h"

namespace corvane::reference {

Database::Database(const std::string& path)
{
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(m_db, 2000);
    exec("PRAGMA foreign_keys = ON");
}

Database::~Database()
{
    sqlite3_close(m_db);
}

void Database::exec(const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}

void Database::query(const std::string& sql, const std::vector<std::string>& params,
                     const std::function<void(const std::vector<std::string>&)>& row)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(m_db));
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(statement, static_cast<int>(i + 1), params[i].data(), static_cast<int>(params[i].size()),
                          SQLITE_TRANSIENT);
    int status;
    std::vector<std::string> columns;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        const int count = sqlite3_column_count(statement);
        columns.assign(static_cast<std::size_t>(count), std::string());
        for (int c = 0; c < count; ++c) {
            const auto* text = sqlite3_column_text(statement, c);
            const int size = sqlite3_column_bytes(statement, c);
            if (text)
                columns[static_cast<std::size_t>(c)].assign(reinterpret_cast<const char*>(text),
                                                            static_cast<std::size_t>(size));
        }
        if (row)
            row(columns);
    }
    const bool failed = status != SQLITE_DONE;
    const std::string message = failed ? sqlite3_errmsg(m_db) : "";
    sqlite3_finalize(statement);
    if (failed)
        throw DatabaseError(message);
}

std::string Database::scalar(const std::string& sql, const std::vector<std::string>& params,
                             const std::string& fallback)
{
    std::string value = fallback;
    bool first = true;
    query(sql, params, [&](const std::vector<std::string>& columns) {
        if (first && !columns.empty())
            value = columns.front();
        first = false;
    });
    return value;
}

void Database::transaction(const std::function<void()>& body)
{
    exec("BEGIN IMMEDIATE");
    try {
        body();
        exec("COMMIT");
    } catch (...) {
        exec("ROLLBACK");
        throw;
    }
}

} // namespace corvane::reference
