#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvanta::tools {

// xorshift64*: fast, and the same values at every run.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    // 0..n-1 (n > 0).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    template <typename T, std::size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }
    // Like pick, but the first items far more often than the last ones, as the commonest
    // names are in a population.
    template <typename T, std::size_t N>
    const T& pickSkewed(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(below(1 + below(static_cast<int>(N))))];
    }

  private:
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    std::uint64_t state_;
};

}  // namespace corvanta::tools
