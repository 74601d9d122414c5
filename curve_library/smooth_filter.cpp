#include <array>
#include <cstring>

#include "curve_library/quorel32.h"
#include "curve_library/sample_count.h"

namespace {

constexpr int kTaps = 15;

// The five low-pass tables in 1/1024ths. They are applied as they stand: their sums are not
// 1024, so a flat curve comes out slightly scaled, which the stored filter settings assume.
constexpr std::array<std::array<int, kTaps>, 5> kLowPassTables = {{
    {32, 0, -48, 48, 8, -144, 264, 688, 264, -144, 8, 48, -48, 0, 32},
    {-24, -48, 16, 56, -72, -72, 312, 592, 312, -72, -72, 56, 16, -48, -24},
    {4, 40, 52, -20, -96, 24, 320, 488, 320, 24, -96, -20, 52, 40, 4},
    {12, 4, -36, -76, -44, 104, 296, 384, 296, 104, -44, -76, -36, 4, 12},
    {-16, -36, -44, -24, 48, 152, 248, 284, 248, 152, 48, -24, -44, -36, -16},
}};

// Neighbouring outputs are computed side by side, one lane each, two lanes to a vector of
// the processor's width. Every lane still adds its own terms one at a time in the scalar
// order, so each output is the same double as when computed alone; only independent sums
// share an instruction.
using Pair = double __attribute__((vector_size(2 * sizeof(double))));
constexpr int kPairs = 2;
constexpr int kLanes = 2 * kPairs;

// Room past the last sample for the lanes of a last group that lie beyond the count.
constexpr int kPadded = quorel::kMaxSamples + kLanes;
using Samples = std::array<double, kPadded>;

Pair load(const double* from) {
    Pair v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

void store(double* to, Pair v) {
    std::memcpy(to, &v, sizeof v);
}

Pair splat(double v) {
    return Pair{v, v};
}

// One group of kLanes outputs from the first at `at`: lane l of pair p is output
// at + 2p + l, and adds term(j) for it in the order the terms come.
template <int kTerms, typename Term>
void sum_group(double* at, Term term) {
    std::array<Pair, kPairs> sum;
    sum.fill(splat(0.0));
#pragma GCC unroll 16
    for (int j = 0; j < kTerms; ++j) {
#pragma GCC unroll 4
        for (int p = 0; p < kPairs; ++p) {
            sum[p] += term(j, 2 * p);
        }
    }
    for (int p = 0; p < kPairs; ++p) {
        store(at + 2 * p, sum[p]);
    }
}

// Each term is divided separately and the terms are added in index order: the stored
// curves were filtered this way and must come out bit for bit the same. A sample's term is
// the same in every window that holds it, so it is divided once.
template <int32_t kHalfWidth>
void average(const Samples& x, Samples& y, int32_t n) {
    Samples terms{};
    for (int32_t j = 0; j < n; j += 2) {
        store(&terms[j], load(&x[j]) / splat(2.0 * kHalfWidth));
    }
    y = x;
    for (int32_t k = kHalfWidth; k < n - kHalfWidth; k += kLanes) {
        sum_group<2 * kHalfWidth>(
            &y[k], [&](int j, int lane) { return load(&terms[k - kHalfWidth + j + lane]); });
    }
    // The lanes of the last group past n - w - 1 keep their samples.
    for (int32_t k = n - kHalfWidth; k < n; ++k) {
        y[k] = x[k];
    }
}

bool moving_average(const Samples& x, Samples& y, int32_t w, int32_t n) {
    if (w < 1 || w > 5 || n - w <= w) {
        return false;
    }
    // The half-width is a constant of each version, so that its sums are unrolled.
    using Average = void (*)(const Samples&, Samples&, int32_t);
    constexpr std::array<Average, 5> kAverages = {average<1>, average<2>, average<3>, average<4>,
                                                  average<5>};
    kAverages[static_cast<std::size_t>(w - 1)](x, y, n);
    return true;
}

// Kinds 1 to 4 pick their table; every other non-zero kind, negative ones included, table 5.
const std::array<int, kTaps>& low_pass_table(int32_t kind) {
    return kLowPassTables[(kind >= 1 && kind <= 4) ? kind - 1 : 4];
}

// Outputs from index 15 on, each from the 15 unfiltered values up to its own.
bool low_pass(const Samples& y, Samples& z, int32_t kind, int32_t n) {
    if (kind == 0 || n < kTaps + 1) {
        return false;
    }
    std::array<Pair, kTaps> h;
    for (int j = 0; j < kTaps; ++j) {
        h[j] = splat(low_pass_table(kind)[j] / 1024.0);
    }
    for (int32_t i = kTaps; i < n; i += kLanes) {
        sum_group<kTaps>(&z[i], [&](int j, int lane) { return h[j] * load(&y[i - j + lane]); });
    }
    return true;
}

// Below 0 gives 0, above 255 gives 255, the rest is truncated.
uint8_t to_sample(double v) {
    if (v < 0.0) {
        return 0;
    }
    if (v > 255.0) {
        return 255;
    }
    return static_cast<uint8_t>(v);
}

}  // namespace

extern "C" int32_t SmoothFilter(const uint8_t* Source, uint8_t* Destination,
                                int32_t AverageHalfWidth, int32_t LowPassKind, int32_t Count) {
    const int32_t n = quorel::clamp_count(Count);
    if (Source == nullptr || Destination == nullptr) {
        return 0;
    }
    Samples x{};
    for (int32_t i = 0; i < n; ++i) {
        x[i] = Source[i];
    }
    Samples averaged;
    const Samples& y = moving_average(x, averaged, AverageHalfWidth, n) ? averaged : x;
    Samples filtered;
    const int32_t first_filtered = low_pass(y, filtered, LowPassKind, n) ? kTaps : n;
    for (int32_t k = 0; k < n; ++k) {
        Destination[k] = to_sample(k < first_filtered ? y[k] : filtered[k]);
    }
    return 0;
}
