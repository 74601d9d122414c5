#pragma once

namespace corvanta {

namespace platform {
class Database;
}

// Creates the indexes of the current schema that a file made by an earlier build lacks,
// when that is quick: only on small tables, and never waiting for a file another copy of
// the program is writing (it is then left as it is; the program works without them, only
// slower on a large file, which the database maker writes afresh).
void Completer_Index(platform::Database& base);

}  // namespace corvanta
