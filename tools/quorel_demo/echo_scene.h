#pragma once

#include <array>
#include <cstdint>

#include "curve_library/quorel32.h"

// A plausible exam in progress: a live echo curve, five stored curves for comparison and
// four sensitive zones, of which two see an echo above their threshold.
struct EchoScene {
    using Curve = std::array<uint8_t, 400>;
    Curve live{};
    std::array<Curve, 5> memories{};
    std::array<uint8_t, 5> shown{};
    std::array<Zone_Sensible, 4> zones{};
};

EchoScene make_echo_scene();
