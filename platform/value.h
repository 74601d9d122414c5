#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <type_traits>
#include <variant>

namespace corvanta::platform {

// One database value: Null, a 64-bit integer, a real, a text (UTF-8 in the file) or a blob.
// Conversions that cannot give a value throw corvanta::Error with the run time's numbers:
// 94 "Invalid use of Null", 13 "Type mismatch", 6 "Overflow" (source "Corvanta").
class Value {
  public:
    enum class Kind { Null, Integer, Real, Text, Blob };

    Value() = default;
    Value(std::nullptr_t) {}
    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) Value(T v)
        : data_(static_cast<std::int64_t>(v)) {}
    Value(double v) : data_(v) {}
    // Yes/no columns hold 0 or 1.
    Value(bool v) : data_(std::int64_t{v ? 1 : 0}) {}
    Value(const QString& v) : data_(v) {}
    Value(const char* utf8) : data_(QString::fromUtf8(utf8)) {}
    // A QByteArray is always a blob (curves), never text.
    Value(const QByteArray& blob) : data_(blob) {}

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    bool isNull() const { return kind() == Kind::Null; }

    // Integers: a real is rounded half to even; a text must read as a number (blanks
    // around it allowed). Out of range is Overflow.
    std::int64_t toInt64() const;
    std::int32_t toInt32() const;
    std::int16_t toInt16() const;
    double toDouble() const;
    // Any non-zero number is true; a text must read as a number.
    bool toBool() const;
    // Numbers are written in plain decimal; a blob is a Type mismatch.
    QString toText() const;
    // Null reads as empty text, everything else as toText().
    QString toTextOrEmpty() const;
    // Only a blob converts; a curve never passes through text.
    QByteArray toBlob() const;

    // Exact comparison: same kind and same content.
    bool operator==(const Value& other) const = default;

  private:
    std::variant<std::monostate, std::int64_t, double, QString, QByteArray> data_;
};

}  // namespace corvanta::platform
