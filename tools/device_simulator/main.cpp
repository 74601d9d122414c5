// device_simulator: plays the ultrasound device on a pseudo-terminal.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <system_error>
#include <thread>

#include "tools/device_simulator/pseudo_terminal.h"
#include "tools/device_simulator/serve_device.h"
#include "tools/device_simulator/simulator_options.h"

namespace {

std::atomic<bool> stopRequested{false};

void onSignal(int) {
    stopRequested = true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace corvanta::simulator;
    std::string error;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << usage();
        return 0;
    }
    const auto options = parseOptions(arguments, error);
    if (!options) {
        std::cerr << "device_simulator: " << error << "\n" << usage();
        return 2;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGTERM, &action, nullptr) != 0 || sigaction(SIGINT, &action, nullptr) != 0) {
        std::perror("device_simulator: sigaction");
        return 1;
    }
    try {
        PseudoTerminal terminal;
        std::cout << terminal.slavePath() << std::endl;
        DeviceSimulator device(*options);
        const ServeEnd end = serveDevice(terminal.masterFd(), device, stopRequested);
        if (end == ServeEnd::FramesDone) {
            // Leave the other end time to read the last frame before the line goes.
            for (int i = 0; i < 25 && !stopRequested; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (end == ServeEnd::Failed) {
            std::cerr << "device_simulator: the pseudo-terminal failed\n";
            return 1;
        }
        return 0;
    } catch (const std::system_error& failure) {
        std::cerr << "device_simulator: " << failure.what() << "\n";
        return 1;
    }
}
