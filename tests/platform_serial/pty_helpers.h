#pragma once

#include <QByteArray>
#include <atomic>
#include <functional>
#include <thread>

#include "tests/support/wait.h"
#include "tools/device_simulator/device_simulator.h"
#include "tools/device_simulator/pseudo_terminal.h"

namespace corvanta::testing {

// The application object the serial layer needs, made once per test process.
void ensureApplication();

using test::runEvents;
using test::waitUntil;

// Bytes written to / read from the device's end of a pseudo-terminal.
void writeMaster(int masterFd, const QByteArray& bytes);
QByteArray readMaster(int masterFd, int atLeast, int timeoutMs = 2000);

// The device simulator serving a pseudo-terminal of its own on a background thread.
class SimulatedDevice {
  public:
    explicit SimulatedDevice(const simulator::SimulatorOptions& options = {});
    ~SimulatedDevice();
    const std::string& path() const { return terminal_.slavePath(); }

  private:
    simulator::PseudoTerminal terminal_;
    simulator::DeviceSimulator device_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace corvanta::testing
