#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <filesystem>

namespace {

// Every executable of the build lands in the same folder as this test.
QString simulatorPath() {
    return QString::fromStdString(
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "device_simulator")
            .string());
}

// The device_simulator executable as the demo and the benchmarks start it.
class SimulatorProcessTest : public ::testing::Test {
  protected:
    void start(const QStringList& arguments) {
        process_.start(simulatorPath(), arguments);
        ASSERT_TRUE(process_.waitForStarted(2000)) << process_.errorString().toStdString();
        ASSERT_TRUE(process_.waitForReadyRead(2000));
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed().toStdString();
        ASSERT_EQ(path_.rfind("/dev/pts/", 0), 0u) << path_;
    }
    void TearDown() override {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }

    QProcess process_;
    std::string path_;
};

TEST_F(SimulatorProcessTest, ServesTheFramesAskedForThenEnds) {
    start({"--frames", "2"});
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "\x04\x10\x10\x10", 4), 4);
    std::string received;
    char buffer[256];
    pollfd in{fd, POLLIN, 0};
    while (received.size() < 108 && ::poll(&in, 1, 2000) > 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(received.size(), 108u);
    EXPECT_EQ(received.substr(54, 3), "HSE");
    EXPECT_TRUE(process_.waitForFinished(3000));
    EXPECT_EQ(process_.exitCode(), 0);
    ::close(fd);
}

TEST_F(SimulatorProcessTest, EndsOnTerminateAndWhenTheOtherEndHangsUp) {
    start({});
    process_.terminate();
    EXPECT_TRUE(process_.waitForFinished(2000));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 0);

    start({});
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "\x10", 1), 1);
    ::usleep(100000);
    ::close(fd);
    EXPECT_TRUE(process_.waitForFinished(3000));
    EXPECT_EQ(process_.exitCode(), 0);
}

TEST_F(SimulatorProcessTest, RefusesABadCommandLine) {
    process_.start(simulatorPath(), {"--frames", "many"});
    ASSERT_TRUE(process_.waitForFinished(2000));
    EXPECT_EQ(process_.exitCode(), 2);
    EXPECT_TRUE(process_.readAllStandardError().contains("usage"));
}

}  // namespace
