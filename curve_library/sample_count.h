#pragma once

#include <cstdint>

namespace quorel {

// The working arrays hold 400 samples: a count outside 0..400 is taken within those limits
// so that no call reads or writes past them.
inline constexpr int32_t kMaxSamples = 400;

constexpr int32_t clamp_count(int32_t count) {
    return count < 0 ? 0 : (count > kMaxSamples ? kMaxSamples : count);
}

}  // namespace quorel
