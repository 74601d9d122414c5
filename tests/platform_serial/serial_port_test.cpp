#include "platform/serial_port.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSerialPort>
#include <QTemporaryDir>

#include "platform/error.h"
#include "platform/settings_store.h"
#include "tests/platform_serial/pty_helpers.h"

namespace {

using corvanta::Error;
using corvanta::platform::SerialPort;
using corvanta::simulator::PseudoTerminal;
using namespace corvanta::testing;

SerialPort::DeviceResolver fixedDevice(const std::string& path) {
    return [device = QString::fromStdString(path)](int) { return device; };
}

int errorNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        EXPECT_EQ(error.source(), "Serial port");
        EXPECT_FALSE(error.description().empty());
        return error.number();
    }
    return 0;
}

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ensureApplication(); }
    PseudoTerminal pty_;
};

TEST_F(SerialPortTest, OpensAndClosesThroughItsFlag) {
    SerialPort port(fixedDevice(pty_.slavePath()));
    port.setSettings("115200,N,8,1");
    EXPECT_FALSE(port.isPortOpen());
    port.setPortOpen(true);
    EXPECT_TRUE(port.isPortOpen());
    port.setPortOpen(true);  // already open: nothing happens
    EXPECT_TRUE(port.isPortOpen());
    port.setPortOpen(false);
    EXPECT_FALSE(port.isPortOpen());
    port.setPortOpen(true);
    EXPECT_TRUE(port.isPortOpen());
}

TEST_F(SerialPortTest, MalformedSettingsAreRefusedAndLeaveTheOldOnes) {
    SerialPort port(fixedDevice(pty_.slavePath()));
    port.setSettings("115200,N,8,1");
    for (const char* bad : {"", "115200,N,8", "fast,N,8,1", "0,N,8,1", "115200,X,8,1",
                            "115200,N,9,1", "115200,N,8,3", "115200,N,8,1,1"}) {
        EXPECT_EQ(errorNumber([&] { port.setSettings(bad); }), SerialPort::kInvalidPropertyValue)
            << bad;
    }
    EXPECT_EQ(port.settings(), "115200,N,8,1");
    port.setSettings(" 9600 , n , 8 , 1 ");
    port.setPortOpen(true);
    EXPECT_TRUE(port.isPortOpen());
}

TEST_F(SerialPortTest, AMissingDeviceIsAnInvalidPortNumber) {
    SerialPort missing(fixedDevice("/dev/corvanta-no-such-device"));
    EXPECT_EQ(errorNumber([&] { missing.setPortOpen(true); }), SerialPort::kInvalidPortNumber);
    EXPECT_FALSE(missing.isPortOpen());

    QTemporaryDir home;
    corvanta::platform::SettingsStore settings(home.path() + "/Corvanta.ini");
    SerialPort portZero(SerialPort::resolverFromSettings(settings));
    portZero.setPortNumber(0);
    EXPECT_EQ(errorNumber([&] { portZero.setPortOpen(true); }), SerialPort::kInvalidPortNumber);
}

TEST_F(SerialPortTest, PortNumbersNameTheirDeviceThroughTheSettings) {
    QTemporaryDir home;
    corvanta::platform::SettingsStore settings(home.path() + "/Corvanta.ini");
    settings.write("PORTS", "COM2", QString::fromStdString(pty_.slavePath()));
    const auto resolve = SerialPort::resolverFromSettings(settings);
    EXPECT_EQ(resolve(1), "/dev/ttyS0");
    EXPECT_EQ(resolve(3), "/dev/ttyS2");
    EXPECT_EQ(resolve(2), QString::fromStdString(pty_.slavePath()));

    SerialPort port(resolve);
    port.setPortNumber(2);
    port.setPortOpen(true);
    EXPECT_TRUE(port.isPortOpen());
    EXPECT_EQ(errorNumber([&] { port.setPortNumber(3); }), SerialPort::kPortAlreadyOpen);
    EXPECT_EQ(port.portNumber(), 2);
}

TEST_F(SerialPortTest, ADeviceInUseIsPortAlreadyOpen) {
    SerialPort first(fixedDevice(pty_.slavePath()));
    SerialPort second(fixedDevice(pty_.slavePath()));
    first.setPortOpen(true);
    EXPECT_EQ(errorNumber([&] { second.setPortOpen(true); }), SerialPort::kPortAlreadyOpen);
    EXPECT_FALSE(second.isPortOpen());
    first.setPortOpen(false);
    second.setPortOpen(true);
    EXPECT_TRUE(second.isPortOpen());
}

TEST_F(SerialPortTest, ADeviceHeldByAnotherProgramIsPortAlreadyOpen) {
    // Another program: a port opened without this layer, with the system's own locking.
    QSerialPort other(QString::fromStdString(pty_.slavePath()));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite)) << other.errorString().toStdString();
    SerialPort port(fixedDevice(pty_.slavePath()));
    EXPECT_EQ(errorNumber([&] { port.setPortOpen(true); }), SerialPort::kPortAlreadyOpen);
}

TEST_F(SerialPortTest, PermissionDeniedSaysWhichGroupIsMissing) {
    ASSERT_EQ(::chmod(pty_.slavePath().c_str(), 0), 0);
    const auto check = [&] {
        SerialPort port(fixedDevice(pty_.slavePath()));
        try {
            port.setPortOpen(true);
        } catch (const Error& error) {
            return error.number() == SerialPort::kPermissionDenied &&
                   error.description().find("dialout") != std::string::npos;
        }
        return false;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    // The superuser passes every permission: try as nobody.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(SerialPortTest, OutputLeavesWithoutAnEventLoop) {
    SerialPort port(fixedDevice(pty_.slavePath()));
    port.setSettings("115200,N,8,1");
    port.setPortOpen(true);
    port.output(QByteArray(1, '\x10'));
    EXPECT_EQ(readMaster(pty_.masterFd(), 1, 500), QByteArray(1, '\x10'));
    port.output(QByteArray("\x07\x10", 2));
    EXPECT_EQ(readMaster(pty_.masterFd(), 2, 500), QByteArray("\x07\x10", 2));
}

TEST_F(SerialPortTest, AClosedPortReadsNothingAndRefusesOutput) {
    SerialPort port(fixedDevice(pty_.slavePath()));
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_TRUE(port.input().isEmpty());
    EXPECT_EQ(errorNumber([&] { port.output("\x10"); }), SerialPort::kPortNotOpen);
}

TEST_F(SerialPortTest, AHandlerMayDestroyThePort) {
    auto port = std::make_unique<SerialPort>(fixedDevice(pty_.slavePath()));
    port->setReceiveThreshold(4);
    port->setPortOpen(true);
    QObject::connect(port.get(), &SerialPort::communicationEvent, [&] {
        port->input();
        port.reset();
    });
    writeMaster(pty_.masterFd(), "HSE\x01HSE\x01");
    EXPECT_TRUE(waitUntil([&] { return port == nullptr; }));
    runEvents(50);
}

TEST_F(SerialPortTest, ALostDeviceClosesThePortAndSaysSoOnce) {
    SerialPort port(fixedDevice(pty_.slavePath()));
    port.setReceiveThreshold(4);
    port.setPortOpen(true);
    int lost = 0;
    QObject::connect(&port, &SerialPort::deviceLost,
                     [&](const QString& device, SerialPort::Loss loss) {
                         ++lost;
                         // The device file went with the other end of the line.
                         EXPECT_EQ(device, QString::fromStdString(pty_.slavePath()));
                         EXPECT_EQ(loss, SerialPort::Loss::Gone);
                     });
    pty_.close();
    EXPECT_TRUE(waitUntil([&] { return lost > 0; }));
    runEvents(200);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port.isPortOpen());
    EXPECT_EQ(errorNumber([&] { port.output("\x10"); }), SerialPort::kPortNotOpen);
}

}  // namespace
