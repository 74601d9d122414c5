#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace corvanta {

namespace platform {
class Database;
}

// The indexes of the current schema (data/schema.sql) that a file made by an earlier
// build lacks, or holds under the same name with another definition.
struct Index_Base {
    QString nom;
    QString creation;  // the statement that makes it
};
std::vector<Index_Base> Index_A_Completer(platform::Database& base);

// Makes those indexes in one transaction that holds the whole file, taken without waiting:
// when another copy of the program (or any tool) is reading or writing the file, nothing
// is done and false is returned, so that the start goes on without them and the next one
// tries again. `pendant` is called every few thousand engine steps while they are made
// (indexing a million patients takes seconds). Throws corvanta::Error for any other
// failure, the file then left as it was.
bool Completer_Index(platform::Database& base, const std::function<void()>& pendant);

// Whether the file holds the name-order index as the program reads it.
bool Index_Ordre_Noms_Present(platform::Database& base);

}  // namespace corvanta
