#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

struct sqlite3;

namespace corvanta::platform {

// Registers on a connection what the program's own queries rely on. The schema needs
// none of it; files from earlier makers still declare FRENCH on the `Patients` names,
// and this registration keeps them readable and writable.
//
// - Collation FRENCH: the name order. Letters compare with case and accents folded
//   ("Élise" sorts with "Elise", "dupont" with "DUPONT"; "œ" reads "oe", "ß" "ss");
//   texts equal after folding are ordered by their bytes, so equality stays exact.
// - WILDCARD_MATCH(value, pattern): 1 when the whole value matches the search pattern,
//   0 when not, Null when either is Null. In the pattern `*` stands for any run of
//   characters, `?` for one character, `#` for one digit, `[abc]` and `[a-z]` for one
//   character of the list, `[!abc]` for one character outside it; `[*]`, `[?]`, `[#]`
//   and `[[]` are the characters themselves. Letters match without regard to case
//   (accents count). An unclosed bracket or a reversed range is an error.
// - CDATE(text): a day-first date "dd/mm/yyyy" or "dd/mm/yy" (one-digit day and month,
//   and "-" or "." as separators, accepted too) as the integer yyyymmdd, so that dates
//   compare in order; a two-digit year 00..29 is 2000..2029, 30..99 is 1930..1999.
//   Anything that is not a real calendar date gives Null, which matches no comparison.
// - UTF8_FAULT(value, ...): the place (from 1) of the first argument that is a text whose
//   bytes are not well-formed UTF-8 (isWellFormedUtf8), else 0; other values are passed over.
void registerSqlFunctions(sqlite3* db);

// The same rules for C++ callers and tests.
int compareFrench(std::string_view a, std::string_view b);
// What FRENCH compares of a text before its bytes: its characters folded, one after the
// other ("Éœ" gives "eoe").
QString frenchFolded(const QString& text);
// Throws corvanta::Error (number 93, "Invalid pattern string") for a malformed pattern.
bool wildcardMatch(const QString& value, const QString& pattern);
std::optional<std::int32_t> dateValue(const QString& text);

}  // namespace corvanta::platform
