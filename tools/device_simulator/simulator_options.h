#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/device_simulator/device_simulator.h"

namespace corvanta::simulator {

// The command line of device_simulator; empty with a message in error on a bad one.
std::optional<SimulatorOptions> parseOptions(const std::vector<std::string>& arguments,
                                             std::string& error);
std::string usage();

}  // namespace corvanta::simulator
