#pragma once

namespace corvane::reference {

class Database;

/// The security tables: group numbers, the program catalogue with its modules and locks, rights per operator,
/// entity access, modify-transaction fields, transaction groups and their limits. Seeds them once.
void createSecuritySchemaAndSeed(Database& db);

} // namespace corvane::reference
