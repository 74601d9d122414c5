#include "platform/member_order.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <numeric>
#include <unordered_map>

#include "platform/sql_functions.h"

namespace corvanta::platform {
namespace {

using Cell = MemberTable::Cell;

int storageClass(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null:
            return 0;
        case Value::Kind::Integer:
        case Value::Kind::Real:
            return 1;
        case Value::Kind::Text:
            return 2;
        case Value::Kind::Blob:
            break;
    }
    return 3;
}

template <typename T>
int order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// An integer against a real, exactly (as the engine does, beyond 2^53 too).
int compareIntegerReal(std::int64_t i, double r) {
    if (r < -9223372036854775808.0)
        return 1;
    if (r >= 9223372036854775808.0)
        return -1;
    const auto whole = static_cast<std::int64_t>(r);
    if (i != whole)
        return order(i, whole);
    return order(static_cast<double>(i), r);
}

int compareNumbers(const Cell& a, const Cell& b) {
    const bool realA = a.kind == Value::Kind::Real, realB = b.kind == Value::Kind::Real;
    if (!realA && !realB)
        return order(a.integer, b.integer);
    if (realA && realB)
        return order(a.real, b.real);
    return realA ? -compareIntegerReal(b.integer, a.real) : compareIntegerReal(a.integer, b.real);
}

int compareRows(const MemberTable& table, std::size_t a, std::size_t b, int fields) {
    for (int f = 0; f < fields; ++f) {
        if (const int c = compareCells(table.cell(a, f), table.cell(b, f)))
            return c;
    }
    return 0;
}

// What tells stored values apart: the same identity is the same value.
struct Identity {
    Value::Kind kind;
    std::uint64_t number;
    std::string_view bytes;
    bool operator==(const Identity&) const = default;
};

struct IdentityHash {
    std::size_t operator()(const Identity& id) const {
        return std::hash<std::string_view>()(id.bytes) ^ std::hash<std::uint64_t>()(id.number) ^
               static_cast<std::size_t>(id.kind);
    }
};

Identity identity(const Cell& c) {
    switch (c.kind) {
        case Value::Kind::Integer:
            return {c.kind, static_cast<std::uint64_t>(c.integer), {}};
        case Value::Kind::Real:
            return {c.kind, std::bit_cast<std::uint64_t>(c.real), {}};
        default:
            return {c.kind, 0, c.bytes};
    }
}

// The rank of each of `rows` on `field`: equal values share it, and ranks follow the
// engine's order. Each distinct value is compared with others once, in a sort of them.
std::vector<std::uint32_t> ranks(const MemberTable& table, const std::vector<std::size_t>& rows,
                                 int field, std::size_t& distinct) {
    std::unordered_map<Identity, std::uint32_t, IdentityHash> ids;
    std::vector<std::size_t> first;  // a row of each distinct value
    std::vector<std::uint32_t> id(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [found, added] = ids.try_emplace(identity(table.cell(rows[i], field)),
                                                    static_cast<std::uint32_t>(first.size()));
        if (added)
            first.push_back(rows[i]);
        id[i] = found->second;
    }
    std::vector<std::uint32_t> sorted(first.size());
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
        return compareCells(table.cell(first[a], field), table.cell(first[b], field)) < 0;
    });
    std::vector<std::uint32_t> rankOf(first.size());
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const bool same = k > 0 && compareCells(table.cell(first[sorted[k - 1]], field),
                                                table.cell(first[sorted[k]], field)) == 0;
        rankOf[sorted[k]] = same ? rankOf[sorted[k - 1]] : static_cast<std::uint32_t>(k);
    }
    for (std::uint32_t& r : id)
        r = rankOf[r];
    distinct = first.size();
    return id;
}

// `rows` sorted stably on the first `fields` fields: a counting pass a field, the last first.
std::vector<std::size_t> sortedHere(const MemberTable& table, std::vector<std::size_t> rows,
                                    int fields) {
    std::vector<std::size_t> places(rows.size());
    std::iota(places.begin(), places.end(), std::size_t{0});
    for (int f = fields - 1; f >= 0; --f) {
        std::size_t distinct = 0;
        const std::vector<std::uint32_t> rank = ranks(table, rows, f, distinct);
        std::vector<std::size_t> start(distinct + 1, 0);
        for (const std::size_t p : places)
            ++start[rank[p] + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        std::vector<std::size_t> next(places.size());
        for (const std::size_t p : places)
            next[start[rank[p]]++] = p;
        places = std::move(next);
    }
    std::vector<std::size_t> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t p : places)
        sorted.push_back(rows[p]);
    return sorted;
}

}  // namespace

int compareCells(const Cell& a, const Cell& b) {
    const int classA = storageClass(a.kind), classB = storageClass(b.kind);
    if (classA != classB)
        return order(classA, classB);
    switch (classA) {
        case 1:
            return compareNumbers(a, b);
        case 2:
            return compareFrench(a.bytes, b.bytes);
        case 3: {
            const std::size_t common = std::min(a.bytes.size(), b.bytes.size());
            const int c = common == 0 ? 0 : std::memcmp(a.bytes.data(), b.bytes.data(), common);
            return c != 0 ? order(c, 0) : order(a.bytes.size(), b.bytes.size());
        }
        default:
            return 0;
    }
}

std::vector<std::size_t> orderMembers(const MemberTable& table, const std::vector<bool>& apart,
                                      int fields) {
    std::vector<std::size_t> inOrder, others;
    for (std::size_t row = 0; row < table.size(); ++row)
        (apart[row] ? others : inOrder).push_back(row);
    if (others.empty())
        return inOrder;
    others = sortedHere(table, std::move(others), fields);
    std::vector<std::size_t> merged;
    merged.reserve(table.size());
    auto from = inOrder.begin();
    for (const std::size_t row : others) {
        const auto after = std::upper_bound(
            from, inOrder.end(), row,
            [&](std::size_t a, std::size_t b) { return compareRows(table, a, b, fields) < 0; });
        merged.insert(merged.end(), from, after);
        merged.push_back(row);
        from = after;
    }
    merged.insert(merged.end(), from, inOrder.end());
    return merged;
}

}  // namespace corvanta::platform
