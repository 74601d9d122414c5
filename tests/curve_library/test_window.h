#pragma once

#include <cstdint>
#include <vector>

#include "curve_library/quorel32.h"

// Caller-owned pixels as the program hands them to the library, prefilled with a colour
// the library never draws so that untouched pixels show.
struct TestWindow {
    static constexpr uint32_t kUntouched = 0x12345678u;

    TestWindow(int32_t width, int32_t height, int32_t stride = 0)
        : pixels(static_cast<size_t>((stride > 0 ? stride : width) * height), kUntouched),
          window{width, height, stride > 0 ? stride : width, pixels.data()} {}

    uint32_t at(int32_t x, int32_t y) const { return pixels[y * window.stride + x]; }

    std::vector<uint32_t> pixels;
    QuorelWindow window;
};

namespace colours {
inline constexpr uint32_t kBlack = 0xFF000000u;
inline constexpr uint32_t kBand = 0xFF404040u;
inline constexpr uint32_t kGrid = 0xFF006000u;
inline constexpr uint32_t kZoneLine = 0xFF0000FFu;
inline constexpr uint32_t kLive = 0xFF40FF40u;
inline constexpr uint32_t kRim = 0xFF808080u;
inline constexpr uint32_t kNeedle = 0xFFC0C0C0u;
inline constexpr uint32_t kRed = 0xFFFF0000u;
inline constexpr uint32_t kWhite = 0xFFFFFFFFu;
}  // namespace colours
