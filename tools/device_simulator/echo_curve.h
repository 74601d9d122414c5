#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace corvanta::simulator {

// Plausible A-mode echo curves over the 80 mm depth span: a decaying baseline from the
// probe's own ringing, two echoes that drift slowly and a third that comes and goes,
// weaker with depth, with some noise. Deterministic for a given seed.
class EchoCurve {
  public:
    explicit EchoCurve(unsigned seed);

    // The samples of the next curve, pointCount of them spread over the whole span.
    std::vector<std::uint8_t> next(int pointCount);

  private:
    std::mt19937 random_;
    long frame_ = 0;
};

}  // namespace corvanta::simulator
