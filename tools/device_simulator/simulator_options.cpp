#include "tools/device_simulator/simulator_options.h"

#include <charconv>
#include <limits>

namespace corvanta::simulator {
namespace {

struct CountOption {
    const char* name;
    int SimulatorOptions::*field;
};

const CountOption kCountOptions[] = {
    {"--frames", &SimulatorOptions::frames},
    {"--status-zero-every", &SimulatorOptions::statusZeroEvery},
    {"--garbled-every", &SimulatorOptions::garbledHeaderEvery},
    {"--hse-every", &SimulatorOptions::hseSamplesEvery},
    {"--split-every", &SimulatorOptions::splitEvery},
    {"--double-every", &SimulatorOptions::doubleEvery},
    {"--silent-after", &SimulatorOptions::silentAfter},
    {"--pause-after", &SimulatorOptions::pauseAfter},
    {"--pause-ms", &SimulatorOptions::pauseMs},
};

std::optional<int> parseCount(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string usage() {
    return "usage: device_simulator [options]\n"
           "Plays the ultrasound device on a new pseudo-terminal and prints its path.\n"
           "  --frames N             end after N frames\n"
           "  --status-zero-every K  every K-th frame has status byte 0 (toggles the freeze)\n"
           "  --garbled-every K      every K-th frame has the header \"HSF\"\n"
           "  --hse-every K          every K-th frame's samples hold \"HSE\"\n"
           "  --split-every K        every K-th frame is written in three pieces\n"
           "  --double-every K       every K-th frame is written twice\n"
           "  --silent-after K       answer no request after K frames\n"
           "  --pause-after K        after K frames, ignore requests for --pause-ms MS\n"
           "  --pause-ms MS          length of that pause\n"
           "  --real-pace            send at the pace of a 115200 baud line\n"
           "  --seed S               seed of the curves' noise\n";
}

std::optional<SimulatorOptions> parseOptions(const std::vector<std::string>& arguments,
                                             std::string& error) {
    SimulatorOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--real-pace") {
            options.realPace = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = "unknown option or missing value: " + name;
            return std::nullopt;
        }
        const auto value = parseCount(arguments[i + 1]);
        if (!value) {
            error = "not a count for " + name + ": " + arguments[i + 1];
            return std::nullopt;
        }
        bool known = false;
        for (const CountOption& option : kCountOptions) {
            if (name == option.name) {
                options.*option.field = *value;
                known = true;
            }
        }
        if (name == "--seed") {
            options.seed = static_cast<unsigned>(*value);
            known = true;
        }
        if (!known) {
            error = "unknown option: " + name;
            return std::nullopt;
        }
        ++i;
    }
    if (options.pauseAfter > 0 && options.pauseMs == 0) {
        error = "--pause-after needs --pause-ms";
        return std::nullopt;
    }
    return options;
}

}  // namespace corvanta::simulator
