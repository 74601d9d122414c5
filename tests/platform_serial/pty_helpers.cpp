#include "tests/platform_serial/pty_helpers.h"

#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cerrno>

#include "tools/device_simulator/serve_device.h"

namespace corvanta::testing {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "platform_serial_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

void writeMaster(int masterFd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(masterFd, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
        } else {
            pollfd out{masterFd, POLLOUT, 0};
            ::poll(&out, 1, 50);
        }
    }
}

QByteArray readMaster(int masterFd, int atLeast, int timeoutMs) {
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < atLeast && timer.elapsed() < timeoutMs) {
        pollfd in{masterFd, POLLIN, 0};
        if (::poll(&in, 1, 20) > 0 && (in.revents & POLLIN) != 0) {
            char buffer[512];
            const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
            if (n > 0) {
                bytes.append(buffer, n);
            }
        }
    }
    return bytes;
}

SimulatedDevice::SimulatedDevice(const simulator::SimulatorOptions& options) : device_(options) {
    thread_ = std::thread([this] { simulator::serveDevice(terminal_.masterFd(), device_, stop_); });
}

SimulatedDevice::~SimulatedDevice() {
    stop_ = true;
    thread_.join();
}

}  // namespace corvanta::testing
