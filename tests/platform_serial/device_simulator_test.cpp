#include "tools/device_simulator/device_simulator.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <algorithm>

#include "tests/platform_serial/pty_helpers.h"
#include "tools/device_simulator/simulator_options.h"

namespace {

using namespace corvanta::simulator;
using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

Bytes joined(const std::vector<Piece>& pieces) {
    Bytes all;
    for (const Piece& piece : pieces) {
        all.insert(all.end(), piece.bytes.begin(), piece.bytes.end());
    }
    return all;
}

Bytes request(DeviceSimulator& device, milliseconds now = milliseconds(0)) {
    return joined(device.receive(kNextFrame, now));
}

bool holdsHse(const Bytes& bytes, std::size_t from) {
    for (std::size_t i = from; i + 2 < bytes.size(); ++i) {
        if (bytes[i] == 'H' && bytes[i + 1] == 'S' && bytes[i + 2] == 'E') {
            return true;
        }
    }
    return false;
}

TEST(DeviceSimulator, AnswersEachRequestWithOneFrameOfTheCurrentLength) {
    DeviceSimulator device({});
    EXPECT_EQ(device.pointCount(), 400);
    for (int frame = 0; frame < 3000; ++frame) {
        const auto pieces = device.receive(kNextFrame, milliseconds(0));
        ASSERT_EQ(pieces.size(), 1u);
        const Bytes& bytes = pieces[0].bytes;
        ASSERT_EQ(bytes.size(), 404u);
        ASSERT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{'H', 'S', 'E'}));
        ASSERT_NE(bytes[3], kStatusToggleFreeze);
        ASSERT_FALSE(holdsHse(bytes, 3)) << "frame " << frame;
    }
    EXPECT_EQ(device.framesSent(), 3000);
}

TEST(DeviceSimulator, PointsCommandsSetTheLengthAndAnswerNothing) {
    DeviceSimulator device({});
    const std::pair<std::uint8_t, std::size_t> commands[] = {
        {0x04, 54}, {0x05, 104}, {0x06, 204}, {0x07, 404}, {0x05, 104}};
    for (const auto& [command, frameSize] : commands) {
        EXPECT_TRUE(device.receive(command, milliseconds(0)).empty());
        EXPECT_EQ(request(device).size(), frameSize);
    }
    for (std::uint8_t other : {0x00, 0x03, 0x08, 0x11, 0xFF}) {
        EXPECT_TRUE(device.receive(other, milliseconds(0)).empty());
    }
    EXPECT_EQ(device.pointCount(), 100);
}

TEST(DeviceSimulator, CurvesLookLikeEchoesAndDrift) {
    DeviceSimulator device({});
    const Bytes first = request(device);
    Bytes later;
    for (int i = 0; i < 40; ++i) {
        later = request(device);
    }
    // Ringing near the probe, an echo around 12 mm (sample 60) standing out of the
    // baseline, and curves that change from frame to frame.
    EXPECT_GT(first[4], 150);
    const auto echo = *std::max_element(first.begin() + 4 + 40, first.begin() + 4 + 80);
    EXPECT_GT(echo, first[4 + 125] + 60);
    EXPECT_NE(first, later);
}

TEST(DeviceSimulator, InjectsTheFaultsAskedFor) {
    SimulatorOptions options;
    options.statusZeroEvery = 3;
    options.garbledHeaderEvery = 4;
    options.hseSamplesEvery = 5;
    DeviceSimulator device(options);
    for (int number = 1; number <= 20; ++number) {
        const Bytes bytes = request(device);
        ASSERT_EQ(bytes.size(), 404u);
        EXPECT_EQ(bytes[3] == kStatusToggleFreeze, number % 3 == 0) << number;
        EXPECT_EQ(bytes[2], number % 4 == 0 ? 'F' : 'E') << number;
        EXPECT_EQ(holdsHse(bytes, 3), number % 5 == 0) << number;
    }
}

TEST(DeviceSimulator, SplitsAndDoublesWrites) {
    SimulatorOptions options;
    options.splitEvery = 2;
    options.doubleEvery = 3;
    DeviceSimulator device(options);
    EXPECT_EQ(device.receive(kNextFrame, milliseconds(0)).size(), 1u);
    const auto split = device.receive(kNextFrame, milliseconds(0));
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[0].bytes.size(), 4u);
    EXPECT_GT(split[1].pauseBefore.count(), 0);
    EXPECT_EQ(joined(split).size(), 404u);
    const auto doubled = device.receive(kNextFrame, milliseconds(0));
    ASSERT_EQ(doubled.size(), 2u);
    EXPECT_EQ(doubled[0].bytes, doubled[1].bytes);
    EXPECT_EQ(device.framesSent(), 3);
}

TEST(DeviceSimulator, FallsSilentPausesAndEnds) {
    SimulatorOptions silent;
    silent.silentAfter = 2;
    DeviceSimulator quiet(silent);
    EXPECT_FALSE(request(quiet).empty());
    EXPECT_FALSE(request(quiet).empty());
    EXPECT_TRUE(request(quiet).empty());
    EXPECT_FALSE(quiet.finished());

    SimulatorOptions pausing;
    pausing.pauseAfter = 2;
    pausing.pauseMs = 100;
    DeviceSimulator paused(pausing);
    EXPECT_FALSE(request(paused, milliseconds(0)).empty());
    EXPECT_FALSE(request(paused, milliseconds(10)).empty());
    EXPECT_TRUE(request(paused, milliseconds(60)).empty());
    EXPECT_TRUE(request(paused, milliseconds(109)).empty());
    EXPECT_FALSE(request(paused, milliseconds(110)).empty());
    EXPECT_FALSE(request(paused, milliseconds(111)).empty());

    SimulatorOptions counted;
    counted.frames = 2;
    DeviceSimulator ending(counted);
    request(ending);
    EXPECT_FALSE(ending.finished());
    request(ending);
    EXPECT_TRUE(ending.finished());
    EXPECT_TRUE(request(ending).empty());
}

TEST(DeviceSimulator, ReadsItsCommandLine) {
    std::string error;
    const auto options = parseOptions({"--frames", "5", "--split-every", "2", "--real-pace",
                                       "--pause-after", "3", "--pause-ms", "250"},
                                      error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->frames, 5);
    EXPECT_EQ(options->splitEvery, 2);
    EXPECT_TRUE(options->realPace);
    EXPECT_EQ(options->pauseMs, 250);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--frames"},
                                                {"--frames", "-1"},
                                                {"--frames", "x"},
                                                {"--bogus", "1"},
                                                {"--pause-after", "2"}}) {
        EXPECT_FALSE(parseOptions(bad, error).has_value()) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

// At the line's pace a frame of 404 bytes takes 35 ms: ten of them at least 350 ms.
TEST(DeviceSimulatorOnPty, KeepsTheLinesPace) {
    SimulatorOptions options;
    options.realPace = true;
    corvanta::testing::SimulatedDevice device(options);
    const int fd = ::open(device.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < 10; ++frame) {
        ASSERT_EQ(::write(fd, "\x10", 1), 1);
        std::size_t got = 0;
        while (got < 404) {
            char buffer[512];
            pollfd in{fd, POLLIN, 0};
            ASSERT_GT(::poll(&in, 1, 2000), 0);
            got += static_cast<std::size_t>(::read(fd, buffer, sizeof buffer));
        }
        ASSERT_EQ(got, 404u);
    }
    const auto wire = DeviceSimulator::wireTime(10 * 404);
    EXPECT_GE(timer.nsecsElapsed() / 1000, wire.count());
    ::close(fd);
}

}  // namespace
