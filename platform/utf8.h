#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

namespace corvanta::platform {

// Decodes the code point at the start of `bytes` (`size` > 0) into `cp` and returns its
// length, for exactly what QString::fromUtf8 surely decodes the same way wherever it
// stands; 0 for anything else (malformed bytes, surrogates, a byte-order mark, which
// fromUtf8 drops at the start, noncharacters), which must then go through fromUtf8.
std::size_t decodeUtf8(const unsigned char* bytes, std::size_t size, char32_t& cp);

// Writes the UTF-16 of `bytes` from `out` (room for bytes.size() units) and returns its
// end, or null when decodeUtf8 cannot read them whole (QString::fromUtf8 must then).
QChar* decodeUtf8Into(QChar* out, std::string_view bytes);

// True when `bytes` are well-formed UTF-8: each character in its shortest form, none a
// surrogate (U+D800..U+DFFF) or above U+10FFFF, none cut short. NUL bytes are characters.
// Unlike decodeUtf8, a byte-order mark and noncharacters are well-formed.
bool isWellFormedUtf8(std::string_view bytes);

}  // namespace corvanta::platform
