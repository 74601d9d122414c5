#include <array>

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

using Samples = std::array<double, quorel::kMaxSamples>;

// Kinds 1 to 4 pick their table; every other non-zero kind, negative ones included, table 5.
const std::array<int, kTaps>& low_pass_table(int32_t kind) {
    return kLowPassTables[(kind >= 1 && kind <= 4) ? kind - 1 : 4];
}

// Each term is divided separately and the terms are added in index order: the stored
// curves were filtered this way and must come out bit for bit the same. A sample's term is
// the same in every window that holds it, so it is divided once.
void moving_average(const Samples& x, Samples& y, int32_t w, int32_t n) {
    if (w < 1 || w > 5 || n - w <= w) {
        return;
    }
    const double width = 2.0 * w;
    Samples terms;
    for (int32_t j = 0; j < n; ++j) {
        terms[j] = x[j] / width;
    }
    for (int32_t k = w; k < n - w; ++k) {
        double sum = 0.0;
        for (int32_t j = k - w; j < k + w; ++j) {
            sum += terms[j];
        }
        y[k] = sum;
    }
}

// Computed in place from the end so that every output reads only unfiltered values.
void low_pass(Samples& y, int32_t kind, int32_t n) {
    if (kind == 0 || n < kTaps + 1) {
        return;
    }
    std::array<double, kTaps> h;
    for (int j = 0; j < kTaps; ++j) {
        h[j] = low_pass_table(kind)[j] / 1024.0;
    }
    for (int32_t i = n - 1; i >= kTaps; --i) {
        double sum = 0.0;
        for (int j = 0; j < kTaps; ++j) {
            sum += h[j] * y[i - j];
        }
        y[i] = sum;
    }
}

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
    Samples y{};
    for (int32_t i = 0; i < n; ++i) {
        x[i] = y[i] = Source[i];
    }
    moving_average(x, y, AverageHalfWidth, n);
    low_pass(y, LowPassKind, n);
    for (int32_t k = 0; k < n; ++k) {
        Destination[k] = to_sample(y[k]);
    }
    return 0;
}
