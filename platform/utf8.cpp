#include "platform/utf8.h"

#include <cstdint>
#include <cstring>

namespace corvanta::platform {

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
