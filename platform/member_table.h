#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/value.h"

namespace corvanta::platform {

class Statement;

// Rows of a few fields with their keys, packed as the engine gives them: one cell a field,
// texts and blobs as their stored bytes in one buffer. A million members take one
// allocation a column kind, not one a value.
class MemberTable {
  public:
    using Key = std::int64_t;

    // A cell as stored: texts as their UTF-8 bytes (never decoded, so nothing is lost from
    // bytes that are not UTF-8), blobs as theirs. Valid while the table lives.
    struct Cell {
        Value::Kind kind = Value::Kind::Null;
        std::int64_t integer = 0;
        double real = 0;
        std::string_view bytes;
    };

    explicit MemberTable(int width = 0) : width_(width) {}

    int width() const { return width_; }
    std::size_t size() const { return keys_.size(); }
    Key key(std::size_t row) const { return keys_[row]; }
    const std::vector<Key>& keys() const { return keys_; }
    Cell cell(std::size_t row, int field) const;
    // The cell as a Value (a text decoded as QString::fromUtf8 decodes it).
    Value value(std::size_t row, int field) const;

    void reserve(std::size_t rows);
    // Appends a row: `key`, then the current row's values of `columns` of `statement`.
    void append(Key key, const Statement& statement, const std::vector<int>& columns);
    // Keeps the rows at `rows` (places in this table), in that order.
    void reorder(const std::vector<std::size_t>& rows);
    // The fields of `fields` (places in this table), in that order, of every row.
    MemberTable projected(const std::vector<int>& fields) const;

  private:
    struct Packed {
        Value::Kind kind;
        std::uint32_t size;  // bytes of a text or blob
        std::uint64_t data;  // the integer, the real's bits, or the bytes' offset
    };
    const Packed& packed(std::size_t row, int field) const {
        return cells_[row * static_cast<std::size_t>(width_) + static_cast<std::size_t>(field)];
    }

    int width_;
    std::vector<Key> keys_;
    std::vector<Packed> cells_;
    std::string bytes_;
};

}  // namespace corvanta::platform
