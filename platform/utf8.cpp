#include "platform/utf8.h"

#include <cstdint>
#include <cstring>

namespace corvanta::platform {

std::size_t decodeUtf8(const unsigned char* bytes, std::size_t size, char32_t& cp) {
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || static_cast<std::size_t>(extra) >= size)
        return 0;
    cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char b = bytes[k];
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFEFF ||
        (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE)
        return 0;
    return static_cast<std::size_t>(extra) + 1;
}

QChar* decodeUtf8Into(QChar* out, std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(p, left, cp);
        if (length == 0)
            return nullptr;
        if (cp > 0xFFFF) {
            *out++ = QChar(QChar::highSurrogate(cp));
            *out++ = QChar(QChar::lowSurrogate(cp));
        } else {
            *out++ = QChar(static_cast<char16_t>(cp));
        }
        p += length;
        left -= length;
    }
    return out;
}

bool isWellFormedUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p != end) {
        // Most stored texts are ASCII: eight bytes at a time while none has its top bit.
        while (end - p >= 8) {
            std::uint64_t eight;
            std::memcpy(&eight, p, sizeof eight);
            if ((eight & 0x8080808080808080ULL) != 0)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p++;
        if (c < 0x80)
            continue;
        // The second byte's range rules out overlongs, surrogates and code points above
        // U+10FFFF; the later bytes are plain continuations.
        int following;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            following = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            following = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            following = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < following || *p < low || *p > high)
            return false;
        for (int i = 1; i < following; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += following;
    }
    return true;
}

}  // namespace corvanta::platform
