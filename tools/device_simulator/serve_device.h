#pragma once

#include <atomic>
#include <chrono>

#include "tools/device_simulator/device_simulator.h"

namespace corvanta::simulator {

enum class ServeEnd { Stopped, FramesDone, HungUp, Failed };

// Plays the device on a pseudo-terminal master until stop is set, the frame count asked
// for has been sent, or the other end has been closed for hangUpGrace after having been
// open once. Runs on the caller's thread.
ServeEnd serveDevice(int masterFd, DeviceSimulator& device, const std::atomic<bool>& stop,
                     std::chrono::milliseconds hangUpGrace = std::chrono::milliseconds(1000));

}  // namespace corvanta::simulator
