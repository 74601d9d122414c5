#include "tools/device_simulator/serve_device.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace corvanta::simulator {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPollMs = 20;

// Sleeps in short steps so that a stop request is seen; false when stopped.
bool sleepFor(Clock::duration duration, const std::atomic<bool>& stop) {
    const auto end = Clock::now() + duration;
    while (Clock::now() < end) {
        if (stop) {
            return false;
        }
        std::this_thread::sleep_for(
            std::min<Clock::duration>(end - Clock::now(), std::chrono::milliseconds(kPollMs)));
    }
    return !stop;
}

// Writes every byte; false when stopped or when the other end is gone.
bool writeAll(int fd, const std::vector<std::uint8_t>& bytes, const std::atomic<bool>& stop) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd out{fd, POLLOUT, 0};
        ::poll(&out, 1, kPollMs);
        if (stop || (out.revents & (POLLHUP | POLLERR)) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

ServeEnd serveDevice(int masterFd, DeviceSimulator& device, const std::atomic<bool>& stop,
                     std::chrono::milliseconds hangUpGrace) {
    const auto start = Clock::now();
    bool everOpened = false;
    // A flag beside the time, not a std::optional: GCC 12 at -Os warns falsely that the
    // optional's time may be read uninitialized.
    bool hungUp = false;
    Clock::time_point hungUpSince{};
    std::uint8_t buffer[256];
    while (!stop) {
        if (device.finished()) {
            return ServeEnd::FramesDone;
        }
        pollfd in{masterFd, POLLIN, 0};
        const int ready = ::poll(&in, 1, kPollMs);
        if (ready < 0 && errno != EINTR) {
            return ServeEnd::Failed;
        }
        if ((in.revents & POLLHUP) != 0 && (in.revents & POLLIN) == 0) {
            // Nobody holds the other end: before the first opening, wait for it; after,
            // give a reopening its chance before ending.
            const auto now = Clock::now();
            if (!hungUp) {
                hungUp = true;
                hungUpSince = now;
            }
            if (everOpened && now - hungUpSince >= hangUpGrace) {
                return ServeEnd::HungUp;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            continue;
        }
        hungUp = false;
        everOpened = true;
        if ((in.revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
        if (n <= 0) {
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            const auto now =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            for (const Piece& piece : device.receive(buffer[i], now)) {
                auto wait = Clock::duration(piece.pauseBefore);
                if (device.options().realPace) {
                    wait += DeviceSimulator::wireTime(piece.bytes.size());
                }
                if (!sleepFor(wait, stop)) {
                    return ServeEnd::Stopped;
                }
                if (!writeAll(masterFd, piece.bytes, stop)) {
                    break;
                }
            }
        }
    }
    return ServeEnd::Stopped;
}

}  // namespace corvanta::simulator
