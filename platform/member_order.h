#pragma once

#include <cstddef>
#include <vector>

#include "platform/member_table.h"

namespace corvanta::platform {

// Compares two cells as the engine orders values under the FRENCH collation: Null first,
// then numbers by value (an integer and a real exactly), then texts in the FRENCH order,
// then blobs by their bytes. 0 only for values the engine holds equal.
int compareCells(const MemberTable::Cell& a, const MemberTable::Cell& b);

// The order the engine's sort on the first `fields` fields of `table` gives, as places in
// `table`, for rows given partly in that order already: the rows not `apart` are taken as
// they stand; the `apart` ones are sorted here and placed among them. Rows equal on the
// fields keep their order in `table`, as the engine's stable sort keeps the order it
// reads them in; an apart row equal to rows not apart comes after them.
// Each distinct value is compared once: the rows are then placed by its rank.
std::vector<std::size_t> orderMembers(const MemberTable& table, const std::vector<bool>& apart,
                                      int fields);

}  // namespace corvanta::platform
