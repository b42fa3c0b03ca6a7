#pragma once

namespace corvane::reference {

class Database;

/// Creates the tables when they are missing and seeds a small practice on first use.
void createSchemaAndSeed(Database& db);

} // namespace corvane::reference
