#pragma once

namespace corvanta {

namespace platform {
class Database;
}

// Checks that the database has every table, view and column of the program's schema
// (data/schema.sql, listed at build time). Otherwise throws a platform::DatabaseError
// (Incomplete) naming the file and everything it lacks.
void Verifier_Structure_Base(platform::Database& base);

}  // namespace corvanta
