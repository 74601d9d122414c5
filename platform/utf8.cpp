#include "platform/utf8.h"

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

}  // namespace corvanta::platform
