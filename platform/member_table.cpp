#include "platform/member_table.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QString>
#include <bit>

#include "platform/sqlite_statement.h"

namespace corvanta::platform {

MemberTable::Cell MemberTable::cell(std::size_t row, int field) const {
    const Packed& p = packed(row, field);
    Cell c;
    c.kind = p.kind;
    switch (p.kind) {
        case Value::Kind::Integer:
            c.integer = static_cast<std::int64_t>(p.data);
            break;
        case Value::Kind::Real:
            c.real = std::bit_cast<double>(p.data);
            break;
        case Value::Kind::Text:
        case Value::Kind::Blob:
            c.bytes = std::string_view(bytes_).substr(p.data, p.size);
            break;
        case Value::Kind::Null:
            break;
    }
    return c;
}

Value MemberTable::value(std::size_t row, int field) const {
    const Cell c = cell(row, field);
    switch (c.kind) {
        case Value::Kind::Integer:
            return c.integer;
        case Value::Kind::Real:
            return c.real;
        case Value::Kind::Text:
            return QString::fromUtf8(c.bytes.data(), static_cast<qsizetype>(c.bytes.size()));
        case Value::Kind::Blob:
            return QByteArray(c.bytes.data(), static_cast<qsizetype>(c.bytes.size()));
        case Value::Kind::Null:
            break;
    }
    return {};
}

void MemberTable::reserve(std::size_t rows) {
    keys_.reserve(rows);
    cells_.reserve(rows * static_cast<std::size_t>(width_));
}

void MemberTable::append(Key key, const Statement& statement, const std::vector<int>& columns) {
    sqlite3_stmt* st = statement.handle();
    keys_.push_back(key);
    for (const int column : columns) {
        // One call into the statement a value: each call takes the connection's lock.
        sqlite3_value* value = sqlite3_column_value(st, column);
        Packed p{Value::Kind::Null, 0, 0};
        switch (sqlite3_value_type(value)) {
            case SQLITE_INTEGER:
                p.kind = Value::Kind::Integer;
                p.data = static_cast<std::uint64_t>(sqlite3_value_int64(value));
                break;
            case SQLITE_FLOAT:
                p.kind = Value::Kind::Real;
                p.data = std::bit_cast<std::uint64_t>(sqlite3_value_double(value));
                break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const bool text = sqlite3_value_type(value) == SQLITE_TEXT;
                const char* data = text ? reinterpret_cast<const char*>(sqlite3_value_text(value))
                                        : static_cast<const char*>(sqlite3_value_blob(value));
                p.kind = text ? Value::Kind::Text : Value::Kind::Blob;
                p.size = static_cast<std::uint32_t>(sqlite3_value_bytes(value));
                p.data = bytes_.size();
                if (p.size != 0)
                    bytes_.append(data, p.size);
                break;
            }
            default:
                break;
        }
        cells_.push_back(p);
    }
}

void MemberTable::reorder(const std::vector<std::size_t>& rows) {
    const auto width = static_cast<std::size_t>(width_);
    std::vector<Key> keys;
    std::vector<Packed> cells;
    keys.reserve(rows.size());
    cells.reserve(rows.size() * width);
    for (const std::size_t row : rows) {
        keys.push_back(keys_[row]);
        const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row * width);
        cells.insert(cells.end(), first, first + static_cast<std::ptrdiff_t>(width));
    }
    keys_ = std::move(keys);
    cells_ = std::move(cells);
}

MemberTable MemberTable::projected(const std::vector<int>& fields) const {
    MemberTable table(static_cast<int>(fields.size()));
    table.reserve(size());
    table.keys_ = keys_;
    table.bytes_ = bytes_;
    for (std::size_t row = 0; row < size(); ++row) {
        for (const int field : fields)
            table.cells_.push_back(packed(row, field));
    }
    return table;
}

}  // namespace corvanta::platform
