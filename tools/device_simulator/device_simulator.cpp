#include "tools/device_simulator/device_simulator.h"

namespace corvanta::simulator {
namespace {

constexpr std::chrono::milliseconds kSplitPause{3};

bool every(int k, int number) {
    return k > 0 && number % k == 0;
}

}  // namespace

DeviceSimulator::DeviceSimulator(const SimulatorOptions& options)
    : options_(options), curve_(options.seed) {}

std::chrono::microseconds DeviceSimulator::wireTime(std::size_t byteCount) {
    return std::chrono::microseconds(byteCount * 10 * 1'000'000 / kLineBaud);
}

std::vector<Piece> DeviceSimulator::receive(std::uint8_t byte, std::chrono::milliseconds now) {
    if (byte >= kPoints50 && byte <= kPoints400) {
        pointCount_ = 50 << (byte - kPoints50);
        return {};
    }
    if (byte != kNextFrame || finished() || !answers(now)) {
        return {};
    }
    const int number = ++framesSent_;
    if (options_.pauseAfter > 0 && number == options_.pauseAfter) {
        pauseStart_ = now;
    }
    std::vector<std::uint8_t> bytes = frame(number);
    std::vector<Piece> pieces;
    if (every(options_.splitEvery, number)) {
        const auto begin = bytes.begin();
        const auto middle = begin + kHeaderSize + pointCount_ / 2;
        pieces.push_back({{}, {begin, begin + kHeaderSize}});
        pieces.push_back({kSplitPause, {begin + kHeaderSize, middle}});
        pieces.push_back({kSplitPause, {middle, bytes.end()}});
    } else {
        pieces.push_back({{}, bytes});
    }
    if (every(options_.doubleEvery, number)) {
        pieces.push_back({{}, std::move(bytes)});
    }
    return pieces;
}

bool DeviceSimulator::answers(std::chrono::milliseconds now) {
    if (options_.silentAfter > 0 && framesSent_ >= options_.silentAfter) {
        return false;
    }
    return pauseStart_.count() < 0 ||
           now >= pauseStart_ + std::chrono::milliseconds(options_.pauseMs);
}

std::vector<std::uint8_t> DeviceSimulator::frame(int number) {
    std::vector<std::uint8_t> samples = curve_.next(pointCount_);
    // Ordinary curves never spell the header: only the fault asked for does.
    for (std::size_t i = 0; i + 2 < samples.size(); ++i) {
        if (samples[i] == 'H' && samples[i + 1] == 'S' && samples[i + 2] == 'E') {
            samples[i + 2] = 'F';
        }
    }
    if (every(options_.hseSamplesEvery, number) && samples.size() >= 3) {
        const std::size_t at = samples.size() / 2 - 1;
        samples[at] = 'H';
        samples[at + 1] = 'S';
        samples[at + 2] = 'E';
    }
    samples.insert(samples.begin(), kHeaderSize, 0);
    samples[0] = 'H';
    samples[1] = 'S';
    samples[2] = every(options_.garbledHeaderEvery, number) ? 'F' : 'E';
    samples[3] = every(options_.statusZeroEvery, number) ? kStatusToggleFreeze : kStatusNormal;
    return samples;
}

}  // namespace corvanta::simulator
