#pragma once

#include <string_view>

namespace corvanta::platform {

// True when `bytes` are well-formed UTF-8: each character in its shortest form, none a
// surrogate (U+D800..U+DFFF) or above U+10FFFF, none cut short. NUL bytes are characters.
bool isWellFormedUtf8(std::string_view bytes);

}  // namespace corvanta::platform
