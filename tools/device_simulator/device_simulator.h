#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "tools/device_simulator/echo_curve.h"

namespace corvanta::simulator {

// Bytes of the dialogue. A frame is "HSE", a status byte and N samples; a status byte of
// 0 asks the program to toggle its frozen state, every other value means nothing.
inline constexpr std::uint8_t kNextFrame = 0x10;
inline constexpr std::uint8_t kPoints50 = 0x04;
inline constexpr std::uint8_t kPoints400 = 0x07;
inline constexpr std::uint8_t kStatusNormal = 0x01;
inline constexpr std::uint8_t kStatusToggleFreeze = 0x00;
inline constexpr int kHeaderSize = 4;
inline constexpr int kLineBaud = 115200;

// Faults and pacing to play. "Every K" counts answered frames from 1; 0 turns it off.
struct SimulatorOptions {
    int statusZeroEvery = 0;
    int garbledHeaderEvery = 0;  // the header reads "HSF"
    int hseSamplesEvery = 0;     // the samples hold "HSE" in their middle
    int splitEvery = 0;          // written in three pieces with short pauses
    int doubleEvery = 0;         // written twice
    int silentAfter = 0;         // no answer at all after this many frames
    int pauseAfter = 0;          // after this many frames, requests are ignored ...
    int pauseMs = 0;             // ... for this long
    bool realPace = false;       // bytes take their time on a 115200 baud line
    int frames = 0;              // the device ends after this many frames
    unsigned seed = 1;
};

// One write of the device, made after a pause.
struct Piece {
    std::chrono::milliseconds pauseBefore{0};
    std::vector<std::uint8_t> bytes;
};

// The device's side of the dialogue, without any I/O: what it writes for each byte
// it receives.
class DeviceSimulator {
  public:
    explicit DeviceSimulator(const SimulatorOptions& options);

    // The writes that answer one received byte; now is the time since the start.
    std::vector<Piece> receive(std::uint8_t byte, std::chrono::milliseconds now);

    const SimulatorOptions& options() const { return options_; }
    int pointCount() const { return pointCount_; }
    int framesSent() const { return framesSent_; }
    // The frame count asked for has been sent.
    bool finished() const { return options_.frames > 0 && framesSent_ >= options_.frames; }

    // How long bytes take on the line: 10 bits a byte at 115200 baud.
    static std::chrono::microseconds wireTime(std::size_t byteCount);

  private:
    bool answers(std::chrono::milliseconds now);
    std::vector<std::uint8_t> frame(int number);

    SimulatorOptions options_;
    EchoCurve curve_;
    int pointCount_ = 400;
    int framesSent_ = 0;
    std::chrono::milliseconds pauseStart_{-1};
};

}  // namespace corvanta::simulator
