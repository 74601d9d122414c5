#include "platform/value.h"

#include <cmath>
#include <limits>
#include <optional>

#include "platform/error.h"

namespace corvanta::platform {
namespace {

constexpr int kOverflow = 6;
constexpr int kTypeMismatch = 13;
constexpr int kInvalidUseOfNull = 94;

[[noreturn]] void fail(int number, const char* description) {
    throw Error(number, "Corvanta", description);
}

[[noreturn]] void typeMismatch() {
    fail(kTypeMismatch, "Type mismatch");
}
[[noreturn]] void overflow() {
    fail(kOverflow, "Overflow");
}

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::int64_t roundToInteger(double v) {
    // The run time rounds halves to even; reals beyond the 64-bit range overflow.
    if (!(v > -9.2e18 && v < 9.2e18))
        overflow();
    return static_cast<std::int64_t>(std::nearbyint(v));
}

template <typename T>
T narrow(std::int64_t v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        overflow();
    return static_cast<T>(v);
}

}  // namespace

std::int64_t Value::toInt64() const {
    switch (kind()) {
        case Kind::Null:
            fail(kInvalidUseOfNull, "Invalid use of Null");
        case Kind::Integer:
            return std::get<std::int64_t>(data_);
        case Kind::Real:
            return roundToInteger(std::get<double>(data_));
        case Kind::Text: {
            const QString t = std::get<QString>(data_).trimmed();
            bool ok = false;
            const qlonglong whole = t.toLongLong(&ok);
            if (ok)
                return whole;
            if (const auto v = parseNumber(t))
                return roundToInteger(*v);
            typeMismatch();
        }
        case Kind::Blob:
            typeMismatch();
    }
    typeMismatch();
}

std::int32_t Value::toInt32() const {
    return narrow<std::int32_t>(toInt64());
}

std::int16_t Value::toInt16() const {
    return narrow<std::int16_t>(toInt64());
}

double Value::toDouble() const {
    switch (kind()) {
        case Kind::Null:
            fail(kInvalidUseOfNull, "Invalid use of Null");
        case Kind::Integer:
            return static_cast<double>(std::get<std::int64_t>(data_));
        case Kind::Real:
            return std::get<double>(data_);
        case Kind::Text:
            if (const auto v = parseNumber(std::get<QString>(data_)))
                return *v;
            typeMismatch();
        case Kind::Blob:
            typeMismatch();
    }
    typeMismatch();
}

bool Value::toBool() const {
    if (kind() == Kind::Integer)
        return std::get<std::int64_t>(data_) != 0;
    return toDouble() != 0.0;
}

QString Value::toText() const {
    switch (kind()) {
        case Kind::Null:
            fail(kInvalidUseOfNull, "Invalid use of Null");
        case Kind::Integer:
            return QString::number(std::get<std::int64_t>(data_));
        case Kind::Real:
            return QString::number(std::get<double>(data_), 'g', 15);
        case Kind::Text:
            return std::get<QString>(data_);
        case Kind::Blob:
            typeMismatch();
    }
    typeMismatch();
}

QString Value::toTextOrEmpty() const {
    return isNull() ? QString() : toText();
}

QByteArray Value::toBlob() const {
    if (kind() == Kind::Null)
        fail(kInvalidUseOfNull, "Invalid use of Null");
    if (kind() != Kind::Blob)
        typeMismatch();
    return std::get<QByteArray>(data_);
}

}  // namespace corvanta::platform
