#include "tools/device_simulator/echo_curve.h"

#include <algorithm>
#include <cmath>

namespace corvanta::simulator {
namespace {

constexpr double kSpanMm = 80.0;

struct Echo {
    double depthMm;
    double amplitude;
    double widthMm;
};

double echoAt(const Echo& echo, double depthMm) {
    const double d = (depthMm - echo.depthMm) / echo.widthMm;
    return echo.amplitude * std::exp(-0.5 * d * d);
}

}  // namespace

EchoCurve::EchoCurve(unsigned seed) : random_(seed) {}

std::vector<std::uint8_t> EchoCurve::next(int pointCount) {
    const double t = static_cast<double>(frame_++);
    const Echo echoes[] = {
        {12.0 + 3.0 * std::sin(t * 0.050), 150.0 + 40.0 * std::sin(t * 0.031), 1.2},
        {42.0 + 4.0 * std::sin(t * 0.023 + 1.0), 90.0 + 30.0 * std::sin(t * 0.041 + 2.0), 1.6},
        {63.0 + 2.0 * std::sin(t * 0.017 + 2.0), 70.0 * std::max(0.0, std::sin(t * 0.013)), 2.0},
    };
    std::uniform_real_distribution<double> noise(-6.0, 6.0);
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(std::max(0, pointCount)));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double depth = kSpanMm * static_cast<double>(i) / static_cast<double>(samples.size());
        double value = 8.0 + 180.0 * std::exp(-depth / 4.0);
        for (const Echo& echo : echoes) {
            value += echoAt(echo, depth) * std::exp(-depth / 120.0);
        }
        value += noise(random_);
        samples[i] = static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
    }
    return samples;
}

}  // namespace corvanta::simulator
