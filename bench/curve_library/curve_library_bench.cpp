#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "curve_library/quorel32.h"

namespace {

using Curve = std::array<uint8_t, 400>;

Curve noisy_curve(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sample(0, 255);
    Curve curve{};
    for (auto& v : curve) {
        v = static_cast<uint8_t>(sample(random));
    }
    return curve;
}

// Echoes as smooth bumps on a low floor, the shape of real frames.
Curve echo_curve(unsigned seed) {
    Curve curve{};
    for (int i = 0; i < 400; ++i) {
        const double d = (i - 60.0 * (1 + seed % 5)) / 8.0;
        curve[i] = static_cast<uint8_t>(15 + (i * seed) % 7 + 200 * std::exp(-d * d));
    }
    return curve;
}

// Arguments: moving-average half-width, low-pass kind.
void BM_SmoothFilter(benchmark::State& state) {
    const Curve source = noisy_curve(1);
    Curve out{};
    const auto w = static_cast<int32_t>(state.range(0));
    const auto kind = static_cast<int32_t>(state.range(1));
    for (auto _ : state) {
        SmoothFilter(source.data(), out.data(), w, kind, 400);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
// Every setting the windows offer: half-widths 0 (none) to 5, kinds 0 (none) to 5.
BENCHMARK(BM_SmoothFilter)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}});

// The main window's live view: 697 x 337, five comparison curves, four active zones each
// with a detected peak. Argument 0: every sample random, the worst case for the line
// drawing (nearly every segment crosses half the height); 1: smooth echo curves.
void BM_ViewSamples(benchmark::State& state) {
    const auto make_curve = state.range(0) == 0 ? noisy_curve : echo_curve;
    std::vector<uint32_t> pixels(697 * 337);
    QuorelWindow window{697, 337, 697, pixels.data()};
    const Curve live = make_curve(2);
    std::array<Curve, 5> memories;
    for (unsigned i = 0; i < memories.size(); ++i) {
        memories[i] = make_curve(3 + i);
    }
    const std::array<uint8_t, 5> shown = {255, 255, 255, 255, 255};
    std::array<Zone_Sensible, 4> zones = {{
        {5, 15, 50, 0, 0, 0, 1},
        {20, 30, 50, 0, 0, 0, 1},
        {40, 55, 50, 0, 0, 1, 1},
        {60, 75, 50, 0, 0, 0, 1},
    }};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ViewSamples(
            &window, live.data(), 400, memories[0].data(), memories[1].data(), memories[2].data(),
            memories[3].data(), memories[4].data(), shown.data(), zones.data()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ViewSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PreviewSamples(benchmark::State& state) {
    std::vector<uint32_t> pixels(697 * 337);
    QuorelWindow window{697, 337, 697, pixels.data()};
    const Curve samples = noisy_curve(9);
    for (auto _ : state) {
        PreviewSamples(&window, samples.data(), 400);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PreviewSamples)->Unit(benchmark::kMicrosecond);

}  // namespace
